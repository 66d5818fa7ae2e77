// What the fuzz targets share: reading an input as a stream of choices, and
// setting published properties of an object to values chosen from it.
//
// Every target states a contract beyond "does not crash" and calls Broken()
// when the contract fails, which aborts so that libFuzzer keeps the input.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "platform/Exceptions.h"
#include "platform/framework/Properties.h"

namespace korvo::fuzz {

[[noreturn]] inline void Broken(const char* contract) {
  std::fprintf(stderr, "contract broken: %s\n", contract);
  std::abort();
}

// The input as choices; once it runs out every choice is 0.
class TFuzzInput {
 public:
  TFuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Empty() const { return pos_ >= size_; }
  size_t Left() const { return size_ - pos_; }
  uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  uint32_t U32() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = v << 8 | Byte();
    return v;
  }
  uint64_t U64() { return uint64_t(U32()) << 32 | U32(); }
  bool Bool() { return (Byte() & 1) != 0; }
  // 0 .. n-1 (n > 0).
  uint32_t Below(uint32_t n) { return n <= 256 ? Byte() % n : U32() % n; }

  // Coordinates: mostly near the picture, sometimes at or near the 32-bit
  // limits, sometimes any 32-bit value.
  int32_t Coord(int32_t extent) {
    static constexpr int32_t kFar[] = {INT32_MIN, INT32_MIN + 1, INT32_MAX, INT32_MAX - 1, -(1 << 30), 1 << 30,
                                       -32769,    32768,         -65536,    1 << 24,       -1,        0};
    switch (Byte() % 8) {
      case 0:
        return kFar[Below(std::size(kFar))];
      case 1:
        return int32_t(U32());
      default:
        return int32_t(Byte() % uint32_t(extent + 40)) - 20;
    }
  }
  // Doubles: ordinary values, edge values and any bit pattern.
  double Real() {
    static constexpr double kEdge[] = {0.0,
                                       -0.0,
                                       1.0,
                                       -1.0,
                                       0.5,
                                       1e-100,
                                       -1e-300,
                                       1e308,
                                       -1e308,
                                       2147483648.0,
                                       std::numeric_limits<double>::infinity(),
                                       -std::numeric_limits<double>::infinity(),
                                       std::numeric_limits<double>::quiet_NaN(),
                                       std::numeric_limits<double>::denorm_min(),
                                       std::numeric_limits<double>::max(),
                                       4.9999999999999994e-1};
    switch (Byte() % 8) {
      case 0:
        return kEdge[Below(std::size(kEdge))];
      case 1: {
        const uint64_t bits = U64();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
      }
      default:
        return (int32_t(U32() % 4001) - 2000) / 16.0;
    }
  }
  // A short string of any bytes (at most `max`).
  std::string Text(size_t max) {
    const size_t n = Below(uint32_t(max + 1));
    std::string s;
    for (size_t i = 0; i < n && !Empty(); ++i) s += char(Byte());
    return s;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

// Sets one published property of `object` (descending into sub-objects
// such as Font) to a value chosen from the input. A setter may refuse with
// the library's Exception; any other exception breaks the contract.
inline void PokeProperty(TFuzzInput& in, TObject& object, const TClassInfo& info, int depth = 0) {
  const auto props = info.Properties();
  if (props.empty()) return;
  const TPropInfo& p = *props[in.Below(uint32_t(props.size()))];
  static constexpr int64_t kInts[] = {0, 1, -1, 2, 7, 16, 100, 255, 256, 1000, 65535, INT32_MAX, INT32_MIN,
                                      int64_t(INT32_MAX) + 1, INT64_MIN, 0x7FFFFFFF00000000};
  static const char* const kFloats[] = {"0", "-0", "1", "-1", "0.5", "1e-100", "1e308", "-1e308", "NaN", "Inf",
                                        "-Inf", "4.9e-324", "1e4932", "123456789.125", "-0.001", "3"};
  try {
    switch (p.Kind()) {
      case TPropKind::pkInteger:
      case TPropKind::pkColor:
        p.Set(object, TFormValue::Integer(in.Bool() ? kInts[in.Below(std::size(kInts))]
                                                    : int64_t(int32_t(in.U32() % 2001) - 1000)));
        break;
      case TPropKind::pkFloat:
        p.Set(object, in.Bool() ? TFormValue::Float(kFloats[in.Below(std::size(kFloats))])
                                : TFormValue::Float(std::to_string(in.Real())));
        break;
      case TPropKind::pkBool:
        p.Set(object, TFormValue::Ident(in.Bool() ? "True" : "False"));
        break;
      case TPropKind::pkString:
        p.Set(object, TFormValue::String(in.Text(40)));
        break;
      case TPropKind::pkEnum:
        if (p.EnumType() != nullptr && !p.EnumType()->Names.empty()) {
          p.Set(object, TFormValue::Ident(std::string(p.EnumType()->Names[in.Below(uint32_t(p.EnumType()->Names.size()))])));
        }
        break;
      case TPropKind::pkSet:
        if (p.EnumType() != nullptr) {
          std::vector<std::string> items;
          for (const std::string_view name : p.EnumType()->Names) {
            if (in.Bool()) items.emplace_back(name);
          }
          p.Set(object, TFormValue::Set(std::move(items)));
        }
        break;
      case TPropKind::pkObject:
        if (depth < 3 && p.ObjectClass() != nullptr) {
          if (TPersistent* sub = p.Object(object)) PokeProperty(in, *sub, *p.ObjectClass(), depth + 1);
        }
        break;
      case TPropKind::pkEvent:
      case TPropKind::pkComponent:
        break;
    }
  } catch (const Exception&) {
    // A value the setter refuses, with the library's error.
  } catch (...) {
    Broken("a property setter raised something other than the library's Exception");
  }
}

}  // namespace korvo::fuzz
