// Marks drawn from their stamps against the same marks drawn with the
// figures: every kind, both brush styles, on the surface, across its edges
// and across a clip edge, over a picture that is not blank.
#include <gtest/gtest.h>

#include <utility>

#include "base/MarkStamps.h"
#include "base/Marks.h"
#include "platform/graphics/Bitmap.h"

namespace korvo {
namespace {

constexpr int kW = 40, kH = 30;

// A background in which every pixel differs from its neighbours, so a store
// to a wrong place shows.
void Paint(TBitmap& b) {
  for (int y = 0; y < kH; ++y) {
    TPixel* row = b.ScanLine(y);
    for (int x = 0; x < kW; ++x) row[x] = ColorToPixel(TColor((x * 37 + y * 101) & 0xFFFFFF));
  }
}

struct State {
  TBrushStyle brush_style;
  TColor brush_color;
  TPoint pen;
};

State Draw(TBitmap& b, void (*draw)(TCanvas*, uint8_t, int32_t, int32_t), uint8_t kind, TBrushStyle entry, TPoint at,
           const TRect* clip) {
  Paint(b);
  TCanvas* c = b.Canvas();
  c->ResetClipRect();
  if (clip != nullptr) c->SetClipRect(*clip);
  c->Pen()->SetStyle(TPenStyle::psSolid);
  c->Pen()->SetMode(TPenMode::pmCopy);
  c->Pen()->SetWidth(1);
  c->Pen()->SetColor(clNavy);
  c->Brush()->SetColor(clRed);
  c->Brush()->SetStyle(entry);
  c->SetPenPos(TPoint{7, 9});
  draw(c, kind, at.X, at.Y);
  return State{c->Brush()->Style(), c->Brush()->Color(), c->PenPos()};
}

void ByStamp(TCanvas* c, uint8_t kind, int32_t x, int32_t y) { ASSERT_TRUE(DrawStampedMark(c, kind, x, y)); }

TEST(MarkStamps, EveryGeometricKindLeavesThePixelsAndStateOfItsFigures) {
  const TRect clip{12, 8, 30, 22};
  const TPoint places[] = {{20, 15}, {0, 0}, {kW - 1, 5}, {3, kH - 2}, {12, 15}, {29, 21}, {-8, 4}, {kW + 8, kH + 8}};
  TBitmap stamped(kW, kH), figures(kW, kH);
  for (int kind = 0; kind < 52; ++kind) {
    for (const TBrushStyle entry : {TBrushStyle::bsSolid, TBrushStyle::bsClear}) {
      ASSERT_TRUE(MarkStamp(uint8_t(kind), entry).Valid) << "kind " << kind;
      for (const TPoint at : places) {
        // The stamp itself, and DrawMark's own path to it.
        using Drawer = void (*)(TCanvas*, uint8_t, int32_t, int32_t);
        const TRect* none = nullptr;
        for (const auto& [c, draw] : {std::pair<const TRect*, Drawer>{none, ByStamp}, {&clip, ByStamp}, {none, DrawMark},
                                     {&clip, DrawMark}}) {
          const State a = Draw(stamped, draw, uint8_t(kind), entry, at, c);
          const State b = Draw(figures, DrawGeometricMarkFigures, uint8_t(kind), entry, at, c);
          const auto where = ::testing::Message() << "kind " << kind << (entry == TBrushStyle::bsSolid ? " solid" : " clear")
                                                  << " brush at (" << at.X << ", " << at.Y << ")" << (c ? " clipped" : "")
                                                  << (draw == ByStamp ? " by the stamp" : " by DrawMark");
          EXPECT_EQ(a.brush_style, b.brush_style) << where;
          EXPECT_EQ(a.brush_color, b.brush_color) << where;
          EXPECT_EQ(a.pen, b.pen) << where;
          int differ = 0;
          for (int y = 0; y < kH; ++y) {
            for (int x = 0; x < kW; ++x) differ += stamped.ScanLine(y)[x] != figures.ScanLine(y)[x];
          }
          EXPECT_EQ(differ, 0) << where;
        }
      }
    }
  }
}

TEST(MarkStamps, PensAStampCannotStandForKeepTheFigures) {
  TBitmap b(kW, kH);
  TCanvas* c = b.Canvas();
  c->Pen()->SetStyle(TPenStyle::psDot);
  EXPECT_FALSE(DrawStampedMark(c, 19, 10, 10));
  c->Pen()->SetStyle(TPenStyle::psSolid);
  c->Pen()->SetWidth(2);
  EXPECT_FALSE(DrawStampedMark(c, 19, 10, 10));
  c->Pen()->SetWidth(1);
  c->Pen()->SetMode(TPenMode::pmXor);
  EXPECT_FALSE(DrawStampedMark(c, 19, 10, 10));
  c->Pen()->SetMode(TPenMode::pmCopy);
  EXPECT_FALSE(DrawStampedMark(c, 52, 10, 10));  // a character
  EXPECT_TRUE(DrawStampedMark(c, 19, 10, 10));
}

}  // namespace
}  // namespace korvo
