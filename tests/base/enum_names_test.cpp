#include <gtest/gtest.h>

#include <vector>

#include "base/korvobase.h"

namespace korvo {
namespace {

// Every name maps to its ordinal and back, and the table has the expected
// length.
template <class E>
void ExpectRoundTrip(std::string_view typeName, const std::vector<std::string_view>& names) {
  SCOPED_TRACE(std::string(typeName));
  EXPECT_EQ(EnumTypeInfo<E>().TypeName, typeName);
  ASSERT_EQ(EnumCount<E>(), names.size());
  for (size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(EnumName(E(i)), names[i]);
    EXPECT_EQ(size_t(EnumFromName<E>(names[i])), i) << names[i];
  }
  EXPECT_EQ(EnumName(E(names.size())), "");
}

TEST(EnumNames, BaseGroupSpelledAsWritten) {
  ExpectRoundTrip<TBkgFill>("TBkgFill", {"bfSimple", "bfStretch", "bfTile"});
  ExpectRoundTrip<TColorScheme>("TColorScheme", {"csBWG", "csSystem"});
  ExpectRoundTrip<TFigType>("TFigType", {"ftNoFigs", "ftNum", "ftTime", "ftDateTime", "ftUserText"});
  ExpectRoundTrip<TScaleType>("TScaleType", {"sctXB", "sctXT", "sctYL", "sctYR"});
  ExpectRoundTrip<TVerticalAlignment>("TVerticalAlignment", {"vaTop", "vaCenter", "vaBottom"});
  ExpectRoundTrip<TYearLength>("TYearLength", {"ylNone", "ylYY", "ylYYYY"});
  ExpectRoundTrip<TDateOrder>("TDateOrder", {"doMMDDYY", "doDDMMYY", "doYYMMDD"});
  ExpectRoundTrip<TDateForTime>("TDateForTime", {"dtNone", "dtOnePerChart", "dtOnePerDay", "dtAllTicks"});
  ExpectRoundTrip<TShadowStyle>("TShadowStyle", {"ssFlying", "ssBox"});
  ExpectRoundTrip<TFrameStyle>("TFrameStyle",
                               {"fsNone", "fsSimple", "fsLowered", "fsRaised", "fsEmbossed", "fsEngraved"});
  ExpectRoundTrip<TTimeFormat>("TTimeFormat", {"tfHHMMSS", "tfHHhMM", "tfAMPM"});
  ExpectRoundTrip<TCrossHMode>("TCrossHMode", {"chOff", "chHoriz", "chVert", "chBoth", "chCrossBox", "chBox"});
  ExpectRoundTrip<TTxtLblAttachMode>("TTxtLblAttachMode", {"tlamNone", "tlamXOnly", "tlamYOnly", "tlamBoth"});
  ExpectRoundTrip<TTxtLblMode>("TTxtLblMode", {"tlOff", "tlsimple", "tlBox", "tlUnderline", "tlShadow"});
  ExpectRoundTrip<TMouseActMode>(
      "TMouseActMode",
      {"maNone", "maPan", "maPanHoriz", "maPanVert", "maPanGrid", "maRubberBand", "maZoom", "maZoomWind",
       "maZoomWindPos", "maZoomDrag", "maDragCrossH", "maDragLabel", "maRotate", "maRotAndZoom", "maRotXOnly",
       "maRotZOnly", "maSelectRect", "maDrawMTrace", "maZoomPanColors"});
}

TEST(EnumNames, ScaleAndChartGroupsSpelledAsWritten) {
  ExpectRoundTrip<TScaleUnitAnchor>("TScaleUnitAnchor", {"uaSclTopLft", "uaSclCenter", "uaSclBotRgt"});
  ExpectRoundTrip<TCaptionAnchorHoriz>(
      "TCaptionAnchorHoriz", {"cahControlLeft", "cahChartLeft", "cahChartCenter", "cahChartRight", "cahControlRight"});
  ExpectRoundTrip<TCaptionAnchorVert>(
      "TCaptionAnchorVert", {"cavControlTop", "cavChartTop", "cavChartCenter", "cavChartBottom", "cavControlBottom"});
  ExpectRoundTrip<TBGAreaMode>("TBGAreaMode",
                               {"bamNone", "bamLeft", "bamRight", "bamTop", "bamBottom", "bamVStripe", "bamHStripe",
                                "bamRect", "bamRectInv", "bamVStripeInv", "bamHStripeInv"});
  ExpectRoundTrip<TScaleLocationHoriz>("TScaleLocationHoriz", {"slTop", "slBottom"});
  ExpectRoundTrip<TScaleLocationVert>("TScaleLocationVert", {"slLeft", "slRight"});
  ExpectRoundTrip<GridStyleType>("GridStyleType", {"gsNone", "gsPoints", "gsVertLines", "gsHorizLines", "gsLines",
                                                   "gsHorizDotLines", "gsVertDotLines", "gsDotLines"});
  ExpectRoundTrip<TpwLayout>("TpwLayout", {"pwl_X1Bottom_Y1Left", "pwl_X1Bottom_Y2Left", "pwl_X1Bottom_Y3Left",
                                           "pwl_X1Bottom_Y4Left", "pwl_X1Bottom_Y2Both", "pwl_X2Bottom_Y2Left",
                                           "pwl_X2Both_Y2Both"});
  ExpectRoundTrip<TTextBkg>("TTextBkg", {"tbClear", "tbSolid"});
}

TEST(EnumNames, OrdinalsThatFormDescriptionsDependOn) {
  EXPECT_EQ(EnumCount<TMouseActMode>(), 19u);
  EXPECT_EQ(uint8_t(EnumFromName<TMouseActMode>("maZoomPanColors")), 18);
  EXPECT_EQ(uint8_t(TMouseActMode::maZoomPanColors), 18);
  EXPECT_EQ(EnumCount<TpwLayout>(), 7u);
  EXPECT_EQ(uint8_t(EnumFromName<TpwLayout>("pwl_X2Both_Y2Both")), 6);
  EXPECT_EQ(EnumFromName<TTxtLblMode>("tlsimple"), TTxtLblMode::tlsimple);
  EXPECT_EQ(uint8_t(TTxtLblMode::tlsimple), 1);
  EXPECT_EQ(EnumTypeInfo<GridStyleType>().TypeName, "GridStyleType");
  static_assert(sizeof(TMouseActMode) == 1 && sizeof(GridStyleType) == 1 && sizeof(TFrameStyle) == 1);
}

TEST(EnumNames, NamesAreCaseSensitive) {
  TTxtLblMode mode = TTxtLblMode::tlOff;
  EXPECT_FALSE(TryEnumFromName<TTxtLblMode>("tlSimple", &mode));
  EXPECT_EQ(mode, TTxtLblMode::tlOff);
  EXPECT_TRUE(TryEnumFromName<TTxtLblMode>("tlBox", &mode));
  EXPECT_EQ(mode, TTxtLblMode::tlBox);
  GridStyleType grid = GridStyleType::gsNone;
  EXPECT_FALSE(TryEnumFromName<GridStyleType>("gsdotlines", &grid));
}

TEST(EnumNames, UnknownNameIsAnErrorNamingTextAndType) {
  try {
    EnumFromName<TMouseActMode>("maPanX");
    FAIL() << "no error for an unknown name";
  } catch (const EPropertyError& e) {
    EXPECT_STREQ(e.what(), "'maPanX' is not a valid TMouseActMode value");
  }
  try {
    EnumFromName<GridStyleType>("");
    FAIL() << "no error for an empty name";
  } catch (const EPropertyError& e) {
    EXPECT_STREQ(e.what(), "'' is not a valid GridStyleType value");
  }
  // A value name of another type is not a name of this one.
  EXPECT_THROW(EnumFromName<TFrameStyle>("fsBold"), EPropertyError);
  EXPECT_THROW(EnumFromName<TShadowStyle>("ssShift"), EPropertyError);
}

}  // namespace
}  // namespace korvo
