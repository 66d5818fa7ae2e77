// Saving a chart's picture: what the screen shows (not ChartBitmap's older
// plot area), PNG or BMP by the name, and every bad path a clear error that
// leaves no file behind and an earlier file as it was.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "base/korvobase.h"
#include "chart/plotwell.h"
#include "platform/graphics/Bitmap.h"
#include "support/TestSupport.h"

namespace korvo {
namespace {

namespace fs = std::filesystem;

class SaveToFile : public ::testing::Test {
 protected:
  SaveToFile() {
    dir_ = fs::temp_directory_path() / ("plotwell-save-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    chart_.HandleNeeded();
    chart_.SetBounds(0, 0, 300, 200);
    chart_.SetCaption("Saved");
    chart_.ApplyLayerRange(1, false, 0, 0, 10, 10, false);
  }
  ~SaveToFile() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  std::string Read(const std::string& name) const {
    std::ifstream in(dir_ / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  long FilesInDir() const { return long(std::distance(fs::directory_iterator(dir_), fs::directory_iterator())); }

  fs::path dir_;
  TPlotwell chart_{nullptr};
};

TEST_F(SaveToFile, WritesWhatTheScreenShowsAsPngOrBmp) {
  chart_.Repaint();
  // A line shown by ShowGraph alone: the screen has it, ChartBitmap's plot
  // area (from the last full paint) does not.
  chart_.SetDataColor(clRed);
  chart_.MoveTo(1.0, 1.0);
  chart_.DrawTo(9.0, 8.0);
  chart_.ShowGraph();
  ASSERT_GT(test::CountDifferentPixels(*chart_.ChartBitmap(), *chart_.Surface()), 0);

  chart_.SaveToFile(Path("chart.png"));
  chart_.SaveToFile(Path("chart.BMP"));
  TBitmap png, bmp;
  png.LoadPngFromFile(Path("chart.png"));
  bmp.LoadFromFile(Path("chart.BMP"));
  EXPECT_EQ(test::CountDifferentPixels(png, *chart_.Surface()), 0);
  EXPECT_EQ(test::CountDifferentPixels(bmp, *chart_.Surface()), 0);
  EXPECT_EQ(FilesInDir(), 2);
}

TEST_F(SaveToFile, BadPathsAreClearErrorsAndLeaveNothingBehind) {
  fs::create_directory(dir_ / "folder.png");
  std::ofstream(dir_ / "old.png") << "earlier file";
  const long before = FilesInDir();
  // The write of a full disk, made with a file size limit: the write fails
  // with EFBIG, as it would with ENOSPC.
  const auto fullDisk = [&](const std::function<void()>& save) {
    struct rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    struct rlimit tiny = old;
    tiny.rlim_cur = 100;
    const auto oldSignal = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &tiny);
    try {
      save();
    } catch (...) {
      setrlimit(RLIMIT_FSIZE, &old);
      signal(SIGXFSZ, oldSignal);
      throw;
    }
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldSignal);
  };
  const struct {
    std::string path;
    std::string reason;
    bool full = false;
  } cases[] = {
      {Path("chart.gif"), "unknown picture type '.gif' (the name must end in .png, .bmp, .svg or .pdf)"},
      {Path("chart"), "the name has no extension (the name must end in .png, .bmp, .svg or .pdf)"},
      {Path("missing/chart.png"), "cannot create a file beside it (No such file or directory)"},
      {Path("folder.png"), "cannot replace the file (Is a directory)"},
      {Path("old.png"), "cannot write the file (File too large)", true},
  };
  for (const auto& c : cases) {
    try {
      if (c.full) {
        fullDisk([&] { chart_.SaveToFile(c.path); });
      } else {
        chart_.SaveToFile(c.path);
      }
      ADD_FAILURE() << c.path << " was saved";
    } catch (const EKorvoPlotwellError& e) {
      EXPECT_EQ(std::string(e.what()), "Cannot save '" + c.path + "': " + c.reason);
    }
    EXPECT_EQ(FilesInDir(), before) << c.path;
  }
  EXPECT_EQ(Read("old.png"), "earlier file");
}

}  // namespace
}  // namespace korvo
