// Small value types of the framework: points, rectangles, shift state, alignment.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "platform/Export.h"

namespace korvo {

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int32_t cx = 0;
  int32_t cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

// A rectangle with the classic convention: Right and Bottom are exclusive,
// so the rectangle (0, 0, 10, 5) holds the pixels 0..9 by 0..4.
struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  int64_t Width() const { return int64_t(Right) - Left; }
  int64_t Height() const { return int64_t(Bottom) - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(int32_t x, int32_t y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Rect(int32_t l, int32_t t, int32_t r, int32_t b) { return TRect{l, t, r, b}; }
// The smallest rectangle holding both; an empty one adds nothing.
inline TRect UnionRect(const TRect& a, const TRect& b) {
  if (a.IsEmpty()) return b.IsEmpty() ? TRect{} : b;
  if (b.IsEmpty()) return a;
  return TRect{a.Left < b.Left ? a.Left : b.Left, a.Top < b.Top ? a.Top : b.Top,
               a.Right > b.Right ? a.Right : b.Right, a.Bottom > b.Bottom ? a.Bottom : b.Bottom};
}
inline TPoint Point(int32_t x, int32_t y) { return TPoint{x, y}; }

// The framework's set of pressed modifier keys and mouse buttons.
enum class TShiftFlag : uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };

class PLOTWELL_API TShiftState {
 public:
  constexpr TShiftState() = default;
  constexpr TShiftState(std::initializer_list<TShiftFlag> flags) {
    for (TShiftFlag f : flags) bits_ |= Bit(f);
  }
  constexpr bool Contains(TShiftFlag f) const { return (bits_ & Bit(f)) != 0; }
  constexpr TShiftState& Include(TShiftFlag f) { bits_ |= Bit(f); return *this; }
  constexpr TShiftState& Exclude(TShiftFlag f) { bits_ &= uint8_t(~Bit(f)); return *this; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr uint8_t Bits() const { return bits_; }
  friend constexpr bool operator==(TShiftState, TShiftState) = default;

 private:
  static constexpr uint8_t Bit(TShiftFlag f) { return uint8_t(1u << unsigned(f)); }
  uint8_t bits_ = 0;
};

enum class TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

// How a text lies against its anchor point.
enum class TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };

}  // namespace korvo
