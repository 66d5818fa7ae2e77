// A chart of a live signal of ten million points, in a Qt program's own
// window (built as plotwell-big-data; run it with --help for its options).
//
// The points live in one series (chart/items/Series.h): 8 bytes a point for
// a signal sampled at a fixed rate (CreateUniform), with a capacity that
// makes it a scrolling window: each frame appends 10 000 new samples and the
// oldest 10 000 drop out. The chart holds the series as ONE item of its data
// list (DrawSeries), put there once; every repaint draws what the series
// holds at that moment, so a frame is:
//
//   series->Append(block);  // the new samples; the oldest drop out
//   // following the newest samples: their x range, which repaints the
//   // whole chart (the scales too) at once
//   chart->SetLayerRange(1, false, x0, y0, x1, y1, false);
//   // or, with the view held where the user put it: the plot area only
//   chart->ShowGraph();
//
// and never ClearGraph and the points again. The chart draws a sorted series
// with a solid 1-pixel pen per pixel column from the series' min/max
// summaries, so a frame costs about (plot width) x log(points), not the
// points.
//
// The view follows the newest samples until the user pans (drag, arrow
// keys) or zooms (wheel, + and -); the chart reports each of these by
// OnZoomPan, and the view then stays where the user put it while the signal
// runs on. "Follow", or the Home key, brings it back to the newest samples.
#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include <unistd.h>

#include "Options.h"
#include "Signal.h"
#include "chart/plotwell.h"
#include "platform/framework/Application.h"
#include "platform/qt/QtWindowSystem.h"
#include "resources/PlotwellCursors.h"

namespace plotwell_big_data {
namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

// The times of one frame's steps, in seconds: making the samples,
// appending them, drawing the chart.
struct TFrameTime {
  double Signal = 0, Append = 0, Draw = 0;
  double Frame() const { return Signal + Append + Draw; }
};

// The frame times the summary takes its medians from: every frame's, up to
// MaxKept; past that the older half is let go whenever 2 * MaxKept are held,
// so a program left running for days keeps at most 48 MB of them.
class TFrameTimes {
 public:
  static constexpr size_t MaxKept = size_t(1) << 20;
  void Add(const TFrameTime& t) {
    if (times_.size() == 2 * MaxKept) times_.erase(times_.begin(), times_.begin() + ptrdiff_t(MaxKept));
    times_.push_back(t);
  }
  size_t Count() const { return times_.size(); }
  // The median of one step (or of the whole frame) over the frames held.
  template <class Step>
  double Median(Step step) const {
    if (times_.empty()) return 0;
    std::vector<double> values;
    values.reserve(times_.size());
    for (const TFrameTime& t : times_) values.push_back(step(t));
    const size_t mid = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + ptrdiff_t(mid), values.end());
    return values[mid];
  }

 private:
  std::vector<TFrameTime> times_;
};

// Whether the machine's memory holds the series (about 9.1 bytes a point:
// 8 for y, the rest its min/max summaries), with room to spare; if not,
// says so. Better than an end by the system's out-of-memory killer halfway
// through the filling.
bool FitsInMemory(int64_t points) {
  const long pages = sysconf(_SC_PHYS_PAGES), pageSize = sysconf(_SC_PAGE_SIZE);
  if (pages <= 0 || pageSize <= 0) return true;  // not known: try
  const double memory = double(pages) * double(pageSize), needed = 9.1 * double(points);
  if (needed <= 0.75 * memory) return true;
  std::fprintf(stderr,
               "plotwell-big-data: %s points need about %.1f GB, more than three quarters of this machine's "
               "%.1f GB of memory\n",
               WithThousands(uint64_t(points)).c_str(), needed / 1e9, memory / 1e9);
  return false;
}

// The series filled with the first `points` samples of the signal, in
// blocks of one series chunk. Prints how long that took.
korvo::TPwSeriesRef FilledSeries(TSignal& signal, int64_t points) {
  korvo::TPwSeriesRef series = korvo::TPwSeries::CreateUniform(0.0, 1.0 / TSignal::SampleRate);
  series->SetCapacity(points);
  std::vector<double> block(size_t(std::min(points, korvo::TPwSeries::ChunkSize)));
  double making = 0, appending = 0;
  for (int64_t done = 0; done < points;) {
    const std::span<double> part(block.data(), size_t(std::min<int64_t>(points - done, int64_t(block.size()))));
    const Clock::time_point t0 = Clock::now();
    signal.Next(part);
    const Clock::time_point t1 = Clock::now();
    series->Append(std::span<const double>(part));
    making += Seconds(t0, t1);
    appending += Seconds(t1, Clock::now());
    done += int64_t(part.size());
  }
  std::printf("plotwell-big-data: %s points made in %.2f s and appended in %.2f s; the series holds %.0f MB\n",
              WithThousands(uint64_t(points)).c_str(), making, appending, double(series->MemoryBytes()) / 1e6);
  std::fflush(stdout);
  return series;
}

