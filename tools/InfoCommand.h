#pragma once

#include <QCoreApplication>
#include "tools/CliCommand.h"

// info FILE: the number of cars and the header comment, with LF line ends.
class InfoCommand : public CliCommand {
  Q_DECLARE_TR_FUNCTIONS(InfoCommand)

 public:
  InfoCommand();

 protected:
  int Execute(const QStringList& arguments, std::FILE* out) override;
};
