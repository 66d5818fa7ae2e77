// The program-wide services on the headless window system: clipboard,
// message boxes, the screen's cursor table and cursor, the event loop and
// closing forms.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form_test_classes.h"
#include "support/TestSupport.h"

namespace korvo::test {
namespace {

TEST(Clipboard, KeepsACopyOfTheLastBitmap) {
  THeadlessScope scope;
  EXPECT_FALSE(Clipboard()->HasBitmap());
  TBitmap bmp(3, 2);
  Fill(bmp, clRed);
  Clipboard()->Assign(bmp);
  Fill(bmp, clBlue);  // the clipboard holds a copy
  ASSERT_TRUE(Clipboard()->HasBitmap());
  ASSERT_NE(scope.ws().ClipboardBitmap(), nullptr);
  EXPECT_EQ(CountPixels(*scope.ws().ClipboardBitmap(), clRed), 6);
  TBitmap back;
  back.Assign(*Clipboard());
  EXPECT_EQ(back.Width(), 3);
  EXPECT_EQ(CountPixels(back, clRed), 6);
  Clipboard()->Clear();
  EXPECT_FALSE(Clipboard()->HasBitmap());
  EXPECT_THROW(back.Assign(*Clipboard()), EConvertError) << "an empty clipboard has no bitmap to give";
  TFont font;
  EXPECT_THROW(Clipboard()->Assign(font), EConvertError) << "only bitmaps go on the clipboard";
}

TEST(MessageBoxes, AreRecordedAndAnswered) {
  THeadlessScope scope;
  Application()->SetTitle("PLW2WIN");
  EXPECT_EQ(Application()->MessageBox("Cannot share", "Plotwell", MB_OK | MB_ICONINFORMATION), IDOK);
  EXPECT_EQ(Application()->MessageBox("Sure?", "Q", MB_YESNO), IDYES) << "the first button by default";
  scope.ws().QueueMessageBoxAnswer(IDNO);
  EXPECT_EQ(Application()->MessageBox("Really?", "Q", MB_YESNO), IDNO);
  const auto& boxes = scope.ws().MessageBoxes();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].Text, "Cannot share");
  EXPECT_EQ(boxes[0].Caption, "Plotwell");
  EXPECT_EQ(boxes[0].Flags, MB_OK | MB_ICONINFORMATION);
  EXPECT_EQ(boxes[2].Answer, IDNO);
  scope.ws().ClearMessageBoxes();
  EXPECT_TRUE(scope.ws().MessageBoxes().empty());
}

TEST(MessageBoxes, EscapedExceptionsAreShownUnlessOnExceptionTakesThem) {
  THeadlessScope scope;
  Application()->SetTitle("Demo");
  Application()->PostWork([] { throw Exception("it failed"); });
  Application()->ProcessMessages();
  ASSERT_EQ(scope.ws().MessageBoxes().size(), 1u);
  EXPECT_EQ(scope.ws().MessageBoxes()[0].Text, "it failed");
  EXPECT_EQ(scope.ws().MessageBoxes()[0].Caption, "Demo");
  std::string seen;
  Application()->OnException = [&](TObject*, const std::exception& e) { seen = e.what(); };
  Application()->PostWork([] { throw Exception("again"); });
  Application()->ProcessMessages();
  Application()->OnException = nullptr;
  EXPECT_EQ(seen, "again");
  EXPECT_EQ(scope.ws().MessageBoxes().size(), 1u);
}

TEST(Cursors, TableHoldsStandardAndRegisteredCursors) {
  THeadlessScope scope;
  THeadlessWindowSystem& ws = scope.ws();
  EXPECT_EQ(ws.CursorName(Screen()->Cursors(crCross)), "crCross");
  EXPECT_EQ(ws.CursorName(Screen()->Cursors(crHandPoint)), "crHandPoint");
  EXPECT_EQ(ws.CursorName(Screen()->Cursors(7)), "crArrow") << "an empty entry gives the arrow";
  const TCursorHandle hand = ws.LoadCursor("CURHAND");
  ASSERT_NE(hand, 0u);
  EXPECT_EQ(ws.LoadCursor(""), 0u);
  Screen()->SetCursors(1, hand);
  EXPECT_EQ(Screen()->Cursors(1), hand);
  Screen()->SetCursors(1, ws.LoadCursor("CURZOOMW"));
  EXPECT_EQ(ws.CursorName(Screen()->Cursors(1)), "CURZOOMW") << "registering again replaces";
  Screen()->SetCursors(crCross, hand);
  EXPECT_EQ(Screen()->Cursors(crCross), hand) << "standard cursors may be replaced";
  Screen()->SetCursors(crCross, 0);
  EXPECT_EQ(ws.CursorName(Screen()->Cursors(crCross)), "crCross") << "and come back";
  Screen()->SetCursors(1, 0);
  EXPECT_EQ(ws.CursorName(Screen()->Cursors(1)), "crArrow");
}

TEST(Cursors, ScreenCursorIsPassedToTheWindowSystem) {
  THeadlessScope scope;
  THeadlessWindowSystem& ws = scope.ws();
  Screen()->SetCursors(2, ws.LoadCursor("CURZOOMD"));
  Screen()->SetCursor(2);
  EXPECT_EQ(Screen()->Cursor(), 2);
  EXPECT_EQ(ws.CursorName(ws.ScreenCursor()), "CURZOOMD");
  Screen()->SetCursors(2, ws.LoadCursor("CURZOOMP"));
  EXPECT_EQ(ws.CursorName(ws.ScreenCursor()), "CURZOOMP") << "the shown cursor follows its table entry";
  Screen()->SetCursor(crCross);
  EXPECT_EQ(ws.CursorName(ws.ScreenCursor()), "crCross");
  const int changes = ws.ScreenCursorChanges();
  Screen()->SetCursor(crDefault);
  Screen()->SetCursor(crDefault);
  EXPECT_EQ(ws.ScreenCursor(), 0u) << "crDefault lets the controls show their own";
  EXPECT_EQ(ws.ScreenCursorChanges(), changes + 2) << "every setting reaches the window system";
  Screen()->SetCursors(2, 0);
}

