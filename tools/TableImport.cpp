#include "tools/TableImport.h"

#include <QLocale>
#include <array>

#include "base/RuntimeErrors.h"
#include "base/TorqletError.h"
#include "model/CarNames.h"
#include "model/ColumnTable.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"
#include "model/TabTable.h"
#include "tools/CarTable.h"

namespace {

// Raises the error for a fault of the table at a line and, unless heading is
// null, in the column of that heading.
[[noreturn]] void Fail(std::int32_t number, const QString& tableName, int line,
                       const QByteArray& heading, const QString& what) {
  RaiseRuntimeError(number,
                    heading.isNull()
                        ? TableImport::tr("%1 line %2: %3").arg(tableName).arg(line).arg(what)
                        : TableImport::tr("%1 line %2, column '%3': %4")
                              .arg(tableName)
                              .arg(line)
                              .arg(QString::fromLatin1(heading), what));
}

}  // namespace

std::vector<CellValue> TableImport::Cells(const NycGciCars& file, QByteArrayView bytes,
                                          const QString& tableName, const QString& fileName) {
  TabTable table(bytes, tableName);

  const auto fail = [&tableName](std::int32_t number, int line, const QByteArray& heading,
                                 const QString& what) {
    Fail(number, tableName, line, heading, what);
  };
  TabTable::Row row;
  if (!table.Next(row, ColumnTable::ColumnCount)) {
    fail(ErrInvalidArgument, 1, QByteArray(), tr("no heading line"));
  }
  if (row.count == 1) {
    RaiseRuntimeError(
        ErrInvalidArgument,
        tr("%1: the table is not TAB-separated: line %2 has no TAB").arg(tableName).arg(row.line));
  }

  if (row.count > ColumnTable::ColumnCount) {
    fail(ErrInvalidArgument, 1, QByteArray(),
         tr("%1 fields where a car has at most %2").arg(row.count).arg(ColumnTable::ColumnCount));
  }

  // Each heading takes the first column of that heading not taken yet.
  const QList<QByteArray> headings = row.fields;
  std::vector<int> columns(std::size_t(headings.size()), ColumnTable::NameColumn);
  std::array<bool, ColumnTable::ColumnCount> taken{};
  for (qsizetype f = 1; f < headings.size(); ++f) {
    bool named = false;
    for (int col = ColumnTable::ModelColumn; col < ColumnTable::ColumnCount; ++col) {
      if (CarTable::Heading(file, col) != headings[f]) continue;
      named = true;
      if (taken[std::size_t(col)]) continue;
      taken[std::size_t(col)] = true;
      columns[std::size_t(f)] = col;
      break;
    }
    if (columns[std::size_t(f)] == ColumnTable::NameColumn) {
      fail(ErrInvalidArgument, 1, headings[f],
           named ? tr("repeated heading") : tr("no column of %1 has this heading").arg(fileName));
    }
  }

  // Each row takes the first car of its name not taken yet.
  CarNames names(file);
  const QLocale point = QLocale::c();
  std::vector<CellValue> cells;
  // The decimal separator each column's numbers have had so far (0 for none
  // yet), and the line that had it first.
  std::vector<std::pair<char, int>> separators(std::size_t(headings.size()), {0, 0});
  bool anyRow = false;
  while (table.Next(row, headings.size())) {
    anyRow = true;
    if (row.count != headings.size()) {
      fail(ErrInvalidArgument, row.line, QByteArray(),
           tr("%1 fields where the heading line has %2").arg(row.count).arg(headings.size()));
    }
    const std::int32_t index = names.Take(row.fields[0]);
    if (index <= 0) {
      fail(ErrInvalidArgument, row.line, QByteArray(),
           QString::fromLatin1(index < 0 ? "no car '%1' in %2" : "no further car '%1' in %2")
               .arg(QString::fromLatin1(row.fields[0]), fileName));
    }
    const NycGciCar& car = file.Car(index);
    for (qsizetype f = 1; f < headings.size(); ++f) {
      const int col = columns[std::size_t(f)];
      QString text = QString::fromLatin1(row.fields[f]);
      // A spreadsheet of a decimal-comma locale saves a decimal comma: it is
      // read as the point, never as a group separator. A column that has both
      // was saved by two kinds of spreadsheet, or misread by one.
      const bool comma = text.contains(QLatin1Char(',')), dot = text.contains(QLatin1Char('.'));
      if (comma && dot) {
        fail(ErrInvalidArgument, row.line, headings[f],
             tr("'%1' has both a decimal point and a decimal comma").arg(text));
      }
      if (comma || dot) {
        auto& [seen, line] = separators[std::size_t(f)];
        const char kind = comma ? ',' : '.';
        if (seen != 0 && seen != kind) {
          fail(ErrInvalidArgument, row.line, headings[f],
               (comma ? tr("'%1' has a decimal comma where line %2 has a decimal point")
                      : tr("'%1' has a decimal point where line %2 has a decimal comma"))
                   .arg(text)
                   .arg(line));
        }
        if (seen == 0) separators[std::size_t(f)] = {kind, row.line};
        text.replace(QLatin1Char(','), QLatin1Char('.'));
      }
      if (col == ColumnTable::ModelColumn) {
        bool same = false;
        try {
          same = ColumnTable::ReadNumber(text, point) == car.Model();
        } catch (const TorqletError&) {
        }
        if (!same) {
          fail(ErrInvalidArgument, row.line, headings[f],
               tr("'%1' is not the model of this car (%2)").arg(text).arg(car.Model()));
        }
        continue;
      }
      // The text export prints stands for the file's value, also where the
      // file holds more decimals than the text shows: only another value is
      // a change.
      const QString shown = ColumnTable::CellText(car, col, point);
      if (text == shown) continue;
      LineValue value;
      try {
        value = ColumnTable::ValueOfText(col, text, point);
      } catch (const TorqletError& error) {
        fail(error.Number(), row.line, headings[f],
             QStringLiteral("'%1'").arg(QString::fromLatin1(row.fields[f])));
      }
      // The file may hold more decimals than it shows, and the table may
      // give them.
      if (!SameValue(value, ColumnTable::ValueOfText(col, shown, point)) &&
          !SameValue(value, car.ValueOf(ColumnTable::Field(col)))) {
        cells.push_back({index, col, value});
      }
    }
  }
  if (!anyRow) {
    RaiseRuntimeError(ErrInvalidArgument,
                      tr("%1: the table has a heading but no car row").arg(tableName));
  }
  return cells;
}
