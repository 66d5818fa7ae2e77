// The demo's main window on the headless window system: what its form
// description builds, the animation started and stopped by the buttons (as
// a user clicks them), what each frame puts into the charts, "To Clipbd"
// during the animation, and a form destroyed while it animates.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "app/DuoPaned.h"
#include "chart/chart_test_support.h"
#include "chart/plotwell.h"
#include "platform/framework/Application.h"
#include "platform/framework/FormReader.h"
#include "platform/framework/FormWriter.h"
#include "support/TestSupport.h"

namespace korvo {
namespace {

// Client points of the buttons (the form's client area starts below the
// headless frame's title bar).
constexpr TPoint StartButton{344 + 40, 370 + 15};
constexpr TPoint StopButton{439 + 40, 370 + 15};
constexpr TPoint ClipboardButton{536 + 40, 370 + 15};
constexpr TPoint ExitButton{632 + 40, 370 + 15};

class DemoForm : public ::testing::Test {
 protected:
  DemoForm() : form(std::make_unique<TDuoPaneForm>(nullptr)) { form->Show(); }

  void Click(TPoint p) { scope.ws().Click(form.get(), p.X, p.Y); }
  // Clicks "Start" and, in the event loop's turn after frame `frames`,
  // "Stop"; `atFrame` sees every frame first. Returns when the loop ended.
  void Animate(int frames, const std::function<void(int)>& atFrame = {}) {
    form->OnFrameShown = [&, frames](int frame) {
      if (atFrame) atFrame(frame);
      if (frame == frames) Application()->PostWork([this] { Click(StopButton); });
    };
    Click(StartButton);
    form->OnFrameShown = nullptr;
  }
  // The frame counter b of the frame in Plotwell1: its first item is the
  // mark at (sin(b / 19), sin(b / 7)).
  int FrameCounter() {
    const TpwChartItem& first = form->Plotwell1->DataItems()[0];
    for (int b = -81; b <= 81; ++b) {
      if (first.x == double(std::sin(static_cast<long double>(b) / 19)) &&
          first.y == double(std::sin(static_cast<long double>(b) / 7))) {
        return b;
      }
    }
    return 1000;
  }
  std::string Buttons() {
    std::string s;
    for (TButton* b : {form->Button1, form->Button2, form->Button3, form->ButClipboard}) {
      s += b->Caption() + (b->Enabled() ? "+ " : "- ");
    }
    return s;
  }
  static std::string Range(const TScaleProps* p) {
    std::ostringstream s;
    s << p->RangeLow() << ".." << p->RangeHigh();
    return s.str();
  }

