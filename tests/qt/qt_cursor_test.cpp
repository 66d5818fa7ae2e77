// Cursors: the program's four cursor images, the registry that finds them
// by name, Qt cursors built from them, standard shapes, the screen cursor
// and a control's own cursor.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <memory>

#include "platform/framework/Application.h"
#include "platform/framework/CursorResources.h"
#include "qt/qt_fixture.h"

namespace korvo::qttest {
namespace {

TEST(CursorResources, ThePlotwellCursorsAreRegisteredWithTheirHotSpots) {
  struct TExpected {
    const char* Name;
    TPoint HotSpot;
  };
  for (const TExpected& e : {TExpected{"CURHAND", {12, 3}}, TExpected{"CURZOOMW", {7, 9}},
                             TExpected{"CURZOOMD", {15, 15}}, TExpected{"CURZOOMP", {7, 8}}}) {
    SCOPED_TRACE(e.Name);
    const TCursorImage* image = FindCursorResource(e.Name);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Width, 32);
    EXPECT_EQ(image->Height, 32);
    EXPECT_EQ(image->HotSpot, e.HotSpot);
    int counts[3] = {0, 0, 0};
    for (const TCursorPixel p : image->Pixels) ++counts[int(p)];
    EXPECT_GT(counts[int(TCursorPixel::cpTransparent)], 0);
    EXPECT_GT(counts[int(TCursorPixel::cpBlack)], 0);
    EXPECT_GT(counts[int(TCursorPixel::cpWhite)], 0);
    // The pixel that points is part of the drawing.
    EXPECT_NE(image->At(e.HotSpot.X, e.HotSpot.Y), TCursorPixel::cpTransparent);
  }
  EXPECT_EQ(FindCursorResource("curhand"), FindCursorResource("CURHAND")) << "names without regard to case";
  EXPECT_EQ(FindCursorResource("CURNONE"), nullptr);
}

TEST(CursorResources, ArtIsCheckedAndRegisteringAgainReplacesInPlace) {
  const TCursorImage image = CursorImageFromArt({"#o.", ".o#"}, TPoint{2, 1});
  EXPECT_EQ(image.Width, 3);
  EXPECT_EQ(image.Height, 2);
  EXPECT_EQ(image.At(0, 0), TCursorPixel::cpBlack);
  EXPECT_EQ(image.At(1, 0), TCursorPixel::cpWhite);
  EXPECT_EQ(image.At(2, 0), TCursorPixel::cpTransparent);
  EXPECT_EQ(image.At(2, 1), TCursorPixel::cpBlack);
  EXPECT_THROW(CursorImageFromArt({"##", "#"}, TPoint{0, 0}), EConvertError) << "ragged rows";
  EXPECT_THROW(CursorImageFromArt({"#x"}, TPoint{0, 0}), EConvertError) << "not a pixel";
  EXPECT_THROW(CursorImageFromArt({"##"}, TPoint{2, 0}), EConvertError) << "hot spot outside";
  EXPECT_THROW(CursorImageFromArt({}, TPoint{0, 0}), EConvertError);
  TCursorImage short_pixels = image;
  short_pixels.Pixels.pop_back();
  EXPECT_THROW(RegisterCursorResource("TESTCUR", short_pixels), EConvertError);
  EXPECT_EQ(FindCursorResource("TESTCUR"), nullptr) << "a failed registration registers nothing";

  RegisterCursorResource("TESTCUR", image);
  const TCursorImage* first = FindCursorResource("TESTCUR");
  ASSERT_NE(first, nullptr);
  RegisterCursorResource("testcur", CursorImageFromArt({"o"}, TPoint{0, 0}));
  EXPECT_EQ(FindCursorResource("TESTCUR"), first) << "the same entry, now the new image";
  EXPECT_EQ(first->Width, 1);
}

TEST(QtCursors, ProgramCursorsAreBuiltFromTheirImagesAndStandardOnesAreQtShapes) {
  TQtWindowSystem* qt = Qt();
  const TCursorHandle hand = qt->LoadCursor("CURHAND");
  ASSERT_NE(hand, 0u);
  EXPECT_EQ(qt->LoadCursor("curhand"), hand) << "the same handle every time";
  EXPECT_EQ(qt->LoadCursor("CURNONE"), 0u);
  EXPECT_EQ(qt->LoadCursor(""), 0u);
  const QCursor* c = qt->Cursor(hand);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->hotSpot(), QPoint(12, 3));
  const QImage pixels = c->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(pixels.size(), QSize(32, 32));
  const TCursorImage* image = FindCursorResource("CURHAND");
  int mismatches = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const QRgb p = pixels.pixel(x, y);
      const TCursorPixel want = image->At(x, y);
      const bool ok = want == TCursorPixel::cpTransparent ? qAlpha(p) == 0
                      : want == TCursorPixel::cpBlack     ? p == qRgba(0, 0, 0, 255)
                                                          : p == qRgba(255, 255, 255, 255);
      mismatches += ok ? 0 : 1;
    }
  }
  EXPECT_EQ(mismatches, 0);
  for (const char* name : {"CURZOOMW", "CURZOOMD", "CURZOOMP"}) {
    const TCursorHandle h = qt->LoadCursor(name);
    ASSERT_NE(h, 0u) << name;
    EXPECT_NE(h, hand);
    const TPoint hot = FindCursorResource(name)->HotSpot;
    EXPECT_EQ(qt->Cursor(h)->hotSpot(), QPoint(hot.X, hot.Y));
  }

  const TCursorHandle cross = qt->StandardCursor(crCross);
  EXPECT_EQ(qt->StandardCursor(crCross), cross);
  EXPECT_EQ(qt->Cursor(cross)->shape(), Qt::CrossCursor);
  EXPECT_EQ(qt->Cursor(qt->StandardCursor(crHandPoint))->shape(), Qt::PointingHandCursor);
  EXPECT_EQ(qt->Cursor(qt->StandardCursor(crSizeWE))->shape(), Qt::SizeHorCursor);
  EXPECT_EQ(qt->Cursor(qt->StandardCursor(crHourGlass))->shape(), Qt::WaitCursor);
  EXPECT_EQ(qt->Cursor(Screen()->Cursors(42))->shape(), Qt::ArrowCursor) << "an empty entry is the arrow";
  EXPECT_EQ(qt->Cursor(0), nullptr);
  EXPECT_EQ(qt->Cursor(100000), nullptr);
}

