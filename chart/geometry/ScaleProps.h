// The scale property objects: what the user sets about one axis of one chart
// layer (its range, logarithmic or not, how its scale looks and where it
// stands). Each layer of a chart has a TScalePropsHoriz for x and a
// TScalePropsVert for y; the chart builds its transforms from their ranges
// and copies them into the scales that draw the axes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "base/BaseEnums.h"
#include "base/ChartEnums.h"
#include "base/DTLabel.h"
#include "base/ScaleEnums.h"
#include "platform/Export.h"
#include "platform/Persistent.h"
#include "platform/Types.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"

namespace korvo {

class TComponent;

class TClassInfo;

// Every setter stores its value and then fires OnChange with this object as
// Sender, unless the setter says otherwise; a chart points OnChange at its
// re-application of all layer ranges. A change made directly to Font or
// DateFormat fires OnChange too.
//
// Range rules. RangeLow and RangeHigh keep at least MinRange apart: setting
// one bound closer than MinRange to the other moves the other bound to
// exactly MinRange away (RangeLow := v makes RangeHigh v + MinRange, and
// vice versa). A bound may pass the other one; the axis then runs reversed.
// A logarithmic axis ignores a bound below 1e-100. A NaN or infinite bound
// is ignored. Ignored values still fire OnChange.
class PLOTWELL_API TScaleProps : public TPersistent {
 public:
  TScaleProps();
  ~TScaleProps() override;
  TScaleProps(const TScaleProps&) = delete;
  TScaleProps& operator=(const TScaleProps&) = delete;
  const char* ClassName() const override { return "TScaleProps"; }
  // Published in the order of the accessors below, from Caption to Visible,
  // then OnChange; the axis classes add ScaleLocation.
  static const TClassInfo& ClassInfo();

  // From another TScaleProps: copies Caption, CaptionPosX, CaptionPosY,
  // CaptionAlignment, CaptionAnchor, ColorScale, the values of DateFormat,
  // DecPlaces, Logarithmic, LabelType, Font, MinTicks, RangeLow, RangeHigh,
  // ShortTicks, ScaleInscript, the orientation, both scale positions,
  // MinRange, UserTickText and Visible, without firing OnChange. Not copied:
  // MouseAction, the ScaleLocation value (the orientation it set is), the
  // loading flag (it tells whether this object's own chart is still
  // loading) and OnChange (an object filled from another chart's object
  // keeps notifying its own chart). Any other source raises the framework's
  // assignment error.
  void Assign(const TPersistent& source) override;

  // Gives the object its initial values again (the defaults listed at each
  // property), leaving OnChange in place and firing nothing.
  void Reinitialize();

  // Caption of the scale and its placement (pixels, relative to the anchor).
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  int32_t CaptionPosX() const { return caption_pos_x_; }
  void SetCaptionPosX(int32_t x);
  int32_t CaptionPosY() const { return caption_pos_y_; }
  void SetCaptionPosY(int32_t y);
  // Default taCenter.
  TAlignment CaptionAlignment() const { return caption_alignment_; }
  void SetCaptionAlignment(TAlignment alignment);
  // Default uaSclTopLft.
  TScaleUnitAnchor CaptionAnchor() const { return caption_anchor_; }
  void SetCaptionAnchor(TScaleUnitAnchor anchor);
  // Colour of the scale's line, ticks and labels. Default clBlack.
  TColor ColorScale() const { return color_scale_; }
  void SetColorScale(TColor color);
  // How dates and times are written (ftTime, ftDateTime). Default tfHHMMSS,
  // '-', ':', ylYYYY, month names, dtOnePerDay, doDDMMYY. SetDateFormat
  // copies the given object's values into the owned one.
  TDTLabel* DateFormat() { return &date_format_; }
  const TDTLabel* DateFormat() const { return &date_format_; }
  void SetDateFormat(const TDTLabel& format);
  // Decimals of the labels; negative values choose automatically. Clamped
  // into -3..12. Default -2.
  int32_t DecPlaces() const { return dec_places_; }
  void SetDecPlaces(int32_t places);
  // Font of the labels; SetFont copies the given font into the owned one.
  TFont* Font() { return &font_; }
  const TFont* Font() const { return &font_; }
  void SetFont(const TFont& font);
  // Logarithmic axis. Once the owning chart has loaded, true is refused
  // (silently, still firing OnChange) unless both bounds are at least 1e-100
  // and LabelType is not ftDateTime. While loading, any value is taken.
  bool Logarithmic() const { return logarithmic_; }
  void SetLogarithmic(bool value);
  // Kind of the labels. ftDateTime also makes the axis linear; ftTime sets
  // DecPlaces to 4. Default ftNum.
  TFigType LabelType() const { return label_type_; }
  void SetLabelType(TFigType type);
  // Minimum number of major ticks. Default 3.
  int32_t MinTicks() const { return min_ticks_; }
  void SetMinTicks(int32_t ticks);
  // The narrowest range the axis may have. A value of 1e-100 or less (or
  // NaN) is ignored without notification. When the range is narrower than
  // the new value it is widened about its centre to exactly that width and
  // OnChange fires; otherwise nothing fires. Default 1e-10.
  double MinRange() const { return min_range_; }
  void SetMinRange(double range);
  // What a mouse drag on this axis's scale band does. Stored without
  // notification. Default maNone.
  TMouseActMode MouseAction() const { return mouse_action_; }
  void SetMouseAction(TMouseActMode action) { mouse_action_ = action; }
  // The axis range (see the range rules above). Defaults 0 and 1.
  double RangeLow() const { return range_low_; }
  void SetRangeLow(double value);
  double RangeHigh() const { return range_high_; }
  void SetRangeHigh(double value);
  // Store a bound as given, without the range rules and without
  // notification: for the chart's layer-range operations, which check the
  // range themselves.
  void StoreRangeLow(double value) { range_low_ = value; }
  void StoreRangeHigh(double value) { range_high_ = value; }
  // Short ticks between the major ones. Default true.
  bool ShortTicks() const { return short_ticks_; }
  void SetShortTicks(bool value);
  // Text added to each label (a unit, for example).
  const std::string& ScaleInscript() const { return scale_inscript_; }
  void SetScaleInscript(const std::string& text);
  // Distance in pixels by which the scale stands away from the plot area
  // (positive: outwards). The object keeps one distance for the horizontal
  // orientations and one for the vertical ones; ScalePos reads and writes
  // the one that matches the current orientation. Default 0.
  int32_t ScalePos() const;
  void SetScalePos(int32_t pos);
  // Texts of the labels when LabelType is ftUserText.
  const std::string& UserTickText() const { return user_tick_text_; }
  void SetUserTickText(const std::string& text);
  // Whether the chart shows this scale. Default false.
  bool Visible() const { return visible_; }
  void SetVisible(bool value);

