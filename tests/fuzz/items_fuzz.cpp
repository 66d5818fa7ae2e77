// Chart items and chart settings decoded from the input: published settings
// of the chart (ranges, logarithmic axes, margins, size, grid, crosshairs,
// labels and the rest, through their properties), then drawing commands of
// every kind and coordinate mode with NaN, infinities, 1e308, long-text
// indices and layers, then, while the chart renders, items rewritten field
// by field into any record a stored list could hold. Contract: a setting or
// command may refuse only with the library's Exception; Paint, ShowGraph and
// a monochrome render at far offsets end without undefined behaviour (the
// sanitizers check) and without hanging (libFuzzer's -timeout).
#include <cstdint>
#include <string>
#include <vector>

#include "chart/plotwell.h"
#include "fuzz/FuzzInput.h"

namespace korvo::fuzz {
namespace {

void Command(TFuzzInput& in, TPlotwell& c) {
  const double x = in.Real(), y = in.Real(), a = in.Real(), b = in.Real();
  const TCoordMode mode = TCoordMode(in.Below(6));
  const int32_t i = in.Coord(100);
  switch (in.Byte() % 24) {
    case 0: c.MoveTo(x, y, mode); break;
    case 1: c.DrawTo(x, y, mode); break;
    case 2: c.MoveRel(x, y); break;
    case 3: c.DrawRel(x, y); break;
    case 4: c.MarkAt(x, y, in.Byte(), mode); break;
    case 5: c.ErrorMark(x, y, a, b, in.Byte(), in.Bool()); break;
    case 6: c.Line(x, y, a, b, mode); break;
    case 7: c.ShiftedLine(x, y, a, b, i, in.Coord(100)); break;
    case 8: c.Vector(x, y, a, b); break;
    case 9: c.VertLine(x, mode); break;
    case 10: c.HorizLine(y, mode); break;
    case 11: c.Arrow(x, y, a, b, i, in.Bool()); break;
    case 12: c.DoubleArrow(x, y, a, b, i, in.Bool()); break;
    case 13: c.Cross(x, y, a, b, mode); break;
    case 14: c.Rectangle(x, y, a, b, in.Bool()); break;
    case 15: c.FramedRect(x, y, a, b, TFrameStyle(in.Byte()), TColor(in.U32()), TColor(in.U32())); break;
    case 16: c.Bar3D(x, y, a, b, i, in.Coord(100)); break;
    case 17: c.Ellipse(x, y, a, b, in.Bool()); break;
    case 18: c.Arc(x, y, a, b, in.Real(), in.Real()); break;
    case 19: c.PixelBox(x, y, i, in.Coord(100), in.Bool()); break;
    case 20: c.TextAt(x, y, in.Text(30), mode); break;
    case 21: c.LongTextAt(x, y, i, mode); break;
    case 22: c.SetLongText(int(in.Below(40)) - 5, in.Text(60)); break;
    default:
      c.SetCurrentLayer(int32_t(in.Below(20)) - 2);
      c.SetDataColor(TColor(in.U32()));
      c.SetPenStyle(TPenStyle(in.Byte()));
      c.SetLineWidth(in.Byte());
      break;
  }
}

// Any record a stored or shared list could hold.
void Rewrite(TFuzzInput& in, TpwChartItem& item) {
  switch (in.Byte() % 8) {
    case 0: item.Kind = in.Byte(); break;
    case 1: item.CoordMode = in.Byte(); break;
    case 2: item.x = in.Real(); item.y = in.Real(); break;
    case 3: item.x2 = in.Real(); item.y2 = in.Real(); break;
    case 4: item.Param1 = int32_t(in.U32()); item.Param2 = int32_t(in.U32()); item.Param3 = int32_t(in.U32()); break;
    case 5: item.LineWidth = int32_t(in.U32()); item.Layer = int32_t(in.U32()); break;
    case 6: item.PenStyle = TPenStyle(in.Byte()); item.FrameStyle = TFrameStyle(in.Byte()); item.Hollow = in.Bool(); break;
    default:
      item.Text.Length = in.Byte();
      for (char& ch : item.Text.Chars) ch = char(in.Byte());
      break;
  }
}

}  // namespace
}  // namespace korvo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace korvo;
  fuzz::TFuzzInput in(data, size);
  TPlotwell chart(nullptr);
  chart.SetBounds(0, 0, 220, 160);
  chart.Scale1X()->SetVisible(true);
  chart.Scale1Y()->SetVisible(true);
  chart.HandleNeeded();
  // Settings and commands as the input says; the rest rewrites items as
  // they are drawn.
  const int settings = in.Byte() % 24, commands = in.Byte() % 64;
  for (int s = 0; s < settings; ++s) fuzz::PokeProperty(in, chart, TPlotwell::ClassInfo());
  try {
    for (int k = 0; k < commands && !in.Empty(); ++k) fuzz::Command(in, chart);
  } catch (const Exception&) {
  } catch (...) {
    fuzz::Broken("a drawing command raised something other than the library's Exception");
  }
  if (int64_t(chart.Width()) * chart.Height() > (1 << 22)) return 0;  // keep each input quick
  chart.OnBeforeRenderChartItem = [&in](TObject*, TpwChartItem& item, int, bool) {
    if (!in.Empty()) fuzz::Rewrite(in, item);
  };
  try {
    chart.Repaint();
    chart.ShowGraph();
    TBitmap other(90, 70);
    chart.RenderData(other.Canvas(), in.Coord(100), in.Coord(100), true, in.Bool());
  } catch (const Exception&) {
  } catch (...) {
    fuzz::Broken("painting raised something other than the library's Exception");
  }
  return 0;
}
