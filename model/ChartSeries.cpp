#include "model/ChartSeries.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "model/CarDocument.h"
#include "model/CarSortFilterModel.h"
#include "model/CarTableModel.h"
#include "model/ColumnTable.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"

double ChartSeries::Value(const CarSortFilterModel& shown, std::int32_t car, int col) {
  return NumberOf(shown.Cars().Document().CarFile().Car(car).ValueOf(ColumnTable::Field(col)));
}

std::vector<ChartSeries::Run> ChartSeries::Bars(const CarSortFilterModel& shown, int col,
                                                int selectedTop, int selectedBottom) {
  const int count = shown.ShownCount();
  const int runs = std::min(count, MaxBars);
  std::vector<Run> bars;
  bars.reserve(std::size_t(runs));
  for (int i = 0; i < runs; ++i) {
    // Run i holds the rows from count*i/runs + 1 to count*(i+1)/runs.
    const int first = int(std::int64_t(count) * i / runs) + 1;
    const int last = int(std::int64_t(count) * (i + 1) / runs);
    Run run{first,
            last,
            HUGE_VAL,
            -HUGE_VAL,
            first,
            first,
            first <= selectedBottom && last >= selectedTop};
    for (int row = first; row <= last; ++row) {
      double value = Value(shown, shown.CarOfRow(row), col);
      if (!std::isfinite(value)) value = 0;
      if (value < run.low) {
        run.low = value;
        run.lowRow = row;
      }
      if (value > run.high) {
        run.high = value;
        run.highRow = row;
      }
    }
    bars.push_back(run);
  }
  return bars;
}

namespace {

// Keeps the first point of each grid cell.
void Decimate(std::vector<ChartSeries::Point>& points, double minX, double spanX, double minY,
              double spanY) {
  constexpr int Cells = ChartSeries::GridCells;
  const auto cell = [](double value, double min, double span) {
    return span > 0 ? std::min(int((value - min) / span * Cells), Cells - 1) : 0;
  };
  std::unordered_set<int> taken;
  std::erase_if(points, [&](const ChartSeries::Point& point) {
    const int key = cell(point.x, minX, spanX) * Cells + cell(point.y, minY, spanY);
    return !taken.insert(key).second;
  });
}

}  // namespace

std::vector<ChartSeries::Point> ChartSeries::Points(const CarSortFilterModel& shown, int colX,
                                                    int colY, int selectedTop, int selectedBottom) {
  std::vector<Point> points, selected;
  double minX = HUGE_VAL, maxX = -HUGE_VAL, minY = HUGE_VAL, maxY = -HUGE_VAL;
  for (int row = 1; row <= shown.ShownCount(); ++row) {
    const std::int32_t car = shown.CarOfRow(row);
    const Point point{Value(shown, car, colX), Value(shown, car, colY), row,
                      row >= selectedTop && row <= selectedBottom};
    if (!std::isfinite(point.x) || !std::isfinite(point.y)) continue;
    minX = std::min(minX, point.x);
    maxX = std::max(maxX, point.x);
    minY = std::min(minY, point.y);
    maxY = std::max(maxY, point.y);
    (point.selected ? selected : points).push_back(point);
  }
  if (points.size() + selected.size() > std::size_t(MaxPoints)) {
    // Spans of 1e300 and more would overflow: such ranges use one cell.
    const double spanX = std::isfinite(maxX - minX) ? maxX - minX : 0;
    const double spanY = std::isfinite(maxY - minY) ? maxY - minY : 0;
    Decimate(points, minX, spanX, minY, spanY);
    Decimate(selected, minX, spanX, minY, spanY);
  }
  points.insert(points.end(), selected.begin(), selected.end());
  return points;
}