// A chart of its own settings: white plot, dotted grid at the scales'
// ticks, x in seconds, y at the signal's full height; dragging pans, the
// wheel zooms, and so do the keys once the chart has the focus.
korvo::TPlotwell* MakeChart(const korvo::TPwSeriesRef& series) {
  using namespace korvo;
  auto* chart = new TPlotwell(nullptr);
  chart->SetBounds(0, 0, 960, 520);
  chart->SetMarginLeft(56);
  chart->SetMarginRight(24);
  chart->SetMarginTop(30);
  chart->SetMarginBottom(44);
  chart->SetCaption("A signal sampled at 1 MHz: the newest " +
                    WithThousands(uint64_t(series->Capacity())) + " samples");
  chart->SetChartColor(clWhite);
  chart->SetGridStyle(GridStyleType::gsDotLines);
  chart->SetGridColor(clSilver);
  chart->SetGridDx(0);  // at the scales' ticks, whatever the zoom
  chart->SetGridDy(0);
  chart->Scale1X()->SetCaption("s");
  chart->Scale1X()->SetVisible(true);
  chart->Scale1Y()->SetVisible(true);
  chart->Scale1Y()->SetRangeLow(TSignal::YLow);
  chart->Scale1Y()->SetRangeHigh(TSignal::YHigh);
  chart->SetMouseAction(TMouseActMode::maPan);
  chart->SetMouseCursorFixed(false);  // the pan cursor over the plot
  chart->SetWheelAndKeyNavigation(true);
  chart->SetDataColor(clNavy);
  chart->DrawSeries(series);  // once: the item draws whatever the series holds
  return chart;
}

