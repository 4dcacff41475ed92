#include "tools/DiffCommand.h"

#include <vector>

#include "model/CarNames.h"
#include "model/CarPatch.h"
#include "model/ColumnTable.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"
#include "tools/CarTable.h"

DiffCommand::DiffCommand()
    : CliCommand(QStringLiteral("diff"),
                 DiffCommand::tr("Print the values in which two car files differ.")),
      patch_(QStringLiteral("patch"),
             DiffCommand::tr("Print a patch that makes B of A, for the patch command.")) {
  AddOption(patch_);
  AddArgument(QStringLiteral("A"), DiffCommand::tr("The first car file."));
  AddArgument(QStringLiteral("B"), DiffCommand::tr("The second car file."));
}

int DiffCommand::Execute(const QStringList& arguments, std::FILE* out) {
  NycGciCars& a = Hold<NycGciCars>(Status());
  NycGciCars& b = Hold<NycGciCars>(Status());
  a.LoadFile(arguments[0]);
  b.LoadFile(arguments[1]);
  if (Parser().isSet(patch_)) {
    const QByteArray patch = CarPatch::Make(a, b);
    Write(out, patch);
    return patch.count('\n') > 1 ? 1 : 0;
  }
  const std::vector<int> match = CarNames::Match(a, b);
  std::vector<bool> matched(std::size_t(b.Count()), false);
  QByteArray text;
  for (int i = 0; i < a.Count(); ++i) {
    const NycGciCar& carA = a.Car(i + 1);
    if (match[std::size_t(i)] < 0) {
      text += CarTable::Field(carA.Name()) + "\tonly in A\n";
      continue;
    }
    matched[std::size_t(match[std::size_t(i)])] = true;
    const NycGciCar& carB = b.Car(match[std::size_t(i)] + 1);
    for (int col = ColumnTable::ModelColumn; col < ColumnTable::ColumnCount; ++col) {
      const LineValue valueA = carA.ValueOf(ColumnTable::Field(col));
      const LineValue valueB = carB.ValueOf(ColumnTable::Field(col));
      if (SameValue(valueA, valueB)) continue;
      text += CarTable::Field(carA.Name()) + '\t' + CarTable::Field(CarTable::Heading(a, col)) +
              '\t' + CarTable::ExactText(valueA) + '\t' + CarTable::ExactText(valueB) + '\n';
    }
  }
  for (int j = 0; j < b.Count(); ++j) {
    if (!matched[std::size_t(j)]) text += CarTable::Field(b.Car(j + 1).Name()) + "\tonly in B\n";
  }
  Write(out, text);
  return text.isEmpty() ? 0 : 1;
}
