// The chart: TPlotwell and everything it is made of. Include this header to
// use the chart.
//
//   ChartItem.h      TpwChartItem, the item kinds and the coordinate modes
//   ItemStore.h      the display lists and every drawing command, documented
//                    there: MoveTo, DrawTo, MarkAt, Line, Rectangle, TextAt...
#pragma once

#include "base/korvobase.h"
#include "chart/ChartItem.h"
#include "chart/ItemContainer.h"
#include "chart/ItemStore.h"
#include "chart/LongTextArray.h"
#include "chart/ScaleProps.h"
