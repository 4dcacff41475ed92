#include "tools/CarTable.h"

#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>

#include "model/ColumnTable.h"
#include "model/NumberText.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"

QByteArray CarTable::Heading(const NycGciCars& file, int col) {
  return file.Car(1).Comment(ColumnTable::Field(col));
}

QByteArray CarTable::CellText(const NycGciCar& car, int col, bool decimalComma) {
  if (col == ColumnTable::NameColumn) return car.Name();
  QByteArray text = ColumnTable::CellText(car, col, QLocale::c()).toLatin1();
  return decimalComma ? text.replace('.', ',') : text;
}

QByteArray CarTable::ExactText(const LineValue& value) {
  if (value.kind == LineValue::Kind::Integer) return QByteArray::number(value.integer);
  char buffer[ThreeDecimalsBufferSize];
  const int length = FormatThreeDecimals(value.real, buffer);
  const QByteArrayView three(buffer, length);
  if (!std::isfinite(value.real) || ToSingle(ReadNumberForSingle(three)) == value.real) {
    return three.toByteArray();
  }
  const auto shortest = std::to_chars(buffer, buffer + sizeof buffer, value.real);
  return QByteArray(buffer, int(shortest.ptr - buffer));
}

QByteArray CarTable::Field(const QByteArray& text) {
  const bool plain = !text.startsWith('"') && std::none_of(text.begin(), text.end(), [](char c) {
    return c == '\t' || c == '\n' || c == '\r';
  });
  if (plain) return text;
  QByteArray quoted = text;
  return '"' + quoted.replace('"', "\"\"") + '"';
}
