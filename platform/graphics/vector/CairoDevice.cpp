#include "platform/graphics/vector/CairoDevice.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <mutex>
#include <numbers>
#include <unordered_map>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/raster/DashPatterns.h"
#include "platform/graphics/text/FontRegistry.h"
#include "platform/graphics/text/Utf8.h"

namespace korvo {
namespace {

// The centre of pixel coordinate v.
double Mid(int32_t v) { return double(v) + 0.5; }

// The centre of pixel `p` moved half a pixel back along the direction from
// `a` to `b`: where a 1-pixel stroke's butt end must lie so that the stroke
// covers its first pixel whole and leaves its last point out, as the raster
// line does. A null direction moves nothing.
struct TSpot {
  double X, Y;
};
TSpot HalfBack(TPoint p, TPoint a, TPoint b) {
  const double dx = double(b.X) - a.X, dy = double(b.Y) - a.Y;
  const double length = std::hypot(dx, dy);
  if (length == 0) return {Mid(p.X), Mid(p.Y)};
  return {Mid(p.X) - 0.5 * dx / length, Mid(p.Y) - 0.5 * dy / length};
}

void SetColour(cairo_t* cr, TColor color) {
  const TColor rgb = ColorToRGB(color);
  cairo_set_source_rgb(cr, (rgb & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, ((rgb >> 16) & 0xFF) / 255.0);
}

// The colour and operator a pen or brush paints with in `mode`; without
// blend modes (SVG 1.1, where cairo would turn the whole page into one
// image) xor and not paint as copy.
void SetInk(cairo_t* cr, TColor color, TPenMode mode, bool blends) {
  switch (blends ? mode : TPenMode::pmCopy) {
    case TPenMode::pmCopy:
      cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
      SetColour(cr, color);
      break;
    case TPenMode::pmXor:
      cairo_set_operator(cr, CAIRO_OPERATOR_DIFFERENCE);
      SetColour(cr, color);
      break;
    case TPenMode::pmNot:
      cairo_set_operator(cr, CAIRO_OPERATOR_DIFFERENCE);
      cairo_set_source_rgb(cr, 1, 1, 1);
      break;
  }
}

// Everything a stroke's look depends on: two LineTo calls with equal keys
// may share one path.
struct StrokeKey {
  TColor Color = 0;
  int Width = 1;
  TPenStyle Style = TPenStyle::psSolid;
  TPenMode Mode = TPenMode::pmCopy;
  bool OpaqueGaps = false;
  TColor Gaps = 0;
  friend bool operator==(const StrokeKey&, const StrokeKey&) = default;

  bool Visible() const { return Style != TPenStyle::psClear; }
  bool Dashed() const { return !raster::DashRunsOf(Style).empty(); }
};

StrokeKey KeyOf(const TCanvas& c) {
  StrokeKey k;
  k.Color = c.Pen()->Color();
  k.Width = std::max(c.Pen()->Width(), 1);
  k.Style = c.Pen()->Style();
  if (k.Width > 1 && k.Style != TPenStyle::psClear) k.Style = TPenStyle::psSolid;  // wide pens draw solid
  k.Mode = c.Pen()->Mode();
  k.OpaqueGaps = k.Dashed() && c.Brush()->Style() == TBrushStyle::bsSolid;
  k.Gaps = k.OpaqueGaps ? c.Brush()->Color() : 0;
  return k;
}

void NormalizeBox(TRect& r) {
  if (r.Left > r.Right) std::swap(r.Left, r.Right);
  if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom);
}

// The angle, in the ellipse's own parameter, at which a ray from its centre
// in direction (dx, dy) meets an ellipse of radii rx, ry; a null ray points
// along +x.
double ParameterOf(int64_t dx, int64_t dy, double rx, double ry) {
  if (dx == 0 && dy == 0) return 0;
  return std::atan2(rx * double(dy), ry * double(dx));
}

// An image cairo owns, with the bitmap's pixels (0xFFRRGGBB is cairo's
// native-endian RGB24).
cairo_surface_t* ImageOf(const TBitmap& picture) {
  const int w = picture.Width(), h = picture.Height();
  cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
  if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) return image;
  cairo_surface_flush(image);
  unsigned char* data = cairo_image_surface_get_data(image);
  const int stride = cairo_image_surface_get_stride(image);
  for (int y = 0; y < h; ++y) {
    const TPixel* row = picture.ScanLine(y);
    std::copy_n(row, w, reinterpret_cast<uint32_t*>(data + ptrdiff_t(y) * stride));
  }
  cairo_surface_mark_dirty(image);
  return image;
}

}  // namespace

