#pragma once

#include <QByteArray>

#include "model/LineValue.h"

class NycGciCar;
class NycGciCars;

// The cars of a file as torqlet-cli's tables show them: column 0 the car's
// name, columns 1 to 21 its values as the sheet's cell texts with the decimal
// point, each value column headed by the first car's comment of its value.
class CarTable {
 public:
  static QByteArray Heading(const NycGciCars& file, int col);
  // With decimalComma, float values have a comma for a point, as spreadsheets
  // of such locales read them.
  static QByteArray CellText(const NycGciCar& car, int col, bool decimalComma = false);
  // Appends the same text of a value column (1 to 21) to out, made in place.
  static void AppendCellText(QByteArray& out, const NycGciCar& car, int col, bool decimalComma);
  // The table export prints: its heading line, and the line of a car
  // (appended to out).
  static QByteArray HeadingLine(const NycGciCars& file);
  static void AppendRow(QByteArray& out, const NycGciCar& car, bool decimalComma);
  // A value as a text that reads back as exactly this value: the "0.000"
  // form where it does, else the shortest text that does.
  static QByteArray ExactText(const LineValue& value);
  // The text as a field of a table line: in double quotes, with its quotes
  // doubled, when it holds a TAB or a line break or begins with a quote, as
  // spreadsheets write it; else as it is.
  static QByteArray Field(const QByteArray& text);
};
