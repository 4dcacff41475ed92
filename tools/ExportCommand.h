#pragma once

#include <QCoreApplication>
#include "tools/CliCommand.h"

// export [--decimal-comma] FILE: the cars as a TAB-separated table (see
// CarTable) with LF line ends: a heading line with an empty first field, then
// a line per car.
class ExportCommand : public CliCommand {
  Q_DECLARE_TR_FUNCTIONS(ExportCommand)

 public:
  ExportCommand();

 protected:
  int Execute(const QStringList& arguments, std::FILE* out) override;

 private:
  QCommandLineOption decimalComma_;
};