struct TCairoDevice::Impl {
  cairo_t* cr;
  bool crisp;
  bool blends;
  // The clip rectangle cairo holds; none before the first figure.
  bool clipped = false;
  TRect clip{};
  // The open path of LineTo calls: its pen and where it ends.
  // The last segment's ends are held back until the path is stroked, when
  // a 1-pixel pen's end moves half a pixel back (HalfBack).
  bool pending = false;
  StrokeKey pending_key;
  TPoint pending_from{};
  TPoint pending_end{};
  // cairo's faces for the canvas's, made once each.
  std::unordered_map<const text::FontFace*, cairo_font_face_t*> faces;
  // Scratch for text, kept between calls.
  std::vector<cairo_glyph_t> glyphs;
  std::vector<cairo_text_cluster_t> clusters;
  std::string utf8;
  std::vector<TTextRun>* runs = nullptr;
  // On SVG, cairo writes an element (its style spelt out) for each fill and
  // stroke, so consecutive figures that paint alike are gathered into one
  // path and painted at once: Fills of one colour as rectangles (a 1M-point
  // tangled line: 1.3 MB -> 0.4 MB), and Polylines and LineTo paths of one
  // solid pen as subpaths (glyph 19 at a million points of a tangled walk:
  // 40 MB -> 15 MB). The union
  // of the parts is the picture either way: rectangles all run the same way
  // round, and a stroke of subpaths is the union of their strokes. Its PDF
  // writer writes a lone rectangle as a short `re` but a path of many
  // corner by corner, which made that file twice the size: there each
  // figure is painted alone.
  bool gathers = false;
  bool fills = false;
  TColor fill_color{};
  bool strokes = false;
  StrokeKey strokes_key{};

  ~Impl() {
    for (auto& [face, cairo_face] : faces) cairo_font_face_destroy(cairo_face);
  }

  void SyncClip(const TCanvas& c) {
    const TRect r = c.ClipRect();
    if (clipped && r == clip) return;
    Flush();
    cairo_reset_clip(cr);
    cairo_rectangle(cr, r.Left, r.Top, double(r.Right) - r.Left, double(r.Bottom) - r.Top);
    cairo_clip(cr);
    clip = r;
    clipped = true;
  }

  void Flush() {
    if (fills) {
      fills = false;
      // Rectangles all run the same way round: winding gives their union.
      cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
      cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
      SetColour(cr, fill_color);
      cairo_fill(cr);
    }
    if (strokes) {
      strokes = false;
      StrokePath(strokes_key, false);
    }
    if (!pending) return;
    pending = false;
    LineToEnd(pending_key, pending_from, pending_end);
    StrokePath(pending_key, false);
  }

  // Begins a path at `from` heading for `to`; a 1-pixel pen starts half a
  // pixel back, so its first pixel is covered whole.
  void MoveToStart(const StrokeKey& k, TPoint from, TPoint to) {
    const TSpot s = k.Width > 1 ? TSpot{Mid(from.X), Mid(from.Y)} : HalfBack(from, from, to);
    cairo_move_to(cr, s.X, s.Y);
  }
  // Ends a path's last segment `from` -> `to`; a 1-pixel pen leaves the end
  // point out.
  void LineToEnd(const StrokeKey& k, TPoint from, TPoint to) {
    const TSpot s = k.Width > 1 ? TSpot{Mid(to.X), Mid(to.Y)} : HalfBack(to, from, to);
    cairo_line_to(cr, s.X, s.Y);
  }

