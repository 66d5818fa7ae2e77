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
    EXPECT_THROW(SetPropertyText(t, "Interval", value), EPropertyError) << value;
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
  EXPECT_EQ(panel->PopupMenu(), menu);
  EXPECT_EQ(panel->DragKind(), TDragKind::dkDock);
  EXPECT_EQ(panel->DragMode(), TDragMode::dmAutomatic);
  panel->OnDragDrop(panel, nullptr, 3, 4);
  EXPECT_EQ(form.Dropped, 3004);
  const std::string block =
      "    PopupMenu = Menu1\n    DragKind = dkDock\n    DragCursor = crHandPoint\n    DragMode = dmAutomatic\n"
      "    OnDragDrop = PanelDragDrop\n";
  EXPECT_NE(WriteComponentText(form).find(block), std::string::npos) << WriteComponentText(form);
  // The defaults are left out; a destroyed menu leaves no reference behind.
  panel->SetDragKind(TDragKind::dkDrag);
  panel->SetDragCursor(crDrag);
  panel->SetDragMode(TDragMode::dmManual);
  delete menu;
  EXPECT_EQ(panel->PopupMenu(), nullptr);
  EXPECT_NE(WriteComponentText(form).find("    Height = 0\n    OnDragDrop = PanelDragDrop\n"), std::string::npos)
      << WriteComponentText(form);
  // The panel may go first as well.
  auto* other = new TPopupMenu(nullptr);
  {
    TDragPanel a(nullptr);
    a.SetPopupMenu(other);
  }
  delete other;
}

}  // namespace
}  // namespace korvo::test
