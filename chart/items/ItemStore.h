// The chart's display lists and the drawing commands that fill them.
#pragma once

#include <array>
#include <concepts>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/ChartEnums.h"
#include "chart/items/ChartItem.h"
#include "chart/items/ItemContainer.h"
#include "chart/items/LongTextArray.h"
#include "chart/items/Series.h"
#include "platform/Export.h"
#include "platform/Types.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Pen.h"

namespace korvo {

// The argument types the coordinate commands with an integer (pixel) variant
// accept beside their own: any integer but bool, and any floating type.
template <typename T>
concept PwPixelInteger = std::integral<T> && !std::same_as<T, bool>;
template <typename T>
concept PwCoordinate = PwPixelInteger<T> || std::floating_point<T>;

// What a chart draws, kept as two display lists of TpwChartItem records: the
// data list and the annotation list. TPlotwell inherits this class, so the
// commands below are called on the chart: `chart->DrawTo(x, y)`.
//
// How drawing works. A command draws nothing and converts nothing: it appends
// one item, in the coordinates given, to the list that AnnotationMode selects
// (the annotation list while it is true, else the data list). The chart draws
// both lists whenever it is shown (ShowGraph) or repainted, mapping world
// coordinates through the transform of each item's layer. Appending allocates
// only when the list is full, and then grows it by AllocSize items.
//
// What every command stores. Kind; Layer = CurrentLayer; ItemClass =
// ClassDefault; Color = DataColor; PenStyle = PenStyle; LineWidth =
// LineWidth (text commands: the long-text index instead); Attribute = 0; the
// coordinates and the fields its kind uses, as listed at the command; every
// other field 0. Changing an attribute later does not change stored items.
//
// World and pixel coordinates. World coordinates are read through the
// layer's x and y ranges. Pixel coordinates are pixels relative to the plot
// area's top-left pixel, x to the right and y down; they are kept as given
// and rounded (halves to even) when drawn. Commands that offer pixel
// variants take a TCoordMode (see ChartItem.h); a mode a kind does not define
// raises EKorvoPlotwellError and appends nothing. The modes apply to the
// annotation list only: every item of the data list is stored with cmWorld,
// so numbers given to a data-list command are world coordinates whatever
// variant was called. The annotation list keeps the mode.
//
// Counting. KindCount(k) counts the data-list items of kind k added since
// the last ClearGraph; annotation items are not counted.
//
// Sharing. The data list and its counters live in a TPwDataList that several
// stores may hold at once (charts sharing one chart's data, see the chart's
// UseDataOf): an item added through any of them, or a ClearGraph on any of
// them, is seen by all at once. The annotation list, the long-text tables and
// every attribute stay per store.
class PLOTWELL_API TPwItemStore {
 public:
  TPwItemStore();
  TPwItemStore(const TPwItemStore&) = delete;
  TPwItemStore& operator=(const TPwItemStore&) = delete;

  // ---- The lists --------------------------------------------------------

  const TPwItemContainer& DataItems() const { return data_->Items; }
  const TPwItemContainer& AnnotationItems() const { return annotations_; }
  // The number of data-list items of kind `kind` (0..26); 0 for any other
  // value.
  int32_t KindCount(int kind) const { return kind >= 0 && kind <= ckLastKind ? data_->KindCount[kind] : 0; }
  const std::array<int32_t, ckLastKind + 1>& KindCounts() const { return data_->KindCount; }

  // Empties the annotation list (count 0, storage released, its series let
  // go). The data list is emptied by the chart's ClearGraph, which leaves
  // annotations alone.
  void ClearAnnotations() {
    annotations_.Clear();
    annotation_series_.clear();
  }

  // The growth step of both lists: a value from 1 to 1000000 is stored, any
  // other value is ignored. Default 1000; give a chart that receives many
  // items a larger step.
  int32_t AllocSize() const { return alloc_size_; }
  void SetAllocSize(int32_t size);

  // ---- Where new items go -------------------------------------------------

  // True: commands append to the annotation list; false (the default): to
  // the data list.
  bool AnnotationMode() const { return annotation_mode_; }
  void SetAnnotationMode(bool value) { annotation_mode_ = value; }
  // The layer (1..16) written into new items; 1 after construction. Any
  // other value raises EKorvoPlotwellError "Layer 17 is out of range (1..16)".
  int32_t CurrentLayer() const { return current_layer_; }
  void SetCurrentLayer(int32_t layer);
  // The layers that mouse pan and zoom act on; layer 1 only after
  // construction. LayerInUse is false for a number outside 1..16;
  // SetLayerInUse raises EKorvoPlotwellError for one.
  bool LayerInUse(int layer) const { return layer >= 1 && layer <= 16 && layer_in_use_[layer - 1]; }
  void SetLayerInUse(int layer, bool inUse);