  // An open path through the points' centres with the ends as above.
  void OpenPath(const StrokeKey& k, std::span<const TPoint> points) {
    MoveToStart(k, points[0], points[1]);
    for (size_t i = 1; i + 1 < points.size(); ++i) cairo_line_to(cr, Mid(points[i].X), Mid(points[i].Y));
    LineToEnd(k, points[points.size() - 2], points.back());
  }

  // Strokes (and clears) the current path with the pen of `k`; `keep`
  // keeps the path for a fill that follows.
  void StrokePath(const StrokeKey& k, bool keep) {
    if (!k.Visible()) {
      if (!keep) cairo_new_path(cr);
      return;
    }
    cairo_set_line_width(cr, k.Width);
    cairo_set_line_cap(cr, k.Width > 1 ? CAIRO_LINE_CAP_ROUND : CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    // The raster patterns, in canvas pixels along the path.
    const std::span<const int> runs = raster::DashRunsOf(k.Style);
    if (!runs.empty()) {
      if (k.OpaqueGaps) {
        SetInk(cr, k.Gaps, k.Mode, blends);
        cairo_set_dash(cr, nullptr, 0, 0);
        cairo_stroke_preserve(cr);
      }
      std::array<double, raster::kMaxDashRuns> dashes{};
      std::copy(runs.begin(), runs.end(), dashes.begin());
      cairo_set_dash(cr, dashes.data(), int(runs.size()), 0);
    }
    SetInk(cr, k.Color, k.Mode, blends);
    if (keep) cairo_stroke_preserve(cr); else cairo_stroke(cr);
    if (!runs.empty()) cairo_set_dash(cr, nullptr, 0, 0);
  }

  // Fills the current path with the canvas's brush, keeping the path.
  void FillWithBrush(const TCanvas& c, cairo_fill_rule_t rule = CAIRO_FILL_RULE_WINDING) {
    if (c.Brush()->Style() != TBrushStyle::bsSolid) return;
    cairo_set_fill_rule(cr, rule);
    SetInk(cr, c.Brush()->Color(), c.Pen()->Mode(), blends);
    cairo_fill_preserve(cr);
  }

  // An ellipse path about (cx, cy); radii of zero give a point, not a
  // singular matrix.
  void EllipsePath(double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, std::max(rx, 1e-3), std::max(ry, 1e-3));
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
    cairo_close_path(cr);
    cairo_restore(cr);
  }

  cairo_font_face_t* FaceFor(const text::FontFace& face) {
    if (auto it = faces.find(&face); it != faces.end()) return it->second;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FILE, reinterpret_cast<const FcChar8*>(face.File().c_str()));
    FcPatternAddInteger(pattern, FC_INDEX, face.FileIndex());
    cairo_font_face_t* cf = cairo_ft_font_face_create_for_pattern(pattern);
    FcPatternDestroy(pattern);
    unsigned synth = 0;
    if (face.Emboldened()) synth |= CAIRO_FT_SYNTHESIZE_BOLD;
    if (face.Oblique()) synth |= CAIRO_FT_SYNTHESIZE_OBLIQUE;
    if (synth != 0) cairo_ft_font_face_set_synthesize(cf, synth);
    faces.emplace(&face, cf);
    return cf;
  }
};

TCairoDevice::TCairoDevice(_cairo* cairo, bool crisp, bool blends) : impl_(std::make_unique<Impl>()) {
  impl_->cr = cairo;
  impl_->crisp = crisp;
  impl_->blends = blends;
  impl_->gathers = cairo_surface_get_type(cairo_get_target(cairo)) == CAIRO_SURFACE_TYPE_SVG;
  cairo_set_antialias(cairo, crisp ? CAIRO_ANTIALIAS_NONE : CAIRO_ANTIALIAS_DEFAULT);
  cairo_font_options_t* options = cairo_font_options_create();
  // The glyphs sit where the canvas's advances put them; hinting the
  // outlines would move them against those positions.
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_set_font_options(cairo, options);
  cairo_font_options_destroy(options);
}

TCairoDevice::~TCairoDevice() { impl_->Flush(); }

