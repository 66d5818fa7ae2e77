// A set of values of one small enumeration (at most 64 values), the
// framework's equivalent of a Pascal "set of": component states, anchors.
// Form descriptions read and write any class with Contains(E) and Include(E)
// as a set, so TEnumSet<E> and the hand-written sets of Types.h and Font.h
// are all streamable.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace korvo {

template <class E>
class TEnumSet {
 public:
  using Element = E;

  constexpr TEnumSet() = default;
  constexpr TEnumSet(std::initializer_list<E> items) {
    for (E e : items) bits_ |= Bit(e);
  }

  constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
  constexpr TEnumSet& Include(E e) {
    bits_ |= Bit(e);
    return *this;
  }
  constexpr TEnumSet& Exclude(E e) {
    bits_ &= ~Bit(e);
    return *this;
  }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr uint64_t Bits() const { return bits_; }

  friend constexpr TEnumSet operator|(TEnumSet a, TEnumSet b) { return FromBits(a.bits_ | b.bits_); }
  friend constexpr TEnumSet operator&(TEnumSet a, TEnumSet b) { return FromBits(a.bits_ & b.bits_); }
  friend constexpr TEnumSet operator-(TEnumSet a, TEnumSet b) { return FromBits(a.bits_ & ~b.bits_); }
  friend constexpr bool operator==(TEnumSet, TEnumSet) = default;

 private:
  static constexpr uint64_t Bit(E e) { return uint64_t(1) << unsigned(e); }
  static constexpr TEnumSet FromBits(uint64_t bits) {
    TEnumSet s;
    s.bits_ = bits;
    return s;
  }
  uint64_t bits_ = 0;
};

}  // namespace korvo
