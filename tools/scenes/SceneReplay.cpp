#include "tools/scenes/SceneReplay.h"

#include <charconv>
#include <fstream>
#include <set>
#include <sstream>

#include "platform/Exceptions.h"
#include "platform/graphics/Canvas.h"

namespace korvo::scenes {
namespace {

[[noreturn]] void Fail(int line, const std::string& what) {
  throw Exception("line " + std::to_string(line) + ": " + what);
}

int32_t Number(const TSceneCommand& c, const std::string& word) {
  int64_t v = 0;
  const char* end = word.data() + word.size();
  auto [p, ec] = std::from_chars(word.data(), end, v);
  if (ec != std::errc() || p != end || v < INT32_MIN || v > INT32_MAX) {
    Fail(c.Line, c.Name + ": '" + word + "' is not a 32-bit whole number");
  }
  return int32_t(v);
}

// RRGGBB as the canvas's colour (red in the low byte).
TColor Colour(const TSceneCommand& c, const std::string& word) {
  uint32_t rgb = 0;
  const char* end = word.data() + word.size();
  auto [p, ec] = std::from_chars(word.data(), end, rgb, 16);
  if (word.size() != 6 || ec != std::errc() || p != end) {
    Fail(c.Line, c.Name + ": '" + word + "' is not a colour RRGGBB");
  }
  return TColor(((rgb >> 16) & 0xFFu) | (rgb & 0xFF00u) | ((rgb & 0xFFu) << 16));
}

// The number of words each command takes; -1: key=value pairs; -2: a count
// and that many points.
int Arity(const std::string& name) {
  if (name == "size" || name == "moveto" || name == "lineto") return 2;
  if (name == "clear" || name == "bkmode" || name == "bkcolor" || name == "fillmode") return 1;
  if (name == "rectangle" || name == "ellipse") return 4;
  if (name == "arc") return 8;
  if (name == "setpixel") return 3;
  if (name == "pen" || name == "brush") return -1;
  if (name == "polygon" || name == "polyline") return -2;
  return -3;
}

struct TReplayState {
  bool Opaque = false;
  TColor BkColor = clWhite;
  TBrushStyle BrushStyle = TBrushStyle::bsSolid;
  TColor BrushColor = clWhite;
};

std::vector<TPoint> Points(const TSceneCommand& c) {
  std::vector<TPoint> points;
  const int n = Number(c, c.Words[0]);
  for (int i = 0; i < n; ++i) points.push_back({Number(c, c.Words[1 + 2 * i]), Number(c, c.Words[2 + 2 * i])});
  return points;
}

TPenStyle PenStyle(const TSceneCommand& c, const std::string& v) {
  static const std::pair<const char*, TPenStyle> kStyles[] = {
      {"solid", TPenStyle::psSolid},           {"dash", TPenStyle::psDash},
      {"dot", TPenStyle::psDot},               {"dashdot", TPenStyle::psDashDot},
      {"dashdotdot", TPenStyle::psDashDotDot}, {"clear", TPenStyle::psClear},
      {"insideframe", TPenStyle::psInsideFrame}};
  for (const auto& [name, style] : kStyles) {
    if (v == name) return style;
  }
  Fail(c.Line, "pen: unknown style '" + v + "'");
}

void SetPen(TPen& pen, const TSceneCommand& c) {
  pen.SetColor(0);
  pen.SetStyle(TPenStyle::psSolid);
  pen.SetWidth(1);
  pen.SetMode(TPenMode::pmCopy);
  for (const std::string& w : c.Words) {
    const size_t eq = w.find('=');
    const std::string key = w.substr(0, eq), value = eq == std::string::npos ? "" : w.substr(eq + 1);
    if (key == "color") {
      pen.SetColor(Colour(c, value));
    } else if (key == "style") {
      pen.SetStyle(PenStyle(c, value));
    } else if (key == "width") {
      pen.SetWidth(Number(c, value));
    } else if (key == "mode" && value == "copy") {
      pen.SetMode(TPenMode::pmCopy);
    } else if (key == "mode" && value == "xor") {
      pen.SetMode(TPenMode::pmXor);
    } else if (key == "mode" && value == "not") {
      pen.SetMode(TPenMode::pmNot);
    } else {
      Fail(c.Line, "pen: bad setting '" + w + "'");
    }
  }
}

void SetBrush(TReplayState& s, const TSceneCommand& c) {
  s.BrushColor = clWhite;
  s.BrushStyle = TBrushStyle::bsSolid;
  for (const std::string& w : c.Words) {
    if (w.rfind("color=", 0) == 0) {
      s.BrushColor = Colour(c, w.substr(6));
    } else if (w == "style=solid") {
      s.BrushStyle = TBrushStyle::bsSolid;
    } else if (w == "style=clear") {
      s.BrushStyle = TBrushStyle::bsClear;
    } else {
      Fail(c.Line, "brush: bad setting '" + w + "'");
    }
  }
}

bool Styled(const TCanvas& canvas) {
  const TPenStyle s = canvas.Pen()->Style();
  return s == TPenStyle::psDash || s == TPenStyle::psDot || s == TPenStyle::psDashDot ||
         s == TPenStyle::psDashDotDot;
}

// The brush a line command draws with: it only says how the gaps look.
void BrushForLine(TCanvas& canvas, const TReplayState& s) {
  canvas.Brush()->SetStyle(s.Opaque ? TBrushStyle::bsSolid : TBrushStyle::bsClear);
  canvas.Brush()->SetColor(s.BkColor);
}

// The brush of a figure; empty, or why the gaps cannot be drawn as asked.
std::string BrushForFigure(TCanvas& canvas, const TReplayState& s) {
  canvas.Brush()->SetStyle(s.BrushStyle);
  canvas.Brush()->SetColor(s.BrushColor);
  if (!Styled(canvas) || canvas.Pen()->Width() > 1) return "";
  const bool solid = s.BrushStyle == TBrushStyle::bsSolid;
  if (!s.Opaque && !solid) return "";
  if (s.Opaque && solid && s.BkColor == s.BrushColor) return "";
  return "a styled outline whose gaps differ from the fill (bkmode and brush)";
}

}  // namespace

std::vector<TScene> ParseScenes(const std::string& text) {
  std::vector<TScene> scenes;
  std::set<std::string> names;
  std::istringstream in(text);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (const size_t hash = line.find('#'); hash != std::string::npos) line.resize(hash);
    std::istringstream words(line);
    TSceneCommand c;
    c.Line = number;
    if (!(words >> c.Name)) continue;
    for (std::string w; words >> w;) c.Words.push_back(w);
    if (c.Name == "scene") {
      if (c.Words.size() != 1) Fail(number, "scene: one name expected");
      if (!names.insert(c.Words[0]).second) Fail(number, "scene '" + c.Words[0] + "' appears twice");
      scenes.push_back(TScene{c.Words[0], 0, 0, {}, number});
      continue;
    }
    if (scenes.empty()) Fail(number, c.Name + ": before the first scene");
    TScene& scene = scenes.back();
    const int arity = Arity(c.Name);
    if (arity == -3) Fail(number, "unknown command '" + c.Name + "'");
    if (arity >= 0 && int(c.Words.size()) != arity) {
      Fail(number, c.Name + ": " + std::to_string(arity) + " values expected");
    }
    if (arity == -2) {
      if (c.Words.empty()) Fail(number, c.Name + ": a point count expected");
      const int n = Number(c, c.Words[0]);
      if (n < 0 || c.Words.size() != size_t(1 + 2 * n)) Fail(number, c.Name + ": the count does not match the points");
    }
    if (c.Name == "size") {
      scene.Width = Number(c, c.Words[0]);
      scene.Height = Number(c, c.Words[1]);
      if (scene.Width <= 0 || scene.Height <= 0 || int64_t(scene.Width) * scene.Height > (1 << 24)) {
        Fail(number, "size: 1 to 16 million pixels expected");
      }
      continue;
    }
    if (scene.Width == 0) Fail(number, c.Name + ": before size");
    // Check the values now, so a replay fails only where our canvas cannot follow.
    if (c.Name == "clear" || c.Name == "bkcolor") Colour(c, c.Words[0]);
    if (c.Name == "setpixel") Colour(c, c.Words[2]);
    if (c.Name == "bkmode" && c.Words[0] != "opaque" && c.Words[0] != "transparent") Fail(number, "bkmode: opaque or transparent");
    if (c.Name == "fillmode" && c.Words[0] != "alternate" && c.Words[0] != "winding") Fail(number, "fillmode: alternate or winding");
    if (arity > 0 && c.Name != "setpixel" && c.Name != "clear" && c.Name != "bkcolor" && c.Name != "bkmode" &&
        c.Name != "fillmode") {
      for (const std::string& w : c.Words) Number(c, w);
    }
    if (c.Name == "setpixel") {
      Number(c, c.Words[0]);
      Number(c, c.Words[1]);
    }
    if (arity == -2) Points(c);
    if (c.Name == "pen") {
      TPen pen;
      SetPen(pen, c);
    }
    if (c.Name == "brush") {
      TReplayState state;
      SetBrush(state, c);
    }
    scene.Commands.push_back(std::move(c));
  }
  return scenes;
}

