// QCustomPlot 2.1 (Debian's Qt 6 build) as the peer of the series
// benchmarks in series_bench.cpp: the same walks (SeriesWalks.h) in a chart
// of the same size, set up the way a QCustomPlot user draws one long line.
//
// The chart: a QCustomPlot of 1000 x 800 with its default axes, ticks, tick
// labels and grid, both axes ranged to the walk's extremes, one QCPGraph
// with a 1-pixel solid black pen, antialiasing off for every element.
// QCPGraph keeps adaptive sampling on by default: above a few points per
// pixel column it draws a reduced line (per column roughly the extremes and
// the points where the line enters and leaves), which is an approximation.
// The Line benchmarks say how far off it is: the counter differing_px is the
// number of pixels of the sampled image that differ from the image of the
// same chart with sampling off (SeriesQcpFullLine1M times that full line);
// missing_px counts those of them the full line paints and the sampled one
// does not (the rest are painted by the sampled line only). drawn_pts is
// how many vertices QCPGraph hands to QPainter per replot.
//
// What is timed, per iteration, is one full replot into an offscreen image:
// QCustomPlot::toPainter on a QCPPainter over a 1000 x 800 QImage
// (ARGB32_Premultiplied, the raster engine's native format). toPainter is
// the library's own way to draw a whole plot onto any painter: it fills the
// background, lays the plot out, computes ticks and draws every layer, in
// one pass and without the widget's paint buffers. replot() does the same
// drawing into a QPixmap buffer and then needs a second copy to reach an
// image, so it cannot be cheaper; the one thing toPainter gives up is the
// cached tick label pixmaps (it paints in QCPPainter::pmNoCaching), a few
// dozen short texts next to the line. Measured once on 1M points: toPainter
// 3.9 ms, replot() into its buffers 4.1 ms before any copy to an image.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QImage>
#include <QPen>
#include <QVector>
#include <map>
#include <memory>
#include <qcustomplot.h>

#include "bench/SeriesWalks.h"

namespace korvo::bench {
namespace {

// A QCPGraph that can say how many vertices its line has after sampling;
// drawing is QCPGraph's own.
class TCountingGraph : public QCPGraph {
 public:
  using QCPGraph::QCPGraph;
  int LineVertices() const {
    QVector<QPointF> lines;
    getLines(&lines, QCPDataRange(0, dataCount()));
    return int(lines.size());
  }
};

// Loads a walk the fastest way QCustomPlot offers: one QVector<QCPGraphData>
// built from the caller's vectors and handed to the graph's data container,
// which takes it over without a copy (implicit sharing) and, told the keys
// are sorted, without sorting.
void LoadWalk(QCPGraph* graph, const TWalk& walk) {
  const qsizetype n = qsizetype(walk.X.size());
  QVector<QCPGraphData> data(n);
  QCPGraphData* out = data.data();
  for (qsizetype i = 0; i < n; ++i) {
    out[i].key = walk.X[size_t(i)];
    out[i].value = walk.Y[size_t(i)];
  }
  graph->data()->set(data, true);
}

// The same through the plainer QCPGraph::setData(keys, values, true): two
// QVector<double> copies of the caller's vectors, from which setData builds
// the QVector<QCPGraphData>. Its 32 MB of temporary blocks make its time
// depend on whether glibc's malloc hands out fresh pages (page faults, 4 to
// 5 times slower here) or reused ones, which changes with what ran before.
void LoadWalkKeysValues(QCPGraph* graph, const TWalk& walk) {
  const QVector<double> keys(walk.X.begin(), walk.X.end());
  const QVector<double> values(walk.Y.begin(), walk.Y.end());
  graph->setData(keys, values, true);
}

void FrameWalk(QCustomPlot& plot, const TWalk& walk) {
  const TWalkRange r = WalkRange(walk);
  plot.xAxis->setRange(r.XMin, r.XMax);
  plot.yAxis->setRange(r.YMin, r.YMax);
}

// The plot without its data: size, antialiasing, the graph and its pen.
// The widget is never shown; its viewport is set to the image size so that
// toPainter's restore of the old viewport changes nothing.
TCountingGraph* SetUpPlot(QCustomPlot& plot) {
  plot.resize(SeriesWidth, SeriesHeight);
  plot.setViewport(QRect(0, 0, SeriesWidth, SeriesHeight));
  plot.setNotAntialiasedElements(QCP::aeAll);
  auto* graph = new TCountingGraph(plot.xAxis, plot.yAxis);  // owned by the plot
  graph->setPen(QPen(Qt::black, 1, Qt::SolidLine));
  return graph;
}

void Replot(QCustomPlot& plot, QImage& image) {
  QCPPainter painter(&image);
  plot.toPainter(&painter, SeriesWidth, SeriesHeight);
}

// One chart of SortedWalk(n), made on first use and kept: loading 10M points
// takes longer than drawing them, and Google Benchmark enters a benchmark
// function several times per repetition.
class TQcpLine {
 public:
  explicit TQcpLine(size_t n) : graph_(SetUpPlot(plot_)) {
    const TWalk& walk = SortedWalk(n);
    LoadWalk(graph_, walk);
    FrameWalk(plot_, walk);
  }

