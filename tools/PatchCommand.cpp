#include "tools/PatchCommand.h"

#include <QFile>

#include "base/RuntimeErrors.h"
#include "model/CarPatch.h"
#include "model/NycGciCars.h"

PatchCommand::PatchCommand()
    : CliCommand(QStringLiteral("patch"),
                 PatchCommand::tr("Apply a patch that diff --patch wrote, unless it clashes.")),
      output_({QStringLiteral("o"), QStringLiteral("output")},
              PatchCommand::tr("Save the result as OUT, even when nothing changed, instead of "
                               "saving FILE."),
              QStringLiteral("OUT")),
      dryRun_(QStringLiteral("dry-run"),
              PatchCommand::tr("Only report what the patch would do, and save nothing.")) {
  AddArgument(QStringLiteral("FILE"), PatchCommand::tr("The car file."));
  AddArgument(QStringLiteral("PATCH"), PatchCommand::tr("The patch."));
  AddOption(output_);
  AddOption(dryRun_);
}

int PatchCommand::Execute(const QStringList& arguments, std::FILE* out) {
  const QString output = SingleValue(output_);
  NycGciCars& file = Hold<NycGciCars>(Status());
  file.LoadFile(arguments[0]);
  QFile patch(arguments[1]);
  if (!patch.open(QIODevice::ReadOnly)) {
    RaiseRuntimeError(ErrFileNotFound,
                      QStringLiteral("'%1' (%2)").arg(arguments[1], patch.errorString()));
  }
  const CarPatch::Outcome outcome =
      CarPatch::Apply(file, patch.readAll(), arguments[1], Parser().isSet(dryRun_));
  if (!outcome.conflicts.isEmpty()) {
    Write(out, outcome.conflicts.join('\n') + '\n');
    return 1;
  }
  if (!Parser().isSet(dryRun_)) Store(file, outcome.changed, output);
  Write(out, QByteArray::number(outcome.changed) +
                 (outcome.changed == 1 ? " value changed, " : " values changed, ") +
                 QByteArray::number(outcome.applied) + " already applied\n");
  return 0;
}