  test::HeadlessScope scope;
  std::unique_ptr<TDuoPaneForm> form;
};

TEST_F(DemoForm, StartsIdleWithTheDescriptionsSettings) {
  EXPECT_EQ(form->Caption(), "A simple demo of the component TPlotwell");
  EXPECT_EQ(form->PixelsPerInch(), 120) << "not scaled";
  EXPECT_EQ(Buttons(), "Start+ Stop- Exit+ To Clipbd+ ");
  EXPECT_EQ(form->Plotwell1->Parent(), form->Panel1);
  EXPECT_EQ(Range(form->Plotwell2->Scale1Y()), "0..120") << "before the first Start";
  for (TPlotwell* chart : {form->Plotwell1, form->Plotwell2}) {
    EXPECT_EQ(chart->FillColor(), clWhite);
    EXPECT_EQ(chart->TextBkColor(), clWhite);
    EXPECT_FALSE(chart->PaintSuspended()) << chart->Name() << " paints once shown";
  }

  // The form's own mouse handler gives the default cursor back.
  Screen()->SetCursor(crHourGlass);
  scope.ws().MouseMove(form.get(), 330, 200);
  EXPECT_EQ(Screen()->Cursor(), crDefault);

  Click(ExitButton);
  EXPECT_FALSE(form->Visible());
}

// The two charts of the description are the ones examples/charts holds.
TEST_F(DemoForm, ChartsAreThoseOfTheExampleDescriptions) {
  for (TPlotwell* chart : {form->Plotwell1, form->Plotwell2}) {
    std::ifstream in(std::string(PLOTWELL_TEST_DATA) + "/../examples/charts/" + chart->Name() + ".txt");
    ASSERT_TRUE(in) << chart->Name();
    std::ostringstream text;
    text << in.rdbuf();
    const std::unique_ptr<TComponent> example = CreateComponentFromText(text.str());
    EXPECT_EQ(WriteComponentText(*chart), WriteComponentText(*example));
  }
}

TEST_F(DemoForm, StartAnimatesBothChartsUntilStop) {
  int frames = 0;
  Animate(3, [&](int frame) {
    frames = frame;
    EXPECT_EQ(Buttons(), "Start- Stop+ Exit- To Clipbd+ ") << "frame " << frame;
    EXPECT_EQ(form->Plotwell1->DataItems().Count(), 292);
    EXPECT_EQ(form->Plotwell2->DataItems().Count(), 101);
    EXPECT_EQ(FrameCounter(), frame);
    EXPECT_EQ(Range(form->Plotwell2->Scale1Y()), "0..110");
  });
  EXPECT_EQ(frames, 3) << "the loop ends after the frame in which Stop was clicked";
  EXPECT_EQ(form->LastAnimation().Frames, 3);
  EXPECT_FALSE(form->Animating());
  EXPECT_TRUE(form->StopFlag());
  EXPECT_EQ(Buttons(), "Start+ Stop- Exit+ To Clipbd+ ");

  // Half the polyline black, half white.
  const TPwItemContainer& line = form->Plotwell2->DataItems();
  EXPECT_EQ(line[1].Color, clBlack);
  EXPECT_EQ(line[50].Color, clBlack);
  EXPECT_EQ(line[51].Color, clWhite);
  EXPECT_EQ(line[100].Color, clWhite);

  // The last frame stays.
  TBitmap shown1, shown2;
  shown1.Assign(*form->Plotwell1->Surface());
  shown2.Assign(*form->Plotwell2->Surface());
  Application()->ProcessMessages();
  form->Plotwell1->Repaint();
  EXPECT_EQ(test::CountDifferentPixels(*form->Plotwell1->Surface(), shown1), 0);
  EXPECT_EQ(test::CountDifferentPixels(*form->Plotwell2->Surface(), shown2), 0);
  EXPECT_GT(test::CountPixels(shown1, clYellow), 1000);
  EXPECT_GT(test::CountPixels(shown2, clTeal), 1000);
}

TEST_F(DemoForm, StartAgainBeginsWithTheFirstFrameAndTheRanges) {
  Animate(5);
  ASSERT_EQ(FrameCounter(), 5);
  form->Plotwell2->Scale1X()->SetRangeLow(-1);
  form->Plotwell2->Scale1Y()->SetRangeHigh(50);
  Animate(1, [&](int) {
    EXPECT_EQ(FrameCounter(), 1);
    EXPECT_EQ(Range(form->Plotwell2->Scale1X()), "-3..3");
    EXPECT_EQ(Range(form->Plotwell2->Scale1Y()), "0..110");
  });
  EXPECT_EQ(form->LastAnimation().Frames, 1);
}

TEST_F(DemoForm, TheCounterTurnsAt81AndMinus81) {
  std::string seen;
  Animate(246, [&](int frame) {
    if (frame >= 80 && frame <= 83) seen += std::to_string(FrameCounter()) + " ";
    if (frame >= 242) seen += std::to_string(FrameCounter()) + " ";
  });
  // Frame 81 has b = 81, frame 242 b = -80, frame 243 b = -81.
  EXPECT_EQ(seen, "80 81 80 79 -80 -81 -80 -79 -78 ");
}

TEST_F(DemoForm, ToClipboardDuringTheAnimationCopiesTheFrameShown) {
  TBitmap shown, copied;
  Animate(3, [&](int frame) {
    if (frame != 2) return;
    shown.Assign(*form->Plotwell1->Surface());
    Click(ClipboardButton);
    ASSERT_NE(scope.ws().ClipboardBitmap(), nullptr);
    copied.Assign(*scope.ws().ClipboardBitmap());
  });
  EXPECT_EQ(copied.Width(), 372);
  EXPECT_EQ(copied.Height(), 331);
  EXPECT_EQ(test::CountDifferentPixels(copied, shown), 0);
  EXPECT_GT(test::CountDifferentPixels(copied, *form->Plotwell1->Surface()), 0) << "frame 3 differs";
  EXPECT_EQ(test::CountDifferentPixels(*scope.ws().ClipboardBitmap(), copied), 0);
}

TEST_F(DemoForm, BothChartsPaintWhiteBehindTextItems) {
  for (TPlotwell* chart : {form->Plotwell1, form->Plotwell2}) {
    const TColor plot = chart == form->Plotwell1 ? clYellow : clTeal;
    chart->ClearGraph();
    chart->SetDataColor(clBlack);
    chart->SetTextBkStyle(TTextBkg::tbSolid);
    const double x = (chart->Scale1X()->RangeLow() + chart->Scale1X()->RangeHigh()) / 2;
    const double y = (chart->Scale1Y()->RangeLow() + chart->Scale1Y()->RangeHigh()) / 2;
    chart->TextAt(x, y, "MMMMMMMM");
    chart->ShowGraph();
    int32_t px, py;
    chart->WorldToPixel(1, x, y, px, py);
    TBitmap around(60, 10);
    CopyPixelsFrom(*chart->Surface(), px - 30, py - 5, around);
    EXPECT_EQ(test::CountPixels(around, plot), 0) << chart->Name();
    EXPECT_GT(test::CountPixels(around, clWhite), 100) << chart->Name();
  }
}

TEST_F(DemoForm, AFormDestroyedWhileAnimatingEndsTheLoopWithoutTouchingIt) {
  TDuoPaneForm* raw = form.release();
  int frames = 0;
  raw->OnFrameShown = [&frames, raw](int frame) {
    frames = frame;
    if (frame == 2) Application()->PostWork([raw] { delete raw; });
  };
  // The handler itself, so that no button is on the call stack when the
  // form goes.
  raw->Button1Click(nullptr);
  EXPECT_EQ(frames, 2);
}

}  // namespace
}  // namespace korvo

