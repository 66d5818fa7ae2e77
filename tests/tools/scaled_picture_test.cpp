// The chart at a device pixel ratio (TCustomPlotwell::PaintScaled, the
// picture a high-density screen shows and plotwell-render --scale writes):
// its figures where cairo puts them and where the canvas puts them, to a
// device pixel and a chart pixel; only the plot area drawn again when only
// it changed, pixel for pixel the same as a whole drawing; the --scale
// option's sizes and its bad values.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <functional>
#include <filesystem>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "chart/plotwell.h"
#include "platform/graphics/vector/ScaledRasterDevice.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/vector/PictureOutput.h"
#include "tools/DemoCharts.h"
#include "tools/InkCompare.h"
#include "tools/RenderCharts.h"

namespace korvo {
namespace {

namespace fs = std::filesystem;
using inktest::InkFoundWithinOnePixel;
using inktest::InkOf;

std::unique_ptr<TBitmap> DevicePicture(int w, int h, double ratio) {
  auto b = std::make_unique<TBitmap>(int32_t(std::nearbyint(w * ratio)), int32_t(std::nearbyint(h * ratio)));
  b->SetPixelFormat(TPixelFormat::pf32bit);
  return b;
}

fs::path Examples() { return fs::path(PLOTWELL_TEST_DATA) / ".." / "examples" / "charts"; }

TEST(ScaledPicture, DemoChartsAtRatiosPutTheirInkWhereCairoAndTheCanvasDo) {
  for (int which : {1, 2}) {
    std::unique_ptr<TPlotwell> chart = gallery::DemoChart(Examples(), which);
    chart->Repaint();
    const int w = chart->Width(), h = chart->Height();
    const std::vector<bool> screen = InkOf(*chart->Surface());
    for (double ratio : {2.0, 1.5, 1.25, 3.0}) {
      SCOPED_TRACE("chart " + std::to_string(which) + " at " + std::to_string(ratio));
      const auto ours = DevicePicture(w, h, ratio);
      ASSERT_TRUE(chart->PaintScaled(ours->Canvas()->Surface(), ratio, TRect{0, 0, w, h}));
      // Every figure through cairo, as printing draws it.
      const auto cairo = DevicePicture(w, h, ratio);
      RenderScaledPicture(cairo->Canvas()->Surface(), TPoint{0, 0}, ratio, w, h,
                          [&](TCanvas& c) { chart->RenderTo(c); });
      const int dw = ours->Width(), dh = ours->Height();
      const std::vector<bool> a = InkOf(*ours), b = InkOf(*cairo);
      // (Segment ends: cairo cuts them square to the line, we along the
      // pixel columns or rows, as the canvas does: up to a device pixel
      // apart at the corners of thick lines.)
      EXPECT_GE(InkFoundWithinOnePixel(a, b, dw, dh), 0.98) << "ink cairo lacks";
      EXPECT_GE(InkFoundWithinOnePixel(b, a, dw, dh), 0.98) << "cairo's ink missing";
      // Brought back to the chart's pixels: where the screen has its ink.
      // (The screen stamps its marks as dots, a picture at a ratio draws
      // them as lines, as the printer does.)
      const std::vector<bool> back = InkOf(*inktest::Downsampled(*ours, ratio, w, h));
      EXPECT_GE(InkFoundWithinOnePixel(back, screen, w, h), 0.95) << "ink the screen lacks";
      EXPECT_GE(InkFoundWithinOnePixel(screen, back, w, h), 0.95) << "the screen's ink missing";
    }
  }
}

TEST(ScaledPicture, OnlyThePlotAreaDrawnAgainGivesTheWholeDrawingsPixels) {
  for (double ratio : {2.0, 1.5}) {
    SCOPED_TRACE(ratio);
    std::unique_ptr<TPlotwell> chart = gallery::DemoChart(Examples(), 1);
    chart->Repaint();
    const int w = chart->Width(), h = chart->Height();
    const auto kept = DevicePicture(w, h, ratio);
    ASSERT_TRUE(chart->PaintScaled(kept->Canvas()->Surface(), ratio, TRect{0, 0, w, h}));
    // New items over the plot and a crosshair: ShowGraph changes only the
    // plot area.
    chart->ClearGraph();
    chart->MoveTo(-0.9, -0.9);
    for (int i = 0; i < 40; ++i) chart->DrawTo(std::sin(i * 0.7) * 0.9, std::cos(i * 0.3) * 0.9);
    chart->CrossHair(1)->SetMode(TCrossHMode::chBoth);
    chart->CrossHair(1)->SetPosX(0.25);
    chart->CrossHair(1)->SetPosY(-0.4);
    chart->ShowGraph();
    const TRect plot{chart->MarginLeft(), chart->MarginTop(), chart->MarginLeft() + chart->PlotBitmap()->Width(),
                     chart->MarginTop() + chart->PlotBitmap()->Height()};
    ASSERT_TRUE(chart->PaintScaled(kept->Canvas()->Surface(), ratio, plot));
    const auto whole = DevicePicture(w, h, ratio);
    ASSERT_TRUE(chart->PaintScaled(whole->Canvas()->Surface(), ratio, TRect{0, 0, w, h}));
    int differing = 0;
    for (int y = 0; y < whole->Height(); ++y) {
      for (int x = 0; x < whole->Width(); ++x) differing += kept->ScanLine(y)[x] != whole->ScanLine(y)[x];
    }
    EXPECT_EQ(differing, 0);
    // And the picture did change: the plot-only drawing is not a no-op.
    const auto before = DevicePicture(w, h, ratio);
    chart->ClearGraph();
    chart->ShowGraph();
    ASSERT_TRUE(chart->PaintScaled(before->Canvas()->Surface(), ratio, TRect{0, 0, w, h}));
    int changed = 0;
    for (int y = 0; y < whole->Height(); ++y) {
      for (int x = 0; x < whole->Width(); ++x) changed += before->ScanLine(y)[x] != whole->ScanLine(y)[x];
    }
    EXPECT_GT(changed, 100);
  }
}

TEST(ScaledPicture, ASuspendedChartLeavesItToTheEnlargedSurface) {
  std::unique_ptr<TPlotwell> chart = gallery::DemoChart(Examples(), 1);
  chart->Repaint();
  const auto picture = DevicePicture(chart->Width(), chart->Height(), 2);
  chart->SetPaintSuspended(true);
  EXPECT_FALSE(chart->PaintScaled(picture->Canvas()->Surface(), 2, TRect{0, 0, chart->Width(), chart->Height()}));
  chart->SetPaintSuspended(false);
  EXPECT_TRUE(chart->PaintScaled(picture->Canvas()->Surface(), 2, TRect{0, 0, chart->Width(), chart->Height()}));
}

// Random figures the raster device draws itself (lines in every direction,
// polylines, dashed rows and columns, rectangles with corners either way,
// fills; some clipped), against cairo drawing all of them: the same pixels
// to within one device pixel.
TEST(ScaledPicture, RasterFiguresLieWhereCairosDoInEveryDirection) {
  constexpr int W = 120, H = 90;
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> x(-20, W + 20), y(-20, H + 20), pick(0, 5);
  for (int round = 0; round < 12; ++round) {
    std::vector<std::function<void(TCanvas&)>> figures;
    for (int i = 0; i < 25; ++i) {
      const int kind = pick(rng);
      const TPoint a{x(rng), y(rng)}, b{x(rng), y(rng)}, c{x(rng), y(rng)};
      figures.push_back([=](TCanvas& k) {
        k.Pen()->SetColor(clBlack);
        k.Pen()->SetWidth(1);
        k.Pen()->SetStyle(TPenStyle::psSolid);
        k.Brush()->SetStyle(TBrushStyle::bsClear);
        if (kind == 0) {
          k.MoveTo(a.X, a.Y);
          k.LineTo(b.X, b.Y);
        } else if (kind == 1) {
          const TPoint points[] = {a, b, c};
          k.Polyline(points);
        } else if (kind == 2) {
          k.Pen()->SetStyle(i % 2 ? TPenStyle::psDot : TPenStyle::psDashDot);
          k.MoveTo(a.X, a.Y);
          k.LineTo(i % 4 < 2 ? b.X : a.X, i % 4 < 2 ? a.Y : b.Y);
        } else if (kind == 3) {
          k.Rectangle(a.X, a.Y, b.X, b.Y);
        } else if (kind == 4) {
          k.SetClipRect(TRect{10, 10, W - 15, H - 20});
          k.MoveTo(a.X, a.Y);
          k.LineTo(c.X, c.Y);
          k.ResetClipRect();
        } else {
          k.Brush()->SetStyle(TBrushStyle::bsSolid);
          k.Brush()->SetColor(clBlack);
          k.FillRect(TRect{std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::min(a.Y, b.Y) + 3});
        }
      });
    }
    const auto draw = [&](TCanvas& k) {
      for (const auto& f : figures) f(k);
    };
    for (double ratio : {2.0, 1.5, 3.0}) {
      SCOPED_TRACE("round " + std::to_string(round) + " at " + std::to_string(ratio));
      const auto clear = [](TBitmap& b) {
        b.Canvas()->Brush()->SetColor(clWhite);
        b.Canvas()->FillRect(TRect{0, 0, b.Width(), b.Height()});
      };
      const auto ours = DevicePicture(W, H, ratio), cairo = DevicePicture(W, H, ratio);
      clear(*ours);
      clear(*cairo);
      RenderScaledPicture(ours->Canvas()->Surface(), TPoint{0, 0}, ratio, W, H, [&](TCanvas& figuresCanvas) {
        TScaledRasterDevice device(ours->Canvas()->Surface(), ratio, figuresCanvas.FigureDevice());
        TCanvas k;
        k.SetFigureDevice(&device, W, H);
        draw(k);
      });
      RenderScaledPicture(cairo->Canvas()->Surface(), TPoint{0, 0}, ratio, W, H, draw);
      const int dw = ours->Width(), dh = ours->Height();
      std::vector<bool> a(size_t(dw) * dh), b(size_t(dw) * dh);
      for (int v = 0; v < dh; ++v) {
        for (int u = 0; u < dw; ++u) {
          a[size_t(v) * dw + u] = (ours->ScanLine(v)[u] & 0xFFFFFF) != 0xFFFFFF;
          b[size_t(v) * dw + u] = (cairo->ScanLine(v)[u] & 0xFFFFFF) != 0xFFFFFF;
        }
      }
      EXPECT_GE(InkFoundWithinOnePixel(a, b, dw, dh), 0.995) << "pixels cairo leaves white";
      EXPECT_GE(InkFoundWithinOnePixel(b, a, dw, dh), 0.995) << "cairo's pixels missing";
    }
  }
}

// Short slanted segments at a whole ratio are shapes made once and moved to
// each start. Wherever one lies and however it is clipped it paints the
// device pixels of its rule, which in exact arithmetic (doubled device
// units, so that centres are whole) reads: along the major axis the centres
// M from the start pixel's leading edge up to the end pixel's, across it
// the centres N with -R <= N - C(M) < R about the centre line C. Slopes that
// binary fractions hold exactly are compared with the rule pixel for pixel;
// the others, whose ties rounding decides, with their own shape drawn
// unclipped elsewhere.
TEST(ScaledPicture, ShortSegmentsPaintTheirRuleWhereverTheyLie) {
  constexpr int W = 40, H = 30;
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> step(-15, 15), at(-12, W + 12), edge(0, 12);
  for (const int R : {2, 3}) {
    const auto draw = [&](TPoint a, TPoint b, const TRect* clip) {
      auto picture = DevicePicture(W + 40, H + 40, R);
      picture->Canvas()->Brush()->SetColor(clWhite);
      picture->Canvas()->FillRect(TRect{0, 0, picture->Width(), picture->Height()});
      TScaledRasterDevice device(picture->Canvas()->Surface(), R, nullptr);
      TCanvas k;
      k.SetFigureDevice(&device, W + 40, H + 40);
      if (clip != nullptr) k.SetClipRect(*clip);
      k.Pen()->SetColor(clBlack);
      k.MoveTo(a.X, a.Y);
      k.LineTo(b.X, b.Y);
      std::vector<bool> ink;
      for (int v = 0; v < picture->Height(); ++v) {
        for (int u = 0; u < picture->Width(); ++u) ink.push_back(picture->ScanLine(v)[u] != ColorToPixel(clWhite));
      }
      return ink;
    };
    for (int round = 0; round < 400; ++round) {
      // Every other segment with both extents powers of two, so that slope
      // and its inverse are exact.
      const auto power = [&] { return (1 << (rng() % 4)) * (rng() % 2 ? 1 : -1); };
      const int dx = round % 2 ? step(rng) : power(), dy = round % 2 ? step(rng) : power();
      if (dx == 0 || dy == 0) continue;
      const TPoint a{at(rng), at(rng)}, b{a.X + dx, a.Y + dy};
      const TRect clip{edge(rng), edge(rng), W - edge(rng), H - edge(rng)};
      SCOPED_TRACE(testing::Message() << "ratio " << R << " from " << a.X << "," << a.Y << " by " << dx << "," << dy);
      const std::vector<bool> ours = draw(a, b, &clip);
      const int dw = (W + 40) * R, dh = (H + 40) * R;
      const bool exact = (std::abs(dx) & (std::abs(dx) - 1)) == 0 && (std::abs(dy) & (std::abs(dy) - 1)) == 0;
      // The rule, along the major axis (M, from A to B) and across it (N).
      const bool xMajor = std::abs(dx) >= std::abs(dy);
      const int64_t A = (2 * (xMajor ? a.X : a.Y) + 1) * R, B = (2 * (xMajor ? b.X : b.Y) + 1) * R;
      const int64_t Am = (2 * (xMajor ? a.Y : a.X) + 1) * R, Bm = (2 * (xMajor ? b.Y : b.X) + 1) * R, D = B - A;
      const int64_t back = D > 0 ? R : -R;
      const TPoint ref{20, 20};
      const std::vector<bool> open = exact ? ours : draw(ref, TPoint{ref.X + dx, ref.Y + dy}, nullptr);
      const auto expected = [&](int u, int v) {
        if (u < clip.Left * R || u >= clip.Right * R || v < clip.Top * R || v >= clip.Bottom * R) return false;
        if (!exact) {
          const int ru = u - (a.X - ref.X) * R, rv = v - (a.Y - ref.Y) * R;
          return ru >= 0 && ru < dw && rv >= 0 && rv < dh && open[size_t(rv) * dw + ru];
        }
        const int64_t M = 2 * (xMajor ? u : v) + 1, N = 2 * (xMajor ? v : u) + 1;
        const int64_t across = (N * D - (Am * D + (Bm - Am) * (M - A))) * (D > 0 ? 1 : -1);
        return M >= std::min(A, B) - back && M < std::max(A, B) - back && across >= -R * std::abs(D) &&
               across < R * std::abs(D);
      };
      int wrong = 0;
      for (int v = 0; v < dh; ++v) {
        for (int u = 0; u < dw; ++u) wrong += ours[size_t(v) * dw + u] != expected(u, v);
      }
      EXPECT_EQ(wrong, 0);
    }
  }
}

TEST(ScaledPicture, RenderScaleGivesRoundedSizesAndRefusesBadValues) {
  const fs::path out = fs::temp_directory_path() / ("plotwell-scale-" + std::to_string(::getpid()));
  tools::TRenderOptions options;
  options.OutDir = out;
  struct TCase {
    double Scale;
    const char* Format;
    int Width, Height;  // Plotwell1 is 372 x 331; halves round to even
  };
  for (const TCase& c : {TCase{2, "png", 744, 662}, TCase{1.5, "bmp", 558, 496}, TCase{1.25, "png", 465, 414},
                         TCase{1, "png", 372, 331}}) {
    options.Scale = c.Scale;
    options.Format = c.Format;
    const auto rendered = tools::RenderChartsInFile(Examples() / "Plotwell1.txt", options);
    ASSERT_EQ(rendered.size(), 1u);
    EXPECT_EQ(rendered[0].Width, c.Width) << c.Scale;
    EXPECT_EQ(rendered[0].Height, c.Height) << c.Scale;
    TBitmap picture;
    if (std::string(c.Format) == "png") {
      picture.LoadPngFromFile(rendered[0].File.string());
    } else {
      picture.LoadFromFile(rendered[0].File.string());
    }
    EXPECT_EQ(picture.Width(), c.Width) << c.Scale;
    EXPECT_EQ(picture.Height(), c.Height) << c.Scale;
  }
  // Vector files have no pixels to scale.
  options.Scale = 2;
  for (const char* format : {"svg", "pdf"}) {
    options.Format = format;
    EXPECT_THROW(tools::RenderChartsInFile(Examples() / "Plotwell1.txt", options), std::invalid_argument) << format;
  }
  options.Format = "png";
  options.Scale = -1;
  EXPECT_THROW(tools::RenderChartsInFile(Examples() / "Plotwell1.txt", options), std::invalid_argument);
  options.Scale = 16;
  EXPECT_THROW(tools::RenderChartsInText("object Big: TPlotwell\n  Width = 3000\n  Height = 200\nend\n", "big",
                                         options),
               std::exception)
      << "48000 pixels wide is refused, not attempted";

  EXPECT_EQ(tools::ParseScale("2"), 2.0);
  EXPECT_EQ(tools::ParseScale("1.5"), 1.5);
  EXPECT_EQ(tools::ParseScale("0.1"), 0.1);
  EXPECT_EQ(tools::ParseScale("16"), 16.0);
  for (const char* bad : {"", "0", "-2", "abc", "inf", "nan", "0x2", "2x", " 2", "16.5", "1e9", "0.05"}) {
    EXPECT_THROW(tools::ParseScale(bad), std::invalid_argument) << "'" << bad << "'";
  }
  try {
    tools::ParseScale("two");
  } catch (const std::invalid_argument& e) {
    EXPECT_NE(std::string(e.what()).find("'two'"), std::string::npos) << e.what();
  }
  fs::remove_all(out);
}

}  // namespace
}  // namespace korvo
