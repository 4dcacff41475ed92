#pragma once

#include <cstdint>
#include <vector>

// A rectangle of value cells as a sheet shows them: the shown rows firstRow,
// firstRow + 1, ... hold the cars in cars (1-based numbers in their file, in
// the shown order), and the sheet columns left to right of each.
struct CellRange {
  int firstRow = 1;
  std::vector<std::int32_t> cars;
  int left = 0;
  int right = -1;

  std::int64_t Count() const { return std::int64_t(cars.size()) * (right - left + 1); }
};
