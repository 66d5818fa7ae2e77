// The demo on Qt's offscreen platform: the window driven with Qt's own
// mouse clicks on its buttons (Start, Stop, To Clipbd), what the window
// shows and what the clipboard holds; and the program itself, started as a
// process, closed during the animation and run from its command line.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QTest>
#include <QWidget>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/DuoPaned.h"
#include "chart/plotwell.h"
#include "platform/framework/Application.h"
#include "platform/qt/QtWindowSystem.h"

extern char** environ;

namespace korvo {
namespace {

namespace fs = std::filesystem;

TColor ColorOf(QRgb rgb) { return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb)); }

// How many pixels of `picture` differ from what `image` shows at `offset`.
int Differences(const TBitmap& picture, const QImage& image, QPoint offset = {}) {
  int n = 0;
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      n += ColorOf(image.pixel(offset.x() + x, offset.y() + y)) != picture.Canvas()->Pixel(x, y);
    }
  }
  return n;
}

// Pixels of `color` in the rectangle (left, top, width, height) of image.
int Count(const QImage& image, QRect r, TColor color) {
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y) {
    for (int x = r.left(); x <= r.right(); ++x) n += ColorOf(image.pixel(x, y)) == color;
  }
  return n;
}

class Plw2winWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TDuoPaneForm>(nullptr);
    form->Show();
    Application()->ProcessMessages();
    window = ControlWidget(form.get());
    ASSERT_NE(window, nullptr);
  }
  QWidget* Widget(TWinControl* c) { return ControlWidget(c); }
  void Click(TWinControl* button) { QTest::mouseClick(Widget(button), Qt::LeftButton); }
  std::string Enabled() {
    std::string s;
    for (TButton* b : {form->Button1, form->Button2, form->Button3, form->ButClipboard}) {
      s += b->Caption() + (Widget(b)->isEnabled() ? "+ " : "- ");
    }
    return s;
  }
  QImage Shot() { return window->grab().toImage().convertToFormat(QImage::Format_RGB32); }
  QPoint Offset(TWinControl* c) { return Widget(c)->mapTo(window, QPoint(0, 0)); }

  std::unique_ptr<TDuoPaneForm> form;
  QWidget* window = nullptr;
};

TEST_F(Plw2winWindow, StartStopWhatTheWindowShowsAndTheClipboard) {
  ASSERT_EQ(Enabled(), "Start+ Stop- Exit+ To Clipbd+ ");
  int frames = 0;
  std::string animating;
  form->OnFrameShown = [&](int frame) {
    frames = frame;
    if (frame == 4) animating = Enabled();
    if (frame == 10) Application()->PostWork([&] { Click(form->Button2); });
  };
  Click(form->Button1);  // returns when the animation has ended
  form->OnFrameShown = nullptr;

  EXPECT_EQ(frames, 10);
  EXPECT_EQ(animating, "Start- Stop+ Exit- To Clipbd+ ");
  EXPECT_EQ(Enabled(), "Start+ Stop- Exit+ To Clipbd+ ");

  // The window shows both charts' last frame, exactly their pictures.
  Application()->ProcessMessages();
  const QImage shot = Shot();
  ASSERT_EQ(shot.size(), QSize(730, 414));
  const QPoint p1 = Offset(form->Plotwell1), p2 = Offset(form->Plotwell2);
  EXPECT_EQ(p2, QPoint(20, 20));
  EXPECT_EQ(Differences(*form->Plotwell1->Surface(), shot, p1), 0);
  EXPECT_EQ(Differences(*form->Plotwell2->Surface(), shot, p2), 0);

  // Plotwell1: a yellow plot (columns 60..352, rows 20..291) with the
  // dotted silver grid and the black curve with its marks; the caption
  // right-aligned above it.
  const QRect plot1(p1 + QPoint(61, 21), QSize(290, 269));
  EXPECT_GT(Count(shot, plot1, clYellow), 40000);
  EXPECT_GT(Count(shot, plot1, clSilver), 100);
  EXPECT_GT(Count(shot, plot1, clBlack), 1000) << "146 marks and 145 segments";
  const QRect caption1(p1 + QPoint(280, 2), QSize(72, 17));
  EXPECT_GT(Count(shot, caption1, clBlack), 20) << "the caption";
  // Plotwell2: teal, with the polyline half black, half white.
  const QRect plot2(p2 + QPoint(46, 21), QSize(226, 310));
  EXPECT_GT(Count(shot, plot2, clTeal), 40000);
  EXPECT_GT(Count(shot, plot2, clBlack), 50);
  EXPECT_GT(Count(shot, plot2, clWhite), 50);

  // "To Clipbd" when idle: the whole first chart, 372 x 331.
  Click(form->ButClipboard);
  const QImage copy = QGuiApplication::clipboard()->image();
  ASSERT_EQ(copy.size(), QSize(372, 331));
  EXPECT_EQ(Differences(*form->Plotwell1->Surface(), copy), 0);
}

