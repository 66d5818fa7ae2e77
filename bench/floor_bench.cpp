// The floor of each canvas workload: the tightest plain loop we can write
// that produces the canvas's pixels for the same work, with no canvas object
// and only the clipping the workload needs. "<workload>/floor" sits beside
// "<workload>/ours" and "<workload>/qpainter"; bench_main prints ours / floor,
// how far the canvas is from the cost of the pixels alone.
//
// Every floor first draws its work once (outside the timing) and compares its
// pixels with the canvas's for the same work (CanvasWorkloads.h); a
// difference stops the benchmark with an error, so a floor can never measure
// less work than the canvas does.
//
// The loops know what the workload guarantees: W1's and W2's points lie on
// the bitmap, W1's diamonds lie wholly on it; W3, W4 and W6 take a checked
// path only for the figures that reach past an edge, W5 clips each rectangle.
#include <benchmark/benchmark.h>

#include <immintrin.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <vector>

#include "bench/CanvasWorkloads.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/text/FontRegistry.h"

namespace korvo::bench {
namespace {

// A bare pixel buffer, row y at px + y * w, starting white like a bitmap.
struct Plain {
  int w, h;
  std::vector<TPixel> px;
  Plain(int width, int height) : w(width), h(height), px(size_t(width) * size_t(height), RGBToPixel(clWhite)) {}
  TPixel* Row(int y) { return px.data() + ptrdiff_t(y) * w; }
};

// Draws the work once with the canvas and once with the floor, from the same
// white start, and fails the benchmark unless every pixel agrees.
template <class Floor, class Ours>
bool SameAsCanvas(benchmark::State& state, int w, int h, Floor floor, Ours ours) {
  TBitmap bmp(w, h);
  ours(bmp.Canvas());
  Plain img(w, h);
  floor(img);
  long differ = 0;
  for (int y = 0; y < h; ++y) {
    const TPixel* a = bmp.ScanLine(y);
    const TPixel* b = img.Row(y);
    for (int x = 0; x < w; ++x) differ += a[x] != b[x];
  }
  if (differ != 0) {
    state.SkipWithError(("the floor's pixels differ from the canvas's at " + std::to_string(differ) + " pixels").c_str());
    return false;
  }
  return true;
}

// ---- lines ---------------------------------------------------------------

// A 1-pixel solid line a -> b without its end point, both ends on the
// buffer: one pixel per major step, the minor coordinate the exact position
// rounded with ties to the smaller coordinate. The error falls by 2 * minor
// extent each step; below zero it rises by 2 * major extent and the walk
// takes a minor step, selected by a mask instead of a branch.
[[gnu::always_inline]] inline void Line(TPixel* bits, ptrdiff_t stride, TPoint a, TPoint b, TPixel ink) {
  const int dx = b.X - a.X, dy = b.Y - a.Y;
  const int adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  const bool x_major = adx >= ady;
  const int n = x_major ? adx : ady, m = x_major ? ady : adx;
  const ptrdiff_t xs = dx >= 0 ? 1 : -1, ys = dy >= 0 ? stride : -stride;
  const ptrdiff_t major_step = x_major ? xs : ys, minor_step = x_major ? ys : xs;
  const bool minor_back = x_major ? dy < 0 : dx < 0;
  int e = n - (minor_back ? 1 : 0);
  const int de = 2 * m, den = 2 * n;
  TPixel* p = bits + ptrdiff_t(a.Y) * stride + a.X;
  auto step = [&] {
    e -= de;
    const int mask = e >> 31;
    e += den & mask;
    return major_step + (minor_step & ptrdiff_t(mask));
  };
  if (unsigned(n - 1) < 4u) {
    // Up to 4 pixels: four stores, the pointer standing still after the last
    // pixel, so the length costs no branch either.
    for (int k = 1; k <= 4; ++k) {
      *p = ink;
      const ptrdiff_t d = step();
      p += k < n ? d : 0;
    }
    return;
  }
  for (int k = 0; k < n; ++k) {
    *p = ink;
    p += step();
  }
}

// The 7 x 7 diamond outline of mark 19 (|dx| + |dy| = 3) around (x, y),
// wholly on the buffer.
[[gnu::always_inline]] inline void Diamond7(TPixel* bits, ptrdiff_t s, int x, int y, TPixel ink) {
  TPixel* c = bits + ptrdiff_t(y) * s + x;
  c[-3 * s] = ink;
  c[-2 * s - 1] = ink;
  c[-2 * s + 1] = ink;
  c[-s - 2] = ink;
  c[-s + 2] = ink;
  c[-3] = ink;
  c[3] = ink;
  c[s - 2] = ink;
  c[s + 2] = ink;
  c[2 * s - 1] = ink;
  c[2 * s + 1] = ink;
  c[3 * s] = ink;
}

void PutChecked(Plain& img, int x, int y, TPixel ink) {
  if (x >= 0 && y >= 0 && x < img.w && y < img.h) img.Row(y)[x] = ink;
}

void Diamond7Checked(Plain& img, int x, int y, TPixel ink) {
  for (int dy = -3; dy <= 3; ++dy) {
    const int h = 3 - (dy < 0 ? -dy : dy);
    PutChecked(img, x - h, y + dy, ink);
    PutChecked(img, x + h, y + dy, ink);
  }
}

// A row of one pixel value with the widest stores the processor has: 32
// bytes where it has AVX2 (chosen once), as Qt's own span fill does; short
// rows and other processors take std::fill_n.
[[gnu::target("avx2")]] void FillRowAvx2(TPixel* p, int n, TPixel value) {
  // n >= 16: the first and last 8 pixels unaligned, aligned stores between.
  const __m256i v = _mm256_set1_epi32(int(value));
  TPixel* const end = p + n;
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v);
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(end - 8), v);
  auto* a = reinterpret_cast<__m256i*>((reinterpret_cast<uintptr_t>(p) + 32) & ~uintptr_t(31));
  for (; reinterpret_cast<TPixel*>(a + 1) <= end; ++a) _mm256_store_si256(a, v);
}

