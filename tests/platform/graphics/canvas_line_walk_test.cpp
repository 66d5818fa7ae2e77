// The 1-pixel line walk where it takes its shortcuts: segments whose painted
// pixels all lie on the target walk without clipping (even when the end
// point lies one past the edge), and short segments of a solid polyline walk
// with a fixed number of stores. Each case is checked against the pixels of
// the true line computed independently.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "support/TestSupport.h"

namespace korvo {
namespace {

// Round num / den (den > 0) to the nearest integer, exact ties down.
int64_t RoundTiesDown(int64_t num, int64_t den) {
  const int64_t twice = 2 * num - den, d = 2 * den;  // ceil(twice / d)
  return twice / d + (twice % d != 0 && twice > 0 ? 1 : 0);
}

// Marks in `expect` the pixels of a -> b (end point left out) inside `clip`.
void TrueLine(TBitmap& expect, const TRect& clip, TPoint a, TPoint b, TColor color) {
  const int64_t dx = b.X - a.X, dy = b.Y - a.Y;
  const int64_t n = std::max(std::llabs(dx), std::llabs(dy));
  for (int64_t i = 0; i < n; ++i) {
    int64_t x, y;
    if (std::llabs(dx) >= std::llabs(dy)) {
      x = a.X + (dx > 0 ? i : -i);
      y = a.Y + RoundTiesDown(i * dy, n);
    } else {
      x = a.X + RoundTiesDown(i * dx, n);
      y = a.Y + (dy > 0 ? i : -i);
    }
    if (x >= clip.Left && y >= clip.Top && x < clip.Right && y < clip.Bottom) {
      expect.ScanLine(int32_t(y))[x] = RGBToPixel(color);
    }
  }
}

constexpr int kW = 12, kH = 10;

TEST(CanvasLineWalk, SegmentsEndingJustPastTheTargetPaintTheTrueLine) {
  // Every start on the target (or inside the clip) to every end point on
  // the ring one pixel outside it: the last painted pixel is on the edge.
  const TRect clips[] = {TRect{0, 0, kW, kH}, TRect{2, 3, 9, 8}};
  for (const TRect& clip : clips) {
    std::vector<TPoint> ring;
    for (int x = clip.Left - 1; x <= clip.Right; ++x) {
      ring.push_back(Point(x, clip.Top - 1));
      ring.push_back(Point(x, clip.Bottom));
    }
    for (int y = clip.Top; y < clip.Bottom; ++y) {
      ring.push_back(Point(clip.Left - 1, y));
      ring.push_back(Point(clip.Right, y));
    }
    TBitmap got(kW, kH), expect(kW, kH);
    got.Canvas()->SetClipRect(clip);
    for (int y = clip.Top; y < clip.Bottom; ++y) {
      for (int x = clip.Left; x < clip.Right; ++x) {
        for (const TPoint& end : ring) {
          test::Fill(got, clWhite);
          test::Fill(expect, clWhite);
          got.Canvas()->MoveTo(x, y);
          got.Canvas()->LineTo(end.X, end.Y);
          TrueLine(expect, clip, Point(x, y), end, clBlack);
          ASSERT_EQ(test::CountDifferentPixels(got, expect), 0)
              << x << "," << y << " -> " << end.X << "," << end.Y << " clip " << clip.Left;
        }
      }
    }
  }
}

TEST(CanvasLineWalk, ShortSegmentPolylinesOnAndAcrossTheEdges) {
  // Random walks of steps up to 6 pixels (zero steps included) that wander
  // on and off a clipped target, drawn as one Polyline: the union of the
  // true lines of the segments.
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> step(-6, 6), start(-4, kW + 3);
  for (const TRect& clip : {TRect{0, 0, kW, kH}, TRect{1, 2, 10, 9}}) {
    for (int k = 0; k < 300; ++k) {
      std::vector<TPoint> path{Point(start(rng), start(rng))};
      for (int i = 0; i < 12; ++i) {
        const TPoint& p = path.back();
        path.push_back(Point(std::clamp(p.X + step(rng), -5, kW + 4), std::clamp(p.Y + step(rng), -5, kH + 4)));
      }
      TBitmap got(kW, kH), expect(kW, kH);
      test::Fill(got, clWhite);
      test::Fill(expect, clWhite);
      got.Canvas()->SetClipRect(clip);
      got.Canvas()->Pen()->SetColor(clRed);
      got.Canvas()->Polyline(path);
      for (size_t i = 1; i < path.size(); ++i) TrueLine(expect, clip, path[i - 1], path[i], clRed);
      ASSERT_EQ(test::CountDifferentPixels(got, expect), 0) << "path " << k;
    }
  }
}

TEST(CanvasLineWalk, LongAndShortSegmentsMeetExactlyAtTheirJoints) {
  // Segments just above and below the short-segment length, in all eight
  // octants, chained through one Polyline on the target: each pixel the
  // true lines cover and nothing else, and the pen colour on every one.
  TBitmap got(64, 64), expect(64, 64);
  for (int len = 1; len <= 9; ++len) {
    for (int minor = 0; minor <= len; ++minor) {
      test::Fill(got, clWhite);
      test::Fill(expect, clWhite);
      const TPoint c = Point(32, 32);
      std::vector<TPoint> path{c};
      for (int sx : {1, -1}) {
        for (int sy : {1, -1}) {
          path.push_back(Point(c.X + sx * len, c.Y + sy * minor));
          path.push_back(c);
          path.push_back(Point(c.X + sx * minor, c.Y + sy * len));
          path.push_back(c);
        }
      }
      got.Canvas()->Polyline(path);
      for (size_t i = 1; i < path.size(); ++i) TrueLine(expect, TRect{0, 0, 64, 64}, path[i - 1], path[i], clBlack);
      ASSERT_EQ(test::CountDifferentPixels(got, expect), 0) << len << "/" << minor;
    }
  }
}


// The on/off runs of each dashed style, as the pixel rule states them.
std::vector<bool> PatternOf(TPenStyle style) {
  std::vector<int> runs;
  switch (style) {
    case TPenStyle::psDash: runs = {18, 6}; break;
    case TPenStyle::psDot: runs = {3, 3}; break;
    case TPenStyle::psDashDot: runs = {9, 6, 3, 6}; break;
    default: runs = {9, 3, 3, 3, 3, 3}; break;
  }
  std::vector<bool> on;
  for (size_t i = 0; i < runs.size(); ++i) on.insert(on.end(), size_t(runs[i]), i % 2 == 0);
  return on;
}

TEST(CanvasLineWalk, AxisAlignedDashesPaintTheirPatternRunByRun) {
  // Horizontal and vertical dashed lines in both directions, starting off
  // the bitmap by 0..30 pixels (the pattern keeps the phase of the true
  // start), of every length up to 50, in copy and xor mode, with clear and
  // opaque gaps, over a striped background: pixel i of the line takes the
  // pen where the pattern at i is on, else the gap (or stays).
  constexpr int kSize = 40;
  const TPenStyle styles[] = {TPenStyle::psDash, TPenStyle::psDot, TPenStyle::psDashDot, TPenStyle::psDashDotDot};
  auto paper = [](int x, int y) { return RGBToPixel((x + y) % 3 == 0 ? clYellow : clWhite); };
  TBitmap b(kSize, kSize);
  TCanvas* c = b.Canvas();
  for (TPenStyle style : styles) {
    const std::vector<bool> on = PatternOf(style);
    for (TPenMode mode : {TPenMode::pmCopy, TPenMode::pmXor}) {
      for (bool opaque : {false, true}) {
        c->Pen()->SetStyle(style);
        c->Pen()->SetMode(mode);
        c->Pen()->SetColor(clBlue);
        c->Brush()->SetColor(clRed);
        c->Brush()->SetStyle(opaque ? TBrushStyle::bsSolid : TBrushStyle::bsClear);
        const TPixel pen = ColorToPixel(clBlue), gap = ColorToPixel(clRed);
        for (int dir = 0; dir < 4; ++dir) {
          for (int off = 0; off <= 30; off += 5) {
            for (int len = 0; len <= 50; len += 7) {
              std::vector<TPixel> want(size_t(kSize * kSize));
              for (int y = 0; y < kSize; ++y) {
                for (int x = 0; x < kSize; ++x) b.ScanLine(y)[x] = want[size_t(y * kSize + x)] = paper(x, y);
              }
              // Step i is at (x0 + i * sx, y0 + i * sy); step `off` is the
              // first one on the bitmap.
              const int sx = dir == 0 ? 1 : dir == 1 ? -1 : 0, sy = dir == 2 ? 1 : dir == 3 ? -1 : 0;
              const int fx = sx > 0 ? 0 : sx < 0 ? kSize - 1 : 7, fy = sy > 0 ? 0 : sy < 0 ? kSize - 1 : 9;
              const int x0 = fx - off * sx, y0 = fy - off * sy;
              c->MoveTo(x0, y0);
              c->LineTo(x0 + (off + len) * sx, y0 + (off + len) * sy);
              for (int i = 0; i < off + len; ++i) {
                const int x = x0 + i * sx, y = y0 + i * sy;
                if (x < 0 || y < 0 || x >= kSize || y >= kSize) continue;
                const bool lit = on[size_t(i) % on.size()];
                TPixel& w = want[size_t(y * kSize + x)];
                if (lit || opaque) {
                  const TPixel ink = lit ? pen : gap;
                  w = mode == TPenMode::pmXor ? w ^ (ink & 0xFFFFFFu) : ink;
                }
              }
              long wrong = 0;
              for (int y = 0; y < kSize; ++y) {
                for (int x = 0; x < kSize; ++x) wrong += b.ScanLine(y)[x] != want[size_t(y * kSize + x)];
              }
              ASSERT_EQ(wrong, 0) << int(style) << " mode " << int(mode) << " opaque " << opaque << " dir " << dir
                                  << " off " << off << " len " << len;
            }
          }
        }
      }
    }
  }
}

TEST(CanvasLineWalk, RowFillsCoverExactlyTheirRunAtEveryAlignment) {
  // FillRect rows of every start (so every alignment of the first pixel) and
  // length up to 40, on a row between two others: exactly Left..Right-1.
  TBitmap b(64, 3);
  TCanvas* c = b.Canvas();
  c->Brush()->SetColor(clTeal);
  for (int left = 0; left < 24; ++left) {
    for (int width = 0; width <= 40; ++width) {
      test::Fill(b, clWhite);
      c->FillRect(TRect{left, 1, left + width, 2});
      for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 64; ++x) {
          const bool in = y == 1 && x >= left && x < left + width;
          ASSERT_EQ(c->Pixel(x, y), in ? clTeal : clWhite) << left << "+" << width << " at " << x << "," << y;
        }
      }
    }
  }
}

}  // namespace
}  // namespace korvo
