#include "model/SelectionSummary.h"

#include <algorithm>
#include <cmath>

#include "model/CellRange.h"
#include "model/ColumnTable.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"

SelectionSummary SelectionSummary::Of(const NycGciCars& file, const CellRange& cells) {
  SelectionSummary summary;
  const int left = std::max(cells.left, int(ColumnTable::ModelColumn));
  const int right = std::min(cells.right, ColumnTable::ColumnCount - 1);
  for (const std::int32_t row : cells.cars) {
    const NycGciCar& car = file.Car(row);
    for (int col = left; col <= right; ++col) {
      const double number = NumberOf(car.ValueOf(ColumnTable::Field(col)));
      // A NaN from the file is no number to add up.
      if (std::isnan(number)) continue;
      summary.min = summary.numbers == 0 ? number : std::min(summary.min, number);
      summary.max = summary.numbers == 0 ? number : std::max(summary.max, number);
      summary.sum += number;
      ++summary.numbers;
    }
  }
  return summary;
}
