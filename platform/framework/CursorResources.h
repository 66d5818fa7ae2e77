// The program's own cursor images, found by resource name ("CURHAND").
//
// A program registers its cursors once at start-up (the resources library
// does this for Plotwell's four); a window system that builds real cursors
// (the Qt one) looks them up when TWindowSystem::LoadCursor is asked for a
// name. The headless window system does not need the images: it answers by
// name alone.
//
// A cursor image is two colours plus transparency, top row first; the hot
// spot is the pixel that points and lies inside the image.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Export.h"
#include "platform/Types.h"

namespace korvo {

enum class TCursorPixel : uint8_t { cpTransparent, cpBlack, cpWhite };

struct TCursorImage {
  int32_t Width = 0;
  int32_t Height = 0;
  TPoint HotSpot;
  std::vector<TCursorPixel> Pixels;  // Width * Height, row by row

  TCursorPixel At(int32_t x, int32_t y) const { return Pixels[size_t(y) * size_t(Width) + size_t(x)]; }
};

// Builds an image from text art, one string per row: '.' transparent, '#'
// black, 'o' white. Rows of unequal length, other characters, an empty
// picture or a hot spot outside it raise EConvertError.
PLOTWELL_API TCursorImage CursorImageFromArt(std::initializer_list<std::string_view> rows, TPoint hot_spot);

// Registers (or replaces) the image of a cursor resource. Names are compared
// without regard to ASCII case, like the classic resource names. An image
// whose size does not match its pixels, or whose hot spot lies outside,
// raises EConvertError and registers nothing.
PLOTWELL_API void RegisterCursorResource(const std::string& name, TCursorImage image);
// The image registered under `name`; nullptr when there is none. The pointer
// stays valid for the life of the program (registering the name again
// changes the image it points to).
PLOTWELL_API const TCursorImage* FindCursorResource(std::string_view name);

}  // namespace korvo