namespace korvo {
namespace {

// The first chart pans under the mouse while the animation runs, and the
// following frames keep the panned ranges: the loop never resets them.
TEST_F(DemoForm, TheFirstChartPansWhileItAnimates) {
  // Plotwell1 lies at (10, 10) in Panel1 at (332, 10); a point inside its
  // plot area (margins 60, 20, 20, 40 of 372 x 331).
  const TPoint press{332 + 10 + 200, 10 + 10 + 150};
  const int paintsBefore = scope.ws().PaintCount();
  std::string during, after;
  Animate(6, [&](int frame) {
    if (frame == 2) {  // the drag starts at the first move with the button held
      scope.ws().MouseDown(form.get(), TMouseButton::mbLeft, press.X, press.Y);
      scope.ws().MouseMove(form.get(), press.X, press.Y);
    }
    if (frame == 3) scope.ws().MouseMove(form.get(), press.X + 73, press.Y);
    if (frame == 4) {
      scope.ws().MouseUp(form.get(), TMouseButton::mbLeft, press.X + 73, press.Y);
      during = Range(form->Plotwell1->Scale1X());
    }
    if (frame == 6) after = Range(form->Plotwell1->Scale1X());
  });
  // 73 of the plot's 292 pixel steps across 2.4 world units: 0.6 to the left.
  EXPECT_EQ(during, "-1.8..0.6");
  EXPECT_EQ(after, "-1.8..0.6");
  EXPECT_EQ(Range(form->Plotwell1->Scale1Y()), "-1.2..1.2");
  EXPECT_EQ(Range(form->Plotwell2->Scale1X()), "-3..3") << "the other chart does not move";
  EXPECT_GT(scope.ws().PaintCount(), paintsBefore);
}

}  // namespace
}  // namespace korvo
