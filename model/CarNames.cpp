#include "model/CarNames.h"

#include "model/NycGciCar.h"
#include "model/NycGciCars.h"

CarNames::CarNames(const NycGciCars& file, const std::vector<bool>* taken) {
  for (std::int32_t i = file.Count(); i >= 1; --i) {
    if (!taken || !(*taken)[std::size_t(i - 1)]) free_[file.Car(i).Name()].push_back(i);
  }
}

std::int32_t CarNames::Take(const QByteArray& name) {
  const auto found = free_.find(name);
  if (found == free_.end()) return -1;
  if (found->empty()) return 0;
  const std::int32_t car = found->back();
  found->pop_back();
  return car;
}

std::vector<int> CarNames::Match(const NycGciCars& a, const NycGciCars& b) {
  std::vector<int> match(std::size_t(a.Count()), -1);
  std::vector<bool> taken(std::size_t(b.Count()), false);
  for (int i = 0; i < a.Count() && i < b.Count(); ++i) {
    if (a.Car(i + 1).Name() == b.Car(i + 1).Name()) {
      match[std::size_t(i)] = i;
      taken[std::size_t(i)] = true;
    }
  }
  CarNames free(b, &taken);
  for (int i = 0; i < a.Count(); ++i) {
    if (match[std::size_t(i)] >= 0) continue;
    const std::int32_t car = free.Take(a.Car(i + 1).Name());
    if (car > 0) match[std::size_t(i)] = car - 1;
  }
  return match;
}

std::vector<int> CarNames::MatchInOrder(const NycGciCars& a, const NycGciCars& b) {
  std::vector<int> match(std::size_t(a.Count()), -1);
  // Mods mostly keep the cars as they are: the same names in the same places
  // match in place, which is what the search below would find.
  if (a.Count() == b.Count()) {
    std::int32_t i = 0;
    while (i < a.Count() && a.Car(i + 1).NameView() == b.Car(i + 1).NameView()) ++i;
    if (i == a.Count()) {
      for (std::int32_t j = 0; j < i; ++j) match[std::size_t(j)] = j;
      return match;
    }
  }
  CarNames free(b);
  for (int i = 0; i < a.Count(); ++i) {
    const std::int32_t car = free.Take(a.Car(i + 1).Name());
    if (car > 0) match[std::size_t(i)] = car - 1;
  }
  return match;
}

std::vector<int> CarNames::Numbers(const NycGciCars& file) {
  std::vector<int> numbers(std::size_t(file.Count()));
  QHash<QByteArray, int> seen;
  for (std::int32_t car = 1; car <= file.Count(); ++car) {
    numbers[std::size_t(car - 1)] = ++seen[file.Car(car).Name()];
  }
  return numbers;
}
