#pragma once

#include <QCoreApplication>
#include "tools/CliCommand.h"

// import TABLE FILE [-o OUT] [--dry-run]: sets the values of FILE's cars from a table in
// the form export prints (TabTable reads what spreadsheets make of it). Rows
// are matched to cars by name (the first car of that name not matched yet),
// fields to columns by heading; the model column may be present and must then
// hold each car's model. Any fault of the table is an error that names its
// line and column, and then nothing is written. A value that reads as the one
// export prints counts as unchanged, so an unchanged table changes no byte.
// Numbers may have a decimal comma instead of the point (one kind per column),
// never a group separator. Prints "N cells changed"; with --dry-run it prints
// each change as diff does and "N cells would change", and saves nothing.
class ImportCommand : public CliCommand {
  Q_DECLARE_TR_FUNCTIONS(ImportCommand)

 public:
  ImportCommand();

 protected:
  int Execute(const QStringList& arguments, std::FILE* out) override;

 private:
  QCommandLineOption output_;
  QCommandLineOption dryRun_;
};
