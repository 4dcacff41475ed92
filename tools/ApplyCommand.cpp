#include "tools/ApplyCommand.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>

#include "base/RuntimeErrors.h"
#include "helperlib/Term.h"
#include "model/CarDocument.h"
#include "model/ColumnTable.h"
#include "model/Manipulation.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"
#include "tools/CarTable.h"

namespace {

// Qt's wildcards are made for paths: * and ? never match a '/'. In car names
// the '/' is an ordinary character, so names and patterns carry it as a
// character that no Latin-1 name holds.
QString WithoutSlash(QString text) { return text.replace(QLatin1Char('/'), QChar(0xE000)); }

// A column named on the command line that apply may change.
int CheckedColumn(int col, const QString& name) {
  if (col == ColumnTable::ModelColumn) {
    throw CliCommand::UsageError{
        ApplyCommand::tr("column '%1' is the model, which is never changed").arg(name)};
  }
  return col;
}

}  // namespace

ApplyCommand::ApplyCommand()
    : CliCommand(QStringLiteral("apply"),
                 ApplyCommand::tr("Recompute values from a term in x, as the editor's Manipulate "
                                "command does.")),
      column_(QStringLiteral("column"),
              ApplyCommand::tr("Change the column with this heading (as export prints it) or "
                             "number (2 to 21); every value column but the model when none "
                             "is given."),
              QStringLiteral("NAME")),
      car_(QStringLiteral("car"),
           ApplyCommand::tr("Change the cars whose name matches this pattern (* any text, "
                          "? one character, [...] one of them); every car when none is given."),
           QStringLiteral("PATTERN")),
      ignoreCase_(QStringLiteral("ignore-case"),
                  ApplyCommand::tr("Let the --car patterns ignore the case of letters.")),
      output_({QStringLiteral("o"), QStringLiteral("output")},
              ApplyCommand::tr("Save the result as OUT, even when nothing changed, instead of "
                             "saving FILE."),
              QStringLiteral("OUT")) {
  AddArgument(QStringLiteral("FILE"), ApplyCommand::tr("The car file."));
  AddArgument(QStringLiteral("TERM"),
              ApplyCommand::tr("A term in x, the old value, such as x*1.1 or max(x, 0.5)."));
  AddOption(column_);
  AddOption(car_);
  AddOption(ignoreCase_);
  AddOption(output_);
}

std::vector<int> ApplyCommand::ColumnNumbers() const {
  std::vector<int> columns;
  for (const QString& name : Parser().values(column_)) {
    bool isNumber = false;
    const int col = name.toInt(&isNumber);
    if (!isNumber) continue;
    if (col < ColumnTable::ModelColumn || col >= ColumnTable::ColumnCount) {
      throw UsageError{ApplyCommand::tr("no column %1: the value columns are 2 to 21").arg(name)};
    }
    columns.push_back(CheckedColumn(col, name));
  }
  return columns;
}

std::vector<int> ApplyCommand::Columns(const NycGciCars& file) const {
  std::vector<int> columns = ColumnNumbers();
  for (const QString& name : Parser().values(column_)) {
    bool isNumber = false;
    name.toInt(&isNumber);
    if (isNumber) continue;
    std::vector<int> named;
    for (int col = ColumnTable::ModelColumn; col < ColumnTable::ColumnCount; ++col) {
      if (QString::fromLatin1(CarTable::Heading(file, col)) == name) named.push_back(col);
    }
    if (named.empty()) throw UsageError{ApplyCommand::tr("no column '%1'").arg(name)};
    if (named.size() > 1) {
      throw UsageError{
          ApplyCommand::tr("several columns are headed '%1': name them by number").arg(name)};
    }
    columns.push_back(CheckedColumn(named[0], name));
  }
  if (Parser().values(column_).isEmpty()) {
    for (int col = ColumnTable::FixedColumnCount; col < ColumnTable::ColumnCount; ++col) {
      columns.push_back(col);
    }
  }
  std::sort(columns.begin(), columns.end());
  columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
  return columns;
}

int ApplyCommand::Execute(const QStringList& arguments, std::FILE* out) {
  ColumnNumbers();
  const QString output = SingleValue(output_);
  std::vector<QRegularExpression> patterns;
  const QStringList wildcards = Parser().values(car_);
  for (const QString& pattern : wildcards) {
    patterns.emplace_back(QRegularExpression::wildcardToRegularExpression(WithoutSlash(pattern)),
                          Parser().isSet(ignoreCase_) ? QRegularExpression::CaseInsensitiveOption
                                                      : QRegularExpression::NoPatternOption);
    if (!patterns.back().isValid()) {
      throw UsageError{ApplyCommand::tr("bad pattern '%1'").arg(pattern)};
    }
  }
  Term term;
  term.PrepareInX();
  term.SetText(arguments[1]);

  CarDocument& document = Hold<CarDocument>(Status());
  document.LoadFile(arguments[0]);
  const NycGciCars& file = document.CarFile();
  const std::vector<int> columns = Columns(file);
  Manipulation manipulation(term, QLocale::c());
  std::vector<bool> matched(patterns.size(), false);
  for (std::int32_t row = 1; row <= file.Count(); ++row) {
    const NycGciCar& car = file.Car(row);
    const QString name = WithoutSlash(QString::fromLatin1(car.Name()));
    bool chosen = patterns.empty();
    for (std::size_t i = 0; i < patterns.size(); ++i) {
      if (patterns[i].match(name).hasMatch()) chosen = matched[i] = true;
    }
    if (!chosen) continue;
    for (int col : columns) manipulation.Cell(car, row, col);
  }
  // A pattern that matches nothing is a typing error, not "0 cells changed".
  const auto unmatched = std::find(matched.begin(), matched.end(), false);
  if (unmatched != matched.end()) {
    RaiseRuntimeError(ErrInvalidArgument,
                      ApplyCommand::tr("no car matches the pattern '%1'")
                          .arg(wildcards[unmatched - matched.begin()]));
  }
  WarnOfLargeFactors(file, manipulation.Values());
  const std::int64_t changed =
      document.SetCells(manipulation.Values(), [](std::int64_t) { return QString(); });
  Store(document, changed, output);
  const std::int64_t skipped = manipulation.Skipped();
  Write(out, CellCount(changed) + " changed, " + QByteArray::number(skipped) + " skipped" +
                 (skipped > 0 ? ": the term has no finite value there\n" : "\n"));
  return 0;
}
