#include "tools/ImportCommand.h"

#include <QFileInfo>
#include <QLocale>
#include <array>
#include <vector>

#include "base/RuntimeErrors.h"
#include "base/TorqletError.h"
#include "helperlib/DataHandler.h"
#include "model/CarDocument.h"
#include "model/CarNames.h"
#include "model/ColumnTable.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"
#include "model/TabTable.h"
#include "tools/CarTable.h"

namespace {

// A table of a car file's values is smaller than the car file; anything this
// many times larger is no such table.
constexpr std::int64_t MaxTableFactor = 64;

// Raises the error for a fault of the table at a line and, unless heading is
// null, in the column of that heading.
[[noreturn]] void Fail(std::int32_t number, const QString& tableName, int line,
                       const QByteArray& heading, const QString& what) {
  RaiseRuntimeError(number, heading.isNull()
                                ? ImportCommand::tr("%1 line %2: %3").arg(tableName).arg(line).arg(what)
                                : ImportCommand::tr("%1 line %2, column '%3': %4")
                                      .arg(tableName)
                                      .arg(line)
                                      .arg(QString::fromLatin1(heading), what));
}

}  // namespace

ImportCommand::ImportCommand()
    : CliCommand(QStringLiteral("import"),
                 ImportCommand::tr("Set the values of the cars from a table as export prints it.")),
      output_({QStringLiteral("o"), QStringLiteral("output")},
              ImportCommand::tr("Save the result as OUT, even when nothing changed, instead of "
                             "saving FILE."),
              QStringLiteral("OUT")),
      dryRun_(QStringLiteral("dry-run"),
              ImportCommand::tr("Print what would change, as diff prints it, and save nothing.")) {
  AddArgument(QStringLiteral("TABLE"),
              ImportCommand::tr("The table: a heading line, then a line per car, fields separated "
                             "by TAB characters."));
  AddArgument(QStringLiteral("FILE"), ImportCommand::tr("The car file."));
  AddOption(output_);
  AddOption(dryRun_);
}

int ImportCommand::Execute(const QStringList& arguments, std::FILE* out) {
  const QString output = SingleValue(output_);
  const QString& tableName = arguments[0];
  CarDocument& document = Hold<CarDocument>(Status());
  document.LoadFile(arguments[1]);
  const NycGciCars& file = document.CarFile();
  // No table of this file's cars can be this large: refused before it is read.
  const std::int64_t largest =
      std::max<std::int64_t>(MaxTableFactor * file.Data().DiskIdentity().Size(), 1 << 20);
  const std::int64_t size = QFileInfo(tableName).size();
  if (size > largest) {
    RaiseRuntimeError(ErrInvalidArgument,
                      ImportCommand::tr("%1: %2 bytes are more than a table of %3 can hold")
                          .arg(tableName)
                          .arg(size)
                          .arg(arguments[1]));
  }
  DataHandler& tableFile = Hold<DataHandler>();
  tableFile.LoadFile(tableName);
  TabTable table(tableFile.Data().Text(), tableName);

  const auto fail = [&tableName](std::int32_t number, int line, const QByteArray& heading,
                                 const QString& what) {
    Fail(number, tableName, line, heading, what);
  };
  TabTable::Row row;
  if (!table.Next(row, ColumnTable::ColumnCount)) {
    fail(ErrInvalidArgument, 1, QByteArray(), ImportCommand::tr("no heading line"));
  }
  if (row.count == 1) {
    RaiseRuntimeError(ErrInvalidArgument,
                      ImportCommand::tr("%1: the table is not TAB-separated: line %2 has no TAB")
                          .arg(tableName)
                          .arg(row.line));
  }

  if (row.count > ColumnTable::ColumnCount) {
    fail(ErrInvalidArgument, 1, QByteArray(),
         ImportCommand::tr("%1 fields where a car has at most %2")
             .arg(row.count)
             .arg(ColumnTable::ColumnCount));
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
           named ? ImportCommand::tr("repeated heading")
                 : ImportCommand::tr("no column of %1 has this heading").arg(arguments[1]));
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
           ImportCommand::tr("%1 fields where the heading line has %2")
               .arg(row.count)
               .arg(headings.size()));
    }
    const std::int32_t index = names.Take(row.fields[0]);
    if (index <= 0) {
      fail(ErrInvalidArgument, row.line, QByteArray(),
           QString::fromLatin1(index < 0 ? "no car '%1' in %2" : "no further car '%1' in %2")
               .arg(QString::fromLatin1(row.fields[0]), arguments[1]));
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
             ImportCommand::tr("'%1' has both a decimal point and a decimal comma").arg(text));
      }
      if (comma || dot) {
        auto& [seen, line] = separators[std::size_t(f)];
        const char kind = comma ? ',' : '.';
        if (seen != 0 && seen != kind) {
          fail(
              ErrInvalidArgument, row.line, headings[f],
              (comma ? ImportCommand::tr("'%1' has a decimal comma where line %2 has a decimal point")
                     : ImportCommand::tr("'%1' has a decimal point where line %2 has a decimal comma"))
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
               ImportCommand::tr("'%1' is not the model of this car (%2)").arg(text).arg(car.Model()));
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
      if (!SameValue(value, ColumnTable::ValueOfText(col, shown, point))) {
        cells.push_back({index, col, value});
      }
    }
  }
  if (!anyRow) {
    RaiseRuntimeError(ErrInvalidArgument,
                      ImportCommand::tr("%1: the table has a heading but no car row").arg(tableName));
  }
  WarnOfLargeFactors(file, cells);
  if (Parser().isSet(dryRun_)) {
    QByteArray text;
    for (const CellValue& cell : cells) {
      const NycGciCar& car = file.Car(cell.row);
      text += CarTable::Field(car.Name()) + '\t' +
              CarTable::Field(CarTable::Heading(file, cell.col)) + '\t' +
              CarTable::ExactText(car.ValueOf(ColumnTable::Field(cell.col))) + '\t' +
              CarTable::ExactText(cell.value) + '\n';
    }
    Write(out, text + CellCount(std::int64_t(cells.size())) + " would change\n");
    return 0;
  }
  const std::int64_t changed = document.SetCells(cells, [](std::int64_t) { return QString(); });
  Store(document, changed, output);
  Write(out, CellCount(changed) + " changed\n");
  return 0;
}
