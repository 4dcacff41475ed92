#pragma once

#include <QCoreApplication>
#include "tools/CliCommand.h"

// diff A B: prints "car<TAB>column<TAB>value in A<TAB>value in B" for every
// value that differs (the column by A's heading, the values as export prints
// them), then "car<TAB>only in A" or "only in B" for cars of one file alone.
// Cars at the same position with the same name are the same car; the others
// are matched by name, each to the first car of that name in the other file
// not matched yet. Exit status 0 for the same cars and values, 1 when they
// differ, 2 for any error (as diff(1)). With --patch it prints a patch
// instead (CarPatch), with the same exit status.
class DiffCommand : public CliCommand {
  Q_DECLARE_TR_FUNCTIONS(DiffCommand)

 public:
  DiffCommand();
  int FailureStatus() const override { return 2; }

 protected:
  int Execute(const QStringList& arguments, std::FILE* out) override;

 private:
  QCommandLineOption patch_;
};