  // Where the scale stands, as the scale is told: sctXB at the top edge of
  // the plot area, sctXT at the bottom edge, sctYL at the right edge, sctYR
  // at the left edge. Set by ScaleLocation, or directly by the chart (which
  // leaves ScaleLocation as it was).
  TScaleType Orientation() const { return orientation_; }
  void SetOrientation(TScaleType orientation) { orientation_ = orientation; }
  int32_t HorizontalScalePos() const { return scale_pos_horiz_; }
  int32_t VerticalScalePos() const { return scale_pos_vert_; }

  // True from construction until the owning chart has finished loading:
  // while set, Logarithmic takes any value unchecked.
  bool Loading() const { return loading_; }
  void SetLoading(bool loading) { loading_ = loading; }
  // The component whose form description may set this object (the chart).
  // While it is being read, LabelType ftTime keeps the DecPlaces read before
  // it instead of setting 4, so a description gives back the decimals it was
  // written with. Not copied by Assign.
  void SetOwnerComponent(const TComponent* owner) { owner_ = owner; }

  std::function<void(TObject* Sender)> OnChange;

 protected:
  explicit TScaleProps(TScaleType orientation);
  void AssignTo(TPersistent& dest) const override;
  void Changed();

 private:
  void InitValues();

  std::string caption_;
  int32_t caption_pos_x_ = 0;
  int32_t caption_pos_y_ = 0;
  TAlignment caption_alignment_ = TAlignment::taCenter;
  TScaleUnitAnchor caption_anchor_ = TScaleUnitAnchor::uaSclTopLft;
  TColor color_scale_ = clBlack;
  TDTLabel date_format_;
  int32_t dec_places_ = -2;
  TFont font_;
  bool logarithmic_ = false;
  TFigType label_type_ = TFigType::ftNum;
  int32_t min_ticks_ = 3;
  double min_range_ = 1e-10;
  TMouseActMode mouse_action_ = TMouseActMode::maNone;
  double range_low_ = 0.0;
  double range_high_ = 1.0;
  bool short_ticks_ = true;
  std::string scale_inscript_;
  std::string user_tick_text_;
  bool visible_ = false;

  TScaleType initial_orientation_;
  TScaleType orientation_;
  int32_t scale_pos_horiz_ = 0;
  int32_t scale_pos_vert_ = 0;
  bool loading_ = true;
  bool silent_ = false;
  const TComponent* owner_ = nullptr;

 protected:
  // The ScaleLocation value of the axis classes, as last set (its type's
  // ordinal); the orientation it chose may have been changed since.
  uint8_t location_ = 0;
  uint8_t initial_location_ = 0;  // Assign and Reinitialize change Font and DateFormat without notifying
};

// The x axis of a layer. ScaleLocation places its scale below (slBottom,
// the default) or above (slTop) the plot area.
class PLOTWELL_API TScalePropsHoriz : public TScaleProps {
 public:
  TScalePropsHoriz() : TScaleProps(TScaleType::sctXT) {
    location_ = initial_location_ = uint8_t(TScaleLocationHoriz::slBottom);
  }
  const char* ClassName() const override { return "TScalePropsHoriz"; }
  static const TClassInfo& ClassInfo();

  // The side last set, slBottom at first; reading gives the stored value
  // even when the orientation was set directly since. Setting it stores the
  // side, sets the orientation (slTop: sctXB, slBottom: sctXT) and fires
  // OnChange.
  TScaleLocationHoriz ScaleLocation() const;
  void SetScaleLocation(TScaleLocationHoriz location);
};

// The y axis of a layer. ScaleLocation places its scale left (slLeft, the
// default) or right (slRight) of the plot area.
class PLOTWELL_API TScalePropsVert : public TScaleProps {
 public:
  TScalePropsVert() : TScaleProps(TScaleType::sctYR) {
    location_ = initial_location_ = uint8_t(TScaleLocationVert::slLeft);
  }
  const char* ClassName() const override { return "TScalePropsVert"; }
  static const TClassInfo& ClassInfo();

  // The side last set, slLeft at first; reading gives the stored value even
  // when the orientation was set directly since. Setting it stores the side,
  // sets the orientation (slLeft: sctYR, slRight: sctYL) and fires OnChange.
  TScaleLocationVert ScaleLocation() const;
  void SetScaleLocation(TScaleLocationVert location);
};

}  // namespace korvo
