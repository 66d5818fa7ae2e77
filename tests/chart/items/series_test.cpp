// TPwSeries against a plain model under random filling, appending, windows
// and clearing; the errors that change nothing; and series items in the
// chart's lists (counts, sharing, Assign, clearing, the item handler).
#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "chart/plotwell.h"

namespace korvo {
namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// What a series should hold: every point given, the oldest dropped beyond
// the capacity; a uniform series' x follows from how many came before.
struct TModel {
  bool uniform = false;
  double start = 0, step = 0;
  int64_t capacity = 0, given = 0;
  std::deque<std::pair<double, double>> points;

  void Add(double x, double y) {
    if (uniform) x = start + double(given) * step;
    ++given;
    points.emplace_back(x, y);
    if (capacity > 0 && int64_t(points.size()) > capacity) points.pop_front();
  }
};

void ExpectSame(const TPwSeries& s, const TModel& m, std::mt19937& rng, const std::string& where) {
  ASSERT_EQ(s.Count(), int64_t(m.points.size())) << where;
  bool sorted = true;
  for (size_t i = 0; i < m.points.size(); ++i) {
    ASSERT_EQ(s.X(int64_t(i)), m.points[i].first) << where << " x " << i;
    ASSERT_TRUE(s.Y(int64_t(i)) == m.points[i].second || std::isnan(m.points[i].second)) << where << " y " << i;
    sorted &= std::isfinite(m.points[i].first) && (i == 0 || m.points[i - 1].first <= m.points[i].first);
  }
  if (!m.uniform) {
    EXPECT_EQ(s.XSorted(), sorted) << where;
  }
  // Ranges of every size, compared with a scan.
  for (int t = 0; t < 40 && !m.points.empty(); ++t) {
    std::uniform_int_distribution<int64_t> pick(0, int64_t(m.points.size()) - 1);
    int64_t a = pick(rng), b = pick(rng) + 1;
    if (t % 4 == 0) a = 0;
    if (a >= b) std::swap(a, b), ++b;
    b = std::min<int64_t>(b, int64_t(m.points.size()));
    if (a >= b) continue;
    double lo = INFINITY, hi = -INFINITY;
    bool finite = true;
    for (int64_t i = a; i < b; ++i) {
      const double y = m.points[size_t(i)].second;
      finite &= std::isfinite(y);
      lo = std::min(lo, y);
      hi = std::max(hi, y);
    }
    double slo = 0, shi = 0;
    ASSERT_EQ(s.YRange(a, b, slo, shi), finite) << where << " range " << a << ".." << b;
    if (finite) {
      ASSERT_EQ(slo, lo) << where << " range " << a << ".." << b;
      ASSERT_EQ(shi, hi) << where << " range " << a << ".." << b;
    }
  }
}

TEST(Series, HoldsWhatAPlainModelHoldsUnderRandomUse) {
  std::mt19937 rng(11);
  std::uniform_real_distribution<double> u(0, 1);
  for (const bool uniform : {false, true}) {
    TPwSeriesRef s = uniform ? TPwSeries::CreateUniform(-2.5, 0.125) : TPwSeries::Create();
    TModel m;
    m.uniform = uniform;
    m.start = -2.5;
    m.step = 0.125;
    double x = 0;
    // Half the steps give only finite y, so that long ranges are summarised
    // by the upper levels of the pyramid rather than cut by a break.
    double bad = 0;
    const auto value = [&] {
      const double r = u(rng);
      return r < 0.75 * bad ? NaN : r < bad ? INFINITY : (u(rng) - 0.5) * 1000;
    };
    for (int step = 0; step < 60; ++step) {
      bad = step % 2 == 0 ? 0.004 : 0;
      const int op = int(u(rng) * 7);
      const int64_t n = int64_t(std::pow(10.0, u(rng) * 5.2));  // up to ~160 000 points
      std::vector<double> xs, ys;
      for (int64_t i = 0; i < n; ++i) {
        x += u(rng) < 0.995 ? u(rng) : -3;  // now and then out of order
        xs.push_back(x);
        ys.push_back(value());
      }
      if (op == 0) {  // replace
        if (uniform) s->SetData(ys); else s->SetData(xs, ys);
        m.points.clear();
        m.given = 0;
        for (int64_t i = 0; i < n; ++i) m.Add(xs[size_t(i)], ys[size_t(i)]);
      } else if (op == 1) {  // a scrolling window, also below the count
        m.capacity = u(rng) < 0.3 ? 0 : int64_t(u(rng) * 200000) + 1;
        s->SetCapacity(m.capacity);
        while (m.capacity > 0 && int64_t(m.points.size()) > m.capacity) m.points.pop_front();
      } else if (op == 2 && u(rng) < 0.3) {
        s->Clear();
        m.points.clear();
        m.given = 0;
      } else if (op == 3) {  // point by point
        for (int64_t i = 0; i < std::min<int64_t>(n, 300); ++i) {
          if (uniform) s->Append(ys[size_t(i)]); else s->Append(xs[size_t(i)], ys[size_t(i)]);
          m.Add(xs[size_t(i)], ys[size_t(i)]);
        }
      } else {  // in blocks
        if (uniform) s->Append(ys); else s->Append(xs, ys);
        for (int64_t i = 0; i < n; ++i) m.Add(xs[size_t(i)], ys[size_t(i)]);
      }
      ExpectSame(*s, m, rng, std::string(uniform ? "uniform" : "x/y") + " step " + std::to_string(step));
    }
  }
}

TEST(Series, BadInputIsAClearErrorAndChangesNothing) {
  TPwSeriesRef xy = TPwSeries::Create();
  TPwSeriesRef un = TPwSeries::CreateUniform(0, 1);
  xy->SetData(std::vector<double>{1, 2, 3}, std::vector<double>{4, 5, 6});
  un->SetData(std::vector<double>{7, 8});
  const std::vector<double> two{1, 2}, three{1, 2, 3};
  const struct {
    std::function<void()> call;
    std::string message;
  } cases[] = {
      {[&] { xy->SetData(two, three); }, "Series: x has 2 values but y has 3"},
      {[&] { xy->Append(three, two); }, "Series: x has 3 values but y has 2"},
      {[&] { xy->SetCapacity(-1); }, "Series: the capacity must be 0 (no limit) or positive, not -1"},
      {[&] { xy->Append(5.0); }, "Series: Append with y only is for uniform series; this series keeps x and y"},
      {[&] { un->Append(1.0, 2.0); }, "Series: Append with x values is for x/y series; this series is uniform (give y only)"},
      {[&] { un->SetData(two, two); }, "Series: SetData with x values is for x/y series; this series is uniform (give y only)"},
      {[&] { TPwSeries::CreateUniform(NaN, 1); }, "Series: a uniform series needs a finite start and step"},
      {[&] { TPlotwell c(nullptr); c.DrawSeries(nullptr); }, "DrawSeries needs a series, not a null pointer"},
      {[&] { TPlotwell c(nullptr); c.MarkSeries(nullptr, 3); }, "MarkSeries needs a series, not a null pointer"},
  };
  for (const auto& c : cases) {
    try {
      c.call();
      ADD_FAILURE() << "no error for: " << c.message;
    } catch (const EKorvoPlotwellError& e) {
      EXPECT_EQ(std::string(e.what()).substr(0, c.message.size()), c.message);
    }
  }
  EXPECT_EQ(xy->Count(), 3);
  EXPECT_EQ(xy->Y(2), 6);
  EXPECT_EQ(un->Count(), 2);
  EXPECT_EQ(un->X(1), 1);
}

TEST(Series, ItemsInTheListsHoldTheSeriesAsOtherItemsAreHeld) {
  TPlotwell a(nullptr), b(nullptr), copy(nullptr);
  TPwSeriesRef s = TPwSeries::Create();
  s->SetData(std::vector<double>{0, 50, 100}, std::vector<double>{0, 100, 0});
  a.SetCurrentLayer(3);
  a.SetClassDefault(7);
  a.SetDataColor(clRed);
  a.SetFillColor(clBlue);
  a.SetPenStyle(TPenStyle::psDot);
  a.SetLineWidth(2);
  a.DrawSeries(s);
  a.MarkSeries(s, 19);
  EXPECT_EQ(s.use_count(), 3);  // the program and two entries of a's table
  EXPECT_EQ(a.KindCount(ckSeriesLine), 1);
  EXPECT_EQ(a.KindCount(ckSeriesMarks), 1);
  EXPECT_EQ(ChartItemKindName(ckSeriesMarks), "ckSeriesMarks");
  const TpwChartItem& line = a.DataItems()[0];
  EXPECT_EQ(line.Kind, ckSeriesLine);
  EXPECT_EQ(line.Layer, 3);
  EXPECT_EQ(line.ItemClass, 7);
  EXPECT_EQ(line.Color, clRed);
  EXPECT_EQ(line.FillColor, clBlue);
  EXPECT_EQ(line.PenStyle, TPenStyle::psDot);
  EXPECT_EQ(line.LineWidth, 2);
  EXPECT_EQ(a.SeriesOf(line, false), s.get());
  EXPECT_EQ(a.DataItems()[1].Param3, 19);

  b.SetUseDataOf(&a);  // sharing: one list, one table
  EXPECT_EQ(b.SeriesOf(b.DataItems()[1], false), s.get());
  copy.Assign(a);  // a copy refers to the same points
  EXPECT_EQ(copy.SeriesOf(copy.DataItems()[0], false), s.get());
  EXPECT_EQ(s.use_count(), 5);

  // A handler sees the series item once, and a bad table entry draws nothing.
  int calls = 0;
  a.OnBeforeRenderChartItem = [&](TObject*, TpwChartItem& item, int32_t, bool) {
    ++calls;
    item.Param2 = 99;
  };
  TBitmap bmp(200, 200);
  a.RenderData(bmp.Canvas(), 0, 0, false, true);
  EXPECT_EQ(calls, 2);

  a.SetAnnotationMode(true);
  a.DrawSeries(s);
  EXPECT_EQ(a.SeriesOf(a.AnnotationItems()[0], true), s.get());
  a.ClearAnnotations();
  b.SetUseDataOf(nullptr);  // b keeps its own copy of the list
  a.ClearGraph();
  copy.ClearGraph();
  EXPECT_EQ(s.use_count(), 3);  // b's two entries remain
  b.ClearGraph();
  EXPECT_EQ(s.use_count(), 1);
}

}  // namespace
}  // namespace korvo