inline void FillRow(TPixel* p, int n, TPixel value) {
  static const bool avx2 = __builtin_cpu_supports("avx2");
  if (avx2 && n >= 16) {
    FillRowAvx2(p, n, value);
  } else {
    std::fill_n(p, n, value);
  }
}

// ---- W1 demo frame ------------------------------------------------------------

void FloorDemoFrame(Plain& img) {
  const int w = img.w, h = img.h;
  const TPixel yellow = ColorToPixel(clYellow), gray = ColorToPixel(clGray), black = ColorToPixel(clBlack);
  for (int y = 0; y < h; ++y) FillRow(img.Row(y), w, yellow);
  // Dotted grid: 3 on, 3 off from each line's start; the end point (one past
  // the edge) is not painted.
  for (int i = 1; i <= 5; ++i) {
    const int gx = i * w / 6;
    for (int y = 0; y < h; y += 6) {
      for (int k = 0; k < 3 && y + k < h; ++k) img.Row(y + k)[gx] = gray;
    }
    TPixel* row = img.Row(i * h / 6);
    for (int x = 0; x < w; x += 6) std::fill_n(row + x, std::min(3, w - x), gray);
  }
  const std::vector<TPoint>& curve = DemoCurve();
  TPixel* bits = img.px.data();
  for (size_t i = 1; i < curve.size(); ++i) Line(bits, w, curve[i - 1], curve[i], black);
  for (const TPoint& p : curve) Diamond7(bits, w, p.X, p.Y, black);
  std::fill_n(img.Row(0), w, black);
  for (int y = 1; y < h - 1; ++y) {
    img.Row(y)[0] = black;
    img.Row(y)[w - 1] = black;
  }
  std::fill_n(img.Row(h - 1), w, black);
}

void W1Floor(benchmark::State& state) {
  if (!SameAsCanvas(state, kDemoWidth, kDemoHeight, FloorDemoFrame, DrawDemoFrame)) return;
  Plain img(kDemoWidth, kDemoHeight);
  for (auto _ : state) {
    FloorDemoFrame(img);
    benchmark::DoNotOptimize(img.px.data());
  }
}

