// The crosshair object: a crosshair at a world position of one layer. A chart
// owns four of them (CrossHair1 .. CrossHair4), draws them over its plot area
// and lets the mouse drag them.
#pragma once

#include <cstdint>
#include <functional>

#include "base/BaseEnums.h"
#include "platform/Export.h"
#include "platform/Persistent.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Pen.h"

namespace korvo {

class TClassInfo;

// A new crosshair has every value zero: position (0, 0), colour black, mode
// chOff, pen style psSolid, line width 0, layer 0 (a layer outside 1..16 until
// the owner or SetLayer gives it one). The owning chart then sets its own
// initial values.
//
// Every setter stores the value and then fires OnChange with this object as
// Sender, without comparing it with the old value: assigning an unchanged
// value notifies too.
class PLOTWELL_API TCrossHair : public TPersistent {
 public:
  TCrossHair() = default;
  TCrossHair(const TCrossHair&) = delete;
  TCrossHair& operator=(const TCrossHair&) = delete;
  const char* ClassName() const override { return "TCrossHair"; }
  // Published in this order: PosX, PosY, Color, Mode, LineType, LineWid,
  // Layer, OnChange.
  static const TClassInfo& ClassInfo();

  // From another TCrossHair: copies position, colour, mode, line type, line
  // width and layer without firing OnChange. The OnChange handler is not
  // copied: an object filled from another chart's crosshair keeps notifying
  // its own chart. Any other source raises the framework's assignment error.
  void Assign(const TPersistent& source) override;

  // World position on Layer.
  double PosX() const { return pos_x_; }
  void SetPosX(double x);
  double PosY() const { return pos_y_; }
  void SetPosY(double y);
  // Pen colour of the crosshair's lines.
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TCrossHMode Mode() const { return mode_; }
  void SetMode(TCrossHMode mode);
  // Pen style and width of its lines.
  TPenStyle LineType() const { return line_type_; }
  void SetLineType(TPenStyle style);
  int32_t LineWid() const { return line_wid_; }
  void SetLineWid(int32_t width);
  // The layer (1..16) whose transform places the crosshair: a value of 0 or
  // below is stored as 1, a value above 16 as 16.
  int32_t Layer() const { return layer_; }
  void SetLayer(int32_t layer);

  std::function<void(TObject* Sender)> OnChange;

 protected:
  void AssignTo(TPersistent& dest) const override;

 private:
  void Changed();

  double pos_x_ = 0;
  double pos_y_ = 0;
  TColor color_ = clBlack;
  TCrossHMode mode_ = TCrossHMode::chOff;
  TPenStyle line_type_ = TPenStyle::psSolid;
  int32_t line_wid_ = 0;
  int32_t layer_ = 0;
};

}  // namespace korvo
