#include "ui/sheet/ColumnTable.h"

#include <cmath>

#include "core/ErrorCodes.h"
#include "core/Errors.h"
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
  if (col == NameColumn) return QString::fromLatin1(car.Name());
  const CarField field = Field(col);
  if (IsIntegerField(field)) return QString::number(car.Integer(field));
  return FloatText(car.Float(field), locale);
}

double ColumnTable::ReadNumber(const QString& text, const QLocale& locale) {
  bool ok = false;
  const double value = locale.toDouble(text, &ok);
  if (ok && std::isfinite(value)) return value;
  if (std::isinf(value)) RaiseRuntimeError(ErrOverflow);  // a number too large for a double
  RaiseRuntimeError(ErrTypeMismatch);
}