// The frames: the window's chart, its label and its Follow button, the
// timer that runs the signal, and the figures of the frames.
class TLiveView {
 public:
  TLiveView(const TOptions& options, korvo::TPlotwell* chart, korvo::TPwSeriesRef series, TSignal& signal,
            QLabel* label, QPushButton* follow, QWidget* window)
      : options_(options), chart_(chart), series_(std::move(series)), signal_(signal), label_(label),
        follow_button_(follow), window_(window), block_(size_t(PointsPerFrame)) {
    chart_->OnZoomPan = [this](korvo::TObject*) { StopFollowing(); };
    QObject::connect(follow_button_, &QPushButton::clicked, [this] { Follow(); });
    follow_button_->setEnabled(false);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Frame(); });
    ShowNewest(true);
    label_->setText(QString::fromStdString(WithThousands(uint64_t(series_->Count())) + " points"));
  }

  void Start() { timer_.start(0); }

  // Back to the newest samples at the signal's full height (Follow, Home).
  void Follow() {
    following_ = true;
    follow_button_->setEnabled(false);
    ShowNewest(true);
  }

  // The last work when the frames stop or the window closes: the summary
  // line, the picture. False when the picture could not be saved.
  bool Finish() {
    if (finished_) return true;
    finished_ = true;
    timer_.stop();
    PrintSummary();
    return options_.Screenshot.empty() || SaveScreenshot();
  }

  // A failure inside a frame: the message, and the program ends with 1.
  int Status() const { return status_; }

 private:
  // The x range of the samples held, and y at the signal's full height
  // (fullHeight) or as it is; repaints the whole chart.
  //
  // The zoom history then starts afresh with this view. Otherwise its
  // oldest state would be the chart's first ranges (x and y 0 to 1), long
  // left behind by the signal, and Backspace (the chart's ZoomBack) after a
  // zoom or a pan would step back to them; this way it returns to the view
  // the user left.
  void ShowNewest(bool fullHeight) {
    const int64_t n = series_->Count();
    if (n < 2) return;
    const korvo::TScaleProps* y = chart_->Scale1Y();
    const double yLow = fullHeight ? TSignal::YLow : y->RangeLow();
    const double yHigh = fullHeight ? TSignal::YHigh : y->RangeHigh();
    chart_->SetLayerRange(1, false, series_->X(0), yLow, series_->X(n - 1), yHigh, false);
    chart_->ResetZoomHistory();
  }

  void StopFollowing() {
    following_ = false;
    follow_button_->setEnabled(true);
  }

  void Frame() {
    try {
      const Clock::time_point t0 = Clock::now();
      if (frames_ == 0) first_start_ = t0;
      signal_.Next(block_);
      const Clock::time_point t1 = Clock::now();
      series_->Append(std::span<const double>(block_));
      const Clock::time_point t2 = Clock::now();
      if (following_) {
        ShowNewest(false);  // the new range repaints everything
      } else {
        chart_->ShowGraph();  // the plot area, in the view the user chose
      }
      const Clock::time_point t3 = Clock::now();
      last_end_ = t3;
      ++frames_;
      const TFrameTime time{Seconds(t0, t1), Seconds(t1, t2), Seconds(t2, t3)};
      times_.Add(time);
      label_sum_.Signal += time.Signal;
      label_sum_.Append += time.Append;
      label_sum_.Draw += time.Draw;
      UpdateLabel(t3);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "plotwell-big-data: frame %lld: %s\n", (long long)frames_ + 1, e.what());
      status_ = 1;
      timer_.stop();
      QApplication::quit();
      return;
    }
    const int64_t last = options_.Frames > 0 ? options_.Frames : options_.Exit ? 1 : 0;
    if (last > 0 && frames_ >= last) {
      if (!Finish()) status_ = 1;
      if (options_.Exit) window_->close();
    }
  }

  // "10,000,000 points, 58.3 frames/s, frame 4.1 ms (signal 0.6, append
  // 0.03, draw 3.4 ms)", over the frames since the label last changed: at
  // the first frame and the last, and every half second between.
  void UpdateLabel(Clock::time_point now) {
    const bool last = options_.Frames > 0 && frames_ >= options_.Frames;
    if (frames_ > 1 && !last && Seconds(label_time_, now) < 0.5) return;
    const double n = double(frames_ - label_frames_);
    const double wall = frames_ > 1 ? Seconds(label_time_, now) : Seconds(first_start_, now);
    const TFrameTime& s = label_sum_;
    char text[200];
    std::snprintf(text, sizeof text,
                  "%s points, %.1f frames/s, frame %.1f ms (signal %.2f, append %.2f, draw %.2f ms)%s",
                  WithThousands(uint64_t(series_->Count())).c_str(), wall > 0 ? n / wall : 0.0,
                  1e3 * s.Frame() / n, 1e3 * s.Signal / n, 1e3 * s.Append / n, 1e3 * s.Draw / n,
                  following_ ? "" : "; view held (Home: follow)");
    label_->setText(text);
    label_time_ = now;
    label_frames_ = frames_;
    label_sum_ = TFrameTime{};
  }

  void PrintSummary() const {
    if (frames_ == 0) {
      std::printf("plotwell-big-data: no frame was drawn\n");
    } else {
      const double seconds = Seconds(first_start_, last_end_);
      const std::string over = times_.Count() < uint64_t(frames_)
                                   ? " of the latest " + WithThousands(times_.Count()) + " frames"
                                   : "";
      std::printf("plotwell-big-data: %lld frame%s in %.2f s, %.1f frames per second, median frame %.2f ms "
                  "(signal %.2f, append %.3f, draw %.2f ms)%s, %s points at %d x %d\n",
                  (long long)frames_, frames_ == 1 ? "" : "s", seconds, seconds > 0 ? double(frames_) / seconds : 0.0,
                  1e3 * times_.Median([](const TFrameTime& t) { return t.Frame(); }),
                  1e3 * times_.Median([](const TFrameTime& t) { return t.Signal; }),
                  1e3 * times_.Median([](const TFrameTime& t) { return t.Append; }),
                  1e3 * times_.Median([](const TFrameTime& t) { return t.Draw; }), over.c_str(),
                  WithThousands(uint64_t(series_->Count())).c_str(), chart_->Width(), chart_->Height());
    }
    std::fflush(stdout);
  }

  // The window as Qt draws it: the chart, the label and the button.
  bool SaveScreenshot() const {
    const QPixmap picture = window_->grab();
    if (!picture.save(QString::fromStdString(options_.Screenshot), "PNG")) {
      std::fprintf(stderr, "plotwell-big-data: cannot write the screenshot %s\n", options_.Screenshot.c_str());
      return false;
    }
    std::printf("plotwell-big-data: screenshot of the window (%d x %d) in %s\n", picture.width(),
                picture.height(), options_.Screenshot.c_str());
    std::fflush(stdout);
    return true;
  }

  const TOptions& options_;
  korvo::TPlotwell* chart_;
  korvo::TPwSeriesRef series_;
  TSignal& signal_;
  QLabel* label_;
  QPushButton* follow_button_;
  QWidget* window_;
  QTimer timer_;
  std::vector<double> block_;
  bool following_ = true;
  bool finished_ = false;
  int status_ = 0;
  int64_t frames_ = 0;
  Clock::time_point first_start_, last_end_, label_time_;
  TFrameTimes times_;
  // The frames since the label last changed, and their times added up.
  int64_t label_frames_ = 0;
  TFrameTime label_sum_;
};