// --- the program as a process ----------------------------------------------------

struct TRun {
  int Status = -1;  // the exit status; 128 + the signal when killed by one
  std::string Out, Err;
};

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Runs `args` (args[0] the program) with the environment of this process
// less `unset`, and waits for it.
TRun RunProcess(const std::vector<std::string>& args, const std::vector<std::string>& unset = {}) {
  const fs::path dir = fs::temp_directory_path() / ("plw2win-run-" + std::to_string(getpid()));
  fs::create_directories(dir);
  const std::string out = (dir / "out").string(), err = (dir / "err").string();

  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    bool keep = true;
    for (const std::string& name : unset) keep = keep && entry.rfind(name + "=", 0) != 0;
    if (keep) env.push_back(entry);
  }
  std::vector<char*> argv, envp;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = 0;
  TRun run;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  posix_spawn_file_actions_destroy(&actions);
  run.Out = ReadFile(out);
  run.Err = ReadFile(err);
  fs::remove_all(dir);
  return run;
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(Plw2winProgram, ClosingTheWindowDuringTheAnimationEndsTheProgramCleanly) {
  const TRun run =
      RunProcess({"/proc/self/exe", "--child", "close-during-animation", "--offscreen", "--frames", "100000"});
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_TRUE(Has(run.Out, "PLW2WIN: animation ended after 5 frames")) << run.Out;
}

TEST(Plw2winProgram, RunsFramesSavesTheWindowReportsTheSpeedAndExits) {
  const fs::path shot = fs::temp_directory_path() / ("plw2win-shot-" + std::to_string(getpid()) + ".png");
  const TRun run = RunProcess(
      {PLW2WIN_PROGRAM, "--offscreen", "--frames", "20", "--screenshot", shot.string(), "--fps", "--exit"});
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_TRUE(Has(run.Out, "plw2win: 20 frames in ")) << run.Out;
  EXPECT_TRUE(Has(run.Out, "frames per second")) << run.Out;
  EXPECT_TRUE(Has(run.Out, "screenshot of the window (730 x 414) in " + shot.string())) << run.Out;
  const QImage picture(QString::fromStdString(shot.string()));
  EXPECT_EQ(picture.size(), QSize(730, 414));
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
  EXPECT_GT(Count(rgb, QRect(344, 22, 372, 331), clYellow), 40000);
  EXPECT_GT(Count(rgb, QRect(20, 20, 293, 373), clTeal), 40000);
  fs::remove(shot);
}

// What each command line prints where, and the status it ends with: the
// usage on stdout and 0 when asked for, on stderr with 2 after an error.
TEST(Plw2winProgram, HelpPrintsTheUsageAndEndsWellABadOptionDoesNot) {
  const struct {
    std::vector<std::string> args;
    int status;
    std::string out, err;
  } cases[] = {
      {{"--help"}, 0, "usage: plw2win ", ""},
      {{"-h"}, 0, "usage: plw2win ", ""},
      {{"--offscreen", "--help"}, 0, "usage: plw2win ", ""},
      {{"--nothing"}, 2, "", "plw2win: unknown option '--nothing'\nusage: plw2win "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[0]);
    std::vector<std::string> args{PLW2WIN_PROGRAM};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const TRun run = RunProcess(args);
    EXPECT_EQ(run.Status, c.status) << run.Err;
    EXPECT_EQ(run.Out.rfind(c.out, 0), 0u) << run.Out;
    EXPECT_EQ(run.Err.rfind(c.err, 0), 0u) << run.Err;
    if (c.out.empty()) {
      EXPECT_EQ(run.Out, "");
    }
    if (c.err.empty()) {
      EXPECT_EQ(run.Err, "");
    }
  }
}

TEST(Plw2winProgram, ChoosesTheOffscreenPlatformWithoutADisplay) {
  const TRun run = RunProcess({PLW2WIN_PROGRAM, "--exit"}, {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"});
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_TRUE(Has(run.Out, "plw2win: no display")) << run.Out;
}

}  // namespace
}  // namespace korvo
