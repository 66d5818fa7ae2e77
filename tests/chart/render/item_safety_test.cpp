// Hostile items: every kind (and values that are no kind) in every
// coordinate mode with NaN, infinite and huge coordinates, extreme head
// lengths, angles, depths, pen widths, glyphs, text sizes and long-text
// indices, on linear and logarithmic layers. They must draw without
// undefined behaviour (the sanitizer build checks) and in bounded time.
#include <chrono>
#include <string>

#include "chart/render/item_fixture.h"

namespace korvo::test {
namespace {

constexpr double Coords[] = {NaN, Inf, -Inf, 1e308, -1e308, 0, 50, -1e-300, 2147483648.0, 99.5};
constexpr int32_t Ints[] = {INT32_MIN, INT32_MAX, 0, -1, 10, 1 << 30, -(1 << 30), 135};
constexpr int32_t Widths[] = {1, 0, -7, 3, 255, INT32_MAX, 1 << 20};
constexpr int32_t Layers[] = {1, 2, 0, 17, -5, INT32_MAX};
constexpr uint8_t Kinds[] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,
                             14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 200, 255};

// Fills every field of `item` from the tables above, picked by `n`.
void Hostile(TpwChartItem& item, int n) {
  const int k = int(std::size(Kinds));
  item.Kind = Kinds[n % k];
  const int r = n / k;
  item.CoordMode = uint8_t(r % 8);
  const auto c = [&](int stride) { return Coords[size_t(r * stride + stride / 2) % std::size(Coords)]; };
  const auto i = [&](int stride) { return Ints[size_t(r * stride + stride) % std::size(Ints)]; };
  item.x = c(1);
  item.y = c(3);
  item.x2 = c(7);
  item.y2 = c(11);
  item.Param1 = i(1);
  item.Param2 = i(3);
  item.Param3 = i(5);
  item.LineWidth = Widths[size_t(r) % std::size(Widths)];
  item.Layer = Layers[size_t(r / 3) % std::size(Layers)];
  item.Hollow = (r & 1) != 0;
  item.FrameStyle = TFrameStyle(r % 9);
  item.PenStyle = TPenStyle(r % 7);
  item.Color = TColor(0x123456 * (r + 1)) & 0xFFFFFF;
  item.FillColor = r % 5 == 0 ? item.Color : clSilver;
  item.Text.Set("h\nostile");
}

class Hostility : public ItemChart {
 protected:
  Hostility() {
    chart.ApplyLayerRange(2, false, 1, 1, 1000, 1000, false);
    chart.XProps(2)->SetLogarithmic(true);
    chart.YProps(2)->SetLogarithmic(true);
    chart.SetLongText(1, std::string(2000, 'x') + "\n" + std::string(50000, '\n') + "end");
    chart.SetAnnotationMode(true);
    chart.SetAnnotationTextsOnTop(false);
    for (int n = 0; n < Count; ++n) chart.MoveTo(0.0, 0.0, TCoordMode::cmPixel);
    chart.OnBeforeRenderChartItem = [](TObject*, TpwChartItem& item, int index, bool) { Hostile(item, index); };
  }
  static constexpr int Count = int(std::size(Kinds)) * 8 * 21;
};

TEST_F(Hostility, EveryKindAndModeDrawsInBoundedTime) {
  const auto start = std::chrono::steady_clock::now();
  TBitmap big(400, 300);
  for (bool monochrome : {false, true}) {
    for (bool avoid : {false, true}) {
      chart.SetAvoidDuplicateMarks(avoid);
      Render(monochrome);
      Fill(big, clWhite);
      chart.RenderData(big.Canvas(), 150, 100, monochrome, false);
      chart.RenderData(big.Canvas(), INT32_MIN, INT32_MAX, monochrome, false);
    }
  }
  // Generous: the point is that nothing runs away (a loop over a huge
  // figure, a text of a billion lines), not speed.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
  EXPECT_GT(CountDifferentPixels(bmp, ref), 0) << "something was drawn";
}

TEST_F(Hostility, ExtremeSettingsOfTheChart) {
  chart.SetMinDupMarkDist(INT32_MAX);
  chart.SetAvoidDuplicateMarks(true);
  chart.TextFont()->SetSize(100000);
  chart.SetMarginLeft(INT32_MAX / 2);  // no plot area left: every axis maps to the middle
  chart.SetMarginTop(INT32_MAX / 2);
  Render();
  chart.SetMarginLeft(10);
  chart.SetMarginTop(10);
  chart.SetMinDupMarkDist(INT32_MIN);
  Render();
  EXPECT_EQ(chart.MinDupMarkDist(), 1);
}

TEST_F(Hostility, AHandlerThatEmptiesTheListsEndsThePass) {
  chart.OnBeforeRenderChartItem = [this](TObject*, TpwChartItem& item, int index, bool) {
    Hostile(item, index);
    if (index == 40) chart.ClearAnnotations();
  };
  chart.OnBeforeRenderText = [this](TObject*, std::string& text, int, bool) {
    chart.SetLongText(1, "changed while drawn");
    text += " and more";
  };
  Render();
  EXPECT_EQ(chart.AnnotationItems().Count(), 0);
}

}  // namespace
}  // namespace korvo::test
