#include "tools/ExportCommand.h"

#include "model/ColumnTable.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"
#include "tools/CarTable.h"

ExportCommand::ExportCommand()
    : CliCommand(QStringLiteral("export"),
                 ExportCommand::tr("Print the cars as a table separated by TAB characters.")),
      decimalComma_(QStringLiteral("decimal-comma"),
                    ExportCommand::tr("Write numbers with a decimal comma, for spreadsheets that "
                                      "read them so.")) {
  AddArgument(QStringLiteral("FILE"), ExportCommand::tr("The car file."));
  AddOption(decimalComma_);
}

int ExportCommand::Execute(const QStringList& arguments, std::FILE* out) {
  NycGciCars& file = Hold<NycGciCars>(Status());
  file.LoadFile(arguments[0]);
  const bool comma = Parser().isSet(decimalComma_);
  QByteArray text;
  text.reserve((1 << 20) + 4096);
  text += CarTable::HeadingLine(file);
  for (std::int32_t i = 1; i <= file.Count(); ++i) {
    CarTable::AppendRow(text, file.Car(i), comma);
    if (text.size() > (1 << 20)) {
      Write(out, text);
      text.clear();
    }
  }
  Write(out, text);
  return 0;
}
