#include "tools/CarTable.h"

#include <QLocale>
#include <algorithm>

#include "model/ColumnTable.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"

QByteArray CarTable::Heading(const NycGciCars& file, int col) {
  return file.Car(1).Comment(ColumnTable::Field(col));
}

QByteArray CarTable::CellText(const NycGciCar& car, int col) {
  if (col == ColumnTable::NameColumn) return car.Name();
  return ColumnTable::CellText(car, col, QLocale::c()).toLatin1();
}

QByteArray CarTable::Field(const QByteArray& text) {
  const bool plain = !text.startsWith('"') && std::none_of(text.begin(), text.end(), [](char c) {
    return c == '\t' || c == '\n' || c == '\r';
  });
  if (plain) return text;
  QByteArray quoted = text;
  return '"' + quoted.replace('"', "\"\"") + '"';
}
