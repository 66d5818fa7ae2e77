// The plot background object of a chart (BackGroundImg): a picture file that
// covers the plot area, or, without a picture, an area of the plot painted in
// its own colour.
#pragma once

#include <functional>
#include <string>

#include "base/BaseEnums.h"
#include "base/ChartEnums.h"
#include "platform/Export.h"
#include "platform/Persistent.h"
#include "platform/graphics/Color.h"

namespace korvo {

class TClassInfo;
class TObject;

// Every setter stores its value and then fires OnChange (the owning chart
// repaints itself and its sharers). The area bounds are world coordinates of
// the chart's current layer.
class PLOTWELL_API TBakGndImg : public TPersistent {
 public:
  TBakGndImg() = default;
  TBakGndImg(const TBakGndImg&) = delete;
  TBakGndImg& operator=(const TBakGndImg&) = delete;
  const char* ClassName() const override { return "TBakGndImg"; }
  // Published in this order: Name, IncludePath, FillMode, AreaMode,
  // AreaColor, AreaLeft, AreaRight, AreaTop, AreaBottom.
  static const TClassInfo& ClassInfo();

  // From another TBakGndImg: copies every published value without firing
  // OnChange. The handler is not copied: an object filled from another
  // chart's keeps notifying its own chart. Any other source raises the
  // framework's assignment error.
  void Assign(const TPersistent& source) override;

  // The picture's file name; empty for none. With IncludePath false only the
  // file-name part is kept (the directory is removed), with true the name is
  // stored as given.
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  // Setting it false removes the directory from the present Name.
  bool IncludePath() const { return include_path_; }
  void SetIncludePath(bool value);
  // How the picture covers the plot area. Default bfStretch.
  TBkgFill FillMode() const { return fill_mode_; }
  void SetFillMode(TBkgFill mode);
  // Which part of the plot area is painted in AreaColor when there is no
  // picture. Default bamNone.
  TBGAreaMode AreaMode() const { return area_mode_; }
  void SetAreaMode(TBGAreaMode mode);
  TColor AreaColor() const { return area_color_; }
  void SetAreaColor(TColor color);
  double AreaLeft() const { return area_left_; }
  void SetAreaLeft(double v);
  double AreaRight() const { return area_right_; }
  void SetAreaRight(double v);
  double AreaTop() const { return area_top_; }
  void SetAreaTop(double v);
  double AreaBottom() const { return area_bottom_; }
  void SetAreaBottom(double v);

  // Why the picture named last could not be read ("Cannot load
  // 'sky.bmp': not a regular file (a directory)"), for a caller that wants
  // to tell its user: the chart itself shows the plain background without a
  // word and clears Name. Empty when the last read succeeded; a new Name
  // clears it. Neither published nor copied by Assign.
  const std::string& LoadError() const { return load_error_; }
  void SetLoadError(std::string error) { load_error_ = std::move(error); }

  std::function<void(TObject* Sender)> OnChange;

 protected:
  void AssignTo(TPersistent& dest) const override;

 private:
  void Changed();

  std::string name_;
  std::string load_error_;
  bool include_path_ = false;
  TBkgFill fill_mode_ = TBkgFill::bfStretch;
  TBGAreaMode area_mode_ = TBGAreaMode::bamNone;
  TColor area_color_ = 0xDDDDDD;
  double area_left_ = -1.0;
  double area_right_ = 1.0;
  double area_top_ = 1.0;
  double area_bottom_ = -1.0;
};

}  // namespace korvo