// ---- W2 polyline ----------------------------------------------------------------

void FloorWalk(Plain& img) {
  const std::vector<TPoint>& walk = RandomWalk();
  const TPixel black = ColorToPixel(clBlack);
  TPixel* bits = img.px.data();
  for (size_t i = 1; i < walk.size(); ++i) Line(bits, img.w, walk[i - 1], walk[i], black);
}

void W2Floor(benchmark::State& state) {
  if (!SameAsCanvas(state, kPlotWidth, kPlotHeight, FloorWalk, DrawWalk)) return;
  Plain img(kPlotWidth, kPlotHeight);
  for (auto _ : state) {
    FloorWalk(img);
    benchmark::DoNotOptimize(img.px.data());
  }
}

// ---- W3 marks ---------------------------------------------------------------------

void FloorMarks(Plain& img) {
  const TPixel navy = ColorToPixel(clNavy);
  const int w = img.w, h = img.h;
  TPixel* bits = img.px.data();
  for (const TPoint& p : MarkPoints()) {
    if (p.X >= 3 && p.Y >= 3 && p.X < w - 3 && p.Y < h - 3) {
      for (int y = p.Y - 1; y <= p.Y + 1; ++y) {
        TPixel* r = img.Row(y) + p.X - 1;
        r[0] = navy;
        r[1] = navy;
        r[2] = navy;
      }
      Diamond7(bits, w, p.X, p.Y, navy);
    } else {
      for (int y = p.Y - 1; y <= p.Y + 1; ++y) {
        for (int x = p.X - 1; x <= p.X + 1; ++x) PutChecked(img, x, y, navy);
      }
      Diamond7Checked(img, p.X, p.Y, navy);
    }
  }
}

void W3Floor(benchmark::State& state) {
  if (!SameAsCanvas(state, kPlotWidth, kPlotHeight, FloorMarks, DrawMarks)) return;
  Plain img(kPlotWidth, kPlotHeight);
  for (auto _ : state) {
    FloorMarks(img);
    benchmark::DoNotOptimize(img.px.data());
  }
}

// ---- W4 texts -----------------------------------------------------------------------

// The glyphs of the W4 text, taken once from the canvas's own glyph cache:
// each at its offset from the text cell's top-left corner, its coverage
// copied into rows padded with zeros to a multiple of 4 bytes.
struct TextGlyphs {
  struct One {
    int dx, dy, w, rows, pitch;
    std::vector<uint8_t> coverage;  // rows x pitch
  };
  std::vector<One> glyphs;
  int left = 0, top = 0, right = 0, bottom = 0;  // the box of all glyphs
};

TextGlyphs GlyphsOfText() {
  TBitmap bmp(1, 1);
  SetUpTexts(bmp.Canvas());
  const text::FontFace& face = text::FaceOf(*bmp.Canvas()->Font());
  std::lock_guard lock(face.Mutex());
  TextGlyphs out;
  int pen = 0;
  for (const char* s = kW4Text; *s != 0; ++s) {
    const text::Glyph& g = face.Rendered(char32_t(*s));
    if (g.Width > 0) {
      TextGlyphs::One one{pen + g.Left, face.Ascent() - g.Top, g.Width, g.Rows, (g.Width + 3) / 4 * 4, {}};
      one.coverage.assign(size_t(one.pitch) * size_t(one.rows), 0);
      for (int r = 0; r < g.Rows; ++r) std::memcpy(&one.coverage[size_t(r * one.pitch)], face.Coverage(g) + r * g.Width, size_t(g.Width));
      out.left = std::min(out.left, one.dx);
      out.top = std::min(out.top, one.dy);
      out.right = std::max(out.right, one.dx + one.pitch);
      out.bottom = std::max(out.bottom, one.dy + one.rows);
      out.glyphs.push_back(std::move(one));
    }
    pen += g.Advance;
  }
  return out;
}

