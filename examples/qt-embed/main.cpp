// A Qt program of its own with a Plotwell chart in it: a QMainWindow whose
// central widget holds a chart and a QPushButton in a QVBoxLayout. No form
// description and no framework form are involved; the chart is a control
// without a framework parent, hosted through korvo::ControlWidget, and a
// QTimer draws a live curve into it.
//
// What a program needs, in this order:
//   1. its QApplication, then the Qt window system, which uses that
//      application (CreateQtWindowSystem) and is installed before any chart
//      gets its window (InstallWindowSystem);
//   2. the chart made with `new` and no owner or parent, its size set, and
//      its widget put into a layout (ControlWidget creates the chart's
//      window, which lets the chart paint; the layout then sizes it and
//      every resize becomes the chart's SetBounds);
//   3. each frame: ClearGraph, the drawing commands, ShowGraph (which draws
//      the plot area and shows it; no update() is needed);
//   4. at the end the window system before the QApplication; the chart's
//      widget owns the chart, so the chart goes with the window holding
//      it (ControlWidget's default; deleting the chart first is fine too).
//
// "Save..." writes the chart as PNG, BMP, SVG or PDF (TPlotwell::SaveToFile, the
// format by the name's extension); a failure is shown in a message box.
// "Print..." shows the print dialog and prints the chart fitted to the
// page (TPlotwell::Print through korvo::PrintWithDialog).
//
// Usage: plotwell-qt-embed [--frames N] [--exit] [--save FILE] [--print-pdf FILE]
//   --frames N   stop the animation after N frames
//   --exit       quit once the animation has stopped
//   --save FILE  save the chart to FILE once the animation has stopped (as
//                "Save..." does; a failure is printed and the exit status
//                is 1)
//   --print-pdf FILE  print the chart to the PDF file FILE once the
//                animation has stopped (as "Print..." does, to a file; a
//                failure is printed and the exit status is 1)
#include <QApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <string>

#include "chart/plotwell.h"
#include "platform/framework/Application.h"
#include "platform/qt/QtWindowSystem.h"
#include "resources/PlotwellCursors.h"

namespace {

// A chart of its own settings: a white plot with a dotted grid, x from 0
// to 2 pi, y from -1.2 to 1.2; dragging pans it.
korvo::TPlotwell* MakeChart() {
  using namespace korvo;
  auto* chart = new TPlotwell(nullptr);
  chart->SetBounds(0, 0, 480, 320);
  chart->SetMarginLeft(50);
  chart->SetMarginRight(16);
  chart->SetMarginTop(24);
  chart->SetMarginBottom(36);
  chart->SetCaption("A live curve in a Qt layout");
  chart->SetChartColor(clWhite);
  chart->SetGridStyle(GridStyleType::gsDotLines);
  chart->SetGridColor(clSilver);
  chart->SetGridDx(1.0);
  chart->SetGridDy(0.5);
  chart->SetMouseAction(TMouseActMode::maPan);
  chart->SetMouseCursorFixed(false);
  chart->Scale1X()->SetRangeLow(0.0);
  chart->Scale1X()->SetRangeHigh(2 * M_PI);
  chart->Scale1Y()->SetRangeLow(-1.2);
  chart->Scale1Y()->SetRangeHigh(1.2);
  chart->Scale1X()->SetVisible(true);
  chart->Scale1Y()->SetVisible(true);
  return chart;
}

// One frame: a travelling, slowly breathing sine wave of 300 points.
void DrawWave(korvo::TPlotwell& chart, int frame) {
  chart.ClearGraph();
  chart.SetDataColor(korvo::clNavy);
  const double phase = frame * 0.06, amplitude = 0.6 + 0.4 * std::sin(frame * 0.013);
  for (int i = 0; i <= 300; ++i) {
    const double x = 2 * M_PI * i / 300;
    const double y = amplitude * std::sin(3 * x - phase);
    if (i == 0) {
      chart.MoveTo(x, y);
    } else {
      chart.DrawTo(x, y);
    }
  }
  chart.ShowGraph();
}

}  // namespace