void TCairoDevice::Flush() { impl_->Flush(); }

void TCairoDevice::RecordTextRuns(std::vector<TTextRun>* runs) { impl_->runs = runs; }

void TCairoDevice::Line(const TCanvas& canvas, TPoint from, TPoint to) {
  Impl& d = *impl_;
  d.SyncClip(canvas);
  const StrokeKey key = KeyOf(canvas);
  if (!key.Visible()) return;
  if (d.pending && key == d.pending_key && !key.Dashed() && (from == d.pending_end || d.gathers)) {
    if (from == d.pending_end) {
      cairo_line_to(d.cr, Mid(from.X), Mid(from.Y));
    } else {
      // Gathered (SVG): the open path ends here and another begins.
      d.LineToEnd(key, d.pending_from, d.pending_end);
      d.MoveToStart(key, from, to);
    }
    d.pending_from = from;
    d.pending_end = to;
    return;
  }
  d.Flush();
  d.MoveToStart(key, from, to);
  d.pending = true;
  d.pending_key = key;
  d.pending_from = from;
  d.pending_end = to;
  // A dash pattern starts afresh at each LineTo: stroke it now.
  if (key.Dashed()) d.Flush();
}

void TCairoDevice::Polyline(const TCanvas& canvas, std::span<const TPoint> points) {
  Impl& d = *impl_;
  d.SyncClip(canvas);
  const StrokeKey key = KeyOf(canvas);
  if (!(d.strokes && key == d.strokes_key)) {
    d.Flush();
  }
  d.OpenPath(key, points);
  // (A dash pattern restarts with each Polyline: such paths are stroked alone.)
  if (d.gathers && !key.Dashed()) {
    d.strokes = true;
    d.strokes_key = key;
  } else {
    d.StrokePath(key, false);
  }
}

void TCairoDevice::Polygon(const TCanvas& canvas, std::span<const TPoint> points) {
  Impl& d = *impl_;
  d.SyncClip(canvas);
  d.Flush();
  cairo_move_to(d.cr, Mid(points[0].X), Mid(points[0].Y));
  for (size_t i = 1; i < points.size(); ++i) cairo_line_to(d.cr, Mid(points[i].X), Mid(points[i].Y));
  cairo_close_path(d.cr);
  if (points.size() >= 3) {
    d.FillWithBrush(canvas, canvas.PolyFillMode() == TPolyFillMode::pfWinding ? CAIRO_FILL_RULE_WINDING
                                                                               : CAIRO_FILL_RULE_EVEN_ODD);
  }
  d.StrokePath(KeyOf(canvas), false);
}

void TCairoDevice::Rectangle(const TCanvas& canvas, const TRect& given) {
  Impl& d = *impl_;
  TRect box = given;
  NormalizeBox(box);
  if (box.Left == box.Right || box.Top == box.Bottom) return;
  d.SyncClip(canvas);
  d.Flush();
  const StrokeKey key = KeyOf(canvas);
  if (!key.Visible()) {
    cairo_rectangle(d.cr, box.Left, box.Top, double(box.Right) - box.Left - 1, double(box.Bottom) - box.Top - 1);
    d.FillWithBrush(canvas);
    cairo_new_path(d.cr);
    return;
  }
  // The outline's path through the border pixels' centres; psInsideFrame
  // keeps the whole pen inside the box.
  double l = Mid(box.Left), t = Mid(box.Top), r = Mid(box.Right - 1), b = Mid(box.Bottom - 1);
  if (canvas.Pen()->Style() == TPenStyle::psInsideFrame && key.Width > 1) {
    l += key.Width / 2, t += key.Width / 2, r -= (key.Width - 1) / 2, b -= (key.Width - 1) / 2;
    if (l > r) l = r = (l + r) / 2;
    if (t > b) t = b = (t + b) / 2;
  }
  cairo_rectangle(d.cr, l, t, r - l, b - t);
  d.FillWithBrush(canvas);
  d.StrokePath(key, false);
}

