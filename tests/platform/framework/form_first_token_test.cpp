// The start of a form description: a byte-order mark is skipped, and every
// malformed first token is an EFormError on line 1 like any later fault;
// drag settings and the popup menu reference of controls.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "form_test_classes.h"
#include "platform/framework/FormReader.h"
#include "platform/framework/FormWriter.h"
#include "platform/framework/Menus.h"

namespace korvo::test {
namespace {

TEST(FormFirstToken, AByteOrderMarkIsNotPartOfTheDescription) {
  THeadlessScope scope;
  const std::string text = "\xEF\xBB\xBFobject T1: TTicker\n  Interval = 7\nend\n";
  std::unique_ptr<TComponent> c = CreateComponentFromText(text);
  ASSERT_NE(dynamic_cast<TTicker*>(c.get()), nullptr);
  EXPECT_EQ(static_cast<TTicker&>(*c).Interval(), 7);
  EXPECT_EQ(c->Name(), "T1");
  // Only at the start: further on it is a byte like any other.
  try {
    CreateComponentFromText("object T1: TTicker\n\xEF\xBB\xBFInterval = 7\nend\n");
    FAIL() << "no error";
  } catch (const EFormError& e) {
    EXPECT_EQ(e.Line(), 2);
  }
}

// Each text fails in its first token (or right after it). The reader must
// report it as EFormError on line 1; any other exception type escaping the
// reader would end a program that catches only the documented error.
TEST(FormFirstToken, MalformedFirstTokensAreFormErrors) {
  THeadlessScope scope;
  const char* const texts[] = {
      "",                      // nothing at all
      "\xEF\xBB\xBF",          // a mark and nothing else
      "\xEF\xBB",              // half a mark
      "'object T1: TTicker",   // an unclosed string
      "#",                     // a character code without digits
      "#99999999999",          // a code beyond Unicode
      "#$D800",                // a surrogate
      "$",                     // a hexadecimal number without digits
      "$12345678901234567",    // too many hexadecimal digits
      "1x",                    // a number running into a name
      "99999999999999999999",  // an integer out of range
      "@",                     // a character that is never allowed
      "\x01object",            // a control character
      "\xC3\xA9",              // a non-ASCII letter
      "end",                   // a keyword out of place
      "=",                     // a symbol
      "object",                // the keyword alone
      "inherited T1: TTicker\nend\n",
  };
  for (const char* text : texts) {
    SCOPED_TRACE(testing::PrintToString(std::string(text)));
    try {
      CreateComponentFromText(text);
      ADD_FAILURE() << "no error";
    } catch (const EFormError& e) {
      EXPECT_EQ(e.Line(), 1);
      EXPECT_FALSE(e.Reason().empty());
    } catch (...) {
      ADD_FAILURE() << "an exception other than EFormError left the reader";
    }
    TTicker root(nullptr);
    try {
      ReadComponentText(text, &root);
      ADD_FAILURE() << "no error";
    } catch (const EFormError& e) {
      EXPECT_EQ(e.Line(), 1);
    } catch (...) {
      ADD_FAILURE() << "an exception other than EFormError left the reader";
    }
  }
}

TEST(FormFirstToken, AMalformedLoneValueIsAPropertyError) {
  TTicker t(nullptr);
  for (const char* value : {"", "'open", "#", "$", "@", "1x"}) {
    SCOPED_TRACE(value);
    try {
      SetPropertyText(t, "Interval", value);
      ADD_FAILURE() << "no error";
    } catch (const EPropertyError& e) {
      EXPECT_NE(std::string(e.what()).find("TTicker.Interval"), std::string::npos) << e.what();
    } catch (...) {
      ADD_FAILURE() << "an exception other than EPropertyError";
    }
  }
  SetPropertyText(t, "Interval", "\xEF\xBB\xBF" "25");
  EXPECT_EQ(t.Interval(), 25);
}

// A control publishing the framework's drag settings, drag events and popup
// menu, as a chart does.
class TDragPanel : public TCustomControl {
 public:
  explicit TDragPanel(TComponent* owner) : TCustomControl(owner) {}
  const char* ClassName() const override { return "TDragPanel"; }
  static const TClassInfo& ClassInfo() {
    static const TClassInfo& info = DefineClass<TDragPanel, TCustomControl>("TDragPanel")
                                        .Publish("PopupMenu")
                                        .Publish("DragKind")
                                        .Publish("DragCursor")
                                        .Publish("DragMode")
                                        .Publish("OnDragDrop")
                                        .Publish("OnStartDrag")
                                        .Register();
    return info;
  }
};

class TDragForm : public TForm {
 public:
  explicit TDragForm(TComponent* owner) : TForm(owner) {}
  const char* ClassName() const override { return "TDragForm"; }
  static const TClassInfo& ClassInfo() {
    static const TClassInfo& info = DefineClass<TDragForm, TForm>("TDragForm")
                                        .Method("PanelDragDrop", &TDragForm::PanelDragDrop)
                                        .Register();
    return info;
  }
  void PanelDragDrop(TObject*, TObject*, int x, int y) { Dropped = x * 1000 + y; }
  int Dropped = 0;
};

TEST(ControlDrag, SettingsAndPopupMenuReadAndWritten) {
  THeadlessScope scope;
  RegisterClasses<TDragPanel, TDragForm>();
  TDragPanel fresh(nullptr);
  EXPECT_EQ(fresh.DragKind(), TDragKind::dkDrag);
  EXPECT_EQ(fresh.DragCursor(), crDrag);
  EXPECT_EQ(fresh.DragMode(), TDragMode::dmManual);
  EXPECT_EQ(fresh.PopupMenu(), nullptr);

  const std::string text =
      "object DragForm1: TDragForm\n"
      "  object Menu1: TPopupMenu\n"
      "  end\n"
      "  object Panel1: TDragPanel\n"
      "    PopupMenu = Menu1\n"
      "    DragKind = dkDock\n"
      "    DragCursor = crHandPoint\n"
      "    DragMode = dmAutomatic\n"
      "    OnDragDrop = PanelDragDrop\n"
      "  end\n"
      "end\n";
  TDragForm form(nullptr);
  ReadComponentText(text, &form);
  auto* panel = dynamic_cast<TDragPanel*>(form.FindComponent("Panel1"));
  auto* menu = dynamic_cast<TPopupMenu*>(form.FindComponent("Menu1"));
  ASSERT_NE(panel, nullptr);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(panel->PopupMenu(), menu);
  EXPECT_EQ(panel->DragKind(), TDragKind::dkDock);
  EXPECT_EQ(panel->DragCursor(), crHandPoint);
  EXPECT_EQ(panel->DragMode(), TDragMode::dmAutomatic);
  ASSERT_TRUE(panel->OnDragDrop);
  panel->OnDragDrop(panel, nullptr, 3, 4);
  EXPECT_EQ(form.Dropped, 3004);

  const std::string written = WriteComponentText(form);
  EXPECT_NE(written.find("    PopupMenu = Menu1\n"), std::string::npos) << written;
  EXPECT_NE(written.find("    DragCursor = crHandPoint\n"), std::string::npos) << written;
  EXPECT_NE(written.find("    OnDragDrop = PanelDragDrop\n"), std::string::npos) << written;
  // The defaults are left out.
  panel->SetDragKind(TDragKind::dkDrag);
  panel->SetDragCursor(crDrag);
  panel->SetDragMode(TDragMode::dmManual);
  const std::string plain = WriteComponentText(form);
  for (const char* name : {"DragKind", "DragCursor", "DragMode"}) {
    EXPECT_EQ(plain.find(name), std::string::npos) << plain;
  }

  // A destroyed menu leaves no reference behind.
  delete menu;
  EXPECT_EQ(panel->PopupMenu(), nullptr);
  EXPECT_EQ(WriteComponentText(form).find("PopupMenu"), std::string::npos);
}

TEST(ControlDrag, APopupMenuMayGoFirstOrLast) {
  THeadlessScope scope;
  auto* menu = new TPopupMenu(nullptr);
  {
    TDragPanel a(nullptr), b(nullptr);
    a.SetPopupMenu(menu);
    b.SetPopupMenu(menu);
    b.SetPopupMenu(nullptr);
  }  // the panels go first
  delete menu;
  TDragPanel c(nullptr);
  auto* other = new TPopupMenu(nullptr);
  c.SetPopupMenu(other);
  delete other;  // the menu goes first
  EXPECT_EQ(c.PopupMenu(), nullptr);
}

}  // namespace
}  // namespace korvo::test
