#include "tools/CarTable.h"

#include <QLocale>
#include <algorithm>
#include <charconv>

#include "model/ColumnTable.h"
#include "model/ExactValue.h"
#include "model/NumberText.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"
#include "model/TabTable.h"

QByteArray CarTable::Heading(const NycGciCars& file, int col) {
  return file.Car(1).Comment(ColumnTable::Field(col));
}

QByteArray CarTable::CellText(const NycGciCar& car, int col, bool decimalComma) {
  if (col == ColumnTable::NameColumn) return car.Name();
  QByteArray text;
  AppendCellText(text, car, col, decimalComma);
  return text;
}

void CarTable::AppendCellText(QByteArray& out, const NycGciCar& car, int col, bool decimalComma) {
  const CarField field = ColumnTable::Field(col);
  char buffer[ThreeDecimalsBufferSize];
  if (IsIntegerField(field)) {
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, car.Integer(field)).ptr;
    out.append(buffer, end - buffer);
    return;
  }
  const int length = FormatThreeDecimals(car.Float(field), buffer);
  if (decimalComma) std::replace(buffer, buffer + length, '.', ',');
  out.append(buffer, length);
}

QByteArray CarTable::ExactText(const LineValue& value) { return ExactValue::Text(value); }

QByteArray CarTable::Field(const QByteArray& text) { return TabTable::Field(text); }

QByteArray CarTable::HeadingLine(const NycGciCars& file) {
  QByteArray line;
  for (int col = ColumnTable::ModelColumn; col < ColumnTable::ColumnCount; ++col) {
    line += '\t' + Field(Heading(file, col));
  }
  return line + '\n';
}

void CarTable::AppendRow(QByteArray& out, const NycGciCar& car, bool decimalComma) {
  out += Field(car.Name());
  for (int col = ColumnTable::ModelColumn; col < ColumnTable::ColumnCount; ++col) {
    out += '\t';
    AppendCellText(out, car, col, decimalComma);
  }
  out += '\n';
}
