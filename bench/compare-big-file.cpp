// Compares two large car files as Edit > Compare with does: the file, and the
// same file with the mass of every tenth car changed. Reports the time to
// compare them, to follow a one-cell edit with the marks, to take a value
// across, and to go to the next difference from the first car to the last.
//
// usage: bench-compare-big-file FILE

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <functional>
#include <memory>

#include "model/CarCompare.h"
#include "model/CarDocument.h"
#include "model/CarSortFilterModel.h"
#include "model/CarTableModel.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"

static double Seconds(const std::function<void()>& work) {
  QElapsedTimer timer;
  timer.start();
  work();
  return double(timer.nsecsElapsed()) / 1e9;
}

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: bench-compare-big-file FILE\n");
    return 2;
  }
  const QString file = QString::fromLocal8Bit(argv[1]);
  CarDocument first, second;
  first.LoadFile(file);
  second.LoadFile(file);
  constexpr int Mass = 5;
  std::vector<CellValue> changes;
  for (std::int32_t car = 10; car <= second.CarFile().Count(); car += 10) {
    changes.push_back({car, Mass, LineValue::FromFloat(second.CarFile().Car(car).Mass() + 1)});
  }
  second.SetCells(changes, [](std::int64_t) { return QStringLiteral("bench"); });
  CarTableModel firstTable(first), secondTable(second);
  CarSortFilterModel shown(firstTable);

  std::unique_ptr<CarCompare> compare;
  const double compared = Seconds([&] {
    compare = std::make_unique<CarCompare>(first, second);
    firstTable.SetCompare(compare.get(), 0);
    secondTable.SetCompare(compare.get(), 1);
  });
  const double edit = Seconds([&] {
    first.SetCells({{20, Mass, LineValue::FromFloat(second.CarFile().Car(20).Mass())}},
                   [](std::int64_t) { return QStringLiteral("edit"); });
  });
  const double take = Seconds([&] {
    compare->Take(0, {{30, Mass}}, QStringLiteral("2: other.gci"));
  });
  const int last = shown.ShownCount();
  std::optional<CarCompare::Place> place;
  const double step = Seconds([&] { place = compare->Step(0, shown, last, 2, false); });

  std::printf("cars: %d, differences: %lld\n", first.CarFile().Count(),
              static_cast<long long>(compare->Differences()));
  std::printf("compare two files: %.3f s (target <= 0.3 s)\n", compared);
  std::printf("marks after a one-cell edit: %.5f s (at once)\n", edit);
  std::printf("take one value: %.5f s\n", take);
  std::printf("previous difference from the last car, with its place among all: %.4f s (row %d)\n",
              step, place ? place->row : 0);
  return 0;
}