  QCustomPlot& Plot() { return plot_; }

  void SetAdaptiveSampling(bool on) { graph_->setAdaptiveSampling(on); }

  // Pixels of the sampled image that differ from the full one, and of those
  // the ones the full line draws black and the sampled image leaves out;
  // computed once.
  struct TDifference {
    double differing = -1, missing = -1;
  };
  const TDifference& Difference() {
    if (difference_.differing < 0) {
      QImage sampled(SeriesWidth, SeriesHeight, QImage::Format_ARGB32_Premultiplied);
      QImage full(SeriesWidth, SeriesHeight, QImage::Format_ARGB32_Premultiplied);
      const bool was = graph_->adaptiveSampling();
      graph_->setAdaptiveSampling(true);
      Replot(plot_, sampled);
      graph_->setAdaptiveSampling(false);
      Replot(plot_, full);
      graph_->setAdaptiveSampling(was);
      const quint32 black = qRgb(0, 0, 0);
      long differing = 0, missing = 0;
      for (int y = 0; y < SeriesHeight; ++y) {
        const auto* a = reinterpret_cast<const quint32*>(sampled.constScanLine(y));
        const auto* b = reinterpret_cast<const quint32*>(full.constScanLine(y));
        for (int x = 0; x < SeriesWidth; ++x) {
          differing += a[x] != b[x];
          missing += a[x] != b[x] && b[x] == black;
        }
      }
      difference_ = TDifference{double(differing), double(missing)};
    }
    return difference_;
  }

  // Vertices of the line handed to QPainter, with the current sampling and
  // the layout of the last replot.
  double LineVertices() const { return double(graph_->LineVertices()); }

 private:
  QCustomPlot plot_;
  TCountingGraph* graph_;
  TDifference difference_;
};

// The charts are widgets, so they must go before the QApplication does: a
// post routine (run by the QApplication's destructor) deletes them.
std::map<size_t, std::unique_ptr<TQcpLine>>& Lines() {
  static std::map<size_t, std::unique_ptr<TQcpLine>> lines;
  return lines;
}

TQcpLine& LineChart(size_t n) {
  static const bool cleanup = [] {
    qAddPostRoutine([] { Lines().clear(); });
    return true;
  }();
  (void)cleanup;
  std::unique_ptr<TQcpLine>& slot = Lines()[n];
  if (!slot) slot = std::make_unique<TQcpLine>(n);
  return *slot;
}

void RunLine(benchmark::State& state, size_t n, bool adaptive) {
  TQcpLine& chart = LineChart(n);
  const TQcpLine::TDifference difference = chart.Difference();
  chart.SetAdaptiveSampling(adaptive);
  QImage image(SeriesWidth, SeriesHeight, QImage::Format_ARGB32_Premultiplied);
  Replot(chart.Plot(), image);
  for (auto _ : state) {
    Replot(chart.Plot(), image);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["differing_px"] = difference.differing;
  state.counters["missing_px"] = difference.missing;
  state.counters["drawn_pts"] = chart.LineVertices();
  chart.SetAdaptiveSampling(true);
}

void SeriesQcpLine1M(benchmark::State& state) { RunLine(state, 1'000'000, true); }
void SeriesQcpLine10M(benchmark::State& state) { RunLine(state, 10'000'000, true); }
void SeriesQcpFullLine1M(benchmark::State& state) { RunLine(state, 1'000'000, false); }

// Loading 1M points into an empty graph, from the caller's std::vectors.
// The previous iteration's graph is removed, and a new one added, untimed.
template <void (*Load)(QCPGraph*, const TWalk&)>
void RunLoad(benchmark::State& state) {
  const TWalk& walk = SortedWalk(1'000'000);
  QCustomPlot plot;
  QCPGraph* graph = SetUpPlot(plot);
  for (auto _ : state) {
    Load(graph, walk);
    state.PauseTiming();
    benchmark::DoNotOptimize(graph->data()->size());
    plot.removeGraph(graph);
    graph = SetUpPlot(plot);
    state.ResumeTiming();
  }
}

void SeriesQcpLoad1M(benchmark::State& state) { RunLoad<LoadWalk>(state); }
void SeriesQcpLoadKeysValues1M(benchmark::State& state) { RunLoad<LoadWalkKeysValues>(state); }

}  // namespace

BENCHMARK(SeriesQcpLine1M)->Unit(benchmark::kMillisecond);
BENCHMARK(SeriesQcpLine10M)->Unit(benchmark::kMillisecond);
BENCHMARK(SeriesQcpFullLine1M)->Unit(benchmark::kMillisecond);
BENCHMARK(SeriesQcpLoad1M)->Unit(benchmark::kMillisecond);
BENCHMARK(SeriesQcpLoadKeysValues1M)->Unit(benchmark::kMillisecond);

}  // namespace korvo::bench
