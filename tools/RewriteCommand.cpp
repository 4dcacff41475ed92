#include "tools/RewriteCommand.h"

#include "model/NycGciCars.h"

RewriteCommand::RewriteCommand()
    : CliCommand(QStringLiteral("rewrite"),
                 RewriteCommand::tr("Save a car file under another name, unchanged or rebuilt.")),
      rebuild_(
          QStringLiteral("rebuild"),
          RewriteCommand::tr("Write the content afresh from the cars instead of the bytes read.")) {
  AddArgument(QStringLiteral("IN"), RewriteCommand::tr("The car file to read."));
  AddArgument(QStringLiteral("OUT"), RewriteCommand::tr("The file to write."));
  AddOption(rebuild_);
}

int RewriteCommand::Execute(const QStringList& arguments, std::FILE*) {
  NycGciCars& file = Hold<NycGciCars>(Status());
  if (!Parser().isSet(rebuild_)) {
    file.LoadFileAndCopy(arguments[0], arguments[1]);
    return 0;
  }
  file.LoadFile(arguments[0]);
  // Storing the header comment again marks the file changed, so the save
  // rebuilds the content from the cars.
  file.SetMainComment(file.MainComment());
  file.SaveAs(arguments[1]);
  return 0;
}