int Run(const TOptions& options, char* programName) {
  // Qt sees the program's name only: the options above are all there are.
  int qtArgc = 1;
  char* qtArgv[] = {programName, nullptr};
  QApplication app(qtArgc, qtArgv);
  int status = 0;
  {
    std::unique_ptr<korvo::TWindowSystem> system = korvo::CreateQtWindowSystem(qtArgc, qtArgv);
    korvo::InstallWindowSystem(system.get());
    korvo::RegisterPlotwellCursors();  // the pan cursor the chart shows
    // An error in a chart's handler would otherwise show a message box.
    korvo::Application()->OnException = [&status](korvo::TObject*, const std::exception& e) {
      std::fprintf(stderr, "plotwell-big-data: %s\n", e.what());
      status = 1;
    };

    TSignal signal;
    korvo::TPwSeriesRef series;
    if (!FitsInMemory(options.Points)) return 1;
    try {
      series = FilledSeries(signal, options.Points);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "plotwell-big-data: cannot hold %s points: %s\n",
                   WithThousands(uint64_t(options.Points)).c_str(), e.what());
      return 1;
    }
    korvo::TPlotwell* chart = MakeChart(series);
    {
      QMainWindow window;
      window.setWindowTitle(
          QString::fromStdString("Plotwell: a live signal of " + WithThousands(uint64_t(options.Points)) + " points"));
      auto* central = new QWidget;
      auto* layout = new QVBoxLayout(central);
      layout->addWidget(korvo::ControlWidget(chart), 1);
      auto* row = new QHBoxLayout;
      auto* label = new QLabel;
      row->addWidget(label, 1);
      // Enabled while the view is held where the user put it.
      auto* follow = new QPushButton("Follow");
      follow->setToolTip("Back to the newest samples (Home)");
      row->addWidget(follow);
      layout->addLayout(row);
      window.setCentralWidget(central);
      // The chart's size: Qt would otherwise open the window at no more
      // than two thirds of the screen (of the offscreen platform's 800 x 600
      // too).
      window.resize(window.sizeHint());

      TLiveView view(options, chart, series, signal, label, follow, &window);
      // Home follows again, wherever the focus is. The chart's own Home
      // (ZoomHome) would go to the oldest zoom state, the view the user
      // left, not to the newest samples: a window shortcut takes the key
      // first, and should the chart get it all the same, its OnKeyDown takes
      // it away from the chart.
      auto* home = new QAction(&window);
      home->setShortcut(Qt::Key_Home);
      home->setShortcutContext(Qt::WindowShortcut);
      window.addAction(home);
      QObject::connect(home, &QAction::triggered, [&view] { view.Follow(); });
      chart->OnKeyDown = [&view](korvo::TObject*, uint16_t& key, korvo::TShiftState) {
        if (key == korvo::VK_HOME) {
          key = 0;
          view.Follow();
        }
      };

      view.Start();
      window.show();
      const int rc = app.exec();
      // Closed by the user before the frames stopped: the summary and the
      // picture now.
      if (!view.Finish() && status == 0) status = 1;
      if (status == 0) status = view.Status();
      if (status == 0) status = rc;
      // The chart before the window system; its widget leaves the layout.
      delete chart;
    }
  }
  return status;
}

}  // namespace
}  // namespace plotwell_big_data

int main(int argc, char** argv) {
  using namespace plotwell_big_data;
  TOptions options;
  std::string error;
  if (!ParseOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "plotwell-big-data: %s\n%s", error.c_str(), Usage().c_str());
    return 2;
  }
  if (options.Help) {
    std::printf("%s", Usage().c_str());
    return 0;
  }
  // Without the option, offscreen means there is no display.
  const bool offscreen = ChooseOffscreen(options.Offscreen, std::getenv("QT_QPA_PLATFORM"), std::getenv("DISPLAY"),
                                         std::getenv("WAYLAND_DISPLAY"));
  if (offscreen) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  if (offscreen && !options.Offscreen) {
    std::printf("plotwell-big-data: no display (DISPLAY and WAYLAND_DISPLAY are not set): running on Qt's "
                "offscreen platform, where the window is drawn but not shown\n");
  }
  if (offscreen && !options.Exit) {
    std::printf("plotwell-big-data: the program runs until it is ended (--exit closes the window when the "
                "frames stop)\n");
  }
  std::fflush(stdout);
  return Run(options, argv[0]);
}
