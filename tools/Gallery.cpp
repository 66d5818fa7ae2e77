// The gallery sheet: every mark kind, the frame styles, the pen styles, the
// figures and text, drawn with the canvas so the raster rules can be judged
// by eye.
#include "tools/Gallery.h"

#include <string>

#include "base/korvobase.h"
#include "platform/graphics/Bitmap.h"

namespace korvo::gallery {
namespace {

constexpr TColor kPaper = clWhite;
constexpr TColor kInk = clBlack;
constexpr TColor kHeading = clNavy;

void Heading(TCanvas* c, int x, int y, const std::string& text) {
  c->Font()->SetName("DejaVu Sans");
  c->Font()->SetSize(10);
  c->Font()->SetStyle({TFontStyle::fsBold});
  c->Font()->SetColor(kHeading);
  c->Brush()->SetStyle(TBrushStyle::bsClear);
  c->TextOut(x, y, text);
  c->Font()->SetStyle({});
}

void SmallLabel(TCanvas* c, int x, int y, const std::string& text) {
  c->Font()->SetName("DejaVu Sans");
  c->Font()->SetHeight(-10);
  c->Font()->SetColor(clGray);
  c->Brush()->SetStyle(TBrushStyle::bsClear);
  c->TextOut(x - c->TextWidth(text) / 2, y, text);
}

void Reset(TCanvas* c) {
  c->Pen()->SetColor(kInk);
  c->Pen()->SetStyle(TPenStyle::psSolid);
  c->Pen()->SetWidth(1);
  c->Pen()->SetMode(TPenMode::pmCopy);
  c->Brush()->SetColor(kPaper);
  c->Brush()->SetStyle(TBrushStyle::bsSolid);
}

// Marks 0..51 in a grid of 13 columns, then character marks; each in black
// and below it the same mark in red on a silver cell.
int DrawMarks(TCanvas* c, int top) {
  Heading(c, 10, top, "Marks 0 to 51 and character marks 65, 203, 52, 200");
  const int cell = 34, left = 10, y0 = top + 24;
  for (int kind = 0; kind < 52 + 4; ++kind) {
    const int col = kind % 14, row = kind / 14;
    const int x = left + col * (cell + 30), y = y0 + row * (cell + 14);
    const uint8_t k = kind < 52 ? uint8_t(kind) : uint8_t(kind == 52 ? 65 : kind == 53 ? 203 : kind == 54 ? 52 : 200);
    Reset(c);
    c->Brush()->SetColor(clSilver);
    c->Pen()->SetStyle(TPenStyle::psClear);
    c->Rectangle(x + 17, y, x + 17 + 28, y + 28);
    Reset(c);
    c->Font()->SetName("DejaVu Sans");
    c->Font()->SetSize(10);
    c->Font()->SetColor(kInk);
    DrawMark(c, k, x + 8, y + 10);
    c->Pen()->SetColor(clRed);
    c->Pen()->SetWidth(2);
    c->Brush()->SetColor(clSilver);
    DrawMark(c, k, x + 31, y + 14);
    Reset(c);
    SmallLabel(c, x + 8, y + 22, std::to_string(k));
  }
  return y0 + 4 * (cell + 14) + 6;
}

int DrawFrames(TCanvas* c, int top) {
  Heading(c, 10, top, "Frames: none, simple, lowered, raised, embossed, engraved (black/white/gray, then system)");
  const char* names[] = {"fsNone", "fsSimple", "fsLowered", "fsRaised", "fsEmbossed", "fsEngraved"};
  for (int scheme = 0; scheme < 2; ++scheme) {
    for (int s = 0; s < 6; ++s) {
      const int x = 10 + s * 140 + scheme * 0, y = top + 24 + scheme * 56;
      Reset(c);
      c->Brush()->SetColor(clBtnFace);
      c->Pen()->SetStyle(TPenStyle::psClear);
      c->Rectangle(x, y, x + 121, y + 41);
      c->Pen()->SetStyle(TPenStyle::psSolid);
      const TColor highlight = scheme == 0 ? clWhite : clBtnHighlight;
      const TColor shadow = scheme == 0 ? clGray : clBtnShadow;
      DrawFrame(c, TFrameStyle(s), x + 5, y + 5, x + 114, y + 34, highlight, clSilver, shadow, clBlack, clBlack);
      Reset(c);
      c->Font()->SetColor(kInk);
      c->Font()->SetHeight(-11);
      c->Brush()->SetStyle(TBrushStyle::bsClear);
      c->TextOut(x + 14, y + 13, names[s]);
    }
  }
  return top + 24 + 2 * 56;
}

int DrawPens(TCanvas* c, int top) {
  Heading(c, 10, top, "Pen styles at widths 1 and 3; dashed gaps clear, then opaque (brush yellow)");
  const char* names[] = {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"};
  for (int s = 0; s < 7; ++s) {
    const int y = top + 26 + s * 20;
    Reset(c);
    c->Font()->SetHeight(-11);
    c->Font()->SetColor(kInk);
    c->Brush()->SetStyle(TBrushStyle::bsClear);
    c->TextOut(10, y - 7, names[s]);
    c->Pen()->SetStyle(TPenStyle(s));
    c->MoveTo(110, y);
    c->LineTo(330, y);
    c->Pen()->SetWidth(3);
    c->MoveTo(350, y);
    c->LineTo(570, y);
    c->Pen()->SetWidth(1);
    c->Brush()->SetStyle(TBrushStyle::bsSolid);
    c->Brush()->SetColor(clYellow);
    c->MoveTo(590, y);
    c->LineTo(810, y);
    c->MoveTo(830, y - 6);
    c->LineTo(880, y + 6);
  }
  return top + 26 + 7 * 20;
}

int DrawFigures(TCanvas* c, int top) {
  Heading(c, 10, top, "Figures: filled and hollow, pen widths 1, 3 and 5 inside frame, polygons, arcs, xor");
  const int y = top + 28;
  Reset(c);
  c->Brush()->SetColor(clAqua);
  c->Rectangle(10, y, 70, y + 50);
  c->Ellipse(80, y, 150, y + 50);
  const TPoint star[] = {{190, y}, {210, y + 50}, {160, y + 17}, {220, y + 17}, {170, y + 50}};
  c->Polygon(star);
  c->Brush()->SetStyle(TBrushStyle::bsClear);
  c->Rectangle(235, y, 295, y + 50);
  c->Ellipse(305, y, 375, y + 50);
  c->Arc(385, y, 455, y + 50, 455, y + 25, 420, y);
  c->Arc(465, y, 535, y + 50, 500, y, 535, y + 25);
  Reset(c);
  c->Pen()->SetWidth(3);
  c->Pen()->SetColor(clMaroon);
  c->Brush()->SetColor(clLime);
  c->Rectangle(550, y, 610, y + 50);
  c->Ellipse(620, y, 690, y + 50);
  c->Pen()->SetWidth(5);
  c->Pen()->SetStyle(TPenStyle::psInsideFrame);
  c->Rectangle(700, y, 760, y + 50);
  c->Ellipse(770, y, 840, y + 50);
  // Xor: a band across a blue box flips to its complement and back outside.
  Reset(c);
  c->Brush()->SetColor(clBlue);
  c->Rectangle(850, y, 890, y + 50);
  c->Pen()->SetMode(TPenMode::pmXor);
  c->Pen()->SetColor(clWhite);
  c->Pen()->SetWidth(4);
  c->MoveTo(845, y + 45);
  c->LineTo(895, y + 5);
  Reset(c);
  return y + 62;
}

int DrawText(TCanvas* c, int top) {
  Heading(c, 10, top, "Text");
  struct Sample {
    const char* font;
    int size;
    TFontStyles style;
    const char* text;
  };
  const Sample samples[] = {
      {"DejaVu Sans", 10, {}, "DejaVu Sans 10 pt: -12.50  1.0E-3  12:30:45  15-Mar-2024  \xC2\xB5m \xC2\xB0" "C"},
      {"DejaVu Serif", 12, {TFontStyle::fsBold}, "DejaVu Serif 12 pt bold: The quick brown fox"},
      {"DejaVu Sans Mono", 9, {TFontStyle::fsItalic, TFontStyle::fsUnderline}, "DejaVu Sans Mono 9 pt italic underlined"},
      {"MS Sans Serif", 8, {}, "MS Sans Serif 8 pt (falls back to the sans family)"},
  };
  int y = top + 24;
  for (const Sample& s : samples) {
    Reset(c);
    c->Font()->SetName(s.font);
    c->Font()->SetSize(s.size);
    c->Font()->SetStyle(s.style);
    c->Font()->SetColor(kInk);
    c->Brush()->SetStyle(TBrushStyle::bsClear);
    c->TextOut(10, y, s.text);
    // The same with an opaque cell in the brush colour.
    c->Brush()->SetStyle(TBrushStyle::bsSolid);
    c->Brush()->SetColor(clYellow);
    c->Font()->SetColor(clNavy);
    c->TextOut(560, y, "opaque cell");
    y += c->TextHeight("Ag") + 6;
  }
  return y;
}

}  // namespace

void DrawGallery(TBitmap& bmp) {
  bmp.SetSize(GallerySize.cx, GallerySize.cy);
  DrawGallery(*bmp.Canvas());
}

void DrawGallery(TCanvas& canvas) {
  TCanvas* c = &canvas;
  Reset(c);
  c->Pen()->SetStyle(TPenStyle::psClear);
  c->Rectangle(0, 0, GallerySize.cx + 1, GallerySize.cy + 1);
  int y = 8;
  y = DrawMarks(c, y);
  y = DrawFrames(c, y + 6);
  y = DrawPens(c, y + 6);
  y = DrawFigures(c, y + 6);
  DrawText(c, y + 6);
}

}  // namespace korvo::gallery