std::vector<TScene> ReadSceneFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw Exception(file.string() + ": cannot be read");
  std::ostringstream text;
  text << in.rdbuf();
  try {
    return ParseScenes(text.str());
  } catch (const Exception& e) {
    throw Exception(file.string() + ": " + e.what());
  }
}

std::string ReplayScene(const TScene& scene, TBitmap& bitmap) {
  bitmap.SetSize(scene.Width, scene.Height);
  for (int32_t y = 0; y < scene.Height; ++y) std::fill_n(bitmap.ScanLine(y), scene.Width, RGBToPixel(0));
  TCanvas& canvas = *bitmap.Canvas();
  canvas.ResetClipRect();
  canvas.Pen()->SetColor(0);
  canvas.Pen()->SetStyle(TPenStyle::psSolid);
  canvas.Pen()->SetWidth(1);
  canvas.Pen()->SetMode(TPenMode::pmCopy);
  canvas.MoveTo(0, 0);
  canvas.SetPolyFillMode(TPolyFillMode::pfAlternate);
  TReplayState s;
  for (const TSceneCommand& c : scene.Commands) {
    const auto n = [&c](size_t i) { return Number(c, c.Words[i]); };
    const std::string at = "line " + std::to_string(c.Line) + ": ";
    if (c.Name == "clear") {
      const TPixel p = ColorToPixel(Colour(c, c.Words[0]));
      for (int32_t y = 0; y < scene.Height; ++y) std::fill_n(bitmap.ScanLine(y), scene.Width, p);
    } else if (c.Name == "pen") {
      SetPen(*canvas.Pen(), c);
    } else if (c.Name == "brush") {
      SetBrush(s, c);
    } else if (c.Name == "bkmode") {
      s.Opaque = c.Words[0] == "opaque";
    } else if (c.Name == "bkcolor") {
      s.BkColor = Colour(c, c.Words[0]);
    } else if (c.Name == "fillmode") {
      canvas.SetPolyFillMode(c.Words[0] == "winding" ? TPolyFillMode::pfWinding : TPolyFillMode::pfAlternate);
    } else if (c.Name == "moveto") {
      canvas.MoveTo(n(0), n(1));
    } else if (c.Name == "lineto") {
      BrushForLine(canvas, s);
      canvas.LineTo(n(0), n(1));
    } else if (c.Name == "polyline") {
      BrushForLine(canvas, s);
      const std::vector<TPoint> points = Points(c);
      canvas.Polyline(points);
    } else if (c.Name == "setpixel") {
      canvas.SetPixel(n(0), n(1), Colour(c, c.Words[2]));
    } else {
      if (std::string why = BrushForFigure(canvas, s); !why.empty()) return at + why;
      if (c.Name == "rectangle") {
        canvas.Rectangle(n(0), n(1), n(2), n(3));
      } else if (c.Name == "ellipse") {
        canvas.Ellipse(n(0), n(1), n(2), n(3));
      } else if (c.Name == "arc") {
        canvas.Arc(n(0), n(1), n(2), n(3), n(4), n(5), n(6), n(7));
      } else if (c.Name == "polygon") {
        const std::vector<TPoint> points = Points(c);
        canvas.Polygon(points);
      }
    }
  }
  return "";
}

