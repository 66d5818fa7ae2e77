// Windows and painting: when controls get their windows, surfaces that
// follow SetBounds, painting after Invalidate at the next ProcessMessages,
// graphic controls drawn onto their parent, and whole forms rendered into
// one bitmap.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form_test_classes.h"
#include "support/TestSupport.h"

namespace korvo::test {
namespace {

TColor At(const TBitmap& bmp, int x, int y) { return PixelToColor(bmp.ScanLine(y)[x]); }

TEST(Windows, ShowingAFormCreatesEveryWindowOnceParentsFirst) {
  THeadlessScope scope;
  TForm form(nullptr);
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  auto* g1 = new TGauge(&form);
  g1->SetName("G1");
  g1->SetParent(panel);
  auto* g2 = new TGauge(&form);
  g2->SetName("G2");
  g2->SetParent(&form);
  EXPECT_FALSE(g1->HandleAllocated());
  form.Show();
  EXPECT_TRUE(form.HandleAllocated());
  EXPECT_TRUE(panel->HandleAllocated());
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"CreateWnd G1", "CreateWnd G2"}));
  const auto* state = scope.ws().Window(&form);
  ASSERT_NE(state, nullptr);
  EXPECT_EQ(state->Class, TWindowClass::wcForm);
  EXPECT_TRUE(state->Visible);
  EXPECT_EQ(scope.ws().Window(panel)->Class, TWindowClass::wcCustom);
  form.Hide();
  form.Show();
  EXPECT_EQ(g1->CreateWndCount, 1) << "hiding keeps the windows";
  // A control parented under a shown form gets its window at once.
  auto* g3 = new TGauge(&form);
  g3->SetParent(&form);
  EXPECT_TRUE(g3->HandleAllocated());
  EXPECT_EQ(scope.ws().WindowCount(), 5);
}

TEST(Windows, WindowStateFollowsTheControl) {
  THeadlessScope scope;
  TForm form(nullptr);
  auto* b = new TButton(&form);
  b->SetParent(&form);
  b->HandleNeeded();
  EXPECT_TRUE(form.HandleAllocated()) << "HandleNeeded creates the parents' windows first";
  const auto* s = scope.ws().Window(b);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->Class, TWindowClass::wcButton);
  b->SetCaption("Go");
  b->SetEnabled(false);
  b->SetBounds(5, 6, 70, 20);
  b->SetCursor(crHandPoint);
  b->SetHint("press");
  b->SetShowHint(true);
  EXPECT_EQ(s->Text, "Go");
  EXPECT_FALSE(s->Enabled);
  EXPECT_EQ(s->Bounds, Rect(5, 6, 75, 26));
  EXPECT_EQ(s->Cursor, crHandPoint);
  EXPECT_EQ(s->Hint, "press");
  form.SetCaption("Title");
  EXPECT_EQ(scope.ws().Window(&form)->Text, "Title");
  b->SetParent(nullptr);
  EXPECT_EQ(scope.ws().Window(b), nullptr) << "taken off its parent, the button loses its window";
  delete b;
}

TEST(Painting, InvalidatePaintsAtTheNextProcessMessages) {
  THeadlessScope scope;
  TForm form(nullptr);
  auto* g = new TGauge(&form);
  g->SetParent(&form);
  g->SetBounds(0, 0, 30, 20);
  g->Invalidate();
  scope.ws().ProcessMessages();
  EXPECT_EQ(g->PaintCount, 0) << "no window, no paint";
  form.Show();
  scope.ws().ProcessMessages();
  EXPECT_EQ(g->PaintCount, 1) << "a new window is painted once";
  scope.ws().ProcessMessages();
  EXPECT_EQ(g->PaintCount, 1);
  g->SetForeColor(clRed);  // invalidates
  g->Invalidate();
  EXPECT_TRUE(g->PaintPending());
  EXPECT_EQ(g->PaintCount, 1) << "invalidating does not paint";
  scope.ws().ProcessMessages();
  EXPECT_EQ(g->PaintCount, 2) << "two invalidations, one paint";
  EXPECT_EQ(At(*g->Surface(), 29, 19), clRed);
  g->Update();
  EXPECT_EQ(g->PaintCount, 2) << "Update paints only what waits";
  g->Repaint();
  EXPECT_EQ(g->PaintCount, 3) << "Repaint paints now";
}