void TCairoDevice::Ellipse(const TCanvas& canvas, const TRect& given) {
  Impl& d = *impl_;
  TRect box = given;
  NormalizeBox(box);
  const int64_t w = int64_t(box.Right) - box.Left, h = int64_t(box.Bottom) - box.Top;
  if (w == 0 || h == 0 || (w == 1 && h == 1)) return;
  if (w <= 2 || h <= 2) return Rectangle(canvas, box);
  d.SyncClip(canvas);
  d.Flush();
  const StrokeKey key = KeyOf(canvas);
  const double cx = (double(box.Left) + box.Right) / 2, cy = (double(box.Top) + box.Bottom) / 2;
  double rx = (double(w) - 1) / 2, ry = (double(h) - 1) / 2;
  if (!key.Visible()) {
    // The brush covers the whole figure, outline pixels included.
    d.EllipsePath(cx, cy, rx + 0.5, ry + 0.5);
    d.FillWithBrush(canvas);
    cairo_new_path(d.cr);
    return;
  }
  if (canvas.Pen()->Style() == TPenStyle::psInsideFrame && key.Width > 1) {
    rx = std::max(rx - (key.Width - 1) / 2.0, 0.0);
    ry = std::max(ry - (key.Width - 1) / 2.0, 0.0);
  }
  d.EllipsePath(cx, cy, rx, ry);
  d.FillWithBrush(canvas);
  d.StrokePath(key, false);
}

void TCairoDevice::Arc(const TCanvas& canvas, const TRect& given, TPoint start, TPoint end) {
  Impl& d = *impl_;
  TRect box = given;
  NormalizeBox(box);
  const int64_t w = int64_t(box.Right) - box.Left, h = int64_t(box.Bottom) - box.Top;
  if (w == 0 || h == 0 || (w == 1 && h == 1)) return;
  d.SyncClip(canvas);
  d.Flush();
  const StrokeKey key = KeyOf(canvas);
  const double cx = (double(box.Left) + box.Right) / 2, cy = (double(box.Top) + box.Bottom) / 2;
  const double rx = std::max((double(w) - 1) / 2, 1e-3), ry = std::max((double(h) - 1) / 2, 1e-3);
  // The rays leave the pixel the raster canvas takes as the centre.
  const int64_t rcx = (int64_t(box.Left) + box.Right) >> 1, rcy = (int64_t(box.Top) + box.Bottom) >> 1;
  const double from = ParameterOf(start.X - rcx, start.Y - rcy, rx, ry);
  double to = ParameterOf(end.X - rcx, end.Y - rcy, rx, ry);
  // Counter-clockwise on the screen is towards smaller angles (y points
  // down); equal rays sweep the whole round.
  if (to == from) to = from - 2 * std::numbers::pi;
  cairo_save(d.cr);
  cairo_translate(d.cr, cx, cy);
  cairo_scale(d.cr, rx, ry);
  cairo_new_sub_path(d.cr);
  cairo_arc_negative(d.cr, 0, 0, 1, from, to);
  cairo_restore(d.cr);
  d.StrokePath(key, false);
}

void TCairoDevice::Fill(const TCanvas& canvas, const TRect& pixels, TColor color) {
  Impl& d = *impl_;
  TRect box = pixels;
  NormalizeBox(box);
  d.SyncClip(canvas);
  if (d.pending || d.strokes || (d.fills && color != d.fill_color)) d.Flush();
  cairo_rectangle(d.cr, box.Left, box.Top, double(box.Right) - box.Left, double(box.Bottom) - box.Top);
  d.fills = true;
  d.fill_color = color;
  if (!d.gathers) d.Flush();
}

