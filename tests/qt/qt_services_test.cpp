// The clipboard, message boxes and the event loop on Qt.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "platform/framework/Application.h"
#include "qt/qt_fixture.h"

namespace korvo::qttest {
namespace {

TEST(QtClipboard, ImageRoundTripsThroughTheSystemClipboard) {
  Clipboard()->Clear();
  EXPECT_FALSE(Clipboard()->HasBitmap());
  TBitmap empty;
  EXPECT_FALSE(Clipboard()->GetBitmap(empty));

  TBitmap picture(7, 5);
  picture.Canvas()->Brush()->SetColor(clTeal);
  picture.Canvas()->FillRect(TRect{0, 0, 7, 5});
  picture.Canvas()->SetPixel(0, 0, clRed);
  picture.Canvas()->SetPixel(6, 4, TColor(0x123456));
  Clipboard()->Assign(picture);
  picture.Canvas()->SetPixel(3, 3, clBlack);  // the clipboard holds a copy
  ASSERT_TRUE(Clipboard()->HasBitmap());
  EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(7, 5)) << "what other programs see";

  TBitmap back;
  back.Assign(*Clipboard());
  ASSERT_EQ(back.Width(), 7);
  ASSERT_EQ(back.Height(), 5);
  EXPECT_EQ(back.Canvas()->Pixel(0, 0), clRed);
  EXPECT_EQ(back.Canvas()->Pixel(6, 4), TColor(0x123456));
  EXPECT_EQ(back.Canvas()->Pixel(3, 3), clTeal);

  // An image another program put there, half transparent: composed onto
  // white.
  QImage foreign(2, 1, QImage::Format_ARGB32);
  foreign.setPixel(0, 0, qRgba(0, 0, 0, 0));
  foreign.setPixel(1, 0, qRgba(0, 0, 255, 128));
  QGuiApplication::clipboard()->setImage(foreign);
  ASSERT_TRUE(Clipboard()->GetBitmap(back));
  EXPECT_EQ(back.Canvas()->Pixel(0, 0), clWhite);
  const TColor half = back.Canvas()->Pixel(1, 0);
  EXPECT_EQ(half & 0xFF, 127);           // red: 255 * (1 - 128/255)
  EXPECT_EQ((half >> 16) & 0xFF, 255);  // blue
  Clipboard()->Clear();
  EXPECT_FALSE(Clipboard()->HasBitmap());
}

// Answers the next modal message box with `button` once it shows, and
// notes what it showed.
struct TAnswer {
  QMessageBox::StandardButton Button = QMessageBox::NoButton;  // NoButton: close the box
  QString Title, Text;
  QMessageBox::Icon Icon = QMessageBox::NoIcon;
  QList<QMessageBox::StandardButton> Offered;
};

void AnswerNextBox(TAnswer* answer) {
  auto* timer = new QTimer;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, answer] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    timer->stop();
    timer->deleteLater();
    answer->Title = box->windowTitle();
    answer->Text = box->text();
    answer->Icon = box->icon();
    for (QAbstractButton* b : box->buttons()) answer->Offered.push_back(box->standardButton(b));
    std::sort(answer->Offered.begin(), answer->Offered.end());
    if (answer->Button == QMessageBox::NoButton) {
      box->close();
    } else {
      box->button(answer->Button)->click();
    }
  });
  timer->start();
}

TEST(QtMessageBox, ButtonsAndIconFollowTheFlagsAndTheAnswerIsTheButtonPressed) {
  TAnswer ok;
  ok.Button = QMessageBox::Ok;
  AnswerNextBox(&ok);
  EXPECT_EQ(Application()->MessageBox("Four charts share it already", "PLW2WIN", MB_OK | MB_ICONINFORMATION), IDOK);
  EXPECT_EQ(ok.Title, "PLW2WIN");
  EXPECT_EQ(ok.Text, "Four charts share it already");
  EXPECT_EQ(ok.Icon, QMessageBox::Information);
  EXPECT_EQ(ok.Offered, QList<QMessageBox::StandardButton>{QMessageBox::Ok});

  TAnswer no;
  no.Button = QMessageBox::No;
  AnswerNextBox(&no);
  EXPECT_EQ(WindowSystem()->MessageBox("Replace?", "Q", MB_YESNO | MB_ICONQUESTION), IDNO);
  EXPECT_EQ(no.Icon, QMessageBox::Question);
  EXPECT_EQ(no.Offered, (QList<QMessageBox::StandardButton>{QMessageBox::Yes, QMessageBox::No}));

  TAnswer yes;
  yes.Button = QMessageBox::Yes;
  AnswerNextBox(&yes);
  EXPECT_EQ(WindowSystem()->MessageBox("Save?", "Q", MB_YESNOCANCEL | MB_ICONWARNING), IDYES);
  EXPECT_EQ(yes.Icon, QMessageBox::Warning);
  EXPECT_EQ(yes.Offered.size(), 3);

  // Closing the box: Cancel where there is one.
  TAnswer closed;
  AnswerNextBox(&closed);
  EXPECT_EQ(WindowSystem()->MessageBox("Go on?", "Q", MB_OKCANCEL | MB_ICONERROR), IDCANCEL);
  EXPECT_EQ(closed.Icon, QMessageBox::Critical);
  TAnswer closed_ok;
  AnswerNextBox(&closed_ok);
  EXPECT_EQ(WindowSystem()->MessageBox("Done", "", MB_OK), IDOK);
  EXPECT_EQ(closed_ok.Icon, QMessageBox::NoIcon);
}