  // ---- Attributes copied into new items -----------------------------------

  // Pen colour of new items (text: the font colour). Default clBlack.
  TColor DataColor() const { return data_color_; }
  void SetDataColor(TColor color) { data_color_ = color; }
  // Fill colour of new items (text: the background colour); TextBkColor is
  // the same value. Default clSilver.
  TColor FillColor() const { return fill_color_; }
  void SetFillColor(TColor color) { fill_color_ = color; }
  TColor TextBkColor() const { return fill_color_; }
  void SetTextBkColor(TColor color) { fill_color_ = color; }
  // Pen style of new items. Default psSolid.
  TPenStyle PenStyle() const { return pen_style_; }
  void SetPenStyle(TPenStyle style) { pen_style_ = style; }
  // Pen width of new items in pixels. Default 1.
  uint8_t LineWidth() const { return line_width_; }
  void SetLineWidth(uint8_t width) { line_width_ = width; }
  // Class of new items (0..254); the value 255 is ignored. Default 0.
  uint8_t ClassDefault() const { return class_default_; }
  void SetClassDefault(uint8_t itemClass);
  // Text items: the font's size in points goes into each item (Param1); its
  // name and style are used when text items are drawn.
  TFont* TextFont() { return &text_font_; }
  const TFont* TextFont() const { return &text_font_; }
  void SetTextFont(const TFont& font) { text_font_.Assign(font); }
  TFontStyles TextFontStyle() const { return text_font_.Style(); }
  void SetTextFontStyle(TFontStyles style) { text_font_.SetStyle(style); }
  // Text items: tbSolid fills the text cell with FillColor (Param2 = 1),
  // tbClear leaves the background (Param2 = 0). Default tbClear.
  TTextBkg TextBkStyle() const { return text_bk_style_; }
  void SetTextBkStyle(TTextBkg style) { text_bk_style_ = style; }
  // Text items: placement of the text against its anchor (Param3). Default
  // taCenter.
  TAlignment TextAlignment() const { return text_alignment_; }
  void SetTextAlignment(TAlignment alignment) { text_alignment_ = alignment; }

  // ---- Long texts ---------------------------------------------------------

  // Each list has its own table of 50 texts of any length (UTF-8, line feeds
  // separate lines) that LongTextAt and LongTextOffsAt items show.
  // SetLongText writes entry `index` (1..50) of the table of the list that
  // AnnotationMode selects; another index raises EKorvoPlotwellError.
  const TLongTextArray& DataLongTexts() const { return data_texts_; }
  const TLongTextArray& AnnotationLongTexts() const { return annotation_texts_; }
  void SetLongText(int index, std::string text);

  // ---- Commands: moving and line drawing ----------------------------------
  //
  // A polyline is a MoveTo followed by DrawTo items: each DrawTo draws from
  // the current position to its point, which becomes the current position.
  // Consecutive DrawTo items with equal attributes are drawn as one polyline.

  // ckMoveTo at world (x, y): sets x, y.
  void MoveTo(double x, double y);
  // ckMoveTo at pixel (x, y): cmPixel in the annotation list.
  void MoveTo(int32_t x, int32_t y);
  // ckMoveTo in any mode (all six apply: one-point kind).
  void MoveTo(double x, double y, TCoordMode mode);
  // ckDrawTo to world (x, y): sets x, y, FillColor.
  void DrawTo(double x, double y);
  // ckDrawTo to world x and pixel row y: cmXWorldYPixel in the annotation
  // list.
  void DrawTo(double x, int32_t y);
  // ckDrawTo in any mode (all six apply).
  void DrawTo(double x, double y, TCoordMode mode);

  // Every other mix of argument types picks a variant by type, so that no
  // call is ambiguous: integers in both places make MoveTo a pixel point,
  // anything else a world point (MoveTo(0, std::sin(t)) is world); an
  // integer y makes DrawTo's row a pixel row, any floating y a world one.
  // Integers wider than int32_t are taken as they are, not cut to 32 bits.
  template <PwCoordinate X, PwCoordinate Y>
  void MoveTo(X x, Y y) {
    if constexpr (PwPixelInteger<X> && PwPixelInteger<Y>)
      MoveTo(double(x), double(y), TCoordMode::cmPixel);
    else
      MoveTo(double(x), double(y));
  }
  template <PwCoordinate X, PwCoordinate Y>
  void DrawTo(X x, Y y) {
    if constexpr (PwPixelInteger<Y>)
      DrawTo(double(x), double(y), TCoordMode::cmXWorldYPixel);
    else
      DrawTo(double(x), double(y));
  }
  // ckMoveRel: moves the current position by (dx, dy) pixels. Sets x = dx,
  // y = dy.
  void MoveRel(double dx, double dy);
  // ckDrawRel: draws from the current position by (dx, dy) pixels. Sets
  // x = dx, y = dy, FillColor.
  void DrawRel(double dx, double dy);

