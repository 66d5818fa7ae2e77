// Saving and restoring the part of a canvas's state that the chart's overlay
// steps promise to leave as they found it.
#pragma once

#include "platform/graphics/Canvas.h"

namespace korvo {

// Remembers the pen colour, pen width, pen style and brush style of a canvas
// when constructed and puts them back when destroyed, on every exit path.
// Nothing else is touched: the pen mode, the brush colour, the font and the
// pen position stay as the step left them.
class TCanvasStateSaver {
 public:
  explicit TCanvasStateSaver(TCanvas& canvas)
      : canvas_(canvas),
        pen_color_(canvas.Pen()->Color()),
        pen_width_(canvas.Pen()->Width()),
        pen_style_(canvas.Pen()->Style()),
        brush_style_(canvas.Brush()->Style()) {}
  ~TCanvasStateSaver() {
    canvas_.Pen()->SetColor(pen_color_);
    canvas_.Pen()->SetWidth(pen_width_);
    canvas_.Pen()->SetStyle(pen_style_);
    canvas_.Brush()->SetStyle(brush_style_);
  }
  TCanvasStateSaver(const TCanvasStateSaver&) = delete;
  TCanvasStateSaver& operator=(const TCanvasStateSaver&) = delete;

 private:
  TCanvas& canvas_;
  TColor pen_color_;
  int pen_width_;
  TPenStyle pen_style_;
  TBrushStyle brush_style_;
};

}  // namespace korvo
