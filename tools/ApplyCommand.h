#pragma once

#include <QCoreApplication>
#include <vector>

#include "tools/CliCommand.h"

class NycGciCars;

// apply FILE TERM [--column NAME]... [--car PATTERN]... [-o OUT]: recomputes
// value cells from a term in x by the editor's Manipulate rules (with the
// decimal point), stores them as one change of the document and saves it;
// prints "N cells changed, M skipped". Without --column every value column
// but the model; without --car every car.
class ApplyCommand : public CliCommand {
  Q_DECLARE_TR_FUNCTIONS(ApplyCommand)

 public:
  ApplyCommand();

 protected:
  int Execute(const QStringList& arguments, std::FILE* out) override;

 private:
  // The sheet columns that the --column values name, in ascending order:
  // numbers are checked before the file is read, headings after.
  std::vector<int> ColumnNumbers() const;
  std::vector<int> Columns(const NycGciCars& file) const;

  QCommandLineOption column_;
  QCommandLineOption car_;
  QCommandLineOption ignoreCase_;
  QCommandLineOption output_;
};
