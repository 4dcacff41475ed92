#pragma once

#include <cstdint>

#include "model/LineValue.h"

// A value for one value cell of a car sheet: row is the car (1-based), col the
// sheet column (2 to 21, see ColumnTable). The value has the column's type: an
// integer for columns 2 to 4, a float for the others.
struct CellValue {
  std::int32_t row = 0;
  std::int32_t col = 0;
  LineValue value;
};