TEST(Painting, SurfaceFollowsSetBoundsAndResizingRepaints) {
  THeadlessScope scope;
  TForm form(nullptr);
  auto* g = new TGauge(&form);
  g->SetParent(&form);
  form.Show();
  scope.ws().ProcessMessages();
  const int before = g->PaintCount;
  g->SetBounds(3, 4, 64, 48);
  EXPECT_EQ(g->Surface()->Width(), 64);
  EXPECT_EQ(g->Surface()->Height(), 48);
  EXPECT_EQ(g->Canvas()->Surface().Width, 64) << "the canvas draws into the resized surface";
  g->SetBounds(10, 10, 64, 48);
  scope.ws().ProcessMessages();
  EXPECT_EQ(g->PaintCount, before + 1) << "a resize repaints; a move does not add a paint";
  g->SetBounds(10, 10, 65, 48);
  g->SetBounds(10, 10, 66, 48);
  scope.ws().ProcessMessages();
  EXPECT_EQ(g->PaintCount, before + 2);
}

TEST(Painting, DestroyedControlIsNotPaintedAndRunLoopEnds) {
  THeadlessScope scope;
  TForm form(nullptr);
  auto* g = new TGauge(&form);
  g->SetParent(&form);
  form.Show();
  EXPECT_GT(scope.ws().PendingPaints(), 0);
  delete g;
  scope.ws().RunLoop([] { return false; });  // returns once nothing is left to do
  EXPECT_EQ(scope.ws().PendingPaints(), 0);
}

TEST(Painting, ExceptionInPaintGoesToTheApplication) {
  class TFailing : public TCustomControl {
   public:
    using TCustomControl::TCustomControl;

   protected:
    void Paint() override { throw Exception("cannot paint"); }
  };
  THeadlessScope scope;
  TForm form(nullptr);
  auto* f = new TFailing(&form);
  f->SetParent(&form);
  form.Show();
  scope.ws().ProcessMessages();
  ASSERT_EQ(scope.ws().MessageBoxes().size(), 1u);
  EXPECT_EQ(scope.ws().MessageBoxes()[0].Text, "cannot paint");
  EXPECT_EQ(scope.ws().MessageBoxes()[0].Flags, MB_OK | MB_ICONSTOP);
  EXPECT_FALSE(f->PaintPending());
}

TEST(Rendering, FormComposesBackgroundGraphicControlsAndWindows) {
  THeadlessScope scope;
  TForm form(nullptr);
  form.SetClientWidth(60);
  form.SetClientHeight(40);
  form.SetColor(clWhite);
  auto* bevel = new TBevel(&form);
  bevel->SetParent(&form);
  bevel->SetBounds(2, 2, 20, 10);
  bevel->SetStyle(TBevelStyle::bsRaised);
  auto* g = new TGauge(&form);
  g->SetParent(&form);
  g->SetBounds(30, 20, 50, 10);  // partly outside the form: clipped
  g->SetForeColor(clBlue);
  TBitmap bmp;
  form.RenderToBitmap(bmp);
  ASSERT_EQ(bmp.Width(), 60);
  ASSERT_EQ(bmp.Height(), 40);
  const TColor hi = ColorToRGB(clBtnHighlight), sh = ColorToRGB(clBtnShadow);
  // A raised box: top-left edges highlight, bottom-right edges shadow.
  EXPECT_EQ(At(bmp, 2, 2), hi);
  EXPECT_EQ(At(bmp, 20, 2), hi);
  EXPECT_EQ(At(bmp, 21, 2), sh) << "the top-right corner pixel belongs to the shadow";
  EXPECT_EQ(At(bmp, 2, 11), sh);
  EXPECT_EQ(At(bmp, 21, 11), sh);
  EXPECT_EQ(At(bmp, 10, 6), clWhite) << "a bevel paints only its lines";
  EXPECT_EQ(At(bmp, 1, 1), clWhite);
  EXPECT_EQ(At(bmp, 30, 20), clBlue);
  EXPECT_EQ(At(bmp, 59, 29), clBlue);
  EXPECT_EQ(At(bmp, 59, 30), clWhite);
  EXPECT_EQ(At(bmp, 29, 20), clWhite);
}

