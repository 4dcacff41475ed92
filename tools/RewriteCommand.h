#pragma once

#include <QCoreApplication>
#include "tools/CliCommand.h"

// rewrite [--rebuild] IN OUT: IN saved as OUT, byte for byte, or with
// --rebuild written afresh from the cars.
class RewriteCommand : public CliCommand {
  Q_DECLARE_TR_FUNCTIONS(RewriteCommand)

 public:
  RewriteCommand();

 protected:
  int Execute(const QStringList& arguments, std::FILE* out) override;

 private:
  QCommandLineOption rebuild_;
};
