#include "platform/framework/CursorResources.h"

#include <memory>
#include <utility>

#include "platform/Exceptions.h"
#include "platform/framework/Component.h"

namespace korvo {
namespace {

struct TNamedImage {
  std::string Name;
  std::unique_ptr<TCursorImage> Image;  // stable address for FindCursorResource
};

std::vector<TNamedImage>& Registry() {
  static std::vector<TNamedImage> registry;
  return registry;
}

void Check(const TCursorImage& image) {
  if (image.Width <= 0 || image.Height <= 0) throw EConvertError("a cursor image needs at least one pixel");
  if (image.Pixels.size() != size_t(image.Width) * size_t(image.Height)) {
    throw EConvertError("a cursor image of " + std::to_string(image.Width) + " x " + std::to_string(image.Height) +
                        " pixels holds " + std::to_string(image.Pixels.size()));
  }
  const TPoint h = image.HotSpot;
  if (h.X < 0 || h.Y < 0 || h.X >= image.Width || h.Y >= image.Height) {
    throw EConvertError("the hot spot (" + std::to_string(h.X) + ", " + std::to_string(h.Y) +
                        ") lies outside the cursor image");
  }
}

}  // namespace

TCursorImage CursorImageFromArt(std::initializer_list<std::string_view> rows, TPoint hot_spot) {
  TCursorImage image;
  image.Height = int32_t(rows.size());
  image.Width = rows.size() == 0 ? 0 : int32_t(rows.begin()->size());
  image.HotSpot = hot_spot;
  image.Pixels.reserve(size_t(image.Width) * size_t(image.Height));
  int row = 0;
  for (const std::string_view r : rows) {
    if (int32_t(r.size()) != image.Width) {
      throw EConvertError("cursor art row " + std::to_string(row) + " has " + std::to_string(r.size()) +
                          " characters instead of " + std::to_string(image.Width));
    }
    for (const char c : r) {
      switch (c) {
        case '.':
          image.Pixels.push_back(TCursorPixel::cpTransparent);
          break;
        case '#':
          image.Pixels.push_back(TCursorPixel::cpBlack);
          break;
        case 'o':
          image.Pixels.push_back(TCursorPixel::cpWhite);
          break;
        default:
          throw EConvertError(std::string("cursor art row ") + std::to_string(row) + " holds '" + c +
                              "' (only '.', '#' and 'o' are pixels)");
      }
    }
    ++row;
  }
  Check(image);
  return image;
}

void RegisterCursorResource(const std::string& name, TCursorImage image) {
  Check(image);
  for (TNamedImage& entry : Registry()) {
    if (SameName(entry.Name, name)) {
      *entry.Image = std::move(image);
      return;
    }
  }
  Registry().push_back(TNamedImage{name, std::make_unique<TCursorImage>(std::move(image))});
}

const TCursorImage* FindCursorResource(std::string_view name) {
  for (const TNamedImage& entry : Registry()) {
    if (SameName(entry.Name, name)) return entry.Image.get();
  }
  return nullptr;
}

}  // namespace korvo
