#pragma once

#include <QByteArray>
#include <QList>
#include <cstdint>
#include <memory>
#include <vector>

class NycGciCar;
class NycGciCars;

// A three-way merge of two mods of one car file: BASE, OURS and THEIRS, cars
// matched by name as diff matches them. A value changed on one side only
// takes that side's value, changed on both sides to the same value takes it,
// changed to two values is a conflict. A car added on one side is added (two
// different cars of one new name conflict); a car removed on one side and
// unchanged on the other is removed, changed on the other a conflict. Header
// and comments stay OURS'; an added car comes with its own.
class CarMerge {
 public:
  enum class Prefer { Neither, Ours, Theirs };

  struct Outcome {
    std::int64_t changed = 0;  // values taken, cars added and removed in OURS
    // car<TAB>column<TAB>base<TAB>ours<TAB>theirs; for a car, the column is
    // empty and the values say "removed" or "changed".
    QList<QByteArray> conflicts;
  };

  // Merges THEIRS into ours. With conflicts and Neither, ours is left as it
  // was; otherwise the preferred side decides each conflict.
  static Outcome Merge(const NycGciCars& base, NycGciCars& ours, const NycGciCars& theirs,
                       Prefer prefer);
  // The same merge as a new list of OURS' cars, ours left alone: the cars it
  // keeps as they are, changed copies of those whose values change, and the
  // cars added. With conflicts and Neither, the list is ours'.
  static Outcome Merged(const NycGciCars& base, const NycGciCars& ours, const NycGciCars& theirs,
                        Prefer prefer, std::vector<std::shared_ptr<NycGciCar>>& cars);

 private:
  // With copy, changed cars are changed copies; else they change in place.
  static Outcome Run(const NycGciCars& base, const NycGciCars& ours, const NycGciCars& theirs,
                     Prefer prefer, std::vector<std::shared_ptr<NycGciCar>>& cars, bool copy);
};
