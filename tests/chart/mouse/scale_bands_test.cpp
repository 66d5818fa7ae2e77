// The scale bands: which scale lies under a point, and drags that pan or
// zoom one axis by its scale's own MouseAction.
#include <cstdint>

#include "chart/mouse/mouse_fixture.h"

namespace korvo::test {
namespace {

using enum TMouseActMode;

TEST(MouseScaleBands, ScaleAtPosFindsVisibleScalesYFirst) {
  HeadlessScope scope;
  MouseChart c;
  // The first layout: layer 1's y scale left of the plot area, its x scale
  // below it, both at ScalePos 0.
  ASSERT_TRUE(c.YProps(1)->Visible());
  ASSERT_EQ(c.YProps(1)->Orientation(), TScaleType::sctYR);
  ASSERT_EQ(c.XProps(1)->Orientation(), TScaleType::sctXT);
  EXPECT_EQ(c.ScaleAtPos(1, 60), 1);
  EXPECT_EQ(c.ScaleAtPos(49, 60), 1);
  EXPECT_EQ(c.ScaleAtPos(0, 60), 0) << "the band is 50 deep, both ends open";
  EXPECT_EQ(c.ScaleAtPos(50, 60), 0);
  EXPECT_EQ(c.ScaleAtPos(25, 16), 0);
  EXPECT_EQ(c.ScaleAtPos(25, 115), 1);
  EXPECT_EQ(c.ScaleAtPos(100, 117), -1);
  EXPECT_EQ(c.ScaleAtPos(100, 155), -1);
  EXPECT_EQ(c.ScaleAtPos(100, 156), 0) << "an x band is 40 deep";
  EXPECT_EQ(c.ScaleAtPos(150, 130), 0) << "right of Width - MarginRight";
  EXPECT_TRUE(c.InHorizScaleBand(1, 160)) << "the drag test is 50 deep";
  // Layer 2's y scale on the right, 20 pixels out; hidden scales do not count.
  TScalePropsVert& y2 = *c.YProps(2);
  y2.SetScaleLocation(TScaleLocationVert::slRight);
  y2.SetScalePos(20);
  y2.SetVisible(true);
  EXPECT_EQ(c.ScaleAtPos(170, 60), 0);
  EXPECT_EQ(c.ScaleAtPos(171, 60), 2);
  EXPECT_EQ(c.ScaleAtPos(219, 60), 2);
  y2.SetVisible(false);
  EXPECT_EQ(c.ScaleAtPos(171, 60), 0);
  EXPECT_TRUE(c.InVertScaleBand(2, 171)) << "the drag test ignores visibility";
  // Layer 1's x scale on top: MarginTop - 40 < y < MarginTop.
  c.XProps(1)->SetScaleLocation(TScaleLocationHoriz::slTop);
  EXPECT_EQ(c.ScaleAtPos(100, 15), -1);
  EXPECT_EQ(c.ScaleAtPos(100, 16), 0);
}

// A position far out is computed without overflow: the band 50 pixels
// beyond MarginLeft + 2147483600 reaches the largest column.
TEST(MouseScaleBands, FarPositionsDoNotOverflow) {
  HeadlessScope scope;
  MouseChart c;
  c.YProps(1)->SetScalePos(-2147483600);
  EXPECT_TRUE(c.InVertScaleBand(1, INT32_MAX));
  EXPECT_FALSE(c.InVertScaleBand(1, 25));
  EXPECT_EQ(c.ScaleAtPos(INT32_MAX, 60), 1);
  c.YProps(1)->SetScalePos(INT32_MAX);
  EXPECT_FALSE(c.InVertScaleBand(1, INT32_MIN + 1));
  // Below the plot area at the largest position: in 32 bits the band's edge
  // would wrap round to the smallest rows.
  c.XProps(1)->SetScalePos(INT32_MAX);
  EXPECT_FALSE(c.InHorizScaleBand(1, -2147483500));
  EXPECT_EQ(c.ScaleAtPos(100, -2147483500), 0);
}

TEST(MouseScaleBands, DragsPanOrZoomOneAxisRepaintingOnce) {
  HeadlessScope scope;
  MouseChart c;
  int zoomPans = 0;
  c.OnZoomPan = [&](TObject*) { ++zoomPans; };
  c.YProps(1)->SetMouseAction(maPan);
  c.Press(25, 60);
  c.Move(25, 60);
  EXPECT_TRUE(c.DragStarted());
  c.paints = 0;
  c.Move(25, 70);  // 10 of 100 pixels down: the content follows
  EXPECT_DOUBLE_EQ(c.YLow(), 1);
  EXPECT_DOUBLE_EQ(c.YHigh(), 11);
  EXPECT_DOUBLE_EQ(c.XLow(), 0);
  EXPECT_EQ(zoomPans, 1);
  EXPECT_EQ(c.paints, 1);
  c.Move(25, 80);
  EXPECT_DOUBLE_EQ(c.YLow(), 2) << "measured from the drag start";
  c.Release(25, 80);
  EXPECT_FALSE(c.DragStarted());

  // Zoom on the x band: a start right of the middle keeps the low end.
  c.XProps(1)->SetMouseAction(maZoom);
  c.Drag({{130, 130}, {130, 130}, {90, 130}});
  EXPECT_DOUBLE_EQ(c.XLow(), 0);
  EXPECT_DOUBLE_EQ(c.XHigh(), 20);
  EXPECT_DOUBLE_EQ(c.YLow(), 2);
  // A scale without a MouseAction does nothing; a move without the button
  // ends the drag.
  zoomPans = 0;
  c.XProps(1)->SetMouseAction(maNone);
  c.Drag({{130, 130}, {130, 130}, {90, 130}});
  c.Press(25, 60);
  c.Move(25, 60);
  c.Move(25, 70, false);
  EXPECT_FALSE(c.DragStarted());
  c.Release(25, 70);
  EXPECT_EQ(zoomPans, 0);
  EXPECT_DOUBLE_EQ(c.XHigh(), 20);
  EXPECT_DOUBLE_EQ(c.YLow(), 2);
}

// A band drawn in the plot area keeps the scale bands still.
TEST(MouseScaleBands, NotWhileABandIsDrawn) {
  HeadlessScope scope;
  MouseChart c;
  c.YProps(1)->SetMouseAction(maPan);
  c.SetMouseAction(maRubberBand);
  c.Press(60, 60);
  c.Move(25, 60);  // onto the band: the drag start is recorded
  c.Move(25, 90);
  EXPECT_TRUE(c.BandActive());
  EXPECT_DOUBLE_EQ(c.YLow(), 0);
  c.Release(25, 90);
}

}  // namespace
}  // namespace korvo::test