// dst + (ink - dst) * c / 255 rounded per channel, opaque; c = 0 keeps dst.
inline TPixel BlendScalar(TPixel d, TPixel ink, uint32_t c) {
  if (c == 0) return d;
  uint32_t rb = (d & 0x00FF00FFu) * (255 - c) + (ink & 0x00FF00FFu) * c + 0x00800080u;
  rb = ((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
  uint32_t g = ((d >> 8) & 0xFFu) * (255 - c) + ((ink >> 8) & 0xFFu) * c + 0x80u;
  g = (g + (g >> 8)) >> 8;
  return 0xFF000000u | rb | (g << 8);
}

// Four pixels at once in 16-bit lanes, the same arithmetic as BlendScalar.
[[gnu::target("avx2")]] inline __m128i Blend4(__m128i d, uint32_t cov4, __m256i ink16) {
  const __m128i c8 = _mm_cvtsi32_si128(int(cov4));
  const __m128i spread = _mm_shuffle_epi8(c8, _mm_setr_epi8(0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3));
  const __m256i c = _mm256_cvtepu8_epi16(spread);
  const __m256i ic = _mm256_sub_epi16(_mm256_set1_epi16(255), c);
  __m256i t = _mm256_add_epi16(_mm256_mullo_epi16(_mm256_cvtepu8_epi16(d), ic), _mm256_mullo_epi16(ink16, c));
  t = _mm256_add_epi16(t, _mm256_set1_epi16(128));
  t = _mm256_srli_epi16(_mm256_add_epi16(t, _mm256_srli_epi16(t, 8)), 8);
  __m128i r = _mm_packus_epi16(_mm256_castsi256_si128(t), _mm256_extracti128_si256(t, 1));
  r = _mm_or_si128(r, _mm_set1_epi32(int(0xFF000000u)));
  const __m128i keep = _mm_cmpeq_epi32(_mm_cvtepu8_epi32(c8), _mm_setzero_si128());
  return _mm_blendv_epi8(r, d, keep);
}

// A text wholly inside the buffer, padding included: every padded row is
// blended whole (zero coverage writes back what was there).
[[gnu::target("avx2")]] void TextInside(Plain& img, const TextGlyphs& t, int x, int y, TPixel ink) {
  const __m256i ink16 = _mm256_cvtepu8_epi16(_mm_set1_epi32(int(ink)));
  for (const TextGlyphs::One& g : t.glyphs) {
    TPixel* row = img.Row(y + g.dy) + x + g.dx;
    const uint8_t* cov = g.coverage.data();
    for (int r = 0; r < g.rows; ++r, row += img.w, cov += g.pitch) {
      for (int i = 0; i < g.pitch; i += 4) {
        uint32_t c4;
        std::memcpy(&c4, cov + i, 4);
        __m128i* p = reinterpret_cast<__m128i*>(row + i);
        _mm_storeu_si128(p, Blend4(_mm_loadu_si128(p), c4, ink16));
      }
    }
  }
}

void TextClipped(Plain& img, const TextGlyphs& t, int x, int y, TPixel ink) {
  for (const TextGlyphs::One& g : t.glyphs) {
    for (int r = 0; r < g.rows; ++r) {
      const int py = y + g.dy + r;
      if (py < 0 || py >= img.h) continue;
      for (int i = 0; i < g.w; ++i) {
        const int px = x + g.dx + i;
        if (px < 0 || px >= img.w) continue;
        TPixel& d = img.Row(py)[px];
        d = BlendScalar(d, ink, g.coverage[size_t(r * g.pitch + i)]);
      }
    }
  }
}

void FloorTexts(Plain& img) {
  static const TextGlyphs t = GlyphsOfText();
  static const bool avx2 = __builtin_cpu_supports("avx2");
  const TPixel ink = ColorToPixel(clBlack);
  for (const TPoint& p : TextPoints()) {
    if (avx2 && p.X + t.left >= 0 && p.Y + t.top >= 0 && p.X + t.right <= img.w && p.Y + t.bottom <= img.h) {
      TextInside(img, t, p.X, p.Y, ink);
    } else {
      TextClipped(img, t, p.X, p.Y, ink);
    }
  }
}

void W4Floor(benchmark::State& state) {
  auto ours = [](TCanvas* c) {
    SetUpTexts(c);
    DrawTexts(c);
  };
  if (!SameAsCanvas(state, kPlotWidth, kPlotHeight, FloorTexts, ours)) return;
  Plain img(kPlotWidth, kPlotHeight);
  for (auto _ : state) {
    FloorTexts(img);
    benchmark::DoNotOptimize(img.px.data());
  }
}

// ---- W5 rectangles --------------------------------------------------------------------

void FloorRects(Plain& img) {
  const TPixel white = ColorToPixel(clWhite), teal = ColorToPixel(clTeal);
  for (int y = 0; y < img.h; ++y) FillRow(img.Row(y), img.w, white);
  for (const TRect& r : RandomRects()) {
    const int right = std::min(r.Right, img.w), bottom = std::min(r.Bottom, img.h);
    for (int y = r.Top; y < bottom; ++y) FillRow(img.Row(y) + r.Left, right - r.Left, teal);
  }
}

void W5Floor(benchmark::State& state) {
  if (!SameAsCanvas(state, kScreenWidth, kScreenHeight, FloorRects, DrawRects)) return;
  Plain img(kScreenWidth, kScreenHeight);
  for (auto _ : state) {
    FloorRects(img);
    benchmark::DoNotOptimize(img.px.data());
  }
}

// ---- W6 filled diamonds ------------------------------------------------------------------

// A 9 x 9 diamond: the pen on |dx| + |dy| = 4, the brush inside. Where
// diamonds overlap, a later one covers an earlier one wholly, so writing each
// pixel's final colour once per diamond gives the canvas's picture.
void FloorDiamonds(Plain& img) {
  const TPixel pen = ColorToPixel(clNavy), brush = ColorToPixel(clAqua);
  for (const TPoint& p : DiamondPoints()) {
    if (p.X >= 4 && p.Y >= 4 && p.X < img.w - 4 && p.Y < img.h - 4) {
      for (int dy = -4; dy <= 4; ++dy) {
        const int h = 4 - (dy < 0 ? -dy : dy);
        TPixel* row = img.Row(p.Y + dy) + p.X;
        row[-h] = pen;
        if (h > 0) {
          std::fill_n(row - h + 1, 2 * h - 1, brush);
          row[h] = pen;
        }
      }
    } else {
      for (int dy = -4; dy <= 4; ++dy) {
        const int h = 4 - (dy < 0 ? -dy : dy);
        for (int dx = -h; dx <= h; ++dx) PutChecked(img, p.X + dx, p.Y + dy, dx == -h || dx == h ? pen : brush);
      }
    }
  }
}

void W6Floor(benchmark::State& state) {
  if (!SameAsCanvas(state, kPlotWidth, kPlotHeight, FloorDiamonds, DrawDiamonds)) return;
  Plain img(kPlotWidth, kPlotHeight);
  for (auto _ : state) {
    FloorDiamonds(img);
    benchmark::DoNotOptimize(img.px.data());
  }
}

}  // namespace

BENCHMARK(W1Floor)->Name("W1 demo frame/floor")->Unit(benchmark::kMicrosecond);
BENCHMARK(W2Floor)->Name("W2 polyline 1M points/floor")->Unit(benchmark::kMillisecond);
BENCHMARK(W3Floor)->Name("W3 100k marks/floor")->Unit(benchmark::kMillisecond);
BENCHMARK(W4Floor)->Name("W4 10k texts/floor")->Unit(benchmark::kMillisecond);
BENCHMARK(W5Floor)->Name("W5 1000 rectangles/floor")->Unit(benchmark::kMillisecond);
BENCHMARK(W6Floor)->Name("W6 20k filled diamonds/floor")->Unit(benchmark::kMillisecond);

}  // namespace korvo::bench
