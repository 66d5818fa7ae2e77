// Scenes of the reference tool's language (one drawing command a line, see
// the list below) replayed on our canvas, so a picture of the classic
// interface and ours can be compared pixel for pixel.
//
//   scene NAME                  a new scene (its picture is NAME.ppm)
//   size W H                    the bitmap, all 000000 at the start
//   clear RRGGBB                every pixel set directly
//   pen color= style= width= mode=    solid dash dot dashdot dashdotdot clear
//                               insideframe; copy xor not
//   brush color= style=         solid | clear
//   bkmode transparent|opaque   how styled pens paint their gaps
//   bkcolor RRGGBB              the colour of those gaps
//   fillmode alternate|winding  the polygon fill rule
//   moveto X Y / lineto X Y / rectangle X1 Y1 X2 Y2 / ellipse X1 Y1 X2 Y2
//   arc X1 Y1 X2 Y2 X3 Y3 X4 Y4 / polygon N x1 y1 ... / polyline N x1 y1 ...
//   setpixel X Y RRGGBB
//
// Every scene starts with a black solid 1-pixel copy pen, a white solid
// brush, transparent background mode with white gaps, the alternate fill
// rule and the pen position at (0, 0). Colours are written RRGGBB.
//
// Our canvas paints the gaps of a styled pen in the brush colour when the
// brush is solid. A line command under bkmode opaque therefore draws with a
// solid brush of the bkcolor, under transparent with a clear brush; a figure
// with a styled pen needs the gaps and the fill alike (transparent with a
// clear brush, or opaque with a solid brush of the bkcolor), and any other
// combination is reported as a scene our canvas cannot draw.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/graphics/Bitmap.h"

namespace korvo::scenes {

struct TSceneCommand {
  std::string Name;                   // the command word
  std::vector<std::string> Words;     // the words after it
  int Line = 0;                       // its line in the file, from 1
};

struct TScene {
  std::string Name;
  int32_t Width = 0, Height = 0;
  std::vector<TSceneCommand> Commands;  // after `size`
  int Line = 0;
};

// Reads a scene file. Raises Exception naming the line for an unknown
// command, a bad number or colour, a drawing command before `size`, a
// polygon whose count does not match its points, or a repeated scene name.
std::vector<TScene> ParseScenes(const std::string& text);
std::vector<TScene> ReadSceneFile(const std::filesystem::path& file);

// Draws the scene into `bitmap` (resized to the scene). Returns an empty
// string, or why our canvas cannot draw the scene as the reference does
// (the bitmap then holds what was drawn up to that command).
std::string ReplayScene(const TScene& scene, TBitmap& bitmap);

// Binary P6 pictures, 8 bits per channel, as the reference tool writes them.
void WritePpm(const TBitmap& bitmap, const std::filesystem::path& file);
// Raises Exception for a file that is not such a picture.
void ReadPpm(const std::filesystem::path& file, TBitmap& bitmap);

}  // namespace korvo::scenes
