#include "tools/InfoCommand.h"

#include "model/NycGciCars.h"

InfoCommand::InfoCommand()
    : CliCommand(QStringLiteral("info"),
                 InfoCommand::tr("Print the number of cars and the header comment.")) {
  AddArgument(QStringLiteral("FILE"), InfoCommand::tr("The car file."));
}

int InfoCommand::Execute(const QStringList& arguments, std::FILE* out) {
  NycGciCars& file = Hold<NycGciCars>(Status());
  file.LoadFile(arguments[0]);
  QByteArray comment = file.MainComment();
  comment.replace("\r\n", "\n");
  Write(out, QByteArray::number(file.Count()) + " cars\n" + comment + '\n');
  return 0;
}
