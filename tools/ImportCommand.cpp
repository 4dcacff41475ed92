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
#include "tools/CarTable.h"
#include "tools/TableImport.h"

namespace {

// A table of a car file's values is smaller than the car file; anything this
// many times larger is no such table.
constexpr std::int64_t MaxTableFactor = 64;

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
  const std::vector<CellValue> cells =
      TableImport::Cells(file, tableFile.Data().Text(), tableName, arguments[1]);
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
