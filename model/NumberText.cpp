#include "model/NumberText.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "core/ErrorCodes.h"
#include "core/Errors.h"

namespace {

bool IsSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "&H" and "&O" integers: as many digits of the radix as stand there.
double ReadRadixInteger(const char* p, const char* end, int radix) {
  double value = 0;
  for (; p < end; ++p) {
    int digit;
    if (IsDigit(*p)) {
      digit = *p - '0';
    } else if (radix == 16 && ((*p | 0x20) >= 'a' && (*p | 0x20) <= 'f')) {
      digit = (*p | 0x20) - 'a' + 10;
    } else {
      break;
    }
    if (digit >= radix) break;
    value = value * radix + digit;
  }
  if (!std::isfinite(value)) RaiseRuntimeError(ErrOverflow);
  return value;
}

// Exact for up to 15 digits and up to 22 decimals: both parts are exact doubles
// and one division rounds correctly.
bool TryFastDecimal(const char* p, const char* end, double& result) {
  static constexpr double powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                      1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                      1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  std::uint64_t mantissa = 0;
  int digits = 0;
  int decimals = 0;
  bool afterPoint = false;
  for (; p < end; ++p) {
    if (*p == '.') {
      afterPoint = true;
      continue;
    }
    if (++digits > 15) return false;
    mantissa = mantissa * 10 + std::uint64_t(*p - '0');
    if (afterPoint) ++decimals;
  }
  if (decimals > 22) return false;
  result = double(mantissa) / powers[decimals];
  return true;
}

// Decides between overflow and underflow for a number that the double range
// cannot hold: the position of its first significant digit against the
// exponent, both saturated.
bool IsHuge(const char* p, const char* end) {
  std::int64_t position = 0;  // decimal exponent of the first significant digit + 1
  bool significant = false, afterPoint = false;
  for (; p < end && *p != 'e' && *p != 'E'; ++p) {
    if (*p == '.') {
      afterPoint = true;
    } else if (!significant && *p == '0') {
      if (afterPoint) --position;
    } else {
      significant = true;
      if (!afterPoint) ++position;
    }
  }
  std::int64_t exponent = 0;
  if (p < end) {
    ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
    for (; p < end && exponent < 100000000; ++p) exponent = exponent * 10 + (*p - '0');
    if (negative) exponent = -exponent;
  }
  return position + exponent > 0;
}

double ReadDecimal(const char* p, const char* end, bool single) {
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
  const char* start = p;
  int digits = 0;
  while (p < end && IsDigit(*p)) ++p, ++digits;
  if (p < end && *p == '.') {
    ++p;
    while (p < end && IsDigit(*p)) ++p, ++digits;
  }
  if (digits == 0) return 0.0;
  const char* mantissaEnd = p;
  if (p < end && (*p == 'e' || *p == 'E')) {
    const char* q = p + 1;
    if (q < end && (*q == '+' || *q == '-')) ++q;
    if (q < end && IsDigit(*q)) {
      while (q < end && IsDigit(*q)) ++q;
      p = q;
    }
  }
  double value = 0.0;
  if (p != mantissaEnd || !TryFastDecimal(start, p, value)) {
    const auto [ptr, ec] = std::from_chars(start, p, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
      if (IsHuge(start, p)) RaiseRuntimeError(ErrOverflow);
      value = 0.0;
    } else if (ec != std::errc() || ptr != p) {
      value = 0.0;  // cannot happen for the pattern scanned above
    }
  }
  if (single) value = number_text_detail::KeepSingleRounding(value, start, p);
  return negative ? -value : value;
}

}  // namespace

// A text of many digits can read as a double that lies exactly halfway between
// two floats, and ToSingle would then take the even one, which is not always
// the float nearest to the text. Such a double moves one step toward the
// text's value, so that its float is the text's correctly rounded float.
// The text is the unsigned number that gave the double.
double number_text_detail::KeepSingleRounding(double value, const char* begin, const char* end) {
  // Too many bits to lie halfway.
  if ((std::bit_cast<std::uint64_t>(value) & 0x0fffffff) != 0) return value;
  const float nearest = static_cast<float>(value);
  if (double(nearest) == value || !std::isfinite(nearest)) return value;
  const float beyond =
      std::nextafter(nearest, value > double(nearest) ? std::numeric_limits<float>::infinity()
                                                      : -std::numeric_limits<float>::infinity());
  if ((double(nearest) + double(beyond)) / 2 != value) return value;
  float exact = nearest;
  const auto result = std::from_chars(begin, end, exact, std::chars_format::general);
  if (result.ec != std::errc() || exact == nearest) return value;
  return std::nextafter(value, double(exact));
}

[[noreturn]] void number_text_detail::RaiseOverflow() { RaiseRuntimeError(ErrOverflow); }

