#include "chart/items/ItemStore.h"

#include <cmath>
#include <numbers>
#include <string>
#include <utility>

#include "base/korvobase.h"

namespace korvo {
namespace {

// The modes each kind defines, one bit per TCoordMode ordinal.
constexpr uint8_t Modes(std::initializer_list<TCoordMode> modes) {
  uint8_t bits = 0;
  for (TCoordMode m : modes) bits |= uint8_t(1u << unsigned(m));
  return bits;
}
using enum TCoordMode;
constexpr uint8_t AllModes = 0x3F;
constexpr uint8_t TwoPointModes = Modes({cmWorld, cmPixel, cmWorldPixel, cmPixelWorld});
constexpr uint8_t CrossModes = Modes({cmWorld, cmPixel, cmWorldPixel});

void CheckMode(uint8_t kind, uint8_t allowed, TCoordMode mode) {
  const unsigned m = unsigned(mode);
  if (m < 8 && (allowed & (1u << m)) != 0) return;
  const std::string_view name = EnumName(mode);
  throw EKorvoPlotwellError("Coordinate mode " + (name.empty() ? std::to_string(m) : std::string(name)) +
                            " is not defined for " + std::string(ChartItemKindName(kind)) + " items");
}

void CheckLongTextIndex(int index) {
  if (index < 1 || index > TLongTextArray::Count) {
    throw EKorvoPlotwellError("Long text index " + std::to_string(index) + " is out of range (1..50)");
  }
}

[[noreturn]] void LayerOutOfRange(int layer) {
  throw EKorvoPlotwellError("Layer " + std::to_string(layer) + " is out of range (1..16)");
}

// An angle in radians as the item's integer units of 1e-8 radian. Whole
// turns are removed beyond +-2 pi so that every finite angle fits.
int32_t ArcAngleUnits(double angle) {
  if (!std::isfinite(angle)) throw EKorvoPlotwellError("An arc angle must be a finite number of radians");
  constexpr double turn = 2 * std::numbers::pi;
  if (std::fabs(angle) > turn) angle = std::fmod(angle, turn);
  return static_cast<int32_t>(std::nearbyint(angle * 1e8));
}

constexpr std::array<std::string_view, ckLastKind + 1> KindNames = {
    "",           "ckMark",      "ckLine",       "ckDrawTo",   "ckRectangle",   "ckFramedRect", "ckBar3D",
    "ckText",     "ckMoveTo",    "ckEllipse",    "",           "",              "ckMoveRel",    "ckDrawRel",
    "ckArrow",    "ckDoubleArrow", "ckTextOffs", "ckPixelBox", "ckErrorMark",   "ckShiftedLine", "ckArc",
    "ckVector",   "ckVertLine",  "ckHorizLine",  "ckCross",   "ckSeriesLine", "ckSeriesMarks"};

}  // namespace

std::string_view ChartItemKindName(int kind) {
  return kind >= 0 && kind <= ckLastKind ? KindNames[size_t(kind)] : std::string_view();
}

TPwItemStore::TPwItemStore() { ResetItemStore(); }

void TPwItemStore::ResetItemStore() {
  data_ = std::make_shared<TPwDataList>();
  annotations_.Clear();
  annotation_series_.clear();
  data_texts_.Clear();
  annotation_texts_.Clear();
  alloc_size_ = 1000;
  annotation_mode_ = false;
  current_layer_ = 1;
  layer_in_use_.fill(false);
  layer_in_use_[0] = true;
  data_color_ = clBlack;
  fill_color_ = clSilver;
  pen_style_ = TPenStyle::psSolid;
  line_width_ = 1;
  class_default_ = 0;
  text_bk_style_ = TTextBkg::tbClear;
  text_alignment_ = TAlignment::taCenter;
}

void TPwItemStore::ClearDataItems() {
  data_->Items.Clear();
  data_->KindCount.fill(0);
  data_->Series.clear();
  data_->Series.shrink_to_fit();
}

void TPwItemStore::MakeDataListPrivate() {
  auto own = std::make_shared<TPwDataList>();
  own->Items.CopyFrom(data_->Items, alloc_size_);
  own->KindCount = data_->KindCount;
  own->Series = data_->Series;
  data_ = std::move(own);
}

void TPwItemStore::CopyListsFrom(const TPwItemStore& source) {
  if (&source == this) return;
  if (data_ != source.data_) {
    data_->Items.CopyFrom(source.data_->Items, alloc_size_);
    data_->KindCount = source.data_->KindCount;
    data_->Series = source.data_->Series;
  }
  annotations_.CopyFrom(source.annotations_, alloc_size_);
  annotation_series_ = source.annotation_series_;
  data_texts_ = source.data_texts_;
  annotation_texts_ = source.annotation_texts_;
}

void TPwItemStore::SetAllocSize(int32_t size) {
  if (size >= 1 && size <= 1000000) alloc_size_ = size;
}

void TPwItemStore::SetCurrentLayer(int32_t layer) {
  if (layer < 1 || layer > 16) LayerOutOfRange(layer);
  current_layer_ = layer;
}

void TPwItemStore::SetLayerInUse(int layer, bool inUse) {
  if (layer < 1 || layer > 16) LayerOutOfRange(layer);
  layer_in_use_[size_t(layer - 1)] = inUse;
}

void TPwItemStore::SetClassDefault(uint8_t itemClass) {
  if (itemClass != 255) class_default_ = itemClass;
}

void TPwItemStore::SetLongText(int index, std::string text) {
  (annotation_mode_ ? annotation_texts_ : data_texts_).SetText(index, std::move(text));
}

// ---- moving and line drawing -------------------------------------------

void TPwItemStore::MoveTo(double x, double y) {
  TpwChartItem& item = NewItem(ckMoveTo, cmWorld);
  item.x = x;
  item.y = y;
}

void TPwItemStore::MoveTo(int32_t x, int32_t y) { MoveTo(double(x), double(y), cmPixel); }

void TPwItemStore::MoveTo(double x, double y, TCoordMode mode) {
  CheckMode(ckMoveTo, AllModes, mode);
  TpwChartItem& item = NewItem(ckMoveTo, mode);
  item.x = x;
  item.y = y;
}

void TPwItemStore::DrawTo(double x, double y) {
  TpwChartItem& item = NewItem(ckDrawTo, cmWorld);
  item.x = x;
  item.y = y;
  item.FillColor = fill_color_;
}

void TPwItemStore::DrawTo(double x, int32_t y) { DrawTo(x, double(y), cmXWorldYPixel); }

void TPwItemStore::DrawTo(double x, double y, TCoordMode mode) {
  CheckMode(ckDrawTo, AllModes, mode);
  TpwChartItem& item = NewItem(ckDrawTo, mode);
  item.x = x;
  item.y = y;
  item.FillColor = fill_color_;
}

void TPwItemStore::MoveRel(double dx, double dy) {
  TpwChartItem& item = NewItem(ckMoveRel, cmWorld);
  item.x = dx;
  item.y = dy;
}

void TPwItemStore::DrawRel(double dx, double dy) {
  TpwChartItem& item = NewItem(ckDrawRel, cmWorld);
  item.x = dx;
  item.y = dy;
  item.FillColor = fill_color_;
}

// ---- marks ---------------------------------------------------------------

void TPwItemStore::MarkAt(double x, double y, uint8_t mark) {
  TpwChartItem& item = NewItem(ckMark, cmWorld);
  item.x = x;
  item.y = y;
  item.Param3 = mark;
}

void TPwItemStore::MarkAt(double x, double y, uint8_t mark, TCoordMode mode) {
  CheckMode(ckMark, AllModes, mode);
  TpwChartItem& item = NewItem(ckMark, mode);
  item.x = x;
  item.y = y;
  item.Param3 = mark;
}

// ---- series ----------------------------------------------------------------

TpwChartItem& TPwItemStore::AddSeriesItem(uint8_t kind, TPwSeriesRef series) {
  if (series == nullptr) {
    throw EKorvoPlotwellError(std::string(kind == ckSeriesLine ? "DrawSeries" : "MarkSeries") +
                              " needs a series, not a null pointer");
  }
  std::vector<TPwSeriesRef>& table = annotation_mode_ ? annotation_series_ : data_->Series;
  if (table.size() >= size_t(INT32_MAX)) throw EKorvoPlotwellError("Too many series items in one list");
  table.push_back(std::move(series));
  try {
    TpwChartItem& item = NewItem(kind, cmWorld);
    item.CoordMode = uint8_t(cmWorld);
    item.FillColor = fill_color_;
    item.Param2 = int32_t(table.size());
    return item;
  } catch (...) {
    table.pop_back();
    throw;
  }
}

void TPwItemStore::DrawSeries(TPwSeriesRef series) { AddSeriesItem(ckSeriesLine, std::move(series)); }

void TPwItemStore::MarkSeries(TPwSeriesRef series, uint8_t mark) {
  AddSeriesItem(ckSeriesMarks, std::move(series)).Param3 = mark;
}

void TPwItemStore::ErrorMark(double x, double y, double below, double above, uint8_t mark, bool horizontal) {
  TpwChartItem& item = NewItem(ckErrorMark, cmWorld);
  item.x = x;
  item.y = y;
  item.x2 = below;
  item.y2 = above;
  item.FillColor = fill_color_;
  item.Param3 = mark;
  item.Param1 = horizontal ? std::max(1, text_font_.Size()) : 0;
}

// ---- straight lines --------------------------------------------------------

TpwChartItem& TPwItemStore::AddTwoPoint(uint8_t kind, double x1, double y1, double x2, double y2,
                                        TCoordMode mode) {
  TpwChartItem& item = NewItem(kind, mode);
  item.x = x1;
  item.y = y1;
  item.x2 = x2;
  item.y2 = y2;
  item.FillColor = fill_color_;
  return item;
}

void TPwItemStore::Line(double x1, double y1, double x2, double y2, TCoordMode mode) {
  CheckMode(ckLine, TwoPointModes, mode);
  AddTwoPoint(ckLine, x1, y1, x2, y2, mode);
}

void TPwItemStore::ShiftedLine(double x1, double y1, double x2, double y2, int32_t shiftX, int32_t shiftY) {
  TpwChartItem& item = AddTwoPoint(ckShiftedLine, x1, y1, x2, y2, cmWorld);
  item.Param1 = shiftX;
  item.Param2 = shiftY;
}

void TPwItemStore::Vector(double x, double y, double dx, double dy) {
  AddTwoPoint(ckVector, x, y, dx, dy, cmWorld);
}

void TPwItemStore::VertLine(double x, TCoordMode mode) {
  CheckMode(ckVertLine, TwoPointModes, mode);
  TpwChartItem& item = NewItem(ckVertLine, mode);
  item.x = x;
  item.FillColor = fill_color_;
}

void TPwItemStore::HorizLine(double y, TCoordMode mode) {
  CheckMode(ckHorizLine, TwoPointModes, mode);
  TpwChartItem& item = NewItem(ckHorizLine, mode);
  item.y = y;
  item.FillColor = fill_color_;
}

void TPwItemStore::Arrow(double x1, double y1, double x2, double y2, int32_t headLength, bool hollow,
                         TCoordMode mode) {
  CheckMode(ckArrow, AllModes, mode);
  TpwChartItem& item = AddTwoPoint(ckArrow, x1, y1, x2, y2, mode);
  item.Hollow = hollow;
  item.Param1 = headLength;
}

void TPwItemStore::DoubleArrow(double x1, double y1, double x2, double y2, int32_t headLength, bool hollow,
                               TCoordMode mode) {
  CheckMode(ckDoubleArrow, AllModes, mode);
  TpwChartItem& item = AddTwoPoint(ckDoubleArrow, x1, y1, x2, y2, mode);
  item.Hollow = hollow;
  item.Param1 = headLength;
}

void TPwItemStore::Cross(double x, double y, double hx, double hy, TCoordMode mode) {
  CheckMode(ckCross, CrossModes, mode);
  AddTwoPoint(ckCross, x, y, hx, hy, mode);
}


// ---- figures -----------------------------------------------------------------

void TPwItemStore::Rectangle(double x1, double y1, double x2, double y2, bool hollow, TCoordMode mode) {
  CheckMode(ckRectangle, TwoPointModes, mode);
  AddTwoPoint(ckRectangle, x1, y1, x2, y2, mode).Hollow = hollow;
}

void TPwItemStore::FramedRect(double x1, double y1, double x2, double y2, TFrameStyle frameStyle, TColor color3,
                              TColor color4, TCoordMode mode) {
  CheckMode(ckFramedRect, TwoPointModes, mode);
  TpwChartItem& item = AddTwoPoint(ckFramedRect, x1, y1, x2, y2, mode);
  item.FrameStyle = frameStyle;
  item.Color3 = color3;
  item.Color4 = color4;
}

void TPwItemStore::Bar3D(double x1, double y1, double x2, double y2, int32_t angle, int32_t depth) {
  TpwChartItem& item = AddTwoPoint(ckBar3D, x1, y1, x2, y2, cmWorld);
  item.Param1 = angle;
  item.Param2 = depth;
}

void TPwItemStore::Ellipse(double x, double y, double rx, double ry, bool hollow) {
  AddTwoPoint(ckEllipse, x, y, rx, ry, cmWorld).Hollow = hollow;
}

void TPwItemStore::Arc(double x, double y, double rx, double ry, double startAngle, double endAngle) {
  const int32_t start = ArcAngleUnits(startAngle);
  const int32_t end = ArcAngleUnits(endAngle);
  TpwChartItem& item = NewItem(ckArc, cmWorld);
  item.x = x;
  item.y = y;
  item.x2 = rx;
  item.y2 = ry;
  item.Param1 = start;
  item.Param2 = end;
}

void TPwItemStore::PixelBox(double x, double y, int32_t halfWidth, int32_t halfHeight, bool hollow) {
  TpwChartItem& item = NewItem(ckPixelBox, cmWorld);
  item.x = x;
  item.y = y;
  item.FillColor = fill_color_;
  item.Hollow = hollow;
  item.Param1 = halfWidth;
  item.Param2 = halfHeight;
}

// ---- text ----------------------------------------------------------------------

TpwChartItem& TPwItemStore::NewTextItem(uint8_t kind, TCoordMode mode, int longTextIndex) {
  TpwChartItem& item = NewItem(kind, mode);
  item.LineWidth = longTextIndex;
  item.FillColor = fill_color_;
  item.Param1 = text_font_.Size();
  item.Param2 = text_bk_style_ == TTextBkg::tbSolid ? 1 : 0;
  item.Param3 = int32_t(text_alignment_);
  return item;
}

void TPwItemStore::TextAt(double x, double y, std::string_view text, TCoordMode mode) {
  CheckMode(ckText, AllModes, mode);
  TpwChartItem& item = NewTextItem(ckText, mode, 0);
  item.x = x;
  item.y = y;
  item.Text.Set(text);
}

void TPwItemStore::LongTextAt(double x, double y, int index, TCoordMode mode) {
  CheckMode(ckText, AllModes, mode);
  CheckLongTextIndex(index);
  TpwChartItem& item = NewTextItem(ckText, mode, index);
  item.x = x;
  item.y = y;
}

void TPwItemStore::TextOffsAt(double x, double y, double dx, double dy, std::string_view text) {
  TpwChartItem& item = NewTextItem(ckTextOffs, cmWorld, 0);
  item.x = x;
  item.y = y;
  item.x2 = dx;
  item.y2 = dy;
  item.Text.Set(text);
}

void TPwItemStore::LongTextOffsAt(double x, double y, double dx, double dy, int index) {
  CheckLongTextIndex(index);
  TpwChartItem& item = NewTextItem(ckTextOffs, cmWorld, index);
  item.x = x;
  item.y = y;
  item.x2 = dx;
  item.y2 = dy;
}

}  // namespace korvo
