#include "model/CellNumbers.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "model/ColumnTable.h"
#include "model/NumberText.h"
#include "model/NycGciCar.h"

namespace {

// Whether QLocale writes and reads this locale's numbers with the ASCII digits
// and signs, a one-character decimal separator and the letter e, and without
// options that change the texts: then its conversions are the plain decimal
// ones that the direct path computes.
bool HasPlainNumbers(const QLocale& locale) {
  const QString point = locale.decimalPoint();
  const QString exponent = locale.exponential();
  return locale.zeroDigit() == QLatin1String("0") && locale.negativeSign() == QLatin1String("-") &&
         locale.positiveSign() == QLatin1String("+") && point.size() == 1 &&
         point[0].unicode() < 0x80 && !point[0].isDigit() && exponent.size() == 1 &&
         exponent[0].toLower() == QLatin1Char('e') &&
         (locale.numberOptions() & ~QLocale::NumberOptions(QLocale::OmitGroupSeparator)) ==
             QLocale::DefaultNumberOptions;
}

// The value written with 15 significant digits, a half going away from zero
// as QLocale rounds, read back as the nearest double. The digits come from the
// value scaled by a power of ten in extended precision; every power and digit
// count used is exact in a double, so one division or multiplication rounds
// the decimal correctly. Nothing where this cannot decide: magnitudes outside
// 1e-7 to 1e22, and values within a thousandth of a unit of the last digit
// from a tie, far more than the scaling's error.
std::optional<double> RoundedTo15Digits(double value) {
  if constexpr (std::numeric_limits<long double>::digits < 64) return std::nullopt;
  if (value == 0) return 0.0;  // QLocale writes a negative zero as "0"
  const double magnitude = std::fabs(value);
  if (!(magnitude >= 1e-7 && magnitude < 1e22)) return std::nullopt;
  static constexpr double powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                      1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                      1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  // magnitude * 10^shift has 15 digits before the point. The binary exponent
  // times log10(2), rounded down, is the decimal exponent or one less.
  const int binary = int((std::bit_cast<std::uint64_t>(magnitude) >> 52) & 0x7ff) - 1023;
  int shift = 14 - ((binary * 78913) >> 18);
  auto scaled = [&] {
    return shift >= 0 ? (long double)magnitude * (long double)powers[shift]
                      : (long double)magnitude / (long double)powers[-shift];
  };
  long double digits = scaled();
  if (digits >= 1e15L) {
    --shift;
    digits = scaled();
  }
  if (!(digits >= 1e14L && digits < 1e15L)) return std::nullopt;
  const auto whole = std::uint64_t(digits);
  const long double fraction = digits - (long double)whole;
  if (std::fabs(fraction - 0.5L) < 1e-3L) return std::nullopt;
  const auto rounded = double(whole + (fraction > 0.5L ? 1 : 0));
  const double result = shift >= 0 ? rounded / powers[shift] : rounded * powers[-shift];
  return value < 0 ? -result : result;
}

std::optional<LineValue> ColumnValue(int col, double number) {
  if (IsIntegerField(ColumnTable::Field(col))) {
    if (const auto integer = TryToInteger(number)) return LineValue::FromInteger(*integer);
  } else if (const auto single = TryToSingle(number)) {
    return LineValue::FromFloat(*single);
  }
  return std::nullopt;
}

}  // namespace

CellNumbers::CellNumbers(const QLocale& locale, bool direct)
    : locale_(ColumnTable::NumberLocale(locale)), writing_(locale_) {
  writing_.setNumberOptions(QLocale::OmitGroupSeparator);
  direct_ = direct && HasPlainNumbers(locale_);
}

std::optional<double> CellNumbers::Shown(const NycGciCar& car, int col) const {
  if (!direct_ || !ColumnTable::IsColumn(col) || col == ColumnTable::NameColumn) {
    return ShownByLocale(car, col);
  }
  const CarField field = ColumnTable::Field(col);
  if (IsIntegerField(field)) return double(car.Integer(field));
  const float value = car.Float(field);
  if (!std::isfinite(value)) return std::nullopt;
  return ThreeDecimalsValue(value);
}

std::optional<LineValue> CellNumbers::Typed(int col, double value) const {
  if (!ColumnTable::IsEditable(col)) return std::nullopt;
  if (direct_ && std::isfinite(value)) {
    if (const auto number = RoundedTo15Digits(value)) return ColumnValue(col, *number);
  }
  return TypedByLocale(col, value);
}

std::optional<double> CellNumbers::ShownByLocale(const NycGciCar& car, int col) const {
  try {
    return ColumnTable::ReadNumber(ColumnTable::CellText(car, col, locale_), locale_);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::optional<LineValue> CellNumbers::TypedByLocale(int col, double value) const {
  bool ok = false;
  const double number = locale_.toDouble(writing_.toString(value, 'g', 15), &ok);
  if (!ok || !std::isfinite(number)) return std::nullopt;
  return ColumnValue(col, number);
}
