// The chart: TPlotwell and everything it is made of. Include this header to
// use the chart.
//
//   ItemStore.h       the display lists and every drawing command (MoveTo,
//                     DrawTo, MarkAt, Line, Rectangle, TextAt, ...), each
//                     documented with the fields it sets and its world and
//                     pixel variants
//   ChartItem.h       TpwChartItem, the item kinds and the coordinate modes
//   CustomPlotwell.h  layers, transforms, layer ranges, zoom history,
//                     crosshairs and text labels
//   ScaleProps.h      the scale property objects of the layers' axes
//   JointLayers.h     the coupling of layers
//   plotwell/version.h  PLOTWELL_VERSION_MAJOR, _MINOR, _PATCH, _STRING and
//                     PLOTWELL_VERSION (generated into the build tree)
#pragma once

#include "base/korvobase.h"
#include "chart/CustomPlotwell.h"
#include "chart/geometry/JointLayers.h"
#include "chart/geometry/ScaleProps.h"
#include "chart/items/ChartItem.h"
#include "chart/items/ItemContainer.h"
#include "chart/items/ItemStore.h"
#include "chart/items/LongTextArray.h"
#include "platform/Export.h"
#include "plotwell/version.h"

namespace korvo {

// The chart control as a form places it. It is created with painting
// suspended and starts painting once its window exists (CreateWnd clears
// PaintSuspended, which paints).
class PLOTWELL_API TPlotwell : public TCustomPlotwell {
 public:
  explicit TPlotwell(TComponent* owner) : TCustomPlotwell(owner) {}
  const char* ClassName() const override { return "TPlotwell"; }
  // The published properties and events. RegisterClass<TPlotwell>() (done
  // when the program starts) lets form descriptions create charts.
  static const TClassInfo& ClassInfo();

 protected:
  void CreateWnd() override {
    TCustomPlotwell::CreateWnd();
    SetPaintSuspended(false);
  }
};

}  // namespace korvo
