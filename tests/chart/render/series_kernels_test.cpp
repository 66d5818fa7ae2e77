// The vector kernels of the series renderers against their scalar
// definitions, on numbers: every kernel the build has (SSE2, and AVX2 where
// the processor runs it), on random blocks salted with the awkward values
// (exact half pixels, NaN, infinities, values past every clamp, repeats).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "chart/render/LayerMap.h"
#include "chart/render/SeriesBlock.h"
#include "chart/render/SeriesMarkMasks.h"

namespace korvo::test {
namespace {

#if defined(__SSE2__)
using render::TLinearSteps;

using TMapKernel = int (*)(const TLinearSteps&, const double*, const double*, int, int32_t*, int32_t*, uint8_t*,
                           uint64_t*);

std::vector<TMapKernel> MapKernels() {
  std::vector<TMapKernel> k{render::MapLinearSse2};
  if (__builtin_cpu_supports("avx2")) k.push_back(render::MapLinearAvx2);
  return k;
}

std::vector<render::TMaskKernels> MaskKernels() {
  std::vector<render::TMaskKernels> k{{render::InViewSse2, render::SameSse2}};
  if (__builtin_cpu_supports("avx2")) k.push_back({render::InViewAvx2, render::SameAvx2});
  return k;
}

// A coordinate for one axis of k v + o: mostly ordinary, sometimes one that
// lands exactly on a half pixel, lies a hair from one, is not finite or is
// far beyond any canvas.
double Coordinate(std::mt19937& rng, double k, double o) {
  std::uniform_real_distribution<double> u(0, 1);
  const double r = u(rng);
  const double pixel = std::floor(-3000 + 6000 * u(rng));
  if (r < 0.1) return (pixel + 0.5 - o) / k;                                       // a tie, as near as k allows
  if (r < 0.15) return std::nextafter((pixel + 0.5 - o) / k, u(rng) < 0.5 ? -1e308 : 1e308);
  if (r < 0.18) return std::numeric_limits<double>::quiet_NaN();
  if (r < 0.2) return (u(rng) < 0.5 ? -1 : 1) * std::numeric_limits<double>::infinity();
  if (r < 0.25) return (u(rng) < 0.5 ? -1 : 1) * std::pow(10.0, 3 + 300 * u(rng));
  if (r < 0.3) return (u(rng) < 0.5 ? -1 : 1) * (2147483000.0 + 1e6 * u(rng) - o) / k;  // around the far limit
  return (pixel + u(rng) - o) / k;
}

// Each kernel, on the points it maps, agrees with FastLinearPixel: a finite
// point is left to Point (slow) exactly when FastLinearPixel declines one of
// its axes, and otherwise gets its pixels plus the origin, clamped.
TEST(SeriesKernels, LinearMapAgreesWithFastLinearPixel) {
  std::mt19937 rng(11);
  std::uniform_real_distribution<double> u(0, 1);
  constexpr int Size = render::TSeriesBlock::Size;  // the most Points maps at once
  for (int trial = 0; trial < 400; ++trial) {
    // Scales that are powers of two make exact ties; others, near ties.
    const auto scale = [&] {
      const double s = u(rng) < 0.5 ? std::ldexp(1.0, int(-4 + 9 * u(rng))) : std::pow(10.0, -3 + 6 * u(rng));
      return u(rng) < 0.5 ? -s : s;
    };
    const TLinearSteps m{scale(), std::floor(-1e4 + 2e4 * u(rng)) + (u(rng) < 0.5 ? 0.5 : u(rng)), scale(),
                         -5e3 + 1e4 * u(rng), std::floor(-200 + 400 * u(rng)), std::floor(-200 + 400 * u(rng))};
    const int n = 1 + int(u(rng) * Size);
    std::vector<double> xs(static_cast<size_t>(n)), ys(static_cast<size_t>(n));
    for (int j = 0; j < n; ++j) {
      xs[size_t(j)] = Coordinate(rng, m.kx, m.ox);
      ys[size_t(j)] = Coordinate(rng, m.ky, m.oy);
    }
    for (const TMapKernel kernel : MapKernels()) {
      int32_t px[Size], py[Size];
      uint8_t finite[Size];
      uint64_t slow[Size / 64] = {};
      const int done = kernel(m, xs.data(), ys.data(), n, px, py, finite, slow);
      ASSERT_LE(done, n);
      ASSERT_GE(done, n - 3);
      for (int j = 0; j < done; ++j) {
        const double x = xs[size_t(j)], y = ys[size_t(j)];
        const bool isFinite = std::isfinite(x) && std::isfinite(y);
        int32_t fx = 0, fy = 0;
        const bool sure = FastLinearPixel(m.kx, m.ox, x, fx) && FastLinearPixel(m.ky, m.oy, y, fy);
        const bool isSlow = (slow[j / 64] >> (j % 64)) & 1;
        ASSERT_EQ(finite[j], isFinite ? 1 : 0) << "trial " << trial << " point " << j;
        ASSERT_EQ(isSlow, isFinite && !sure) << "trial " << trial << " point " << j << ": " << x << ", " << y;
        if (isFinite && sure) {
          ASSERT_EQ(px[j], render::ClampCoord(int64_t(fx) + int64_t(m.dx))) << "trial " << trial << " point " << j;
          ASSERT_EQ(py[j], render::ClampCoord(int64_t(fy) + int64_t(m.dy))) << "trial " << trial << " point " << j;
        }
      }
      for (int j = done; j < n; ++j) ASSERT_EQ((slow[j / 64] >> (j % 64)) & 1, 0u);
    }
  }
}

// Each mask kernel, finished by its tail, sets the bits the tail alone
// sets, and OrBits puts them anywhere in a longer mask: runs of every
// length, centres repeating, points in and out of the view, on its edges
// and not finite.
TEST(SeriesKernels, MasksAgreeWithTheirDefinition) {
  std::mt19937 rng(12);
  std::uniform_real_distribution<double> u(0, 1);
  constexpr int Size = 600, Words = (Size + 63) / 64;
  for (int trial = 0; trial < 600; ++trial) {
    const int n = 1 + trial % Size;
    const render::TView view{-1 + u(rng), 1 + u(rng), -2 * u(rng), 2 * u(rng)};
    std::vector<double> xs(static_cast<size_t>(n)), ys(static_cast<size_t>(n));
    std::vector<int32_t> px(static_cast<size_t>(n)), py(static_cast<size_t>(n));
    int32_t cx = 0, cy = 0;
    for (size_t j = 0; j < size_t(n); ++j) {
      const double r = u(rng), edge = u(rng);
      xs[j] = r < 0.05 ? std::numeric_limits<double>::quiet_NaN()
              : edge < 0.1 ? view.xl
              : edge < 0.2 ? view.xh
                           : -3 + 6 * u(rng);
      ys[j] = r > 0.97 ? std::numeric_limits<double>::infinity()
              : edge > 0.9 ? view.yl
              : edge > 0.8 ? view.yh
                           : -3 + 6 * u(rng);
      if (u(rng) < 0.4) {  // a new centre, often a neighbour
        cx += int32_t(u(rng) * 3) - 1;
        cy += int32_t(u(rng) * 3) - 1;
      }
      px[j] = cx;
      py[j] = cy;
    }
    const int32_t nextX = u(rng) < 0.5 ? cx : cx + 1, nextY = cy;
    uint64_t wantIn[Words] = {}, wantSame[Words] = {};
    render::InViewTail(xs.data(), ys.data(), 0, n, view, wantIn);
    render::SameTail(px.data(), py.data(), 0, n, nextX, nextY, wantSame);
    // The finite flags as bits (vector steps of 16 and a scalar tail).
    std::vector<uint8_t> finite(static_cast<size_t>(n));
    uint64_t finiteBits[Words] = {}, wantFinite[Words] = {};
    for (int j = 0; j < n; ++j) {
      finite[size_t(j)] = std::isfinite(xs[size_t(j)]) && std::isfinite(ys[size_t(j)]);
      wantFinite[j / 64] |= uint64_t(finite[size_t(j)]) << (j % 64);
    }
    render::FiniteBits(finite.data(), n, finiteBits);
    for (int w = 0; w < Words; ++w) ASSERT_EQ(finiteBits[w], wantFinite[w]) << "trial " << trial << ", word " << w;
    for (const render::TMaskKernels& kernel : MaskKernels()) {
      uint64_t in[Words] = {}, same[Words] = {};
      const int doneIn = kernel.inView(xs.data(), ys.data(), n, view, in);
      const int doneSame = kernel.same(px.data(), py.data(), n, same);
      ASSERT_LE(doneIn, n);
      ASSERT_LT(doneSame, n);
      render::InViewTail(xs.data(), ys.data(), doneIn, n, view, in);
      render::SameTail(px.data(), py.data(), doneSame, n, nextX, nextY, same);
      for (int w = 0; w < Words; ++w) {
        ASSERT_EQ(in[w], wantIn[w]) << "trial " << trial << ", " << n << " points, word " << w;
        ASSERT_EQ(same[w], wantSame[w]) << "trial " << trial << ", " << n << " points, word " << w;
      }
    }
    // The in-view bits at an offset in a longer mask, over bits already set.
    const int offset = int(u(rng) * 200);
    uint64_t longer[Words + 4];
    for (uint64_t& w : longer) w = uint64_t(rng()) << 32 | rng();
    uint64_t want[Words + 4];
    std::copy(std::begin(longer), std::end(longer), want);
    for (int j = 0; j < n; ++j) want[(offset + j) / 64] |= ((wantIn[j / 64] >> (j % 64)) & 1) << ((offset + j) % 64);
    render::OrBits(longer, offset, wantIn, n);
    for (int w = 0; w < Words + 4; ++w) ASSERT_EQ(longer[w], want[w]) << "trial " << trial << ", offset " << offset;
  }
}
#endif

}  // namespace
}  // namespace korvo::test
