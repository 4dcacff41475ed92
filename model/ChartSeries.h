#pragma once

#include <cstdint>
#include <vector>

class CarSortFilterModel;

// The numbers a chart window draws of a document's cars as shown (sorted and
// filtered as the sheet shows them). Rows are shown rows (1-based), columns
// sheet value columns. The selection is a range of shown rows, as the grid
// selects them.
//
// Bars: up to MaxBars cars, one run per car in the shown order. With more,
// consecutive cars are put together in MaxBars runs of nearly equal length,
// each with its lowest and its highest value and the cars that have them,
// so that a car out of line stays visible however many cars there are.
//
// Points: one per shown car with finite values; with more than MaxPoints,
// one per cell of a grid of GridCells x GridCells over the points' range (the
// first car in the shown order that falls into it), the selected cars in a
// grid of their own so that none of them disappears behind an unselected one.
class ChartSeries {
 public:
  static constexpr int MaxBars = 400;
  static constexpr int MaxPoints = 4000;
  static constexpr int GridCells = 300;

  struct Run {
    int firstRow;
    int lastRow;
    double low;
    double high;
    int lowRow;
    int highRow;
    // A car of the run is selected.
    bool selected;
  };
  struct Point {
    double x;
    double y;
    int row;
    bool selected;
  };

  // A NaN or infinite value draws as 0.
  static std::vector<Run> Bars(const CarSortFilterModel& shown, int col, int selectedTop,
                               int selectedBottom);
  // Cars whose values are not both finite are left out.
  static std::vector<Point> Points(const CarSortFilterModel& shown, int colX, int colY,
                                   int selectedTop, int selectedBottom);
  // A car's value in a sheet value column, as a double.
  static double Value(const CarSortFilterModel& shown, std::int32_t car, int col);
};