TEST(Rendering, ChildrenAreClippedToTheirParent) {
  THeadlessScope scope;
  TPanel panel(nullptr);
  panel.SetBounds(0, 0, 20, 20);
  panel.SetBevelOuter(TBevelCut::bvNone);
  panel.SetColor(clYellow);
  auto* g = new TGauge(&panel);
  g->SetParent(&panel);
  g->SetBounds(10, -5, 30, 10);
  g->SetForeColor(clNavy);
  TBitmap target(40, 40);
  Fill(target, clBlack);
  panel.PaintTo(target, 5, 5);
  EXPECT_EQ(At(target, 15, 5), clNavy);
  EXPECT_EQ(At(target, 24, 9), clNavy);
  EXPECT_EQ(At(target, 25, 5), clBlack) << "beyond the panel's right edge";
  EXPECT_EQ(At(target, 15, 10), clYellow);
  EXPECT_EQ(At(target, 5, 4), clBlack);
}

TEST(Rendering, PanelBevelsAndCaption) {
  THeadlessScope scope;
  TPanel p(nullptr);
  p.SetBounds(0, 0, 40, 30);
  p.SetBevelInner(TBevelCut::bvLowered);
  p.SetBevelWidth(2);
  TBitmap bmp(40, 30);
  p.PaintTo(bmp, 0, 0);
  const TColor hi = ColorToRGB(clBtnHighlight), sh = ColorToRGB(clBtnShadow), face = ColorToRGB(clBtnFace);
  EXPECT_EQ(At(bmp, 0, 0), hi) << "raised outer bevel";
  EXPECT_EQ(At(bmp, 1, 1), hi);
  EXPECT_EQ(At(bmp, 39, 29), sh);
  EXPECT_EQ(At(bmp, 2, 2), sh) << "lowered inner bevel, inside the outer one";
  EXPECT_EQ(At(bmp, 37, 27), hi);
  EXPECT_EQ(At(bmp, 4, 4), face);
  EXPECT_EQ(p.ClientWidth(), 40);
  p.SetCaption("W");
  TBitmap with_caption(40, 30);
  p.PaintTo(with_caption, 0, 0);
  EXPECT_GT(CountDifferentPixels(bmp, with_caption), 0) << "the caption is drawn";
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) {
      if (At(bmp, x, y) != At(with_caption, x, y)) {
        EXPECT_TRUE(x >= 10 && x < 30 && y >= 5 && y < 25) << "caption pixel far from the centre at " << x << "," << y;
      }
    }
  }
}

TEST(Rendering, ButtonFaceAndDisabledCaption) {
  THeadlessScope scope;
  TForm form(nullptr);
  form.SetClientWidth(80);
  form.SetClientHeight(30);
  auto* b = new TButton(&form);
  b->SetParent(&form);
  b->SetBounds(0, 0, 80, 30);
  b->SetCaption("OK");
  TBitmap enabled, disabled;
  form.RenderToBitmap(enabled);
  EXPECT_EQ(At(enabled, 0, 0), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(At(enabled, 79, 29), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(At(enabled, 78, 28), ColorToRGB(clBtnShadow));
  EXPECT_EQ(At(enabled, 3, 3), ColorToRGB(clBtnFace));
  b->SetEnabled(false);
  form.RenderToBitmap(disabled);
  EXPECT_GT(CountDifferentPixels(enabled, disabled), 0) << "a disabled caption looks different";
  b->SetCaption("");
  TBitmap blank;
  form.RenderToBitmap(blank);
  EXPECT_EQ(CountPixels(blank, ColorToRGB(clBtnFace)), 76 * 26);
}

TEST(Rendering, DirectCanvasDrawingIsPresented) {
  THeadlessScope scope;
  TForm form(nullptr);
  auto* g = new TGauge(&form);
  g->SetParent(&form);
  form.Show();
  scope.ws().ProcessMessages();
  g->Canvas()->SetPixel(1, 1, clLime);  // outside Paint
  EXPECT_EQ(At(*g->Surface(), 1, 1), clLime);
  TBitmap bmp;
  form.RenderToBitmap(bmp);
  EXPECT_EQ(At(bmp, 1, 1), clLime) << "what was drawn directly shows until the next paint";
}

}  // namespace
}  // namespace korvo::test
