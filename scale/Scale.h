// The scale: tick placement, tick labels, drawing and the scale control.
#pragma once

#include "scale/DateTimeLabels.h"
#include "scale/NiceTicks.h"
#include "scale/PrinterFont.h"
#include "scale/ScaleControl.h"
#include "scale/ScaleMath.h"
#include "scale/ScaleTransform.h"
#include "scale/TickFormat.h"
#include "scale/TickList.h"
#include "scale/TickPasses.h"
#include "scale/ZoomPan.h"
