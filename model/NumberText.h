#pragma once

#include <QByteArrayView>
#include <cstdint>
#include <optional>

// Number conversions of the car file, all independent of the process locale.

// Reads a number leniently: blanks, tabs and line feeds are skipped anywhere;
// then an optional sign, digits, an optional point with digits and an optional
// exponent (E or e, optionally signed digits); "&H" and "&O" read hexadecimal
// and octal integers. Reading stops at the first character that does not fit;
// without any digit the value is 0. A value beyond the double range raises the
// overflow error.
double ReadNumber(QByteArrayView text);

// Converts to a 32-bit integer, a half going to the even neighbour; raises the
// overflow error beyond the 32-bit range.
std::int32_t ToInteger(double value);
// The same without raising: nothing beyond the range.
std::optional<std::int32_t> TryToInteger(double value);

// Converts to the nearest single-precision value; raises the overflow error
// beyond the single-precision range.
float ToSingle(double value);
// The same without raising: nothing beyond the range.
std::optional<float> TryToSingle(double value);

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
