// Plotwell's own cursors, drawn for this project as text art: '.' is
// transparent, '#' black, 'o' white. Each shape is black with a white rim, or
// white with a black outline, so that it shows on any background.
#include "resources/PlotwellCursors.h"

#include "platform/framework/CursorResources.h"

namespace korvo {

void RegisterPlotwellCursors() {
  // clang-format off
  // An open hand (panning); the tip of the index finger points.
  RegisterCursorResource("CURHAND", CursorImageFromArt({
      "................................",
      "................................",
      "...............###..............",
      "...........####ooo#.............",
      "..........#ooo#oooo###..........",
      "..........#ooo#ooo#ooo#.........",
      "..........#ooo#ooo#ooo#.........",
      "..........#ooo#ooo#ooo#.........",
      "..........#ooo#ooo#oooo##.......",
      "..........#ooo#ooo#ooo#oo#......",
      "..........#ooo#ooo#ooo#oo#......",
      ".#####....#ooo#ooo#ooo#oo#......",
      ".#oooo#...#ooo#ooo#ooo#oo#......",
      ".#oooo#...#ooo#ooo#ooo#oo#......",
      ".#ooooo##.#ooo#ooo#ooo#oo#......",
      "..#oooooo#oooo#ooo#ooo#oo#......",
      "..##oooooooooooooooooo#oo#......",
      "....#oooooooooooooooooooo#......",
      ".....#ooooooooooooooooooo#......",
      "......#oooooooooooooooooo#......",
      "......#oooooooooooooooooo#......",
      ".......#ooooooooooooooooo#......",
      "........#oooooooooooooooo#......",
      "........#oooooooooooooooo#......",
      "........#oooooooooooooooo#......",
      "........#oooooooooooooooo#......",
      ".........#oooooooooooooo#.......",
      "..........#oooooooooooo#........",
      "..........#oooooooooooo#........",
      "..........##############........",
      "................................",
      "................................",
  }, TPoint{12, 3}));

  // Zoom to a window: a rectangle with a cross-hair at its top-left corner,
  // whose centre points, and a diagonal arrow inside.
  RegisterCursorResource("CURZOOMW", CursorImageFromArt({
      "................................",
      "................................",
      "................................",
      "......ooo.......................",
      "......o#o.......................",
      "......o#o.......................",
      "......o#o.......................",
      "......o#o.......................",
      ".oooooo#oooooooooooooooooooooo..",
      ".o###########################o..",
      ".oooooo#oooooooooooooooooooo#o..",
      "......o#o..................o#o..",
      "......o#o.ooo..............o#o..",
      "......o#o.o#oo.............o#o..",
      "......o#o.oo#oo............o#o..",
      "......o#o..oo#oo...........o#o..",
      "......o#o...oo#oo..........o#o..",
      "......o#o....oo#oo.........o#o..",
      "......o#o.....oo#oo........o#o..",
      "......o#o......oo#oo..ooo..o#o..",
      "......o#o.......oo#oo.o#o..o#o..",
      "......o#o........oo#ooo#o..o#o..",
      "......o#o.........oo#oo#o..o#o..",
      "......o#o..........oo#o#o..o#o..",
      "......o#o........ooooo##o..o#o..",
      "......o#o........o######o..o#o..",
      "......o#o........oooooooo..o#o..",
      "......o#o..................o#o..",
      "......o#oooooooooooooooooooo#o..",
      "......o######################o..",
      "......oooooooooooooooooooooooo..",
      "................................",
  }, TPoint{7, 9}));

  // Drag zoom: four arrows pointing diagonally outwards around a small
  // square; the dot at its centre points.
  RegisterCursorResource("CURZOOMD", CursorImageFromArt({
      "................................",
      "................................",
      "..oooooooo...........oooooooo...",
      "..o######o...........o######o...",
      "..o##ooooo...........ooooo##o...",
      "..o#o#oo...............oo#o#o...",
      "..o#oo#oo.............oo#oo#o...",
      "..o#ooo#oo...........oo#ooo#o...",
      "..o#o.oo#oo.........oo#oo.o#o...",
      "..ooo..oo#oo.......oo#oo..ooo...",
      "........oo#oo.....oo#oo.........",
      ".........oo#o.....o#oo..........",
      "..........ooooooooooo...........",
      "............o#####o.............",
      "............o#ooo#o.............",
      "............o#o#o#o.............",
      "............o#ooo#o.............",
      "............o#####o.............",
      "..........ooooooooooo...........",
      ".........oo#o.....o#oo..........",
      "........oo#oo.....oo#oo.........",
      "..ooo..oo#oo.......oo#oo..ooo...",
      "..o#o.oo#oo.........oo#oo.o#o...",
      "..o#ooo#oo...........oo#ooo#o...",
      "..o#oo#oo.............oo#oo#o...",
      "..o#o#oo...............oo#o#o...",
      "..o##ooooo...........ooooo##o...",
      "..o######o...........o######o...",
      "..oooooooo...........oooooooo...",
      "................................",
      "................................",
      "................................",
  }, TPoint{15, 15}));

  // Zoom to a window from a position: the zoom-window rectangle and arrow
  // with small plus and minus signs inside; the cross-hair centre points.
  RegisterCursorResource("CURZOOMP", CursorImageFromArt({
      "................................",
      "................................",
      "......ooo.......................",
      "......o#o.......................",
      "......o#o.......................",
      "......o#o.......................",
      "......o#o.......................",
      ".oooooo#oooooooooooooooooooooo..",
      ".o###########################o..",
      ".oooooo#oooooooooooooooooooo#o..",
      "......o#o.............ooo..o#o..",
      "......o#o.ooo.........o#o..o#o..",
      "......o#o.o#oo......ooo#oooo#o..",
      "......o#o.oo#oo.....o#####oo#o..",
      "......o#o..oo#oo....ooo#oooo#o..",
      "......o#o...oo#oo.....o#o..o#o..",
      "......o#o....oo#oo....ooo..o#o..",
      "......o#o.....oo#oo........o#o..",
      "......o#o......oo#oo..ooo..o#o..",
      "......o#o.......oo#oo.o#o..o#o..",
      "......o#o........oo#ooo#o..o#o..",
      "......o#o.........oo#oo#o..o#o..",
      "......o#oooooooo...oo#o#o..o#o..",
      "......o#oo#####o.ooooo##o..o#o..",
      "......o#oooooooo.o######o..o#o..",
      "......o#o........oooooooo..o#o..",
      "......o#o..................o#o..",
      "......o#o..................o#o..",
      "......o#oooooooooooooooooooo#o..",
      "......o######################o..",
      "......oooooooooooooooooooooooo..",
      "................................",
  }, TPoint{7, 8}));
  // clang-format on
}

}  // namespace korvo
