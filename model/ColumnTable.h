#pragma once

#include <QLocale>
#include <QString>

#include "model/CarField.h"
#include "model/LineValue.h"

class NycGciCar;

// The fixed 22-column layout of a car sheet: column 0 the car's name, column 1
// its model, columns 2 to 21 the other value lines in file order. The name and
// model columns are fixed: shown, never edited. Integer columns show plain
// decimals, float columns the "0.000" form, both in the user's locale; the
// same texts with the point are the command-line tool's table.
class ColumnTable {
 public:
  static constexpr int ColumnCount = 22;
  static constexpr int FixedColumnCount = 2;
  static constexpr int NameColumn = 0;
  static constexpr int ModelColumn = 1;
  static constexpr int FirstFloatColumn = 5;

  static bool IsColumn(int col) { return col >= 0 && col < ColumnCount; }
  static bool IsEditable(int col) { return col >= FixedColumnCount && col < ColumnCount; }
  // The car field that column 1 to 21 shows, and back.
  static CarField Field(int col) { return FieldAt(col - 1); }
  static int Column(CarField field) { return FieldIndex(field) + 1; }

  // The text of a car's cell in the given column (0 to 21).
  static QString CellText(const NycGciCar& car, int col, const QLocale& locale);
  // A float in the "0.000" form with the locale's decimal separator, no grouping.
  static QString FloatText(float value, const QLocale& locale);
  // The number of characters of a value's cell text, found without making
  // the text (counted for a decimal separator of one character).
  static int TextLength(const LineValue& value);
  // Reads a cell text as a number in the locale's form, never with a group
  // separator; where the locale's decimal separator is not the point, the
  // point is one too (but not both in one text). Raises the type mismatch
  // error for anything that is no finite number (also an empty text) and the
  // overflow error for a number beyond the double range.
  static double ReadNumber(const QString& text, const QLocale& locale);
  // The value a text stands for in an editable column, as if typed into the
  // cell: read in the locale, then rounded to the column's type (an integer a
  // half to the even neighbour). Raises the errors of ReadNumber, and the
  // overflow error beyond the column's range.
  static LineValue ValueOfText(int col, const QString& text, const QLocale& locale);
  // A locale that reads and writes numbers exactly as the given one, taken
  // from Qt's own tables where they agree with it: the system locale answers
  // every conversion through a locked query, which costs more than the
  // conversion itself when millions of cells are recomputed.
  static QLocale NumberLocale(const QLocale& locale);
};