  // ---- Commands: marks ------------------------------------------------------

  // ckMark: glyph `mark` (see DrawMark) centred on world (x, y). Sets x, y,
  // Param3 = mark; always cmWorld. A world mark outside its layer's ranges is
  // not drawn.
  void MarkAt(double x, double y, uint8_t mark);
  // ckMark in any mode: cmWorld is world, every other mode reads (x, y) as
  // pixels.
  void MarkAt(double x, double y, uint8_t mark, TCoordMode mode);
  // ckErrorMark: glyph `mark` at world (x, y) with an error bar reaching
  // `below` under and `above` over the value (absolute values are used),
  // along y, or along x when `horizontal`. Sets x, y, x2 = below,
  // y2 = above, FillColor, Param3 = mark, Param1 = 0 for a bar along y; for
  // a bar along x Param1 = the TextFont size in points (at least 1), which
  // also sizes character glyphs on the printer. World only.
  void ErrorMark(double x, double y, double below, double above, uint8_t mark, bool horizontal = false);

  // ---- Commands: series ------------------------------------------------------
  //
  // A series (Series.h) goes into the list as ONE item that refers to it:
  // the item draws the points the series holds whenever the chart draws, so
  // a program that appends to a series and calls ShowGraph sees the new
  // points without adding items. The list keeps a reference to the series
  // (in a table of its own, whose entry the item's Param2 names, from 1)
  // until ClearGraph (data list) or ClearAnnotations; charts sharing the
  // data list and a chart copied by Assign refer to the same series.
  // Series items are world items whatever the list (CoordMode cmWorld) and
  // carry the attributes of every item. A null series raises
  // EKorvoPlotwellError and appends nothing.

  // ckSeriesLine: a polyline through the points in their order, drawn with
  // exactly the pixels of MoveTo(first point) followed by DrawTo(each next
  // point) with the same attributes, with one addition: a point whose x or
  // y is NaN or infinite breaks the line, which resumes at the next finite
  // point as if by MoveTo (a gap, as plotting programs draw missing data).
  // Like DrawTo it leaves the current position at the last finite point, so
  // a DrawTo item after it continues the line. Sets FillColor (the gaps of
  // dashed pens) and Param2.
  void DrawSeries(TPwSeriesRef series);
  // ckSeriesMarks: glyph `mark` at every point, exactly as MarkAt items at
  // the same points (a point outside its layer's ranges, or not finite, is
  // not drawn; AvoidDuplicateMarks applies). Sets Param2, Param3 = mark.
  void MarkSeries(TPwSeriesRef series, uint8_t mark);

  // The series tables of the two lists; SeriesOf gives the series an item
  // of that list refers to, or nullptr when its Param2 names no entry.
  std::span<const TPwSeriesRef> DataSeries() const { return data_->Series; }
  std::span<const TPwSeriesRef> AnnotationSeries() const { return annotation_series_; }
  const TPwSeries* SeriesOf(const TpwChartItem& item, bool isAnnotation) const {
    const std::vector<TPwSeriesRef>& table = isAnnotation ? annotation_series_ : data_->Series;
    const int64_t i = int64_t(item.Param2) - 1;
    return i >= 0 && i < int64_t(table.size()) ? table[size_t(i)].get() : nullptr;
  }

  // ---- Commands: straight lines ---------------------------------------------

