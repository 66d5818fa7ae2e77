#include "tools/ScaleSheet.h"

#include <functional>
#include <string>

#include "platform/Calendar.h"
#include "platform/graphics/Bitmap.h"
#include "scale/Scale.h"

namespace korvo::gallery {
namespace {

constexpr TColor Paper = RGB(236, 236, 228);
constexpr TColor Heading = RGB(40, 40, 90);

// A stand-alone scale with its window (headless), configured by `setup` and
// painted into the sheet at (x, y) the way the screen would show it.
void Place(TBitmap& sheet, int x, int y, int width, int height, const std::function<void(TScale&)>& setup) {
  TScale scale(nullptr);
  scale.SetBounds(0, 0, width, height);
  setup(scale);
  scale.HandleNeeded();  // the window: painting starts
  scale.PaintTo(sheet, x, y);
}

void Title(TBitmap& sheet, int x, int y, const std::string& text) {
  TCanvas* c = sheet.Canvas();
  c->Brush()->SetStyle(TBrushStyle::bsClear);
  c->Font()->SetName("DejaVu Sans");
  c->Font()->SetHeight(-12);
  c->Font()->SetColor(Heading);
  c->TextOut(x, y, text);
}

void Horizontal(TBitmap& sheet, int x, int y, const std::string& title, const std::function<void(TScale&)>& setup) {
  Title(sheet, x, y, title);
  Place(sheet, x, y + 16, 400, 64, [&](TScale& s) {
    s.SetScaleType(TScaleType::sctXT);
    s.SetMarginTop(8);
    s.SetMarginBottom(8);
    setup(s);
  });
}

}  // namespace

void DrawScaleSheet(TBitmap& bmp) {
  bmp.SetSize(1300, 1180);
  bmp.Canvas()->Brush()->SetStyle(TBrushStyle::bsSolid);
  bmp.Canvas()->Brush()->SetColor(Paper);
  bmp.Canvas()->FillRect(TRect{0, 0, bmp.Width(), bmp.Height()});
  Title(bmp, 10, 8, "TScale: orientations, kinds, labels and frames (every scale is a stand-alone control)");

  // The four orientations, 0 .. 100 with a caption each.
  Title(bmp, 10, 34, "sctYR");
  Place(bmp, 10, 50, 110, 300, [](TScale& s) {
    s.SetScaleType(TScaleType::sctYR);
    s.SetMarginTop(36);
    s.SetCaption("volts");
    s.SetCaptionPosX(-60);
    s.SetCaptionPosY(-32);
  });
  Title(bmp, 130, 34, "sctYL");
  Place(bmp, 130, 50, 110, 300, [](TScale& s) {
    s.SetScaleType(TScaleType::sctYL);
    s.SetMarginTop(36);
    s.SetCaption("amps");
    s.SetCaptionPosY(-32);
    s.SetCaptionAlignment(TAlignment::taLeftJustify);
  });
  Title(bmp, 250, 34, "sctXB (base line at the bottom)");
  Place(bmp, 250, 50, 400, 70, [](TScale& s) {
    s.SetScaleType(TScaleType::sctXB);
    s.SetMarginBottom(24);
    s.SetCaption("seconds");
    s.SetCaptionAnchor(TScaleUnitAnchor::uaSclCenter);
    s.SetCaptionPosX(0);
    s.SetCaptionPosY(2);
  });
  Title(bmp, 250, 128, "sctXT (base line at the top)");
  Place(bmp, 250, 144, 400, 70, [](TScale& s) {
    s.SetScaleType(TScaleType::sctXT);
    s.SetMarginTop(8);
    s.SetCaption("metres");
    s.SetCaptionAnchor(TScaleUnitAnchor::uaSclBotRgt);
    s.SetCaptionAlignment(TAlignment::taRightJustify);
    s.SetCaptionPosX(0);
    s.SetCaptionPosY(30);
  });
  Title(bmp, 250, 222, "reversed 10 .. 0, MinTicks 5, no short ticks");
  Place(bmp, 250, 238, 400, 50, [](TScale& s) {
    s.SetScaleType(TScaleType::sctXT);
    s.SetMarginTop(8);
    s.SetRange(10, 0);
    s.SetMinTicks(5);
    s.SetShortTicks(false);
  });
  Title(bmp, 250, 296, "-3 .. 3, inscript \"& V\", ShowBaseLine off");
  Place(bmp, 250, 312, 400, 50, [](TScale& s) {
    s.SetScaleType(TScaleType::sctXT);
    s.SetMarginTop(8);
    s.SetRange(-3, 3);
    s.SetScaleInscript("& V");
    s.SetShowBaseLine(false);
  });

  // Logarithmic scales.
  Title(bmp, 680, 34, "logarithmic 0.01 .. 1000, MinTicks 6, DecPlaces -2");
  Place(bmp, 680, 50, 600, 50, [](TScale& s) {
    s.SetScaleType(TScaleType::sctXT);
    s.SetMarginTop(8);
    s.SetRange(0.01, 1000);
    s.SetLogarithmic(true);
    s.SetMinTicks(6);
  });
  Title(bmp, 680, 108, "logarithmic 1 .. 1e6, DecPlaces -3 (decade numbers)");
  Place(bmp, 680, 124, 600, 50, [](TScale& s) {
    s.SetScaleType(TScaleType::sctXT);
    s.SetMarginTop(8);
    s.SetRange(1, 1e6);
    s.SetLogarithmic(true);
    s.SetDecPlaces(-3);
  });
  Title(bmp, 680, 182, "log 1..1000 MinTicks 4 | 2..15");
  Place(bmp, 680, 198, 110, 300, [](TScale& s) {
    s.SetScaleType(TScaleType::sctYR);
    s.SetRange(1, 1000);
    s.SetLogarithmic(true);
    s.SetMinTicks(4);
  });
  Place(bmp, 800, 198, 110, 300, [](TScale& s) {
    s.SetScaleType(TScaleType::sctYL);
    s.SetRange(2, 15);
    s.SetLogarithmic(true);
  });

  // Time of day.
  Title(bmp, 930, 182, "ftTime 0..90 s | 0..0.6 s");
  Place(bmp, 920, 198, 120, 300, [](TScale& s) {
    s.SetScaleType(TScaleType::sctYL);
    s.SetLabelType(TFigType::ftTime);
    s.SetRange(0, 90);
  });
  Place(bmp, 1050, 198, 140, 300, [](TScale& s) {
    s.SetScaleType(TScaleType::sctYL);
    s.SetLabelType(TFigType::ftTime);
    s.SetRange(0, 0.6);
  });

  // Date and time.
  const double apr5 = EncodeDate(2003, 4, 5);
  Horizontal(bmp, 10, 380, "ftDateTime, hours: 5 Apr 2003 18:00 .. 6 Apr 06:00 (date line once per day)",
             [&](TScale& s) {
               s.SetLabelType(TFigType::ftDateTime);
               s.SetRange(apr5 + 0.75, apr5 + 1.25);
             });
  Horizontal(bmp, 10, 470, "ftDateTime, days: 10 days from 5 Apr 2003", [&](TScale& s) {
    s.SetLabelType(TFigType::ftDateTime);
    s.SetRange(apr5, apr5 + 10);
  });
  Horizontal(bmp, 10, 560, "ftDateTime, months: 2003, doYYMMDD, ylYY", [&](TScale& s) {
    s.SetLabelType(TFigType::ftDateTime);
    s.SetRange(EncodeDate(2003, 1, 1), EncodeDate(2004, 1, 1));
    s.DateFormat()->SetDateOrder(TDateOrder::doYYMMDD);
    s.DateFormat()->SetYearLength(TYearLength::ylYY);
  });
  Horizontal(bmp, 10, 650, "ftDateTime, years: 1900 .. 2000", [&](TScale& s) {
    s.SetLabelType(TFigType::ftDateTime);
    s.SetRange(EncodeDate(1900, 1, 1), EncodeDate(2000, 1, 1));
  });
  Horizontal(bmp, 10, 740, "ftDateTime, minutes, tfAMPM", [&](TScale& s) {
    s.SetLabelType(TFigType::ftDateTime);
    s.SetRange(apr5 + 11.5 / 24, apr5 + 12.5 / 24);
    s.DateFormat()->SetTimeFormat(TTimeFormat::tfAMPM);
  });
  Horizontal(bmp, 10, 830, "ftDateTime, reversed range: no ticks but a text", [&](TScale& s) {
    s.SetLabelType(TFigType::ftDateTime);
    s.SetRange(apr5 + 10, apr5);
  });
  Title(bmp, 440, 510, "ftDateTime vertical: hours, seconds");
  Place(bmp, 440, 526, 170, 300, [&](TScale& s) {
    s.SetScaleType(TScaleType::sctYL);
    s.SetLabelType(TFigType::ftDateTime);
    s.SetRange(apr5 - 0.25, apr5 + 0.25);
  });
  Place(bmp, 615, 526, 130, 300, [&](TScale& s) {
    s.SetScaleType(TScaleType::sctYR);
    s.SetLabelType(TFigType::ftDateTime);
    s.SetRange(apr5 + 0.5, apr5 + 0.5 + 90 / 86400.0);
    s.DateFormat()->SetDateForTime(TDateForTime::dtNone);
  });

  // User texts and inscripts.
  Horizontal(bmp, 10, 920, "ftUserText \"Jan|Feb|Mar|Apr|May|Jun\" on 1 .. 6, MinTicks 5", [](TScale& s) {
    s.SetLabelType(TFigType::ftUserText);
    s.SetRange(1, 6);
    s.SetMinTicks(5);
    s.SetUserTickText("Jan|Feb|Mar|Apr|May|Jun");
  });
  Horizontal(bmp, 10, 1010, "inscript \"&%\", DecPlaces 0, bold blue font, ColorScale red", [](TScale& s) {
    s.SetScaleInscript("&%");
    s.SetDecPlaces(0);
    s.SetColorScale(clRed);
    s.Font()->SetStyle(TFontStyles{TFontStyle::fsBold});
    s.Font()->SetColor(clNavy);
  });

  // Frames and colours of opaque scales, and a transparent one.
  const TFrameStyle styles[] = {TFrameStyle::fsNone,   TFrameStyle::fsSimple,   TFrameStyle::fsLowered,
                                TFrameStyle::fsRaised, TFrameStyle::fsEmbossed, TFrameStyle::fsEngraved};
  int y = 520;
  for (TFrameStyle style : styles) {
    Title(bmp, 760, y, std::string("FrameStyle ") + std::string(EnumName(style)));
    Place(bmp, 760, y + 16, 250, 48, [&](TScale& s) {
      s.SetScaleType(TScaleType::sctXT);
      s.SetMarginTop(8);
      s.SetFrameStyle(style);
    });
    y += 70;
  }
  Title(bmp, 1030, 520, "csSystem, fsRaised");
  Place(bmp, 1030, 536, 250, 48, [](TScale& s) {
    s.SetScaleType(TScaleType::sctXT);
    s.SetMarginTop(8);
    s.SetFrameStyle(TFrameStyle::fsRaised);
    s.SetColorScheme(TColorScheme::csSystem);
  });
  Title(bmp, 1030, 590, "ColorBackGnd cream, fsSimple");
  Place(bmp, 1030, 606, 250, 48, [](TScale& s) {
    s.SetScaleType(TScaleType::sctXT);
    s.SetMarginTop(8);
    s.SetFrameStyle(TFrameStyle::fsSimple);
    s.SetColorBackGnd(RGB(255, 250, 220));
  });
  Title(bmp, 1030, 660, "Transparent (white window)");
  Place(bmp, 1030, 676, 250, 48, [](TScale& s) {
    s.SetScaleType(TScaleType::sctXT);
    s.SetMarginTop(8);
    s.SetTransparent(true);
  });
}

}  // namespace korvo::gallery
