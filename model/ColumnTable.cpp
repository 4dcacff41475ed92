#include "model/ColumnTable.h"

#include <cmath>
#include <cstdlib>

#include "core/ErrorCodes.h"
#include "model/NumberText.h"
#include "model/NycGciCar.h"

QString ColumnTable::FloatText(float value, const QLocale& locale) {
  char buffer[ThreeDecimalsBufferSize];
  const int length = FormatThreeDecimals(value, buffer);
  QString text = QString::fromLatin1(buffer, length);
  const QString point = locale.decimalPoint();
  if (point != QLatin1String(".")) text.replace(QLatin1Char('.'), point);
  return text;
}

QString ColumnTable::CellText(const NycGciCar& car, int col, const QLocale& locale) {
  if (col == NameColumn) return QString::fromLatin1(car.NameView());
  const CarField field = Field(col);
  if (IsIntegerField(field)) return QString::number(car.Integer(field));
  return FloatText(car.Float(field), locale);
}

int ColumnTable::TextLength(const LineValue& value) {
  if (value.kind == LineValue::Kind::Integer) {
    int length = value.integer < 0 ? 2 : 1;
    for (std::int64_t rest = std::llabs(std::int64_t(value.integer)) / 10; rest > 0; rest /= 10) {
      ++length;
    }
    return length;
  }
  // Integer digits, the point and three decimals, a sign when negative.
  // Rounding to thousandths may carry into one more digit: counting from a
  // value a thousandth larger errs on the wide side only.
  const double magnitude = std::fabs(double(value.real)) + 0.001;
  int digits = 1;
  for (double limit = 10; magnitude >= limit && digits < 40; limit *= 10) ++digits;
  return digits + 4 + (value.real < 0 ? 1 : 0);
}

double ColumnTable::ReadNumber(const QString& text, const QLocale& locale) {
  // Group separators are never taken: "1.500" must not become 1500 where the
  // point groups thousands. There the point is a decimal point as well, as in
  // the file and in what torqlet-cli prints.
  QLocale strict = locale;
  strict.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
  const QString point = locale.decimalPoint();
  QString number = text;
  if (point != QLatin1String(".") && number.contains(QLatin1Char('.'))) {
    if (number.contains(point)) RaiseRuntimeError(ErrTypeMismatch);
    number.replace(QLatin1Char('.'), point);
  }
  bool ok = false;
  const double value = strict.toDouble(number, &ok);
  if (ok && std::isfinite(value)) return value;
  if (std::isinf(value)) RaiseRuntimeError(ErrOverflow);  // a number too large for a double
  RaiseRuntimeError(ErrTypeMismatch);
}

LineValue ColumnTable::ValueOfText(int col, const QString& text, const QLocale& locale) {
  if (!IsEditable(col)) {
    RaiseRuntimeError(ErrInvalidArgument,
                      QStringLiteral("column %1 is not a value column").arg(col));
  }
  const double number = ReadNumber(text, locale);
  const CarField field = Field(col);
  return IsIntegerField(field) ? LineValue::FromInteger(ToInteger(number))
                               : LineValue::FromFloat(ToSingle(number));
}

QLocale ColumnTable::NumberLocale(const QLocale& locale) {
  QLocale table(locale.language(), locale.script(), locale.territory());
  table.setNumberOptions(locale.numberOptions());
  const bool same = table.decimalPoint() == locale.decimalPoint() &&
                    table.groupSeparator() == locale.groupSeparator() &&
                    table.negativeSign() == locale.negativeSign() &&
                    table.positiveSign() == locale.positiveSign() &&
                    table.exponential() == locale.exponential() &&
                    table.zeroDigit() == locale.zeroDigit();
  return same ? table : locale;
}