int main(int argc, char** argv) {
  int frames = 0;
  bool exitAfter = false;
  std::string saveTo, printTo;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc) {
      frames = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--exit") == 0) {
      exitAfter = true;
    } else if (std::strcmp(argv[i], "--save") == 0 && i + 1 < argc) {
      saveTo = argv[++i];
    } else if (std::strcmp(argv[i], "--print-pdf") == 0 && i + 1 < argc) {
      printTo = argv[++i];
    } else {
      std::fprintf(stderr, "usage: plotwell-qt-embed [--frames N] [--exit] [--save FILE] [--print-pdf FILE]\n");
      return 2;
    }
  }

  QApplication app(argc, argv);
  int status = 0;
  {
    std::unique_ptr<korvo::TWindowSystem> system = korvo::CreateQtWindowSystem(argc, argv);
    korvo::InstallWindowSystem(system.get());
    korvo::RegisterPlotwellCursors();  // the pan cursor the chart shows
    // An error in a chart's handler would otherwise show a message box.
    korvo::Application()->OnException = [&status](korvo::TObject*, const std::exception& e) {
      std::fprintf(stderr, "plotwell-qt-embed: %s\n", e.what());
      status = 1;
    };

    korvo::TPlotwell* chart = MakeChart();
    {
      QMainWindow window;
      window.setWindowTitle("Plotwell in a Qt program");
      auto* central = new QWidget;
      auto* layout = new QVBoxLayout(central);
      layout->addWidget(korvo::ControlWidget(chart), 1);
      auto* buttons = new QHBoxLayout;
      auto* pause = new QPushButton("Pause");
      auto* save = new QPushButton("Save...");
      auto* print = new QPushButton("Print...");
      buttons->addWidget(pause);
      buttons->addWidget(save);
      buttons->addWidget(print);
      layout->addLayout(buttons);
      window.setCentralWidget(central);
      // Saves the chart; the error (naming the path) comes back as text.
      const auto saveChart = [&](const QString& path) -> QString {
        try {
          chart->SaveToFile(path.toStdString());
          return {};
        } catch (const std::exception& e) {
          return QString::fromStdString(e.what());
        }
      };
      // Prints the chart fitted to the page, to the printer the dialog
      // chooses or to a PDF file; the error comes back as text.
      const auto printChart = [&](const QString& pdf) -> QString {
        try {
          const auto job = [chart] { chart->Print(); };
          if (pdf.isEmpty()) {
            korvo::PrintWithDialog(job, &window);
          } else {
            korvo::PrintToPdf(pdf.toStdString(), job);
          }
          return {};
        } catch (const std::exception& e) {
          return QString::fromStdString(e.what());
        }
      };

      int frame = 0;
      QTimer timer;
      QObject::connect(&timer, &QTimer::timeout, [&] {
        DrawWave(*chart, ++frame);
        if (frames > 0 && frame >= frames) {
          timer.stop();
          pause->setEnabled(false);
          std::printf("plotwell-qt-embed: %d frames drawn at %d x %d\n", frame, chart->Width(), chart->Height());
          if (!saveTo.empty()) {
            const QString error = saveChart(QString::fromStdString(saveTo));
            if (error.isEmpty()) {
              std::printf("plotwell-qt-embed: saved %s\n", saveTo.c_str());
            } else {
              std::fprintf(stderr, "plotwell-qt-embed: %s\n", error.toStdString().c_str());
              status = 1;
            }
          }
          if (!printTo.empty()) {
            const QString error = printChart(QString::fromStdString(printTo));
            if (error.isEmpty()) {
              std::printf("plotwell-qt-embed: printed %s\n", printTo.c_str());
            } else {
              std::fprintf(stderr, "plotwell-qt-embed: %s\n", error.toStdString().c_str());
              status = 1;
            }
          }
          std::fflush(stdout);
          if (exitAfter) QApplication::quit();
        }
      });
      QObject::connect(pause, &QPushButton::clicked, [&] {
        if (timer.isActive()) {
          timer.stop();
          pause->setText("Go on");
        } else {
          timer.start();
          pause->setText("Pause");
        }
      });
      QObject::connect(save, &QPushButton::clicked, [&] {
        const QString path = QFileDialog::getSaveFileName(&window, "Save the chart", "chart.png",
                                                          "Pictures (*.png *.bmp);;Vector files (*.svg *.pdf)");
        if (path.isEmpty()) return;
        const QString error = saveChart(path);
        if (!error.isEmpty()) QMessageBox::warning(&window, "Save the chart", error);
      });
      QObject::connect(print, &QPushButton::clicked, [&] {
        const QString error = printChart({});
        if (!error.isEmpty()) QMessageBox::warning(&window, "Print the chart", error);
      });
      timer.start(16);
      window.show();
      const int rc = app.exec();
      if (status == 0) status = rc;
    }  // the window goes, and with the chart's widget the chart
  }
  return status;
}
