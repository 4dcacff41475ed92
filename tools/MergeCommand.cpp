#include "tools/MergeCommand.h"

#include "model/CarMerge.h"
#include "model/NycGciCars.h"

MergeCommand::MergeCommand()
    : CliCommand(QStringLiteral("merge"),
                 MergeCommand::tr("Merge the changes of two mods of one car file.")),
      output_({QStringLiteral("o"), QStringLiteral("output")},
              MergeCommand::tr("Save the merged file as OUT (required)."), QStringLiteral("OUT")),
      prefer_(QStringLiteral("prefer"),
              MergeCommand::tr("Decide conflicts for one side: ours or theirs."),
              QStringLiteral("SIDE")) {
  AddArgument(QStringLiteral("BASE"), MergeCommand::tr("The file both mods started from."));
  AddArgument(QStringLiteral("OURS"),
              MergeCommand::tr("Our mod; the header and the comments come from it."));
  AddArgument(QStringLiteral("THEIRS"), MergeCommand::tr("Their mod."));
  AddOption(output_);
  AddOption(prefer_);
}

int MergeCommand::Execute(const QStringList& arguments, std::FILE* out) {
  const QString output = SingleValue(output_);
  if (output.isEmpty()) throw UsageError{MergeCommand::tr("missing -o OUT")};
  const QString side = SingleValue(prefer_);
  if (!side.isEmpty() && side != QLatin1String("ours") && side != QLatin1String("theirs")) {
    throw UsageError{MergeCommand::tr("--prefer takes ours or theirs")};
  }
  const CarMerge::Prefer prefer = side.isEmpty()                  ? CarMerge::Prefer::Neither
                                  : side == QLatin1String("ours") ? CarMerge::Prefer::Ours
                                                                  : CarMerge::Prefer::Theirs;
  NycGciCars& base = Hold<NycGciCars>(Status());
  NycGciCars& ours = Hold<NycGciCars>(Status());
  NycGciCars& theirs = Hold<NycGciCars>(Status());
  base.LoadFile(arguments[0]);
  ours.LoadFile(arguments[1]);
  theirs.LoadFile(arguments[2]);
  const CarMerge::Outcome outcome = CarMerge::Merge(base, ours, theirs, prefer);
  const QByteArray conflicts =
      outcome.conflicts.isEmpty() ? QByteArray() : outcome.conflicts.join('\n') + '\n';
  if (!conflicts.isEmpty() && prefer == CarMerge::Prefer::Neither) {
    Write(out, conflicts);
    return 1;
  }
  Store(ours, 1, output);
  Write(stderr, conflicts);
  Write(out, QByteArray::number(outcome.changed) + " changes merged, " +
                 QByteArray::number(outcome.conflicts.size()) + " conflicts decided\n");
  return 0;
}
