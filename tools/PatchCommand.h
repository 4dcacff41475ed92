#pragma once

#include <QCommandLineOption>
#include <QCoreApplication>

#include "tools/CliCommand.h"

// patch FILE PATCH: applies a patch that diff --patch wrote (CarPatch) and
// prints "N values changed, M already applied"; saves as apply does. Any
// conflict or unknown car refuses the whole patch: each is listed as
// car<TAB>column<TAB>expected<TAB>found, nothing is written, exit 1.
class PatchCommand : public CliCommand {
  Q_DECLARE_TR_FUNCTIONS(PatchCommand)

 public:
  PatchCommand();

 protected:
  int Execute(const QStringList& arguments, std::FILE* out) override;

 private:
  QCommandLineOption output_;
  QCommandLineOption dryRun_;
};
