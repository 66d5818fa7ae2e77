#include "form_test_classes.h"

#include <algorithm>

#include "platform/framework/FormWriter.h"

namespace korvo::test {

// Known to form descriptions from the start.
const TClassInfo& kMarkerClass = TMarker::ClassInfo();
const TClassInfo& kGaugeClass = TGauge::ClassInfo();
const TClassInfo& kTickerClass = TTicker::ClassInfo();
const TClassInfo& kTestFormClass = TTestForm::ClassInfo();
const TClassInfo& kDemoFormClass = TDemoForm::ClassInfo();

std::vector<std::string>& EventLog() {
  static std::vector<std::string> log;
  return log;
}

// --- TMarker -------------------------------------------------------------------

const TClassInfo& TMarker::ClassInfo() {
  static const TClassInfo& info = DefineClass<TMarker, TPersistent>("TMarker")
                                      .Prop("Size", &TMarker::Size, &TMarker::SetSize)
                                      .Default(5)
                                      .Color("Color", &TMarker::Color, &TMarker::SetColor)
                                      .Default(clRed)
                                      .Object("Font", &TMarker::Font)
                                      .Register();
  return info;
}

void TMarker::SetSize(int size) {
  if (size < 0) throw EPropertyError("the size must not be negative");
  size_ = size;
}

// --- TGauge --------------------------------------------------------------------

const TClassInfo& TGauge::ClassInfo() {
  using C = TGauge;
  static const TClassInfo& info = DefineClass<C, TCustomControl>("TGauge")
                                      .Publish("Align")
                                      .Publish("Anchors")
                                      .Publish("Font")
                                      .Publish("ParentFont")
                                      .Publish("ParentShowHint")
                                      .Publish("ShowHint")
                                      .Publish("Visible")
                                      .Prop("Position", &C::Position, &C::SetPosition)
                                      .Default(0)
                                      .Prop("Steps", &C::Steps, &C::SetSteps)
                                      .Default(10)
                                      .Prop("RangeLow", &C::RangeLow, &C::SetRangeLow)
                                      .Default(0.0)
                                      .Prop("RangeHigh", &C::RangeHigh, &C::SetRangeHigh)
                                      .Default(100.0)
                                      .Prop("Precise", &C::Precise, &C::SetPrecise)
                                      .Prop("Ratio", &C::Ratio, &C::SetRatio)
                                      .Default(1.0f)
                                      .Prop("Vertical", &C::Vertical, &C::SetVertical)
                                      .Default(false)
                                      .Prop("Title", &C::Title, &C::SetTitle)
                                      .Default(std::string())
                                      .Color("ForeColor", &C::ForeColor, &C::SetForeColor)
                                      .Default(clBlack)
                                      .Prop("Kind", &C::Kind, &C::SetKind)
                                      .Default(TGaugeKind::gkBar)
                                      .Prop("TitleStyle", &C::TitleStyle, &C::SetTitleStyle)
                                      .Prop("Total", &C::Total, &C::SetTotal)
                                      .Default(0)
                                      .Object("Marker", &C::Marker)
                                      .Reference("Follows", &C::Follows, &C::SetFollows)
                                      .Prop("FailOnLoad", &C::FailOnLoad, &C::SetFailOnLoad)
                                      .Default(false)
                                      .ReadOnly("Computed", &C::Computed)
                                      .Stored(false)
                                      .Publish("OnClick")
                                      .Publish("OnMouseDown")
                                      .Event("OnProgress", &C::OnProgress)
                                      .Register();
  return info;
}

TGauge::TGauge(TComponent* owner) : TCustomControl(owner) { SetBounds(0, 0, 100, 20); }

TGauge::~TGauge() { EventLog().push_back("~" + Name()); }

void TGauge::SetPosition(int v) {
  PositionSetWhileLoading = IsLoading();
  position_ = std::clamp(v, 0, 1000);
}

void TGauge::SetForeColor(TColor c) {
  fore_color_ = c;
  Invalidate();
}

void TGauge::SetFollows(TGauge* g) {
  if (follows_ != nullptr) follows_->RemoveFreeNotification(this);
  follows_ = g;
  if (g != nullptr) g->FreeNotification(this);
}

void TGauge::Loaded() {
  if (fail_on_load_) throw Exception("the gauge refused to load");
  EventLog().push_back("Loaded " + Name());
  TCustomControl::Loaded();
}

void TGauge::CreateWnd() {
  TCustomControl::CreateWnd();
  ++CreateWndCount;
  EventLog().push_back("CreateWnd " + Name());
}

void TGauge::Paint() {
  ++PaintCount;
  Canvas()->Brush()->SetColor(fore_color_);
  Canvas()->FillRect(TRect{0, 0, Width(), Height()});
}

void TGauge::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == follows_) follows_ = nullptr;
}

// --- TTicker -------------------------------------------------------------------

const TClassInfo& TTicker::ClassInfo() {
  static const TClassInfo& info = DefineClass<TTicker, TComponent>("TTicker")
                                      .Prop("Interval", &TTicker::Interval, &TTicker::SetInterval)
                                      .Default(1000)
                                      .Event("OnTick", &TTicker::OnTick)
                                      .Register();
  return info;
}

TTicker::~TTicker() { EventLog().push_back("~" + Name()); }

void TTicker::Loaded() {
  EventLog().push_back("Loaded " + Name());
  TComponent::Loaded();
}

// --- forms ---------------------------------------------------------------------

