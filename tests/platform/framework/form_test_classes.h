// Components for the framework and form description tests: a gauge control
// with a published property of every kind, a sub-object, a non-visual
// component, and forms with handler methods and fields. Each records what
// happens to it in EventLog().
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/framework/Application.h"
#include "platform/framework/Control.h"
#include "platform/framework/Headless.h"
#include "platform/framework/PlatformEnums.h"
#include "platform/framework/Properties.h"
#include "platform/framework/StdCtrls.h"

namespace korvo::test {

// What the test components did, in order ("Loaded Gauge1", ...).
std::vector<std::string>& EventLog();

// Installs a fresh headless window system for one test and restores the
// previous one afterwards. Declare it before the forms of the test, so that
// they go first.
class THeadlessScope {
 public:
  THeadlessScope() : previous_(InstallWindowSystem(&ws_)) { EventLog().clear(); }
  ~THeadlessScope() { InstallWindowSystem(previous_ == HeadlessWindowSystem() ? nullptr : previous_); }
  THeadlessScope(const THeadlessScope&) = delete;
  THeadlessScope& operator=(const THeadlessScope&) = delete;
  THeadlessWindowSystem& ws() { return ws_; }

 private:
  THeadlessWindowSystem ws_;
  TWindowSystem* previous_;
};

enum class TGaugeKind : uint8_t { gkBar, gkPie, gkNeedle };

}  // namespace korvo::test

namespace korvo {
template <>
struct TEnumInfo<test::TGaugeKind> {
  static constexpr std::string_view TypeName = "TGaugeKind";
  static constexpr std::array<std::string_view, 3> Names = {"gkBar", "gkPie", "gkNeedle"};
};
}  // namespace korvo

namespace korvo::test {

// An owned sub-object with a sub-object of its own.
class TMarker : public TPersistent {
 public:
  const char* ClassName() const override { return "TMarker"; }
  static const TClassInfo& ClassInfo();

  int Size() const { return size_; }
  // Refuses negative sizes.
  void SetSize(int size);
  TColor Color() const { return color_; }
  void SetColor(TColor c) { color_ = c; }
  TFont* Font() { return &font_; }

 private:
  int size_ = 5;
  TColor color_ = clRed;
  TFont font_;
};

using TProgressEvent = std::function<void(TObject* Sender, int Position, bool& Cancel)>;

class TGauge : public TCustomControl {
 public:
  explicit TGauge(TComponent* owner);
  ~TGauge() override;
  const char* ClassName() const override { return "TGauge"; }
  static const TClassInfo& ClassInfo();

  int Position() const { return position_; }
  // Clamps to 0..1000 and records whether the gauge was loading.
  void SetPosition(int v);
  uint8_t Steps() const { return steps_; }
  void SetSteps(uint8_t v) { steps_ = v; }
  double RangeLow() const { return range_low_; }
  void SetRangeLow(double v) { range_low_ = v; }
  double RangeHigh() const { return range_high_; }
  void SetRangeHigh(double v) { range_high_ = v; }
  long double Precise() const { return precise_; }
  void SetPrecise(long double v) { precise_ = v; }
  float Ratio() const { return ratio_; }
  void SetRatio(float v) { ratio_ = v; }
  bool Vertical() const { return vertical_; }
  void SetVertical(bool v) { vertical_ = v; }
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& v) { title_ = v; }
  TColor ForeColor() const { return fore_color_; }
  void SetForeColor(TColor c);
  TGaugeKind Kind() const { return kind_; }
  void SetKind(TGaugeKind k) { kind_ = k; }
  TFontStyles TitleStyle() const { return title_style_; }
  void SetTitleStyle(TFontStyles s) { title_style_ = s; }
  int64_t Total() const { return total_; }
  void SetTotal(int64_t v) { total_ = v; }
  TMarker* Marker() { return &marker_; }
  TGauge* Follows() const { return follows_; }
  void SetFollows(TGauge* g);
  bool FailOnLoad() const { return fail_on_load_; }
  void SetFailOnLoad(bool v) { fail_on_load_ = v; }
  int Computed() const { return position_ * 2; }

  TProgressEvent OnProgress;

  // What the gauge went through.
  int CreateWndCount = 0;
  int PaintCount = 0;
  bool PositionSetWhileLoading = false;

  using TCustomControl::Click;
  using TCustomControl::MouseDown;

 protected:
  void Loaded() override;
  void CreateWnd() override;
  void Paint() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  int position_ = 0;
  uint8_t steps_ = 10;
  double range_low_ = 0.0;
  double range_high_ = 100.0;
  long double precise_ = 0.0L;
  float ratio_ = 1.0f;
  bool vertical_ = false;
  std::string title_;
  TColor fore_color_ = clBlack;
  TGaugeKind kind_ = TGaugeKind::gkBar;
  TFontStyles title_style_;
  int64_t total_ = 0;
  TMarker marker_;
  TGauge* follows_ = nullptr;
  bool fail_on_load_ = false;
};

// A non-visual component.
class TTicker : public TComponent {
 public:
  explicit TTicker(TComponent* owner) : TComponent(owner) {}
  ~TTicker() override;
  const char* ClassName() const override { return "TTicker"; }
  static const TClassInfo& ClassInfo();

  int Interval() const { return interval_; }
  void SetInterval(int v) { interval_ = v; }
  TNotifyEvent OnTick;

  using TComponent::Notification;

 protected:
  void Loaded() override;

 private:
  int interval_ = 1000;
};

// A form with handler methods and no fields.
class TTestForm : public TForm {
 public:
  explicit TTestForm(TComponent* owner) : TForm(owner) {}
  const char* ClassName() const override { return "TTestForm"; }
  static const TClassInfo& ClassInfo();

  std::vector<std::string> Calls;
  void Button1Click(TObject* sender);
  void GaugeProgress(TObject* sender, int position, bool& cancel);
  void FormMouseMove(TObject* sender, TShiftState shift, int x, int y);

 protected:
  void Loaded() override;
};

// A form whose fields receive its components.
class TDemoForm : public TTestForm {
 public:
  explicit TDemoForm(TComponent* owner) : TTestForm(owner) {}
  const char* ClassName() const override { return "TDemoForm"; }
  static const TClassInfo& ClassInfo();

  TGauge* Gauge1 = nullptr;
  TGauge* Gauge2 = nullptr;
  TPanel* Panel1 = nullptr;
  TButton* Button1 = nullptr;
  TBevel* Bevel1 = nullptr;
  TTicker* Ticker1 = nullptr;
};

// The description of a TDemoForm with every kind of value; the writer
// writes it back exactly like this.
extern const char* const kDemoDescription;

// Every stored property of every component under `root`, as
// "Component.Property = value" lines, for comparing two trees.
std::vector<std::string> PropertySnapshot(const TComponent& root);

}  // namespace korvo::test
