// The signatures of the events the scale and the chart publish. An event is a
// std::function member, empty when unassigned; the component calls it only
// when it is assigned. A parameter the handler may change (and whose value the
// component uses afterwards) is a reference.
#pragma once

#include <functional>
#include <string>

#include "base/BaseEnums.h"
#include "platform/Types.h"

namespace korvo {

class TObject;
class TCanvas;
class TCrossHair;
class TTextLabel;
struct TpwChartItem;

// After a mouse zoom or pan of a chart or a scale.
using TZoomPanEvent = std::function<void(TObject* Sender)>;

// A rubber band or rectangle selection on the chart, in world coordinates of
// the layer.
using TSelectRectEvent =
    std::function<void(TObject* Sender, int Layer, double LoX, double LoY, double HiX, double HiY)>;

// A scale has drawn the tick at CurrentTickPos (world units) at pixel
// (ChartX, ChartY) of Canvas.
using TScaleTickDrawnEvent = std::function<void(TObject* Sender, TCanvas* Canvas, TScaleType ScaleType,
                                                double CurrentTickPos, int ChartX, int ChartY)>;

// Before a scale draws a tick label; the handler may replace TickLabel.
using TBeforeTickLabelEvent =
    std::function<void(TObject* Sender, TScaleType ScaleType, double CurrentTickPos, std::string& TickLabel)>;

// Before and after a scale renders onto Canvas.
using TScaleRenderedEvent = std::function<void(TObject* Sender, TCanvas* Canvas)>;

// Every mouse move over the chart, with the world position in the current
// layer; InChart tells whether the pointer is inside the plot area.
using TMouseMoveInChartEvent =
    std::function<void(TObject* Sender, bool InChart, TShiftState Shift, double rMousePosX, double rMousePosY)>;

// Before a text item is drawn; the handler may replace Text (UTF-8).
using TBeforeRenderTextEvent =
    std::function<void(TObject* Sender, std::string& Text, int Index, bool IsAnnotation)>;

// Around the rendering of data and scales; (Top, Left) is where the plot
// area's top-left pixel lies on Canvas.
using TRenderEvent = std::function<void(TObject* Sender, TCanvas* Canvas, int Top, int Left)>;

// Before a dragged crosshair moves by (dx, dy) pixels; clearing AllowMove
// keeps it in place.
using TBeforeCrossHMoveEvent =
    std::function<void(TObject* Sender, TCrossHair* WhichCrossHair, int dx, int dy, bool& AllowMove)>;

// After a crosshair moved.
using TCrossHairMoveEvent = std::function<void(TObject* Sender, TCrossHair* WhichCrossHair)>;

// After a text label was dragged.
using TTextLabelMoveEvent = std::function<void(TObject* Sender, TTextLabel* WhichTextLabel)>;

// Before a chart item is drawn; the handler may change the item, and the
// chart uses the changed values.
using TBeforeRenderCItemEvent =
    std::function<void(TObject* Sender, TpwChartItem& ChartItem, int Index, bool IsAnnotation)>;

}  // namespace korvo