void TCairoDevice::Text(const TCanvas& canvas, TPoint at, std::string_view text, int32_t width) {
  Impl& d = *impl_;
  d.SyncClip(canvas);
  d.Flush();
  const text::FontFace& face = text::FaceOf(*canvas.Font());
  cairo_set_operator(d.cr, CAIRO_OPERATOR_OVER);
  if (canvas.Brush()->Style() == TBrushStyle::bsSolid) {
    cairo_rectangle(d.cr, at.X, at.Y, width, face.CellHeight());
    SetColour(d.cr, canvas.Brush()->Color());
    cairo_fill(d.cr);
  }

  // The glyphs at the canvas's pen positions, each with its code point as
  // one cluster (malformed bytes become U+FFFD, as they draw).
  d.glyphs.clear();
  d.clusters.clear();
  d.utf8.clear();
  const double baseline = double(at.Y) + face.Ascent();
  {
    std::lock_guard lock(face.Mutex());
    double pen = at.X;
    for (const char *p = text.data(), *end = p + text.size(); p != end;) {
      const char32_t c = text::DecodeUtf8(p, end);
      const size_t before = d.utf8.size();
      text::AppendUtf8(d.utf8, c);
      d.glyphs.push_back(cairo_glyph_t{face.GlyphIndex(c), pen, baseline});
      d.clusters.push_back(cairo_text_cluster_t{int(d.utf8.size() - before), 1});
      pen += face.Measured(c).Advance;
    }
  }
  SetColour(d.cr, canvas.Font()->Color());
  if (!d.glyphs.empty()) {
    cairo_set_font_face(d.cr, d.FaceFor(face));
    cairo_set_font_size(d.cr, face.EmPixels());
    cairo_show_text_glyphs(d.cr, d.utf8.data(), int(d.utf8.size()), d.glyphs.data(), int(d.glyphs.size()),
                           d.clusters.data(), int(d.clusters.size()), cairo_text_cluster_flags_t(0));
    if (d.runs != nullptr) d.runs->push_back(TTextRun{double(at.X), baseline, double(face.EmPixels()), double(width), d.utf8});
  }
  const TFontStyles style = canvas.Font()->Style();
  for (const auto& [on, line] : {std::pair{style.Contains(TFontStyle::fsUnderline), face.Underline()},
                                 std::pair{style.Contains(TFontStyle::fsStrikeOut), face.StrikeOut()}}) {
    if (!on) continue;
    cairo_rectangle(d.cr, at.X, double(at.Y) + line.Top, width, line.Thickness);
    cairo_fill(d.cr);
  }
}

void TCairoDevice::Picture(const TCanvas& canvas, const TRect& box, const TBitmap& picture) {
  Impl& d = *impl_;
  d.SyncClip(canvas);
  d.Flush();
  cairo_surface_t* image = ImageOf(picture);
  // A reversed side mirrors: the picture then covers Right+1..Left.
  const double w = double(box.Right) - box.Left, h = double(box.Bottom) - box.Top;
  const double ox = w >= 0 ? box.Left : box.Left + 1.0, oy = h >= 0 ? box.Top : box.Top + 1.0;
  cairo_save(d.cr);
  cairo_rectangle(d.cr, std::min(ox, ox + w), std::min(oy, oy + h), std::abs(w), std::abs(h));
  cairo_clip(d.cr);
  cairo_translate(d.cr, ox, oy);
  cairo_scale(d.cr, w / picture.Width(), h / picture.Height());
  cairo_set_operator(d.cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(d.cr, image, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(d.cr), CAIRO_FILTER_NEAREST);
  cairo_paint(d.cr);
  cairo_restore(d.cr);
  cairo_surface_destroy(image);
}

void TCairoDevice::Tiles(const TCanvas& canvas, const TRect& area, TPoint origin, const TBitmap& picture) {
  Impl& d = *impl_;
  d.SyncClip(canvas);
  d.Flush();
  cairo_surface_t* image = ImageOf(picture);
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(image);
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
  cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
  cairo_matrix_t m;
  cairo_matrix_init_translate(&m, -double(origin.X), -double(origin.Y));
  cairo_pattern_set_matrix(pattern, &m);
  cairo_save(d.cr);
  cairo_set_operator(d.cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source(d.cr, pattern);
  cairo_rectangle(d.cr, area.Left, area.Top, double(area.Right) - area.Left, double(area.Bottom) - area.Top);
  cairo_fill(d.cr);
  cairo_restore(d.cr);
  cairo_pattern_destroy(pattern);
  cairo_surface_destroy(image);
}

}  // namespace korvo
