// The demo program's command line: the options, the platform it picks and
// the speed report.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/DemoCommandLine.h"

namespace korvo {
namespace {

struct TParsed {
  bool Ok;
  TDemoOptions Options;
  std::string Error;
};

TParsed Parse(std::vector<const char*> args) {
  args.insert(args.begin(), "plw2win");
  TParsed p{};
  p.Ok = ParseDemoOptions(int(args.size()), args.data(), p.Options, p.Error);
  return p;
}

TEST(DemoCommandLine, ReadsEveryOptionInAnyOrder) {
  const TParsed none = Parse({});
  ASSERT_TRUE(none.Ok);
  EXPECT_FALSE(none.Options.Offscreen || none.Options.Fps || none.Options.Exit);
  EXPECT_EQ(none.Options.Frames, 0);
  EXPECT_EQ(none.Options.Screenshot, "");

  const TParsed all = Parse({"--exit", "--screenshot", "out/demo.PNG", "--frames", "250", "--fps", "--offscreen"});
  ASSERT_TRUE(all.Ok) << all.Error;
  EXPECT_TRUE(all.Options.Offscreen && all.Options.Fps && all.Options.Exit);
  EXPECT_EQ(all.Options.Frames, 250);
  EXPECT_EQ(all.Options.Screenshot, "out/demo.PNG");
}

TEST(DemoCommandLine, RefusesWhatItDoesNotKnow) {
  for (const std::vector<const char*>& bad : std::vector<std::vector<const char*>>{
           {"--frames"},
           {"--frames", "0"},
           {"--frames", "12x"},
           {"--frames", "1000000001"},
           {"--screenshot"},
           {"--screenshot", "demo.bmp"},
           {"--fps", "--fps"},
           {"-platform", "xcb"},
           {"--frames", "0", "--help"},
       }) {
    const TParsed p = Parse(bad);
    EXPECT_FALSE(p.Ok) << bad[0] << " " << (bad.size() > 1 ? bad[1] : "");
    EXPECT_FALSE(p.Error.empty());
  }
  EXPECT_EQ(Parse({"--frames", "12x"}).Error, "--frames: '12x' is not a number of frames from 1 to 1000000000");
  EXPECT_EQ(Parse({"--exit", "--nothing"}).Error, "unknown option '--nothing'");
}

TEST(DemoCommandLine, HelpAloneWhereverItComesBeforeAnError) {
  for (const std::vector<const char*>& args : std::vector<std::vector<const char*>>{
           {"--help"}, {"-h"}, {"--fps", "--exit", "--help"}, {"--help", "--nothing"}, {"--fps", "-h", "--fps"}}) {
    const TParsed p = Parse(args);
    ASSERT_TRUE(p.Ok) << args[0] << ": " << p.Error;
    EXPECT_TRUE(p.Options.Help) << args[0];
    EXPECT_FALSE(p.Options.Fps || p.Options.Exit) << "help drops the other options";
  }
  EXPECT_FALSE(Parse({}).Options.Help);
  EXPECT_NE(DemoUsage().find("--help"), std::string::npos);
}

TEST(DemoCommandLine, OffscreenWhenAskedOrWithoutADisplay) {
  using P = TDemoPlatform;
  EXPECT_EQ(ChooseDemoPlatform(true, "xcb", ":0", nullptr), P::dpOffscreen);
  EXPECT_EQ(ChooseDemoPlatform(false, nullptr, ":0", nullptr), P::dpQtChoice);
  EXPECT_EQ(ChooseDemoPlatform(false, nullptr, nullptr, "wayland-0"), P::dpQtChoice);
  EXPECT_EQ(ChooseDemoPlatform(false, nullptr, nullptr, nullptr), P::dpOffscreenNoDisplay);
  EXPECT_EQ(ChooseDemoPlatform(false, "", "", ""), P::dpOffscreenNoDisplay) << "empty counts as unset";
  EXPECT_EQ(ChooseDemoPlatform(false, "vnc", nullptr, nullptr), P::dpQtChoice) << "the user named a platform";
}

TEST(DemoCommandLine, ReportsFramesPerSecondAndTheSplitOfOneFrame) {
  TAnimationTimes t;
  t.Frames = 200;
  t.Seconds = 0.5;
  t.RenderSeconds = 0.02;
  t.EventSeconds = 0.47;
  EXPECT_EQ(FormatAnimationTimes(t),
            "200 frames in 0.50 s: 400.0 frames per second; one frame 2.500 ms: charts 0.100 ms (clear, fill, "
            "show), Qt 2.350 ms (events, paints, presentation)");
  EXPECT_EQ(FormatAnimationTimes(TAnimationTimes{}), "no frame was drawn");
}

}  // namespace
}  // namespace korvo