TEST(QtEventLoop, ProcessMessagesRunsPostedWorkAndThePaintsItAsksFor) {
  std::unique_ptr<TForm> form(ShowForm(100, 80));
  auto* probe = new TProbe(form.get());
  probe->SetBounds(0, 0, 50, 40);
  probe->SetParent(form.get());
  ASSERT_TRUE(ProcessUntil([&] { return probe->Paints > 0; }));
  const int paints = probe->Paints;
  std::vector<int> ran;
  WindowSystem()->PostWork([&] {
    ran.push_back(1);
    probe->Fill = clOlive;
    probe->Invalidate();
    // Work posted by work runs at the next turn, so a task that posts
    // itself again cannot hold ProcessMessages.
    WindowSystem()->PostWork([&] { ran.push_back(3); });
  });
  WindowSystem()->PostWork([&] { ran.push_back(2); });
  EXPECT_TRUE(ran.empty()) << "posted work waits for the event loop";
  WindowSystem()->ProcessMessages();
  EXPECT_EQ(ran, (std::vector<int>{1, 2}));
  EXPECT_EQ(probe->Paints, paints + 1) << "the paint the work asked for was made in the same turn";
  EXPECT_EQ(ShownPixel(WidgetOf(probe), 20, 20), clOlive);
  WindowSystem()->ProcessMessages();
  EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));

  // An exception from posted work reaches the application's handler.
  HandledExceptions().clear();
  WindowSystem()->PostWork([] { throw Exception("posted work failed"); });
  WindowSystem()->ProcessMessages();
  ASSERT_EQ(HandledExceptions().size(), 1u);
  EXPECT_EQ(HandledExceptions()[0], "posted work failed");
}

TEST(QtEventLoop, RunLoopWaitsForEventsUntilTerminatedAndReturnsWithNothingToWaitFor) {
  // No window and no work: nothing can happen.
  bool never = false;
  WindowSystem()->RunLoop([&] { return never; });

  std::unique_ptr<TForm> form(ShowForm(100, 80));
  bool done = false;
  int ticks = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] {
    if (++ticks == 3) {
      done = true;
      WindowSystem()->WakeUp();
    }
  });
  timer.start(2);
  WindowSystem()->RunLoop([&] { return done; });
  EXPECT_EQ(ticks, 3) << "the loop waited for the timer, then stopped when told";

  // Hiding the last window ends a loop that nobody terminates.
  QTimer::singleShot(5, [&] { form->Hide(); });
  WindowSystem()->RunLoop([&] { return never; });
  EXPECT_FALSE(WidgetOf(form.get())->isVisible());
}

TEST(QtEventLoop, ClosingTheMainFormEndsTheProgramsRun) {
  TForm* main_form = Application()->CreateForm<TForm>();
  ASSERT_EQ(Application()->MainForm(), main_form) << "run this test in a program of its own";
  main_form->SetBounds(10, 10, 200, 150);
  auto* button = new TButton(main_form);
  button->SetParent(main_form);
  bool shown = false;
  main_form->OnShow = [&](TObject*) { shown = true; };
  QTimer::singleShot(10, [&] { WidgetOf(main_form)->close(); });
  Application()->Run();
  EXPECT_TRUE(shown);
  EXPECT_TRUE(Application()->Terminated());
  EXPECT_FALSE(WidgetOf(main_form)->isVisible());
  // The program destroys its forms before the window system goes.
  Application()->DestroyComponents();
  WindowSystem()->ProcessMessages();
}

}  // namespace
}  // namespace korvo::qttest