double number_text_detail::ReadNumberGenerally(QByteArrayView text, bool single) {
  const char* p = text.data();
  const char* end = p + text.size();
  std::string compact;
  if (std::find_if(p, end, IsSkipped) != end) {
    compact.reserve(std::size_t(text.size()));
    for (const char* q = p; q < end; ++q) {
      if (!IsSkipped(*q)) compact.push_back(*q);
    }
    p = compact.data();
    end = p + compact.size();
  }
  if (end - p >= 2 && p[0] == '&') {
    const char radix = char(p[1] | 0x20);
    if (radix == 'h') return ReadRadixInteger(p + 2, end, 16);
    if (radix == 'o') return ReadRadixInteger(p + 2, end, 8);
    return 0.0;
  }
  return ReadDecimal(p, end, single);
}

namespace {

// Writes sign, integer part and three decimals of a number whose magnitude is
// a thousandths count.
int WriteThousandths(bool negative, std::uint64_t thousandths, char* buffer) {
  char* out = buffer;
  if (negative && thousandths != 0) *out++ = '-';
  out = std::to_chars(out, out + 24, thousandths / 1000).ptr;
  const auto fraction = unsigned(thousandths % 1000);
  *out++ = '.';
  *out++ = char('0' + fraction / 100);
  *out++ = char('0' + fraction / 10 % 10);
  *out++ = char('0' + fraction % 10);
  return int(out - buffer);
}

int WriteNonFinite(float value, char* buffer) {
  const char* text = std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
  const auto length = std::strlen(text);
  std::memcpy(buffer, text, length);
  return int(length);
}

}  // namespace

int number_text_detail::FormatThreeDecimalsFromShortest(float value, char* buffer) {
  if (!std::isfinite(value)) return WriteNonFinite(value, buffer);
  // Shortest round-trip digits d.ddd and a decimal exponent.
  char shortest[48];
  const auto result = std::to_chars(shortest, shortest + sizeof shortest, std::fabs(value),
                                    std::chars_format::scientific);
  const char* e = std::find(shortest, result.ptr, 'e');
  std::string digits;
  for (const char* p = shortest; p < e; ++p) {
    if (*p != '.') digits.push_back(*p);
  }
  int exponent = 0;
  std::from_chars(e + 1 + (e[1] == '+'), result.ptr, exponent);

  // The digit at power of ten k is digits[exponent - k].
  auto digitAt = [&](int power) -> int {
    const int index = exponent - power;
    return index >= 0 && index < int(digits.size()) ? digits[std::size_t(index)] - '0' : 0;
  };
  // Fixed digits from the highest power down to the thousandths.
  const int top = std::max(exponent, 0);
  std::string fixed;
  for (int power = top; power >= -3; --power) fixed.push_back(char('0' + digitAt(power)));
  if (digitAt(-4) >= 5) {  // a half or more of the last place: away from zero
    int i = int(fixed.size()) - 1;
    while (i >= 0 && fixed[std::size_t(i)] == '9') fixed[std::size_t(i--)] = '0';
    if (i >= 0) {
      ++fixed[std::size_t(i)];
    } else {
      fixed.insert(fixed.begin(), '1');
    }
  }
  const bool allZero = fixed.find_first_not_of('0') == std::string::npos;
  std::string integerPart = fixed.substr(0, fixed.size() - 3);
  const std::size_t firstSignificant = integerPart.find_first_not_of('0');
  integerPart = firstSignificant == std::string::npos ? "0" : integerPart.substr(firstSignificant);

  char* out = buffer;
  if (value < 0 && !allZero) *out++ = '-';
  std::memcpy(out, integerPart.data(), integerPart.size());
  out += integerPart.size();
  *out++ = '.';
  std::memcpy(out, fixed.data() + fixed.size() - 3, 3);
  out += 3;
  return int(out - buffer);
}

namespace {

// Below 2^14 a float's rounding interval is narrower than a thousandth, so
// when a thousandths text reads back as this float it is the shortest text,
// rounded already. Checked in double, which holds every such quotient closely
// enough to round to the same float.
bool ShortcutThousandths(float value, long long& thousandths) {
  const double exact = value;
  if (!(std::fabs(exact) < 16384.0)) return false;
  thousandths = std::llround(exact * 1000.0);
  return static_cast<float>(double(thousandths) / 1000.0) == value;
}

}  // namespace

int FormatThreeDecimals(float value, char* buffer) {
  long long thousandths = 0;
  if (ShortcutThousandths(value, thousandths)) {
    return WriteThousandths(value < 0, std::uint64_t(std::llabs(thousandths)), buffer);
  }
  return number_text_detail::FormatThreeDecimalsFromShortest(value, buffer);
}

double ThreeDecimalsValue(float value) {
  // Both numbers are exact, so the one division rounds the decimal correctly.
  long long thousandths = 0;
  if (ShortcutThousandths(value, thousandths)) return double(thousandths) / 1000.0;
  char buffer[ThreeDecimalsBufferSize];
  const int length = number_text_detail::FormatThreeDecimalsFromShortest(value, buffer);
  double result = 0.0;
  std::from_chars(buffer, buffer + length, result);
  return result;
}
