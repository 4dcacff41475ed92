#pragma once

#include <cstdint>

struct CellRange;
class NycGciCars;

// What a spreadsheet's status bar says of a selection: how many of its cells
// hold numbers (the model column and the value columns; names do not), and
// their sum, average, smallest and largest value.
struct SelectionSummary {
  std::int64_t numbers = 0;
  double sum = 0;
  double min = 0;
  double max = 0;

  double Average() const { return numbers > 0 ? sum / double(numbers) : 0.0; }

  static SelectionSummary Of(const NycGciCars& file, const CellRange& cells);
};
