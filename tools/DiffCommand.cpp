#include "tools/DiffCommand.h"

#include <QHash>
#include <vector>

#include "model/ColumnTable.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"
#include "tools/CarTable.h"

namespace {

// For each car of a, the index of its car in b (0-based), or -1.
std::vector<int> MatchCars(const NycGciCars& a, const NycGciCars& b) {
  std::vector<int> match(std::size_t(a.Count()), -1);
  std::vector<bool> taken(std::size_t(b.Count()), false);
  for (int i = 0; i < a.Count() && i < b.Count(); ++i) {
    if (a.Car(i + 1).Name() == b.Car(i + 1).Name()) {
      match[std::size_t(i)] = i;
      taken[std::size_t(i)] = true;
    }
  }
  QHash<QByteArray, std::vector<int>> free;  // untaken cars of b by name, last first
  for (int j = b.Count() - 1; j >= 0; --j) {
    if (!taken[std::size_t(j)]) free[b.Car(j + 1).Name()].push_back(j);
  }
  for (int i = 0; i < a.Count(); ++i) {
    if (match[std::size_t(i)] >= 0) continue;
    const auto found = free.find(a.Car(i + 1).Name());
    if (found == free.end() || found->empty()) continue;
    match[std::size_t(i)] = found->back();
    found->pop_back();
  }
  return match;
}

}  // namespace

DiffCommand::DiffCommand()
    : CliCommand(QStringLiteral("diff"),
                 QStringLiteral("Print the values in which two car files differ.")) {
  AddArgument(QStringLiteral("A"), QStringLiteral("The first car file."));
  AddArgument(QStringLiteral("B"), QStringLiteral("The second car file."));
}

int DiffCommand::Execute(const QStringList& arguments, std::FILE* out) {
  NycGciCars& a = Hold<NycGciCars>(Status());
  NycGciCars& b = Hold<NycGciCars>(Status());
  a.LoadFile(arguments[0]);
  b.LoadFile(arguments[1]);
  const std::vector<int> match = MatchCars(a, b);
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
