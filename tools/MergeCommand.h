#pragma once

#include <QCommandLineOption>
#include <QCoreApplication>

#include "tools/CliCommand.h"

// merge BASE OURS THEIRS -o OUT: the three-way merge of two mods of BASE
// (CarMerge), saved as OUT. Conflicts are printed as
// car<TAB>column<TAB>base<TAB>ours<TAB>theirs; with them nothing is written
// and the exit status is 1, unless --prefer ours or theirs decides them (they
// are then listed on standard error, and the status is 0).
class MergeCommand : public CliCommand {
  Q_DECLARE_TR_FUNCTIONS(MergeCommand)

 public:
  MergeCommand();

 protected:
  int Execute(const QStringList& arguments, std::FILE* out) override;

 private:
  QCommandLineOption output_;
  QCommandLineOption prefer_;
};
