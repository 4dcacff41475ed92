#pragma once

#include <cstdint>

// One value of a line of the car file: nothing (a comment line), a 32-bit
// integer or a single-precision float.
struct LineValue {
  enum class Kind : std::uint8_t { None, Integer, Float };

  static LineValue Empty() { return {}; }
  static LineValue FromInteger(std::int32_t value) {
    LineValue v;
    v.kind = Kind::Integer;
    v.integer = value;
    return v;
  }
  static LineValue FromFloat(float value) {
    LineValue v;
    v.kind = Kind::Float;
    v.real = value;
    return v;
  }

  Kind kind = Kind::None;
  std::int32_t integer = 0;
  float real = 0.0f;
};

// The value as a number (0 for nothing), for sums, sort keys and charts.
inline double NumberOf(const LineValue& value) {
  return value.kind == LineValue::Kind::Integer ? double(value.integer) : double(value.real);
}

// Whether two values of one column are the same value: the same integer, or
// floats that compare equal (0 and -0 do, a NaN never does). What a document
// stores, import takes and diff reports as a change is another value.
inline bool SameValue(const LineValue& a, const LineValue& b) {
  return a.kind == LineValue::Kind::Integer ? a.integer == b.integer : a.real == b.real;
}
