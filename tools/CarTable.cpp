#include "tools/CarTable.h"

#include <QLocale>
#include <algorithm>

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
  QByteArray text = ColumnTable::CellText(car, col, QLocale::c()).toLatin1();
  return decimalComma ? text.replace('.', ',') : text;
}

QByteArray CarTable::ExactText(const LineValue& value) { return ExactValue::Text(value); }

QByteArray CarTable::Field(const QByteArray& text) { return TabTable::Field(text); }
