#include "model/CarMerge.h"

#include <QHash>
#include <algorithm>
#include <memory>
#include <vector>

#include "model/CarNames.h"
#include "model/CarPatch.h"
#include "model/ColumnTable.h"
#include "model/ExactValue.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"

namespace {

LineValue ValueAt(const NycGciCar& car, int col) { return car.ValueOf(ColumnTable::Field(col)); }

// For each car of b, whether some car of a matches it.
std::vector<bool> Matched(const std::vector<int>& match, std::int32_t count) {
  std::vector<bool> matched(std::size_t(count), false);
  for (const int j : match) {
    if (j >= 0) matched[std::size_t(j)] = true;
  }
  return matched;
}

struct ValueTaken {
  std::shared_ptr<NycGciCar> car;
  int col;
  LineValue value;
};

}  // namespace

CarMerge::Outcome CarMerge::Merge(const NycGciCars& base, NycGciCars& ours,
                                  const NycGciCars& theirs, Prefer prefer) {
  std::vector<std::shared_ptr<NycGciCar>> cars;
  Outcome outcome = Run(base, ours, theirs, prefer, cars, false);
  if (cars != ours.Cars()) ours.SetCars(std::move(cars));
  return outcome;
}

CarMerge::Outcome CarMerge::Merged(const NycGciCars& base, const NycGciCars& ours,
                                   const NycGciCars& theirs, Prefer prefer,
                                   std::vector<std::shared_ptr<NycGciCar>>& cars) {
  return Run(base, ours, theirs, prefer, cars, true);
}

CarMerge::Outcome CarMerge::Run(const NycGciCars& base, const NycGciCars& ours,
                                const NycGciCars& theirs, Prefer prefer,
                                std::vector<std::shared_ptr<NycGciCar>>& cars, bool copy) {
  Outcome outcome;
  cars = ours.Cars();
  const std::vector<int> toOurs = CarNames::MatchInOrder(base, ours);
  const std::vector<int> toTheirs = CarNames::MatchInOrder(base, theirs);
  std::vector<ValueTaken> taken;
  std::vector<std::shared_ptr<NycGciCar>> removed;
  // Cars that go into OURS from THEIRS, each after the car before it there
  // (by name and number among its namesakes).
  struct Addition {
    std::shared_ptr<NycGciCar> car;
    QByteArray after;
    int number;
  };
  std::vector<Addition> added;
  std::vector<int> numbers;  // worked out for the first car added
  const auto add = [&](std::int32_t j) {
    if (numbers.empty()) numbers = CarNames::Numbers(theirs);
    added.push_back({theirs.Cars()[std::size_t(j)], j > 0 ? theirs.Car(j).Name() : QByteArray(),
                     j > 0 ? numbers[std::size_t(j - 1)] : 0});
  };
  const auto conflict = [&](const QByteArray& car, const QByteArray& column, const QByteArray& b,
                            const QByteArray& o, const QByteArray& t) {
    outcome.conflicts << car + '\t' + column + '\t' + b + '\t' + o + '\t' + t;
  };
  for (std::int32_t i = 0; i < base.Count(); ++i) {
    const NycGciCar& was = base.Car(i + 1);
    const int o = toOurs[std::size_t(i)], t = toTheirs[std::size_t(i)];
    if (o < 0 && t < 0) continue;
    if (o < 0 || t < 0) {
      const NycGciCar& kept = o >= 0 ? ours.Car(o + 1) : theirs.Car(t + 1);
      if (was.SameValues(kept)) {
        if (o >= 0) removed.push_back(ours.Cars()[std::size_t(o)]);
        continue;
      }
      conflict(was.Name(), {}, "", o < 0 ? "removed" : "changed", o < 0 ? "changed" : "removed");
      if (prefer == Prefer::Theirs) {
        if (o >= 0) removed.push_back(ours.Cars()[std::size_t(o)]);
        if (t >= 0) add(t);  // changed there, removed here
      }
      continue;
    }
    const NycGciCar& mine = ours.Car(o + 1);
    const NycGciCar& other = theirs.Car(t + 1);
    if (other.SameValues(was)) continue;  // nothing of theirs to take
    for (int col = ColumnTable::ModelColumn; col < ColumnTable::ColumnCount; ++col) {
      const LineValue b = ValueAt(was, col), m = ValueAt(mine, col), x = ValueAt(other, col);
      if (SameValue(m, x) || SameValue(x, b)) continue;
      if (!SameValue(m, b)) {
        conflict(was.Name(), ours.Car(1).Comment(ColumnTable::Field(col)), ExactValue::Text(b),
                 ExactValue::Text(m), ExactValue::Text(x));
        if (prefer != Prefer::Theirs) continue;
      }
      taken.push_back({ours.Cars()[std::size_t(o)], col, x});
    }
  }
  // The cars THEIRS added.
  const std::vector<bool> fromBase = Matched(toTheirs, theirs.Count());
  const std::vector<bool> oursFromBase = Matched(toOurs, ours.Count());
  for (std::int32_t j = 0; j < theirs.Count(); ++j) {
    if (fromBase[std::size_t(j)]) continue;
    const NycGciCar& car = theirs.Car(j + 1);
    std::int32_t same = -1;
    for (std::int32_t k = 0; k < ours.Count() && same < 0; ++k) {
      if (!oursFromBase[std::size_t(k)] && ours.Car(k + 1).NameView() == car.NameView()) same = k;
    }
    if (same >= 0) {
      if (ours.Car(same + 1).SameValues(car)) continue;
      conflict(car.Name(), {}, "", "added", "added");
      if (prefer != Prefer::Theirs) continue;
      removed.push_back(ours.Cars()[std::size_t(same)]);
    }
    add(j);
  }
  outcome.changed = std::int64_t(taken.size() + removed.size() + added.size());
  if (!outcome.conflicts.isEmpty() && prefer == Prefer::Neither) return outcome;
  if (!copy) {
    for (const ValueTaken& value : taken) CarPatch::SetValue(*value.car, value.col, value.value);
    taken.clear();
  }
  // A car whose values change is replaced by a changed copy: ours stays as it
  // was, so that the old list of cars still holds its values.
  std::sort(taken.begin(), taken.end(),
            [](const ValueTaken& a, const ValueTaken& b) { return a.car < b.car; });
  for (auto value = taken.begin(); value != taken.end();) {
    const std::shared_ptr<NycGciCar> original = value->car;
    std::shared_ptr<NycGciCar> copy = original->Copy();
    for (; value != taken.end() && value->car == original; ++value) {
      CarPatch::SetValue(*copy, value->col, value->value);
    }
    *std::find(cars.begin(), cars.end(), original) = std::move(copy);
  }
  std::erase_if(cars, [&removed](const auto& car) {
    return std::find(removed.begin(), removed.end(), car) != removed.end();
  });
  for (const Addition& addition : added) {
    std::shared_ptr<NycGciCar> copy = addition.car->Copy();
    auto at = cars.begin();
    for (int seen = 0; addition.number > 0 && at != cars.end(); ++at) {
      if ((*at)->NameView() == addition.after && ++seen == addition.number) {
        ++at;
        break;
      }
    }
    cars.insert(at, std::move(copy));
  }
  return outcome;
}
