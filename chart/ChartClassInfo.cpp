// The published properties and events of TPlotwell, in the order form
// descriptions use, and the copying of one chart into another.
#include <string>
#include <utility>

#include "chart/plotwell.h"
#include "platform/framework/Menus.h"
#include "platform/framework/PlatformEnums.h"
#include "platform/framework/Properties.h"
#include "scale/Scale.h"

namespace korvo {

const TClassInfo& TCustomPlotwell::ClassInfo() {
  static const TClassInfo& info = DefineClass<TCustomPlotwell, TCustomControl>("TCustomPlotwell").Register();
  return info;
}

// A property with a Default is left out of a description while it holds
// that value; every other property is always written (Stored(true) where
// the framework gave one a default or a rule of its own: Font and ShowHint
// are written whatever ParentFont and ParentShowHint say). The margins keep
// their recorded defaults 50, 10, 16 and 32 only where a new chart has the same value
// (MarginLeft and LRim, 50): a new chart has the layout's 50, 20, 20, 40,
// so leaving out MarginRight = 10 would read back as 20. StandardLayout is
// never written. WheelAndKeyNavigation, an addition of this library, comes
// last among the properties and is written only when on.
const TClassInfo& TPlotwell::ClassInfo() {
  using C = TPlotwell;
  static const TClassInfo& info =
      DefineClass<C, TCustomPlotwell>("TPlotwell")
          .Publish("Font")
          .Stored(true)
          .Publish("Align")
          .Prop("AvoidDuplicateMarks", &C::AvoidDuplicateMarks, &C::SetAvoidDuplicateMarks)
          .Publish("Visible")
          .Publish("ShowHint")
          .Stored(true)
          .Publish("PopupMenu")
          .Publish("Anchors")
          .Publish("Constraints")
          .Publish("DragKind")
          .Publish("DragCursor")
          .Publish("DragMode")
          .Prop("AllocSize", &C::AllocSize, &C::SetAllocSize)
          .Prop("AutoRedraw", &C::AutoRedraw, &C::SetAutoRedraw)
          .Prop("MarginLeft", &C::MarginLeft, &C::SetMarginLeft)
          .Default(50)
          .Prop("MarginRight", &C::MarginRight, &C::SetMarginRight)
          .Prop("MarginTop", &C::MarginTop, &C::SetMarginTop)
          .Prop("MarginBottom", &C::MarginBottom, &C::SetMarginBottom)
          .Prop("MinDupMarkDist", &C::MinDupMarkDist, &C::SetMinDupMarkDist)
          .Prop("LRim", &C::LRim, &C::SetLRim)
          .Default(50)
          .Prop("RRim", &C::RRim, &C::SetRRim)
          .Prop("TRim", &C::TRim, &C::SetTRim)
          .Prop("BRim", &C::BRim, &C::SetBRim)
          .Object("BackGroundImg", &C::BackGroundImg)
          .Prop("ClassDefault", &C::ClassDefault, &C::SetClassDefault)
          .Prop("GridStyle", &C::GridStyle, &C::SetGridStyle)
          .Prop("GridDx", &C::GridDx, &C::SetGridDx)
          .Prop("GridDy", &C::GridDy, &C::SetGridDy)
          .Prop("Isometric", &C::Isometric, &C::SetIsometric)
          .Color("DataColor", &C::DataColor, &C::SetDataColor)
          .Default(clBlack)
          .Prop("PenStyle", &C::PenStyle, &C::SetPenStyle)
          .Default(TPenStyle::psSolid)
          .Color("ChartFrameColor", &C::ChartFrameColor, &C::SetChartFrameColor)
          .Default(clBlack)
          .Color("FillColor", &C::FillColor, &C::SetFillColor)
          .Default(clSilver)
          .Color("ChartColor", &C::ChartColor, &C::SetChartColor)
          .Default(clWhite)
          .Color("WindColor", &C::WindColor, &C::SetWindColor)
          .Default(clBtnFace)
          .Color("GridColor", &C::GridColor, &C::SetGridColor)
          .Default(clBlack)
          .Object("JointLayers", &C::JointLayers)
          .Prop("LineWidth", &C::LineWidth, &C::SetLineWidth)
          .Default(1)
          .Publish("Caption")
          .Stored(true)
          .Prop("CaptionPosX", &C::CaptionPosX, &C::SetCaptionPosX)
          .Prop("CaptionPosY", &C::CaptionPosY, &C::SetCaptionPosY)
          .Prop("CaptionAlignment", &C::CaptionAlignment, &C::SetCaptionAlignment)
          .Prop("CaptionAnchorHoriz", &C::CaptionAnchorHoriz, &C::SetCaptionAnchorHoriz)
          .Prop("CaptionAnchorVert", &C::CaptionAnchorVert, &C::SetCaptionAnchorVert)
          .Prop("CaptionTrim", &C::CaptionTrim, &C::SetCaptionTrim)
          .Color("MouseTraceColor", &C::MouseTraceColor, &C::SetMouseTraceColor)
          .Prop("MouseTraceInvert", &C::MouseTraceInvert, &C::SetMouseTraceInvert)
          .Object("CrossHair1", &C::CrossHair1)
          .Object("CrossHair2", &C::CrossHair2)
          .Object("CrossHair3", &C::CrossHair3)
          .Object("CrossHair4", &C::CrossHair4)
          .Prop("MouseAction", &C::MouseAction, &C::SetMouseAction)
          .Prop("MouseCursorFixed", &C::MouseCursorFixed, &C::SetMouseCursorFixed)
          .Prop("PanGridDx", &C::PanGridDx, &C::SetPanGridDx)
          .Prop("PanGridDy", &C::PanGridDy, &C::SetPanGridDy)
          .Prop("PanGridOffsX", &C::PanGridOffsX, &C::SetPanGridOffsX)
          .Prop("PanGridOffsY", &C::PanGridOffsY, &C::SetPanGridOffsY)
          .Object("Scale1X", &C::Scale1X)
          .Object("Scale1Y", &C::Scale1Y)
          .Object("Scale2X", &C::Scale2X)
          .Object("Scale2Y", &C::Scale2Y)
          .Object("Scale3X", &C::Scale3X)
          .Object("Scale3Y", &C::Scale3Y)
          .Object("Scale4X", &C::Scale4X)
          .Object("Scale4Y", &C::Scale4Y)
          .Prop("StandardLayout", &C::StandardLayout, &C::SetStandardLayout)
          .Stored(false)
          .Prop("ShadowWidth", &C::ShadowWidth, &C::SetShadowWidth)
          .Default(0)
          .Prop("ShadowStyle", &C::ShadowStyle, &C::SetShadowStyle)
          .Color("ShadowColor", &C::ShadowColor, &C::SetShadowColor)
          .Color("ShadowBakColor", &C::ShadowBakColor, &C::SetShadowBakColor)
          .Reference("UseDataOf", &C::UseDataOf, &C::SetUseDataOf)
          .Object("TextFont", static_cast<TFont* (TPwItemStore::*)()>(&C::TextFont))
          .Prop("TextFontStyle", &C::TextFontStyle, &C::SetTextFontStyle)
          .Prop("TextBkStyle", &C::TextBkStyle, &C::SetTextBkStyle)
          .Color("TextBkColor", &C::TextBkColor, &C::SetTextBkColor)
          .Default(clSilver)
          .Prop("TextAlignment", &C::TextAlignment, &C::SetTextAlignment)
          .Prop("WheelAndKeyNavigation", &C::WheelAndKeyNavigation, &C::SetWheelAndKeyNavigation)
          .Default(false)
          .Publish("OnClick")
          .Publish("OnDblClick")
          .Publish("OnDragDrop")
          .Publish("OnDragOver")
          .Publish("OnEndDrag")
          .Publish("OnMouseMove")
          .Publish("OnMouseDown")
          .Publish("OnMouseUp")
          .Publish("OnKeyDown")
          .Publish("OnKeyUp")
          .Publish("OnKeyPress")
          .Event("OnMouseMoveInChart", &C::OnMouseMoveInChart)
          .Publish("OnMouseEnter")
          .Publish("OnMouseLeave")
          .Publish("OnMouseWheel")
          .Publish("OnMouseWheelUp")
          .Publish("OnMouseWheelDown")
          .Event("OnRubberBand", &C::OnRubberBand)
          .Event("OnSelectRect", &C::OnSelectRect)
          .Event("OnZoomPan", &C::OnZoomPan)
          .Event("OnScaleTickDrawn", &C::OnScaleTickDrawn)
          .Event("OnBeforeCrossHairMove", &C::OnBeforeCrossHairMove)
          .Event("OnBeforeTickLabel", &C::OnBeforeTickLabel)
          .Event("OnBeforeRenderData", &C::OnBeforeRenderData)
          .Event("OnBeforeRenderChartItem", &C::OnBeforeRenderChartItem)
          .Event("OnBeforeRenderText", &C::OnBeforeRenderText)
          .Event("OnDataRendered", &C::OnDataRendered)
          .Event("OnScalesRendered", &C::OnScalesRendered)
          .Publish("OnStartDrag")
          .Event("OnCrossHairMove", &C::OnCrossHairMove)
          .Event("OnTextLabelMove", &C::OnTextLabelMove)
          .Publish("OnCanResize")
          .Publish("OnResize")
          .Register();
  return info;
}

namespace {
// Form descriptions know the chart from the start.
const TClassInfo& kPlotwellClass = TPlotwell::ClassInfo();
}  // namespace

// ---- Assign --------------------------------------------------------------------

// The copy keeps its own sharing state: it neither joins the source's group
// nor takes the source's members (its data list, shared or not, receives the
// source's items). The scale objects keep their own loading flags and change
// handlers, the scales their own event routing, so nothing in the copy acts
// on the source. Painting is suspended while the copy is made; the source's
// PaintSuspended is taken unless it would leave this chart, which has its
// window already, suspended for good.
void TCustomPlotwell::Assign(const TPersistent& source) {
  const auto* s = dynamic_cast<const TCustomPlotwell*>(&source);
  if (s == nullptr) {
    TCustomControl::Assign(source);
    return;
  }
  if (s == this) return;
  const bool finalSuspended = s->paint_suspended_ && HandleAllocated() ? paint_suspended_ : s->paint_suspended_;
  paint_suspended_ = true;
  try {
    // The plain settings.
    SetTag(s->Tag());
    data_over_annotations_ = s->data_over_annotations_;
    annotation_texts_on_top_ = s->annotation_texts_on_top_;
    annotations_visible_ = s->annotations_visible_;
    SetAnnotationMode(s->AnnotationMode());
    SetAllocSize(s->AllocSize());
    grid_style_ = s->grid_style_;
    grid_dx_ = s->grid_dx_;
    grid_dy_ = s->grid_dy_;
    grid_color_ = s->grid_color_;
    margin_left_ = s->margin_left_;
    margin_right_ = s->margin_right_;
    margin_top_ = s->margin_top_;
    margin_bottom_ = s->margin_bottom_;
    shadow_width_ = s->shadow_width_;
    shadow_style_ = s->shadow_style_;
    shadow_color_ = s->shadow_color_;
    shadow_bak_color_ = s->shadow_bak_color_;
    mouse_action_ = s->mouse_action_;
    SetDataColor(s->DataColor());
    chart_frame_color_ = s->chart_frame_color_;
    SetFillColor(s->FillColor());
    chart_color_ = s->chart_color_;
    SetPenStyle(s->PenStyle());
    wind_color_ = s->wind_color_;
    standard_layout_ = s->standard_layout_;
    SetLineWidth(s->LineWidth());
    TControl::SetCaption(s->Caption());
    caption_pos_x_ = s->caption_pos_x_;
    caption_pos_y_ = s->caption_pos_y_;
    caption_alignment_ = s->caption_alignment_;
    caption_anchor_horiz_ = s->caption_anchor_horiz_;
    caption_anchor_vert_ = s->caption_anchor_vert_;
    caption_trim_ = s->caption_trim_;
    SetClassDefault(s->ClassDefault());
    SetCurrentLayer(s->CurrentLayer());
    mouse_cursor_fixed_ = s->mouse_cursor_fixed_;
    avoid_duplicate_marks_ = s->avoid_duplicate_marks_;
    min_dup_mark_dist_ = s->min_dup_mark_dist_;
    auto_redraw_ = s->auto_redraw_;
    SetTextBkStyle(s->TextBkStyle());
    TPwItemStore::SetTextAlignment(s->TextAlignment());
    isometric_ = s->isometric_;
    pixel_aspect_x_ = s->pixel_aspect_x_;
    pixel_aspect_y_ = s->pixel_aspect_y_;
    // The mouse state: the trace and its settings, the pan grid.
    mouse_trace_ = s->mouse_trace_;
    mouse_trace_color_ = s->mouse_trace_color_;
    mouse_trace_invert_ = s->mouse_trace_invert_;
    pan_grid_dx_ = s->pan_grid_dx_;
    pan_grid_dy_ = s->pan_grid_dy_;
    pan_grid_offs_x_ = s->pan_grid_offs_x_;
    pan_grid_offs_y_ = s->pan_grid_offs_y_;
    SetWheelAndKeyNavigation(s->WheelAndKeyNavigation());
    SizePlotBitmap();

    // Both lists (capacity AllocSize * (count div AllocSize + 1)), their
    // long texts and the counters; the tables and the chart's state.
    CopyListsFrom(*s);
    class_visible_ = s->class_visible_;
    annotation_class_visible_ = s->annotation_class_visible_;
    layer_visible_ = s->layer_visible_;
    for (int l = 1; l <= LayerCount; ++l) SetLayerInUse(l, s->LayerInUse(l));
    kx_ = s->kx_;
    ox_ = s->ox_;
    ky_ = s->ky_;
    oy_ = s->oy_;
    zoom_history_ = s->zoom_history_;
    zoom_history_index_ = s->zoom_history_index_;
    range_limits_ = s->range_limits_;

    // The layers: property objects and scales take the source's values.
    for (size_t i = 0; i < LayerCount; ++i) {
      x_props_[i]->Assign(*s->x_props_[i]);
      y_props_[i]->Assign(*s->y_props_[i]);
      for (auto [own, theirs] : {std::pair{x_scales_[i], s->x_scales_[i]}, std::pair{y_scales_[i], s->y_scales_[i]}}) {
        TScaleTickDrawnEvent tickDrawn = std::move(own->OnScaleTickDrawn);
        TBeforeTickLabelEvent tickLabel = std::move(own->OnBeforeTickLabel);
        TScaleRenderedEvent before = std::move(own->OnBeforeScaleRendered);
        TScaleRenderedEvent after = std::move(own->OnAfterScaleRendered);
        own->Assign(*theirs);
        own->OnScaleTickDrawn = std::move(tickDrawn);
        own->OnBeforeTickLabel = std::move(tickLabel);
        own->OnBeforeScaleRendered = std::move(before);
        own->OnAfterScaleRendered = std::move(after);
      }
    }
    PlaceScales();

    // The owned objects.
    background_->Assign(*s->background_);
    for (size_t n = 0; n < cross_hairs_.size(); ++n) cross_hairs_[n]->Assign(*s->cross_hairs_[n]);
    for (size_t n = 0; n < text_labels_.size(); ++n) text_labels_[n]->Assign(*s->text_labels_[n]);
    joint_layers_->Assign(*s->joint_layers_);
    SetTextFont(*s->TextFont());

    // The chart's own events.
    OnMouseMoveInChart = s->OnMouseMoveInChart;
    OnZoomPan = s->OnZoomPan;
    OnSelectRect = s->OnSelectRect;
    OnRubberBand = s->OnRubberBand;
    OnScaleTickDrawn = s->OnScaleTickDrawn;
    OnBeforeTickLabel = s->OnBeforeTickLabel;
    OnBeforeRenderChartItem = s->OnBeforeRenderChartItem;
    OnDataRendered = s->OnDataRendered;
    OnBeforeRenderData = s->OnBeforeRenderData;
    OnBeforeCrossHairMove = s->OnBeforeCrossHairMove;
    OnScalesRendered = s->OnScalesRendered;
    OnCrossHairMove = s->OnCrossHairMove;
    OnTextLabelMove = s->OnTextLabelMove;
    OnMouseLeave = s->OnMouseLeave;
    OnMouseEnter = s->OnMouseEnter;

    ApplyScaleProps();
    UpdateTransforms();
  } catch (...) {
    paint_suspended_ = finalSuspended;
    throw;
  }
  paint_suspended_ = finalSuspended;
  RepaintChart();
}

void TCustomPlotwell::AssignTo(TPersistent& dest) const {
  if (auto* d = dynamic_cast<TCustomPlotwell*>(&dest)) {
    d->Assign(*this);
    return;
  }
  TCustomControl::AssignTo(dest);
}

}  // namespace korvo
