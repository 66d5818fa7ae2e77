#include "platform/graphics/vector/PictureOutput.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <filesystem>

#include "platform/Exceptions.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Printer.h"
#include "platform/graphics/bmp/FileReplace.h"
#include "platform/graphics/vector/CairoDevice.h"

namespace korvo {
namespace {

// cairo's largest surface side.
constexpr int32_t kMaxSide = 32767;

void CheckSize(int32_t width, int32_t height) {
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) {
    throw EInvalidGraphic("Cannot draw a picture of " + std::to_string(width) + " x " + std::to_string(height) +
                          " pixels (each side must be 1 to " + std::to_string(kMaxSide) + ")");
  }
}

void CheckStatus(cairo_status_t status, const char* what) {
  if (status != CAIRO_STATUS_SUCCESS) {
    throw EInvalidGraphic(std::string("Cannot draw the ") + what + ": " + cairo_status_to_string(status));
  }
}

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
  auto* out = static_cast<std::vector<uint8_t>*>(closure);
  try {
    out->insert(out->end(), data, data + length);
  } catch (const std::bad_alloc&) {
    return CAIRO_STATUS_NO_MEMORY;
  }
  return CAIRO_STATUS_SUCCESS;
}

// Owns a surface and its context; both go on every way out.
class TCairoScope {
 public:
  explicit TCairoScope(cairo_surface_t* surface) : surface_(surface), cr_(cairo_create(surface)) {}
  ~TCairoScope() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
  }
  TCairoScope(const TCairoScope&) = delete;
  TCairoScope& operator=(const TCairoScope&) = delete;
  cairo_surface_t* Surface() const { return surface_; }
  cairo_t* Cairo() const { return cr_; }

 private:
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

// Draws the picture through a cairo device on `cr`.
void DrawFigures(cairo_t* cr, bool crisp, bool blends, int32_t width, int32_t height, const TDrawPicture& draw,
                 std::vector<TTextRun>* runs = nullptr) {
  TCairoDevice device(cr, crisp, blends);
  device.RecordTextRuns(runs);
  TCanvas canvas;
  canvas.SetFigureDevice(&device, width, height);
  draw(canvas);
  device.Flush();
}

void AppendEscaped(std::string& out, std::string_view text) {
  for (const char ch : text) {
    switch (ch) {
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '&': out += "&amp;"; break;
      case '"': out += "&quot;"; break;
      default:
        // XML 1.0 allows no control characters but tab, newline and return.
        if (static_cast<unsigned char>(ch) < 0x20 && ch != '\t' && ch != '\n' && ch != '\r') {
          out += "&#xFFFD;";
        } else {
          out += ch;
        }
    }
  }
}

// cairo's SVG draws glyphs as outlines; an invisible text element over each
// run, stretched to its advance, makes the text findable and selectable.
void AddTextLayer(std::vector<uint8_t>& svg, const std::vector<TTextRun>& runs) {
  if (runs.empty()) return;
  static constexpr std::string_view kEnd = "</svg>";
  const std::string_view doc(reinterpret_cast<const char*>(svg.data()), svg.size());
  const size_t end = doc.rfind(kEnd);
  if (end == std::string_view::npos) return;
  std::string layer = "<g fill-opacity=\"0\" font-family=\"sans-serif\" style=\"white-space:pre\">\n";
  char number[96];
  for (const TTextRun& r : runs) {
    std::snprintf(number, sizeof number, "<text x=\"%.2f\" y=\"%.2f\" font-size=\"%.2f\"", r.X, r.Baseline, r.Size);
    layer += number;
    if (r.Width > 0) {
      std::snprintf(number, sizeof number, " textLength=\"%.2f\" lengthAdjust=\"spacingAndGlyphs\"", r.Width);
      layer += number;
    }
    layer += '>';
    AppendEscaped(layer, r.Text);
    layer += "</text>\n";
  }
  layer += "</g>\n";
  svg.insert(svg.begin() + ptrdiff_t(end), layer.begin(), layer.end());
}

}  // namespace

TPictureKind PictureKindOf(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  if (ext == ".png") return TPictureKind::Png;
  if (ext == ".bmp") return TPictureKind::Bmp;
  if (ext == ".svg") return TPictureKind::Svg;
  if (ext == ".pdf") return TPictureKind::Pdf;
  throw EInvalidGraphic("Cannot save '" + path + "': " +
                        (ext.empty() ? std::string("the name has no extension")
                                     : "unknown picture type '" + ext + "'") +
                        " (the name must end in .png, .bmp, .svg or .pdf)");
}

