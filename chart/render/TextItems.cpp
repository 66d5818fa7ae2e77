// Text items (ckText, ckTextOffs) and the measuring of multi-line text.
#include <algorithm>
#include <string_view>

#include "chart/CustomPlotwell.h"
#include "chart/render/ItemRenderer.h"
#include "chart/render/RenderMath.h"
#include "chart/render/TextBlock.h"
#include "platform/graphics/Canvas.h"
#include "scale/PrinterFont.h"

namespace korvo {
namespace {

// Point sizes of text items are kept within +-MaxPoints (the text engine
// limits the pixel size further); 0 is the font's default size.
constexpr int MaxPoints = 5000;

// Gives the canvas font the name and style of `source` and `points`,
// touching only what differs: each change makes the text engine look the
// face up again.
void SetItemFont(TFont& font, const TFont& source, int points) {
  if (font.Name() != source.Name()) font.SetName(source.Name());
  if (font.Style() != source.Style()) font.SetStyle(source.Style());
  const int height = -MulDiv(points, font.PixelsPerInch(), 72);
  if (font.Height() != height) font.SetHeight(height);
}

}  // namespace

TTextBlockMetrics MeasureTextBlock(std::string_view text, TCanvas* canvas) {
  TTextBlockMetrics m;
  m.Lines = int64_t(std::count(text.begin(), text.end(), '\n')) + 1;
  m.LineHeight = render::ClampInt32(int64_t(canvas->TextHeight(text)) + 1);
  m.BlockHeight = m.Lines * m.LineHeight;
  int32_t widest = 0;
  if (m.Lines == 1) {
    widest = canvas->TextWidth(text);
  } else {
    ForEachTextLine(text, [&](std::string_view line, int64_t) { widest = std::max(widest, canvas->TextWidth(line)); });
    if (widest == 0) widest = canvas->TextWidth(text);
  }
  m.Width = widest;
  return m;
}

// The anchor is the vertical middle of the first line; the alignment puts
// the block's left end, right end or middle there. Several lines on a solid
// background get a box 4 pixels wider than the block on each side and 2
// pixels higher above and below, in the background colour.
void TItemRenderer::DrawTextItem(const TpwChartItem& item, TColor ink, const TLongTextArray& longTexts,
                                 bool isAnnotation, int32_t index) {
  TCanvas* canvas = pass_.canvas;
  TCustomPlotwell& chart = *pass_.chart;
  SetFontColor(canvas, ink);
  const int points = std::clamp(item.Param1, -MaxPoints, MaxPoints);
  SetItemFont(*canvas->Font(), *chart.TextFont(), points);
  AdjustFontForPrinter(canvas, points);

  const TColor background = pass_.monochrome ? clWhite : item.FillColor;
  SetBrushColor(canvas, background);
  const bool solid = (item.Param2 & 0xFF) != 0;
  canvas->Brush()->SetStyle(solid ? TBrushStyle::bsSolid : TBrushStyle::bsClear);

  int64_t x, y;
  if (item.Kind == ckTextOffs) {
    int32_t px, py;
    chart.WorldToPixel(item.Layer, item.x, item.y, px, py);
    x = render::ClampCoord(int64_t(px) - chart.MarginLeft() + pass_.x0 + render::RoundCoord(item.x2));
    y = render::ClampCoord(int64_t(py) - chart.MarginTop() + pass_.y0 + render::RoundCoord(item.y2));
  } else {
    const TPoint p = PointByMode(item, item.x, item.y, item.CoordMode);
    x = p.X;
    y = p.Y;
  }
  const int32_t alignment = item.Param3;

  // Line width 0 (or below) shows the inline text, 1..50 a long text; a
  // number beyond the table shows nothing (the table gives "").
  std::string_view text = item.LineWidth < 1 ? item.Text.View() : std::string_view(longTexts.Text(item.LineWidth));
  if (chart.OnBeforeRenderText) {
    text_.assign(text.data(), text.size());  // keeps its memory between items
    chart.OnBeforeRenderText(&chart, text_, index, isAnnotation);
    text = text_;
  }

  const TTextBlockMetrics m = MeasureTextBlock(text, canvas);
  const int64_t h = m.LineHeight, w = m.Width;
  y -= h / 2;
  if (alignment == int32_t(TAlignment::taRightJustify)) {
    x -= w;
  } else if (alignment == int32_t(TAlignment::taCenter)) {
    x -= w / 2;
  }
  if (m.Lines == 1) {
    canvas->TextOut(render::ClampInt32(x), render::ClampInt32(y), text);
    return;
  }
  if (solid) {
    SetPenColor(canvas, background);
    canvas->Rectangle(render::ClampInt32(x - 4), render::ClampInt32(y - 2), render::ClampInt32(x + w + 4),
                      render::ClampInt32(y + m.BlockHeight + 2));
  }
  // Lines below the clip cannot show and are not measured or drawn.
  const int64_t bottom = canvas->ClipRect().Bottom;
  ForEachTextLine(text, [&](std::string_view line, int64_t i) {
    const int64_t row = y + i * h;
    if (row >= bottom) return;
    int64_t offset = 0;
    if (alignment == int32_t(TAlignment::taRightJustify)) {
      offset = w - canvas->TextWidth(line);
    } else if (alignment == int32_t(TAlignment::taCenter)) {
      offset = (w - canvas->TextWidth(line)) / 2;
    }
    canvas->TextOut(render::ClampInt32(x + offset), render::ClampInt32(row), line);
  });
}

}  // namespace korvo