TEST(Cursors, NamesBothWays) {
  std::string name;
  EXPECT_TRUE(CursorToIdent(crHandPoint, &name));
  EXPECT_EQ(name, "crHandPoint");
  EXPECT_FALSE(CursorToIdent(3, &name));
  TCursor c = 0;
  EXPECT_TRUE(IdentToCursor("crsizeall", &c));
  EXPECT_EQ(c, crSizeAll);
  EXPECT_FALSE(IdentToCursor("crHand", &c));
}

TEST(Screen, ResolutionAndForms) {
  THeadlessScope scope;
  EXPECT_EQ(Screen()->PixelsPerInch(), 96);
  EXPECT_EQ(Screen()->Width(), 1920);
  const int before = Screen()->FormCount();
  {
    TForm form(nullptr);
    EXPECT_EQ(Screen()->FormCount(), before + 1);
    EXPECT_EQ(Screen()->Forms(before), &form);
    EXPECT_EQ(form.PixelsPerInch(), 96);
  }
  EXPECT_EQ(Screen()->FormCount(), before);
  EXPECT_THROW(Screen()->Forms(before), EComponentError);
}

TEST(EventLoop, ProcessMessagesRunsPostedWorkThenPaints) {
  THeadlessScope scope;
  TForm form(nullptr);
  auto* g = new TGauge(&form);
  g->SetParent(&form);
  form.Show();
  std::vector<std::string> order;
  Application()->PostWork([&] {
    order.push_back("work " + std::to_string(g->PaintCount));
    Application()->PostWork([&] { order.push_back("posted by work"); });
  });
  Application()->ProcessMessages();
  EXPECT_EQ(order, std::vector<std::string>{"work 0"}) << "work comes before the paints";
  EXPECT_EQ(g->PaintCount, 1);
  EXPECT_EQ(scope.ws().PendingWork(), 1) << "work posted meanwhile waits for the next turn";
  Application()->ProcessMessages();
  EXPECT_EQ(order.back(), "posted by work");
  EXPECT_EQ(scope.ws().PaintCount(), 2) << "the form and the gauge";
}

TEST(EventLoop, HeadlessRunReturnsWhenThereIsNothingToDo) {
  THeadlessScope scope;
  int runs = 0;
  std::function<void()> again = [&] {
    if (++runs < 5) Application()->PostWork(again);
  };
  Application()->PostWork(again);
  scope.ws().RunLoop([] { return false; });
  EXPECT_EQ(runs, 5);
  bool stop = false;
  Application()->PostWork([&] {
    stop = true;
    Application()->PostWork([&] { ++runs; });
  });
  scope.ws().RunLoop([&] { return stop; });
  EXPECT_EQ(runs, 5) << "the loop checks the terminate flag between turns";
}

TEST(Forms, CloseAsksAndActsOnTheCloseAction) {
  THeadlessScope scope;
  TForm form(nullptr);
  form.Show();
  bool allow = false;
  TCloseAction action = TCloseAction::caHide;
  form.OnCloseQuery = [&](TObject*, bool& can_close) { can_close = allow; };
  form.OnClose = [&](TObject*, TCloseAction& a) { a = action; };
  form.Close();
  EXPECT_TRUE(form.Visible()) << "OnCloseQuery refused";
  allow = true;
  action = TCloseAction::caNone;
  form.Close();
  EXPECT_TRUE(form.Visible()) << "caNone keeps the form";
  action = TCloseAction::caHide;
  form.Close();
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(scope.ws().Window(&form)->Visible);
}

TEST(Forms, ReleaseDestroysAtTheNextTurn) {
  THeadlessScope scope;
  auto* form = new TForm(nullptr);
  auto* g = new TGauge(form);
  g->SetName("G");
  form->OnClose = [](TObject*, TCloseAction& a) { a = TCloseAction::caFree; };
  form->Close();
  EXPECT_TRUE(EventLog().empty()) << "not from inside its own handler";
  Application()->ProcessMessages();
  EXPECT_EQ(EventLog(), std::vector<std::string>{"~G"});
  // A form released twice, or destroyed before the turn, is destroyed once.
  auto* other = new TForm(nullptr);
  other->Release();
  other->Release();
  Application()->ProcessMessages();
  auto* gone = new TForm(nullptr);
  gone->Release();
  delete gone;
  Application()->ProcessMessages();
}

TEST(Forms, CreateFormMakesTheMainFormAndClosingItTerminates) {
  THeadlessScope scope;
  TApplication* app = Application();
  ASSERT_EQ(app->MainForm(), nullptr);
  TTestForm* main = app->CreateForm<TTestForm>();
  TForm* second = app->CreateForm<TForm>();
  EXPECT_EQ(app->MainForm(), main);
  EXPECT_EQ(main->Owner(), app);
  app->Run();  // headless: shows the main form, paints, returns
  EXPECT_TRUE(main->Visible());
  EXPECT_TRUE(main->HandleAllocated());
  EXPECT_FALSE(second->Visible());
  second->Close();
  EXPECT_FALSE(app->Terminated()) << "closing another form does not end the program";
  main->Close();
  EXPECT_TRUE(app->Terminated());
  EXPECT_FALSE(main->Visible());
  delete main;
  EXPECT_EQ(app->MainForm(), nullptr);
  delete second;
}

}  // namespace
}  // namespace korvo::test