  // ckLine from (x1, y1) to (x2, y2). Sets x, y, x2, y2, FillColor. Modes
  // cmWorld, cmPixel, cmWorldPixel, cmPixelWorld.
  void Line(double x1, double y1, double x2, double y2, TCoordMode mode = TCoordMode::cmWorld);
  // ckShiftedLine: the world line (x1, y1)-(x2, y2) with both ends moved by
  // (shiftX, shiftY) pixels. Sets x, y, x2, y2, FillColor, Param1 = shiftX,
  // Param2 = shiftY. World only.
  void ShiftedLine(double x1, double y1, double x2, double y2, int32_t shiftX, int32_t shiftY);
  // ckVector: from world (x, y) by (dx, dy) pixels. Sets x, y, x2 = dx,
  // y2 = dy, FillColor. World start only.
  void Vector(double x, double y, double dx, double dy);
  // ckVertLine: a line across the whole plot height at x. Sets x, FillColor.
  // Modes cmWorld and cmWorldPixel read x as world, cmPixel and cmPixelWorld
  // as a pixel column.
  void VertLine(double x, TCoordMode mode = TCoordMode::cmWorld);
  // ckHorizLine: a line across the whole plot width at y. Sets y, FillColor.
  // Modes as VertLine.
  void HorizLine(double y, TCoordMode mode = TCoordMode::cmWorld);
  // ckArrow from tail (x1, y1) to head (x2, y2) with a head `headLength`
  // pixels long (0: no head), filled with FillColor or open when `hollow`.
  // Sets x, y, x2, y2, FillColor, Hollow, Param1 = headLength. All six modes;
  // cmXPixelYWorld and cmXWorldYPixel apply to both ends.
  void Arrow(double x1, double y1, double x2, double y2, int32_t headLength, bool hollow = false,
             TCoordMode mode = TCoordMode::cmWorld);
  // ckDoubleArrow: as Arrow, with heads at both ends.
  void DoubleArrow(double x1, double y1, double x2, double y2, int32_t headLength, bool hollow = false,
                   TCoordMode mode = TCoordMode::cmWorld);
  // ckCross: a cross centred on (x, y), reaching (hx, hy) to each side. Sets
  // x, y, x2 = hx, y2 = hy, FillColor. cmWorld: all world; cmPixel: all
  // pixels; cmWorldPixel: world centre, half-extents in pixels.
  void Cross(double x, double y, double hx, double hy, TCoordMode mode = TCoordMode::cmWorld);

  // ---- Commands: figures ----------------------------------------------------

  // ckRectangle with corners (x1, y1) and (x2, y2), both included, outlined
  // in DataColor and filled with FillColor (outline only when `hollow`). Sets
  // x, y, x2, y2, FillColor, Hollow. Modes cmWorld, cmPixel, cmWorldPixel,
  // cmPixelWorld.
  void Rectangle(double x1, double y1, double x2, double y2, bool hollow = false,
                 TCoordMode mode = TCoordMode::cmWorld);
  // ckFramedRect: a rectangle filled with FillColor whose edges are drawn in
  // `frameStyle` with edge colours `color3` and `color4`. Sets x, y, x2, y2,
  // FillColor, Color3, Color4, FrameStyle. Modes as Rectangle.
  void FramedRect(double x1, double y1, double x2, double y2, TFrameStyle frameStyle, TColor color3, TColor color4,
                  TCoordMode mode = TCoordMode::cmWorld);
  // ckBar3D: a bar whose front face has the world corners (x1, y1), (x2, y2),
  // with top and side faces `depth` pixels deep at `angle` degrees (above 90
  // the side face is on the left). Sets x, y, x2, y2, FillColor,
  // Param1 = angle, Param2 = depth. World only.
  void Bar3D(double x1, double y1, double x2, double y2, int32_t angle, int32_t depth);
  // ckEllipse centred on world (x, y) with half-axes (rx, ry) in world units,
  // filled with FillColor (outline only when `hollow`). Sets x, y, x2 = rx,
  // y2 = ry, FillColor, Hollow. World only.
  void Ellipse(double x, double y, double rx, double ry, bool hollow = false);
  // ckArc: the arc of the ellipse of Ellipse(x, y, rx, ry) from angle
  // `startAngle` counter-clockwise to `endAngle`, in radians (0 = towards +x).
  // Stored in units of 1e-8 radian (rounded): Param1 and Param2; an angle
  // beyond +-2 pi is first reduced by whole turns. Sets x, y, x2 = rx,
  // y2 = ry. World only. A NaN or infinite angle raises EKorvoPlotwellError.
  void Arc(double x, double y, double rx, double ry, double startAngle, double endAngle);
  // ckPixelBox: a rectangle centred on world (x, y) reaching `halfWidth` and
  // `halfHeight` pixels to each side, filled with FillColor (outline only
  // when `hollow`). Sets x, y, FillColor, Hollow, Param1 = halfWidth,
  // Param2 = halfHeight. World only.
  void PixelBox(double x, double y, int32_t halfWidth, int32_t halfHeight, bool hollow = false);

  // ---- Commands: text -------------------------------------------------------
  //
  // Text is drawn in DataColor with TextFont's name and style at the size
  // stored in the item (TextFont's size when the command ran), on FillColor
  // when TextBkStyle is tbSolid, placed by TextAlignment; line feeds separate
  // lines, and the anchor is the vertical middle of the first line. Text
  // items set Color, FillColor, Param1 = font size in points, Param2 = 1 for
  // a solid background (else 0), Param3 = the TAlignment ordinal, and
  // LineWidth = the long-text index (0 for the inline text).

