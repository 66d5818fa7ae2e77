// The repaint protocol on real widgets: a paint reaches the control's Paint
// and the widget shows the surface's pixels; drawing outside a paint is
// shown without painting; an exception from a paint is handled after it.
#include <gtest/gtest.h>

#include <QWidget>
#include <memory>

#include "qt/qt_fixture.h"

namespace korvo::qttest {
namespace {

TEST(QtPaint, ShownFormPaintsItsControlsAndTheWidgetsShowTheSurfaces) {
  std::unique_ptr<TForm> form(ShowForm(200, 150));
  form->SetColor(clWhite);
  auto* probe = new TProbe(form.get());
  probe->SetBounds(20, 30, 100, 50);
  probe->Fill = clRed;
  auto* graphic = new TGraphicProbe(form.get());
  graphic->SetBounds(150, 10, 20, 20);
  probe->SetParent(form.get());
  graphic->SetParent(form.get());
  ASSERT_TRUE(ProcessUntil([&] { return probe->Paints > 0 && !form->PaintPending(); }));
  EXPECT_FALSE(probe->PaintPending());

  QWidget* w = WidgetOf(probe);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->geometry(), QRect(20, 30, 100, 50));
  EXPECT_EQ(ShownPixel(w, 0, 0), clLime) << "the surface's top-left pixel is the widget's";
  EXPECT_EQ(ShownPixel(w, 99, 49), clRed);
  // The form's picture: its colour, the graphic child drawn into its
  // surface, the custom control's widget on top.
  QWidget* fw = WidgetOf(form.get());
  EXPECT_EQ(fw->size(), QSize(200, 150));
  EXPECT_EQ(ShownPixel(fw, 5, 5), clWhite);
  EXPECT_EQ(ShownPixel(fw, 150, 10), clBlue);
  EXPECT_EQ(ShownPixel(fw, 169, 29), clBlue);
  EXPECT_EQ(ShownPixel(fw, 170, 30), clWhite);
  EXPECT_EQ(ShownPixel(fw, 20, 30), clLime);
  EXPECT_EQ(ShownPixel(fw, 119, 79), clRed);
}

TEST(QtPaint, InvalidatePaintsOnceAtTheNextTurnAndNotBefore) {
  std::unique_ptr<TForm> form(ShowForm(120, 90));
  auto* probe = new TProbe(form.get());
  probe->SetBounds(0, 0, 60, 40);
  probe->SetParent(form.get());
  ASSERT_TRUE(ProcessUntil([&] { return probe->Paints > 0; }));
  const int before = probe->Paints;
  probe->Fill = clYellow;
  probe->Invalidate();
  probe->Invalidate();
  EXPECT_EQ(probe->Paints, before) << "Invalidate paints later, not at once";
  EXPECT_TRUE(probe->PaintPending());
  WindowSystem()->ProcessMessages();
  EXPECT_EQ(probe->Paints, before + 1) << "one turn paints, and two requests make one paint";
  EXPECT_FALSE(probe->PaintPending());
  EXPECT_EQ(ShownPixel(WidgetOf(probe), 30, 20), clYellow);
  // With nothing pending, another turn paints nothing.
  WindowSystem()->ProcessMessages();
  EXPECT_EQ(probe->Paints, before + 1);
}

TEST(QtPaint, DrawingOutsideAPaintIsShownWithoutPaintingEveryTime) {
  std::unique_ptr<TForm> form(ShowForm(120, 90));
  auto* probe = new TProbe(form.get());
  probe->SetBounds(0, 0, 60, 40);
  probe->SetParent(form.get());
  ASSERT_TRUE(ProcessUntil([&] { return probe->Paints > 0; }));
  const int paints = probe->Paints;
  QWidget* w = WidgetOf(probe);
  // Twice: the second drawing is shown only if the first one's showing was
  // reported back (SurfacePresented), or the framework never asks again.
  for (const TColor color : {clGreen, clNavy}) {
    probe->Canvas()->SetPixel(10, 10, color);
    EXPECT_NE(ShownPixel(w, 10, 10), color) << "shown at the next turn";
    WindowSystem()->ProcessMessages();
    EXPECT_EQ(ShownPixel(w, 10, 10), color);
  }
  EXPECT_EQ(probe->Paints, paints) << "a drawing is shown as it is, not painted over";
}

TEST(QtPaint, HiddenControlPaintsWhenShownAndAPaintErrorIsHandledAfterThePaint) {
  std::unique_ptr<TForm> form(ShowForm(120, 90));
  auto* probe = new TProbe(form.get());
  probe->SetBounds(0, 0, 60, 40);
  probe->SetVisible(false);
  probe->SetParent(form.get());
  for (int i = 0; i < 3; ++i) WindowSystem()->ProcessMessages();
  EXPECT_EQ(probe->Paints, 0) << "nothing to show, nothing painted";
  EXPECT_TRUE(probe->PaintPending());

  HandledExceptions().clear();
  probe->OnPainted = [] { throw Exception("paint failed"); };
  probe->SetVisible(true);
  ASSERT_TRUE(ProcessUntil([&] { return !HandledExceptions().empty(); }));
  EXPECT_EQ(probe->Paints, 1);
  ASSERT_EQ(HandledExceptions().size(), 1u);
  EXPECT_EQ(HandledExceptions()[0], "paint failed");
  EXPECT_EQ(ShownPixel(WidgetOf(probe), 5, 5), clRed) << "what was painted before the error is shown";
  probe->OnPainted = nullptr;
}

TEST(QtPaint, ResizedControlShowsTheResizedSurface) {
  std::unique_ptr<TForm> form(ShowForm(300, 200));
  auto* probe = new TProbe(form.get());
  probe->SetBounds(10, 10, 50, 40);
  probe->SetParent(form.get());
  ASSERT_TRUE(ProcessUntil([&] { return probe->Paints > 0; }));
  probe->Fill = clFuchsia;
  probe->SetBounds(5, 6, 200, 150);
  QWidget* w = WidgetOf(probe);
  EXPECT_EQ(w->geometry(), QRect(5, 6, 200, 150));
  ASSERT_TRUE(ProcessUntil([&] { return !probe->PaintPending(); }));
  EXPECT_EQ(ShownPixel(w, 199, 149), clFuchsia);
  EXPECT_EQ(ShownPixel(w, 0, 0), clLime);
}

}  // namespace
}  // namespace korvo::qttest
