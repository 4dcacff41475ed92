#pragma once

#include <QByteArray>
#include <QHash>
#include <cstdint>
#include <vector>

class NycGciCars;

// The cars of one file by name, for matching another list of cars to them.
// Names are compared byte for byte. A car file may have namesakes: each name
// hands out its cars in the file's order, each car once.
class CarNames {
 public:
  // Every car of the file; with taken, only the cars (0-based) not marked in it.
  explicit CarNames(const NycGciCars& file, const std::vector<bool>* taken = nullptr);

  // The first car of the name (1-based) not handed out yet, now handed out;
  // 0 when every car of the name was, -1 when no car has the name.
  std::int32_t Take(const QByteArray& name);

  // For each car of a, the car of b (both 0-based) that holds its values, or
  // -1 when b has none: a car matches the car of b at its own place when
  // their names are equal, and otherwise the first car of b of its name that
  // is still free, so that namesakes match in their order.
  static std::vector<int> Match(const NycGciCars& a, const NycGciCars& b);
  // The same without the preference for a car's own place: the k-th car of a
  // name matches the k-th car of b of that name. Patches and merges match so,
  // as they name cars by name and number (Numbers) and keep namesakes in order.
  static std::vector<int> MatchInOrder(const NycGciCars& a, const NycGciCars& b);
  // Each car's number among the cars of its name (1 for the first), 0-based by car.
  static std::vector<int> Numbers(const NycGciCars& file);

 private:
  QHash<QByteArray, std::vector<std::int32_t>> free_;  // by name, last car first
};