std::vector<uint8_t> RenderVectorPicture(TPictureKind kind, int32_t width, int32_t height, const TDrawPicture& draw) {
  CheckSize(width, height);
  std::vector<uint8_t> bytes;
  const char* what = kind == TPictureKind::Pdf ? "PDF" : "SVG";
  cairo_surface_t* surface = nullptr;
  if (kind == TPictureKind::Pdf) {
    // 72 points an inch, 96 pixels an inch.
    surface = cairo_pdf_surface_create_for_stream(AppendBytes, &bytes, width * 0.75, height * 0.75);
  } else if (kind == TPictureKind::Svg) {
    surface = cairo_svg_surface_create_for_stream(AppendBytes, &bytes, width, height);
    cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PX);
  } else {
    throw EInvalidGraphic("Only SVG and PDF are drawn as figures");
  }
  TCairoScope scope(surface);
  CheckStatus(cairo_status(scope.Cairo()), what);
  // The PDF surface's user space is points, the SVG's is pixels.
  if (kind == TPictureKind::Pdf) cairo_scale(scope.Cairo(), 0.75, 0.75);
  std::vector<TTextRun> runs;
  const bool svg = kind == TPictureKind::Svg;
  DrawFigures(scope.Cairo(), false, !svg, width, height, draw, svg ? &runs : nullptr);
  CheckStatus(cairo_status(scope.Cairo()), what);
  cairo_surface_finish(surface);
  CheckStatus(cairo_surface_status(surface), what);
  AddTextLayer(bytes, runs);
  return bytes;
}

void SaveVectorPicture(const std::string& path, TPictureKind kind, int32_t width, int32_t height,
                       const TDrawPicture& draw) {
  std::vector<uint8_t> bytes;
  try {
    bytes = RenderVectorPicture(kind, width, height, draw);
  } catch (const EInvalidGraphic& e) {
    throw EInvalidGraphic("Cannot save '" + path + "': " + e.what());
  }
  ReplaceFile(path, bytes);
}

void RenderScaledPicture(const TPixelSurface& target, TPoint origin, double scale, int32_t width, int32_t height,
                         const TDrawPicture& draw) {
  if (target.Bits == nullptr || target.Width <= 0 || target.Height <= 0) return;
  if (!(scale > 0) || !std::isfinite(scale)) {
    throw EInvalidGraphic("Cannot draw a picture at a scale of " + std::to_string(scale));
  }
  CheckSize(target.Width, target.Height);
  // The surface's 0xFFRRGGBB pixels are cairo's opaque ARGB32.
  auto* data = reinterpret_cast<unsigned char*>(target.Bits);
  TCairoScope scope(cairo_image_surface_create_for_data(data, CAIRO_FORMAT_ARGB32, target.Width, target.Height,
                                                        int(target.Stride * ptrdiff_t(sizeof(TPixel)))));
  CheckStatus(cairo_status(scope.Cairo()), "picture");
  cairo_translate(scope.Cairo(), origin.X, origin.Y);
  cairo_scale(scope.Cairo(), scale, scale);
  DrawFigures(scope.Cairo(), true, true, width, height, draw);
  cairo_surface_flush(scope.Surface());
  CheckStatus(cairo_status(scope.Cairo()), "picture");
}

void PrintPicture(int32_t width, int32_t height, const TRect& pageRect, const TDrawPicture& draw) {
  const int64_t pw = int64_t(pageRect.Right) - pageRect.Left, ph = int64_t(pageRect.Bottom) - pageRect.Top;
  if (width <= 0 || height <= 0) throw EInvalidGraphic("Cannot print a picture without pixels");
  if (pw <= 0 || ph <= 0) throw EInvalidGraphic("Cannot print into an empty page rectangle");
  TPrinter* printer = Printer();
  const bool own = !printer->Printing();
  if (own) printer->BeginDoc();
  try {
    const double scale = std::min(double(pw) / width, double(ph) / height);
    const TPoint origin{int32_t(pageRect.Left + std::lround((double(pw) - width * scale) / 2)),
                        int32_t(pageRect.Top + std::lround((double(ph) - height * scale) / 2))};
    RenderScaledPicture(printer->Canvas()->Surface(), origin, scale, width, height, draw);
  } catch (...) {
    if (own) printer->EndDoc();
    throw;
  }
  if (own) printer->EndDoc();
}

}  // namespace korvo
