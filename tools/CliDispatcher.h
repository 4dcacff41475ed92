#pragma once

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <memory>
#include <vector>

#include "tools/CliCommand.h"

// The front of torqlet-cli: "torqlet-cli COMMAND ..." runs a command,
// --help lists the commands and --version names the version. What goes wrong
// becomes an exit status: 2 with a usage message on err for wrong usage, the
// command's failure status with one line "error NUMBER: DESCRIPTION" on err
// for a failed work.
class CliDispatcher {
  Q_DECLARE_TR_FUNCTIONS(CliDispatcher)

 public:
  CliDispatcher();
  ~CliDispatcher();

  // The exit status, or BrokenPipe when the reader of out closed it early
  // and nothing was saved: the program then ends as cat does, by SIGPIPE.
  int Run(const QStringList& arguments, std::FILE* out, std::FILE* err);
  static constexpr int BrokenPipe = 128 + 13;

 private:
  static constexpr int UsageStatus = 2;
  CliCommand* Find(const QString& name) const;
  QString HelpText() const;
  int Dispatch(const QStringList& arguments, std::FILE* out);

  std::vector<std::unique_ptr<CliCommand>> commands_;
};
