// Once warm, drawing a scale allocates nothing: the tick list is a fixed
// array, labels are written into reused buffers and the opaque path keeps its
// off-screen bitmap. Counts every operator new of this test program while a
// drawing runs.
#include <gtest/gtest.h>

#include <functional>

#include "platform/Calendar.h"
#include "platform/graphics/Bitmap.h"
#include "scale/Scale.h"
#include "support/AllocationCounter.h"

namespace korvo {
namespace {

using test::AllocationsDuring;

TEST(ScaleAllocations, AWarmDrawingOfEveryKindAllocatesNothing) {
  const double day = EncodeDate(2003, 4, 5);
  struct Kind {
    const char* Name;
    std::function<void(TScale&)> Setup;
  };
  const Kind kinds[] = {
      {"linear", [](TScale& s) { s.SetRange(-3, 3); }},
      {"logarithmic", [](TScale& s) {
         s.SetRange(0.01, 1000);
         s.SetLogarithmic(true);
         s.SetMinTicks(6);
       }},
      {"time of day", [](TScale& s) {
         s.SetLabelType(TFigType::ftTime);
         s.SetRange(0, 0.6);
       }},
      {"hours", [day](TScale& s) {
         s.SetLabelType(TFigType::ftDateTime);
         s.SetRange(day - 0.25, day + 0.25);
       }},
      {"days", [day](TScale& s) {
         s.SetLabelType(TFigType::ftDateTime);
         s.SetRange(day, day + 10);
       }},
      {"months", [day](TScale& s) {
         s.SetLabelType(TFigType::ftDateTime);
         s.SetRange(day, day + 365);
       }},
      {"years", [](TScale& s) {
         s.SetLabelType(TFigType::ftDateTime);
         s.SetRange(0, 36525);
       }},
      {"user texts", [](TScale& s) {
         s.SetLabelType(TFigType::ftUserText);
         s.SetUserTickText("Jan|Feb|Mar|Apr|May|Jun");
       }},
  };
  TBitmap target(400, 400);
  for (const Kind& k : kinds) {
    for (bool transparent : {false, true}) {
      for (TScaleType type : {TScaleType::sctXT, TScaleType::sctYR}) {
        SCOPED_TRACE(testing::Message() << k.Name << (transparent ? " transparent" : " opaque") << " type "
                                        << int(type));
        TScale s(nullptr);
        s.SetBounds(0, 0, 400, 400);
        s.SetScaleType(type);
        s.SetTransparent(transparent);
        s.SetEmbedded(true);
        s.SetCaption("caption");
        s.OnBeforeTickLabel = [](TObject*, TScaleType, double, std::string& text) { text += "!"; };
        k.Setup(s);
        s.SetExternalCanvas(target.Canvas(), 0, 0);
        s.ForcePaint();
        s.ForcePaint();
        EXPECT_GT(s.NumTicks(), 2);
        EXPECT_EQ(AllocationsDuring([&] { s.ForcePaint(); }), 0);
      }
    }
  }
}

}  // namespace
}  // namespace korvo