TEST(QtCursors, TheScreenCursorOverridesEveryControlUntilItIsTheDefaultAgain) {
  TQtWindowSystem* qt = Qt();
  Screen()->SetCursors(1, qt->LoadCursor("CURHAND"));
  Screen()->SetCursor(1);
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->hotSpot(), QPoint(12, 3));
  // Set at every mouse move: the same cursor again stacks nothing.
  Screen()->SetCursor(1);
  Screen()->SetCursor(crCross);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
  Screen()->SetCursor(crDefault);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "one restore undoes it all";
  EXPECT_EQ(qt->ScreenCursor(), 0u);

  // A control's own cursor, standard or the program's.
  std::unique_ptr<TForm> form(ShowForm(100, 80));
  auto* probe = new TProbe(form.get());
  probe->SetBounds(0, 0, 40, 40);
  probe->SetCursor(crHandPoint);
  probe->SetParent(form.get());
  QWidget* w = WidgetOf(probe);
  EXPECT_EQ(w->cursor().shape(), Qt::PointingHandCursor) << "the cursor the window was made with";
  Screen()->SetCursors(2, qt->LoadCursor("CURZOOMW"));
  probe->SetCursor(2);
  EXPECT_EQ(w->cursor().hotSpot(), QPoint(7, 9));
  probe->SetCursor(crDefault);
  EXPECT_FALSE(w->testAttribute(Qt::WA_SetCursor)) << "the default cursor is the parent's";
  Screen()->SetCursors(1, 0);
  Screen()->SetCursors(2, 0);
}

}  // namespace
}  // namespace korvo::qttest