  // ckText at (x, y) showing `text` inline: at most 17 bytes of UTF-8 are
  // kept, cut before the first character that does not fit whole. Use a long
  // text for more. All six modes.
  void TextAt(double x, double y, std::string_view text, TCoordMode mode = TCoordMode::cmWorld);
  // ckText at (x, y) showing entry `index` (1..50) of the long-text table of
  // the list it goes to (see SetLongText); another index raises
  // EKorvoPlotwellError. All six modes.
  void LongTextAt(double x, double y, int index, TCoordMode mode = TCoordMode::cmWorld);
  // ckTextOffs: text anchored at world (x, y) moved by (dx, dy) pixels. Sets
  // x, y, x2 = dx, y2 = dy and the text fields. World anchor only.
  void TextOffsAt(double x, double y, double dx, double dy, std::string_view text);
  void LongTextOffsAt(double x, double y, double dx, double dy, int index);

 protected:
  // The data list with its counters, shared by the stores of a sharing
  // group.
  struct TPwDataList {
    TPwItemContainer Items;
    std::array<int32_t, ckLastKind + 1> KindCount{};
    std::vector<TPwSeriesRef> Series;  // the series its series items draw
  };

  // Empties the data list (storage released) and zeroes every KindCount.
  void ClearDataItems();
  // From now on this store shows (and adds to) the data list of `other`;
  // its own list is given up.
  void ShareDataList(const TPwItemStore& other) { data_ = other.data_; }
  // Gives this store a data list of its own holding a copy of the items and
  // counters it shows now (capacity AllocSize * (count div AllocSize + 1)).
  void MakeDataListPrivate();
  // Whether the data list is held by other stores as well.
  bool DataListShared() const { return data_.use_count() > 1; }
  bool SharesDataListWith(const TPwItemStore& other) const { return data_ == other.data_; }
  // Copies the data list (into the list this store shows) and the annotation
  // list, each with capacity AllocSize * (count div AllocSize + 1), the
  // counters and both long-text tables of `source`.
  void CopyListsFrom(const TPwItemStore& source);
  // The state after construction: both lists and long-text tables empty,
  // AllocSize 1000, AnnotationMode false, CurrentLayer 1, layer 1 in use,
  // the default attributes.
  void ResetItemStore();

 private:
  // Appends an item of `kind` carrying the current attributes to the list
  // AnnotationMode selects, and counts it.
  TpwChartItem& NewItem(uint8_t kind, TCoordMode mode) {
    TpwChartItem* item;
    if (annotation_mode_) {
      item = &annotations_.Append(alloc_size_);
      item->CoordMode = static_cast<uint8_t>(mode);
    } else {
      TPwDataList& data = *data_;
      item = &data.Items.Append(alloc_size_);
      ++data.KindCount[kind];
    }
    item->Kind = kind;
    item->Layer = current_layer_;
    item->ItemClass = class_default_;
    item->Color = data_color_;
    item->PenStyle = pen_style_;
    item->LineWidth = line_width_;
    return *item;
  }
  TpwChartItem& NewTextItem(uint8_t kind, TCoordMode mode, int longTextIndex);
  TpwChartItem& AddSeriesItem(uint8_t kind, TPwSeriesRef series);
  TpwChartItem& AddTwoPoint(uint8_t kind, double x1, double y1, double x2, double y2, TCoordMode mode);

  std::shared_ptr<TPwDataList> data_;  // never null
  TPwItemContainer annotations_;
  std::vector<TPwSeriesRef> annotation_series_;
  TLongTextArray data_texts_;
  TLongTextArray annotation_texts_;
  int32_t alloc_size_ = 1000;
  bool annotation_mode_ = false;
  int32_t current_layer_ = 1;
  std::array<bool, 16> layer_in_use_{};

  TColor data_color_ = clBlack;
  TColor fill_color_ = clSilver;
  TPenStyle pen_style_ = TPenStyle::psSolid;
  uint8_t line_width_ = 1;
  uint8_t class_default_ = 0;
  TFont text_font_;
  TTextBkg text_bk_style_ = TTextBkg::tbClear;
  TAlignment text_alignment_ = TAlignment::taCenter;
};

// The name of an item kind ("ckLine"), or "" for a value that is no kind.
PLOTWELL_API std::string_view ChartItemKindName(int kind);

}  // namespace korvo