void WritePpm(const TBitmap& bitmap, const std::filesystem::path& file) {
  std::ofstream out(file, std::ios::binary);
  out << "P6\n" << bitmap.Width() << ' ' << bitmap.Height() << "\n255\n";
  std::vector<char> row(size_t(bitmap.Width()) * 3);
  for (int32_t y = 0; y < bitmap.Height(); ++y) {
    const TPixel* p = bitmap.ScanLine(y);
    for (int32_t x = 0; x < bitmap.Width(); ++x) {
      row[3 * x] = char((p[x] >> 16) & 0xFF);
      row[3 * x + 1] = char((p[x] >> 8) & 0xFF);
      row[3 * x + 2] = char(p[x] & 0xFF);
    }
    out.write(row.data(), std::streamsize(row.size()));
  }
  if (!out) throw Exception(file.string() + ": cannot be written");
}

void ReadPpm(const std::filesystem::path& file, TBitmap& bitmap) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw Exception(file.string() + ": cannot be read");
  // The header: "P6", width, height, 255, each after white space and
  // comments, then one white-space byte before the pixels.
  const auto token = [&in]() {
    std::string t;
    int ch;
    while ((ch = in.get()) != EOF) {
      if (ch == '#') {
        while ((ch = in.get()) != EOF && ch != '\n') {
        }
        continue;
      }
      if (std::isspace(ch)) {
        if (!t.empty()) break;
        continue;
      }
      t += char(ch);
      if (t.size() > 12) break;
    }
    return t;
  };
  const std::string magic = token(), w = token(), h = token(), max = token();
  int32_t width = 0, height = 0;
  std::from_chars(w.data(), w.data() + w.size(), width);
  std::from_chars(h.data(), h.data() + h.size(), height);
  if (magic != "P6" || max != "255" || width <= 0 || height <= 0 || int64_t(width) * height > (1 << 24)) {
    throw Exception(file.string() + ": not a binary PPM picture of 8-bit channels");
  }
  std::vector<unsigned char> data(size_t(width) * size_t(height) * 3);
  in.read(reinterpret_cast<char*>(data.data()), std::streamsize(data.size()));
  if (in.gcount() != std::streamsize(data.size())) throw Exception(file.string() + ": the picture is cut short");
  bitmap.SetSize(width, height);
  for (int32_t y = 0; y < height; ++y) {
    TPixel* p = bitmap.ScanLine(y);
    for (int32_t x = 0; x < width; ++x) {
      const unsigned char* d = &data[(size_t(y) * size_t(width) + size_t(x)) * 3];
      p[x] = 0xFF000000u | (uint32_t(d[0]) << 16) | (uint32_t(d[1]) << 8) | d[2];
    }
  }
}

}  // namespace korvo::scenes
