#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/korvobase.h"
#include "platform/framework/FormReader.h"
#include "platform/framework/FormWriter.h"
#include "platform/framework/Properties.h"
#include "platform/graphics/Font.h"

namespace korvo {
namespace {

struct Counter {
  int count = 0;
  TObject* last = nullptr;
  void Attach(TCustomTextLabel& label) {
    label.OnChange = [this](TObject* sender) {
      ++count;
      last = sender;
    };
  }
};

TEST(TextLabel, InitialValues) {
  TTextLabel l;
  EXPECT_EQ(l.PosX(), 100.0);
  EXPECT_EQ(l.PosY(), 10.0);
  EXPECT_EQ(l.Layer(), 1);
  EXPECT_EQ(l.ShadowDx(), 0);
  EXPECT_EQ(l.ShadowDy(), 0);
  EXPECT_EQ(l.ColorShadow(), RGB(128, 128, 128));
  EXPECT_EQ(l.Alignment(), TAlignment::taCenter);
  EXPECT_EQ(l.VerticalAlignment(), TVerticalAlignment::vaBottom);
  EXPECT_EQ(l.AttachToData(), TTxtLblAttachMode::tlamNone);
  EXPECT_EQ(l.ColorBkg(), clSilver);
  EXPECT_EQ(l.ColorBorder(), clBlack);
  EXPECT_FALSE(l.Transparent());
  EXPECT_EQ(l.Font()->Name(), TFont().Name());
  EXPECT_EQ(l.Font()->Height(), TFont().Height());
  EXPECT_EQ(l.Caption(), "");
  EXPECT_EQ(l.Mode(), TTxtLblMode::tlsimple);
  EXPECT_TRUE(l.Visible());
  EXPECT_STREQ(l.ClassName(), "TTextLabel");
}

TEST(TextLabel, EverySetterNotifiesOnceEvenWithoutChange) {
  TTextLabel l;
  Counter c;
  c.Attach(l);
  l.SetPosX(100.0);  // the current value
  EXPECT_EQ(c.count, 1);
  EXPECT_EQ(c.last, &l);
  l.SetPosY(3);
  l.SetShadowDx(3);
  l.SetShadowDy(4);
  l.SetColorShadow(clGray);
  l.SetAlignment(TAlignment::taRightJustify);
  l.SetVerticalAlignment(TVerticalAlignment::vaTop);
  l.SetAttachToData(TTxtLblAttachMode::tlamBoth);
  l.SetColorBkg(clWhite);
  l.SetColorBorder(clNavy);
  l.SetTransparent(true);
  l.SetMode(TTxtLblMode::tlShadow);
  l.SetVisible(false);
  l.SetCaption("x");
  EXPECT_EQ(c.count, 14);
  EXPECT_EQ(l.ShadowDy(), 4);
  EXPECT_EQ(l.ColorBorder(), clNavy);
  EXPECT_TRUE(l.Transparent());
  EXPECT_EQ(l.Mode(), TTxtLblMode::tlShadow);
  EXPECT_FALSE(l.Visible());
}

TEST(TextLabel, LayerOutsideOneToSixteenIsIgnoredSilently) {
  TTextLabel l;
  Counter c;
  c.Attach(l);
  l.SetLayer(17);
  l.SetLayer(0);
  l.SetLayer(-1);
  EXPECT_EQ(l.Layer(), 1);
  EXPECT_EQ(c.count, 0);
  l.SetLayer(16);
  EXPECT_EQ(l.Layer(), 16);
  EXPECT_EQ(c.count, 1);
}

TEST(TextLabel, CaptionControlCharactersBecomeSpacesButLineFeedsStay) {
  TTextLabel l;
  l.SetCaption("A\r\nB");
  EXPECT_EQ(l.Caption(), "A \nB");
  l.SetCaption(std::string("\t1\x1f") + '\0' + "2\x7f");
  EXPECT_EQ(l.Caption(), std::string(" 1  2\x7f"));
  // UTF-8 bytes are all >= 128 and pass untouched.
  l.SetCaption("\xc3\xa9t\xc3\xa9");
  EXPECT_EQ(l.Caption(), "\xc3\xa9t\xc3\xa9");
}

TEST(TextLabel, SetFontCopiesIntoTheOwnedFontAndNotifiesOnce) {
  TTextLabel l;
  Counter c;
  c.Attach(l);
  TFont* own = l.Font();
  TFont f;
  f.SetName("DejaVu Serif");
  f.SetSize(14);
  f.SetColor(clRed);
  l.SetFont(f);
  EXPECT_EQ(l.Font(), own) << "the label keeps its own font object";
  EXPECT_EQ(own->Name(), "DejaVu Serif");
  EXPECT_EQ(own->Size(), 14);
  EXPECT_EQ(own->Color(), clRed);
  EXPECT_EQ(c.count, 1);
  // Changing the given font later does not reach the label.
  f.SetName("Other");
  EXPECT_EQ(own->Name(), "DejaVu Serif");
  // A direct change of the label's own font is a change of the label.
  own->SetSize(20);
  EXPECT_EQ(c.count, 2);
  // Passing the label's own font back is harmless and still notifies.
  l.SetFont(*own);
  EXPECT_EQ(own->Size(), 20);
  EXPECT_EQ(c.count, 3);
}

TEST(TextLabel, AssignCopiesEveryValueSilentlyAndKeepsTheOwnHandler) {
  TTextLabel source, dest;
  Counter sourceCounter, destCounter;
  sourceCounter.Attach(source);
  source.SetPosX(-4.5);
  source.SetPosY(8.25);
  source.SetLayer(9);
  source.SetShadowDx(-2);
  source.SetShadowDy(5);
  source.SetColorShadow(clMaroon);
  source.SetAlignment(TAlignment::taLeftJustify);
  source.SetVerticalAlignment(TVerticalAlignment::vaCenter);
  source.SetAttachToData(TTxtLblAttachMode::tlamYOnly);
  source.SetColorBkg(clAqua);
  source.SetColorBorder(clFuchsia);
  source.SetTransparent(true);
  source.Font()->SetName("DejaVu Sans Mono");
  source.Font()->SetStyle({TFontStyle::fsBold});
  source.SetCaption("two\nlines");
  source.SetMode(TTxtLblMode::tlUnderline);
  source.SetVisible(false);
  sourceCounter.count = 0;
  destCounter.Attach(dest);
  TFont* own = dest.Font();

  dest.Assign(source);
  EXPECT_EQ(destCounter.count, 0) << "Assign fires no OnChange, also not through the font";
  EXPECT_EQ(dest.PosX(), -4.5);
  EXPECT_EQ(dest.PosY(), 8.25);
  EXPECT_EQ(dest.Layer(), 9);
  EXPECT_EQ(dest.ShadowDx(), -2);
  EXPECT_EQ(dest.ShadowDy(), 5);
  EXPECT_EQ(dest.ColorShadow(), clMaroon);
  EXPECT_EQ(dest.Alignment(), TAlignment::taLeftJustify);
  EXPECT_EQ(dest.VerticalAlignment(), TVerticalAlignment::vaCenter);
  EXPECT_EQ(dest.AttachToData(), TTxtLblAttachMode::tlamYOnly);
  EXPECT_EQ(dest.ColorBkg(), clAqua);
  EXPECT_EQ(dest.ColorBorder(), clFuchsia);
  EXPECT_TRUE(dest.Transparent());
  EXPECT_EQ(dest.Font(), own);
  EXPECT_EQ(own->Name(), "DejaVu Sans Mono");
  EXPECT_TRUE(own->Style().Contains(TFontStyle::fsBold));
  EXPECT_EQ(dest.Caption(), "two\nlines");
  EXPECT_EQ(dest.Mode(), TTxtLblMode::tlUnderline);
  EXPECT_FALSE(dest.Visible());

  // Both keep their own subscribers, and the font hooks stay with their label.
  dest.SetPosX(1);
  dest.Font()->SetSize(30);
  EXPECT_EQ(destCounter.count, 2);
  EXPECT_EQ(sourceCounter.count, 0);
  source.Font()->SetSize(30);
  EXPECT_EQ(sourceCounter.count, 1);
}

// AssignTo made reachable, as the framework reaches it.
template <class T>
struct TOpenLabel : T {
  using T::AssignTo;
};

TEST(TextLabel, AssignToLetsOnlyTheLabelsOwnClassOrItsAncestorsAssign) {
  TOpenLabel<TTextLabel> label;
  TOpenLabel<TCustomTextLabel> custom;
  label.SetCaption("from the label");
  custom.SetCaption("from the custom label");
  TCustomTextLabel toCustom;
  TTextLabel toLabel;
  label.AssignTo(toCustom);  // a TTextLabel is a TCustomTextLabel
  EXPECT_EQ(toCustom.Caption(), "from the label");
  label.AssignTo(toLabel);
  EXPECT_EQ(toLabel.Caption(), "from the label");
  custom.AssignTo(toCustom);
  EXPECT_EQ(toCustom.Caption(), "from the custom label");
  EXPECT_THROW(custom.AssignTo(toLabel), EConvertError);  // a plain TCustomTextLabel is no TTextLabel
  EXPECT_EQ(toLabel.Caption(), "from the label");
}

TEST(TextLabel, AssignToReachesACustomLabelAndRefusesOtherClasses) {
  TTextLabel label;
  TCustomTextLabel custom;
  label.SetCaption("copied");
  custom.Assign(label);
  EXPECT_EQ(custom.Caption(), "copied");
  TCrossHair c;
  EXPECT_THROW(c.Assign(label), EConvertError);
  EXPECT_THROW(label.Assign(c), EConvertError);
  label.Assign(label);  // self-assignment changes nothing
  EXPECT_EQ(label.Caption(), "copied");
}

TEST(TextLabel, PublishedPropertiesInOrderThroughTheSetters) {
  std::vector<std::string> names;
  for (const TPropInfo* p : TTextLabel::ClassInfo().Properties()) names.push_back(p->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"PosX", "PosY", "Layer", "AttachToData", "ColorBkg", "ColorBorder",
                                             "ColorShadow", "ShadowDx", "ShadowDy", "Transparent", "Alignment",
                                             "VerticalAlignment", "Font", "Mode", "Caption", "Visible",
                                             "OnChange"}));
  TTextLabel l;
  Counter c;
  c.Attach(l);
  SetPropertyText(l, "Caption", "'A'#13#10'B'");
  EXPECT_EQ(l.Caption(), "A \nB");
  SetPropertyText(l, "Layer", "17");  // ignored by the setter
  EXPECT_EQ(l.Layer(), 1);
  SetPropertyText(l, "Font.Name", "'DejaVu Serif'");
  EXPECT_EQ(l.Font()->Name(), "DejaVu Serif");
  EXPECT_EQ(c.count, 2);
  EXPECT_EQ(GetPropertyText(l, "AttachToData"), "tlamNone");
  EXPECT_EQ(GetPropertyText(l, "Mode"), "tlsimple");
}

}  // namespace
}  // namespace korvo
