#pragma once

#include <QByteArrayView>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace number_text_detail {
[[noreturn]] void RaiseOverflow();
double ReadNumberGenerally(QByteArrayView text, bool single);
// Corrects a double that lies exactly halfway between two floats only because
// it was rounded from the text [begin, end), so that ToSingle rounds as the
// text does.
double KeepSingleRounding(double value, const char* begin, const char* end);

// The common case of ReadNumber in one pass: an optional minus, up to 15
// digits with at most one point, nothing else. Both parts are exact doubles
// and one division rounds correctly. With single, the double is the one whose
// float is the text's nearest float.
inline bool TryPlainNumber(const char* p, const char* end, double& result, bool single) {
  static constexpr double powers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                      1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  const bool negative = p < end && *p == '-';
  if (negative) ++p;
  const char* const start = p;
  std::uint64_t mantissa = 0;
  int digits = 0, decimals = -1;
  for (; p < end; ++p) {
    if (*p >= '0' && *p <= '9') {
      if (++digits > 15) return false;
      mantissa = mantissa * 10 + std::uint64_t(*p - '0');
      if (decimals >= 0) ++decimals;
    } else if (*p == '.' && decimals < 0) {
      decimals = 0;
    } else {
      return false;
    }
  }
  if (digits == 0) return false;
  double value = double(mantissa) / powers[decimals < 0 ? 0 : decimals];
  // Only a double whose low bits are all zero can lie halfway between floats.
  if (single && (std::bit_cast<std::uint64_t>(value) & 0x0fffffff) == 0) {
    value = KeepSingleRounding(value, start, end);
  }
  result = negative ? -value : value;
  return true;
}
}  // namespace number_text_detail

// Number conversions of the car file, all independent of the process locale.

// Reads a number leniently: blanks, tabs and line feeds are skipped anywhere;
// then an optional sign, digits, an optional point with digits and an optional
// exponent (E or e, optionally signed digits); "&H" and "&O" read hexadecimal
// and octal integers. Reading stops at the first character that does not fit;
// without any digit the value is 0. A value beyond the double range raises the
// overflow error. The result is the double nearest to the text, which integers
// are rounded from.
inline double ReadNumber(QByteArrayView text) {
  double plain;
  if (number_text_detail::TryPlainNumber(text.data(), text.data() + text.size(), plain, false)) {
    return plain;
  }
  return number_text_detail::ReadNumberGenerally(text, false);
}
// The same for a float: ToSingle of the result is the float nearest to the
// text (which the nearest double is not always: it may lie halfway between
// two floats where the text does not).
inline double ReadNumberForSingle(QByteArrayView text) {
  double plain;
  if (number_text_detail::TryPlainNumber(text.data(), text.data() + text.size(), plain, true)) {
    return plain;
  }
  return number_text_detail::ReadNumberGenerally(text, true);
}

// Converts to a 32-bit integer, a half going to the even neighbour; nothing
// beyond the 32-bit range.
inline std::optional<std::int32_t> TryToInteger(double value) {
  const double rounded = std::nearbyint(value);  // ties to even in the default mode
  if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) return std::nullopt;
  return static_cast<std::int32_t>(rounded);
}
// The same, raising the overflow error beyond the range.
inline std::int32_t ToInteger(double value) {
  const std::optional<std::int32_t> integer = TryToInteger(value);
  if (!integer) number_text_detail::RaiseOverflow();
  return *integer;
}

// Converts to the nearest single-precision value; nothing beyond the
// single-precision range.
inline std::optional<float> TryToSingle(double value) {
  constexpr double maxFloat = std::numeric_limits<float>::max();
  // Halfway between the largest float and the next power of two: from there on
  // a double rounds to infinity.
  constexpr double limit = 340282356779733661637539395458142568448.0;  // 2^128 - 2^103
  const double magnitude = std::fabs(value);
  if (!(magnitude < limit)) return std::nullopt;
  if (magnitude > maxFloat)
    return value < 0 ? -std::numeric_limits<float>::max() : std::numeric_limits<float>::max();
  return static_cast<float>(value);
}
// The same, raising the overflow error beyond the range.
inline float ToSingle(double value) {
  const std::optional<float> single = TryToSingle(value);
  if (!single) number_text_detail::RaiseOverflow();
  return *single;
}

// Largest text FormatThreeDecimals can produce (a float's 39 integer digits,
// sign, point and three decimals), with room to spare.
inline constexpr int ThreeDecimalsBufferSize = 64;

// Writes the value in the form "0.000" with a point: at least one integer digit,
// exactly three decimals, no grouping, "-" first if negative. The rounding
// applies to the shortest decimal text that reads back as the same float, a
// half going away from zero (so 1.0005f gives 1.001, 0.0625f gives 0.063).
// Returns the number of characters written to buffer.
int FormatThreeDecimals(float value, char* buffer);

// The number that the text of FormatThreeDecimals stands for, as the nearest
// double; value must be finite.
double ThreeDecimalsValue(float value);

namespace number_text_detail {
// The general path of FormatThreeDecimals, without its shortcut; for tests.
int FormatThreeDecimalsFromShortest(float value, char* buffer);
}  // namespace number_text_detail