const TClassInfo& TTestForm::ClassInfo() {
  static const TClassInfo& info = DefineClass<TTestForm, TForm>("TTestForm")
                                      .Method("Button1Click", &TTestForm::Button1Click)
                                      .Method("GaugeProgress", &TTestForm::GaugeProgress)
                                      .Method("FormMouseMove", &TTestForm::FormMouseMove)
                                      .Register();
  return info;
}

void TTestForm::Button1Click(TObject* sender) {
  Calls.push_back("Button1Click " + static_cast<TComponent*>(sender)->Name());
}

void TTestForm::GaugeProgress(TObject* sender, int position, bool& cancel) {
  Calls.push_back("GaugeProgress " + static_cast<TComponent*>(sender)->Name() + " " + std::to_string(position));
  cancel = true;
}

void TTestForm::FormMouseMove(TObject*, TShiftState, int x, int y) {
  Calls.push_back("FormMouseMove " + std::to_string(x) + "," + std::to_string(y));
}

void TTestForm::Loaded() {
  EventLog().push_back("Loaded " + Name());
  TForm::Loaded();
}

const TClassInfo& TDemoForm::ClassInfo() {
  static const TClassInfo& info = DefineClass<TDemoForm, TTestForm>("TDemoForm")
                                      .Field("Gauge1", &TDemoForm::Gauge1)
                                      .Field("Gauge2", &TDemoForm::Gauge2)
                                      .Field("Panel1", &TDemoForm::Panel1)
                                      .Field("Button1", &TDemoForm::Button1)
                                      .Field("Bevel1", &TDemoForm::Bevel1)
                                      .Field("Ticker1", &TDemoForm::Ticker1)
                                      .Register();
  return info;
}

const char* const kDemoDescription = R"(object DemoForm: TDemoForm
  Left = 297
  Top = 180
  Width = 738
  Height = 441
  Caption = 'A simple demo of the component TGauge'
  Color = clBtnFace
  Font.Color = clWindowText
  Font.Height = -16
  Font.Name = 'System'
  Font.Style = [fsBold]
  OnMouseMove = FormMouseMove
  PixelsPerInch = 120
  Scaled = False
  object Bevel1: TBevel
    Left = 10
    Top = 10
    Width = 311
    Height = 391
    Shape = bsFrame
    Style = bsRaised
  end
  object Gauge2: TGauge
    Left = 20
    Top = 20
    Width = 293
    Height = 373
    Position = 5
    RangeHigh = 120.0
    ForeColor = clTeal
  end
  object Button1: TButton
    Left = 344
    Top = 370
    Width = 89
    Height = 31
    Caption = 'Start'
    Font.Color = clWindowText
    Font.Height = -17
    Font.Name = 'MS Sans Serif'
    Font.Style = []
    ParentFont = False
    TabOrder = 0
    OnClick = Button1Click
  end
  object Panel1: TPanel
    Left = 332
    Top = 10
    Width = 389
    Height = 351
    BevelInner = bvLowered
    TabOrder = 1
    object Gauge1: TGauge
      Left = 10
      Top = 10
      Width = 372
      Height = 331
      Anchors = [akLeft, AKTOP, akRight]
      Position = 42
      Steps = $FF
      RangeLow = -1.200000000000000000
      RangeHigh = 1.2E3
      Precise = 0.1
      Ratio = 0.25
      Vertical = true
      Title = 'It''s a'#13#10'two-line' +
        ' title'#$263A
      ForeColor = clMaroon
      Kind = GKNEEDLE
      TitleStyle = [fsBold, fsItalic]
      Total = -9007199254740993
      Marker.Size = 7
      Marker.Color = 14540253
      Marker.Font.Name = 'Arial'
      Follows = Gauge2
      OnClick = Button1Click
      OnProgress = gaugeprogress
    end
  end
  object Ticker1: TTicker
    Interval = 250
  end
end
)";

// --- snapshots -----------------------------------------------------------------

namespace {

void Snap(const TObject& obj, const std::string& prefix, std::vector<std::string>& out) {
  const TClassInfo* cls = ObjectClassInfo(obj);
  if (cls == nullptr) {
    out.push_back(prefix + " (unregistered " + obj.ClassName() + ")");
    return;
  }
  for (const TPropInfo* p : cls->Properties()) {
    const std::string name = prefix + p->Name();
    switch (p->Kind()) {
      case TPropKind::pkObject:
        if (TPersistent* sub = p->Object(const_cast<TObject&>(obj))) {
          SubObjectClassInfo(*p, *sub);  // registers the declared class
          Snap(*sub, name + ".", out);
        }
        break;
      case TPropKind::pkEvent:
        out.push_back(name + " -> " + p->BoundMethod(obj));
        break;
      case TPropKind::pkComponent: {
        const TComponent* ref = p->Reference(obj);
        out.push_back(name + " => " + (ref ? ref->Name() : std::string("nil")));
        break;
      }
      default:
        out.push_back(name + " = " + FormatFormValue(p->Get(obj)));
    }
  }
}

}  // namespace

std::vector<std::string> PropertySnapshot(const TComponent& root) {
  std::vector<std::string> out;
  Snap(root, root.Name() + ".", out);
  for (int i = 0; i < root.ComponentCount(); ++i) {
    const TComponent* c = root.Components(i);
    const auto* control = dynamic_cast<const TControl*>(c);
    out.push_back(c->Name() + ".<Class> = " + c->ClassName());
    if (control != nullptr) {
      out.push_back(c->Name() + ".<Parent> = " + (control->Parent() ? control->Parent()->Name() : std::string("nil")));
    }
    Snap(*c, c->Name() + ".", out);
  }
  return out;
}

}  // namespace korvo::test
