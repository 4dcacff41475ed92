#pragma once

#include <QObject>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

class CarDocument;
class CarSortFilterModel;

// Two open documents compared the way torqlet-cli diff compares two files:
// cars matched by name (CarNames::Match), and for each matched pair the value
// cells that differ; a car without a partner is only on its side. Sides are
// 0 and 1; rows are cars (1-based), columns sheet columns. The marks follow
// every step on either side (one update per step), a reload or a replacement
// of the cars matches them afresh.
class CarCompare : public QObject {
  Q_OBJECT

 public:
  CarCompare(CarDocument& first, CarDocument& second, QObject* parent = nullptr);

  CarDocument& Document(int side) const { return *documents_[side]; }
  bool Differs(int side, std::int32_t row, int col) const {
    return (masks_[side][std::size_t(row - 1)] >> col) & 1u;
  }
  bool OnlyHere(int side, std::int32_t row) const {
    return partners_[side][std::size_t(row - 1)] == 0;
  }
  // The differing value cells (the same number on both sides).
  std::int64_t Differences() const { return count_; }

  // Copies the other side's value into each cell of the list that differs,
  // as one step of the side's history named after otherName; the number of
  // values taken.
  std::int64_t Take(int side, const std::vector<std::pair<std::int32_t, int>>& cells,
                    const QString& otherName);

  // The next (or previous) differing cell after (before) the one at a shown
  // row and column, car by car in the shown order and left to right within a
  // car, wrapping at the ends; with its place among the shown differences
  // (1-based), how many there are, and whether the search wrapped.
  struct Place {
    int row;
    int col;
    std::int64_t index;
    std::int64_t total;
    bool wrapped;
  };
  std::optional<Place> Step(int side, const CarSortFilterModel& shown, int row, int col,
                            bool forward) const;
  // The place of the cell at a shown row and column when it differs.
  std::optional<Place> At(int side, const CarSortFilterModel& shown, int row, int col) const;

 signals:
  // The marks of these cars of a side may have changed.
  void MarksChanged(int side, std::int32_t top, std::int32_t bottom);

 private:
  void Match();
  // Works out the marks of a side's cars from top to bottom and of their partners.
  void Update(int side, std::int32_t top, std::int32_t bottom);
  std::uint32_t MaskOf(std::int32_t first, std::int32_t second) const;
  std::int64_t Before(int side, const CarSortFilterModel& shown, int row, int col) const;

  CarDocument* documents_[2];
  // For each car of a side, its partner on the other side (1-based), or 0.
  std::vector<std::int32_t> partners_[2];
  // For each car, its differing columns as bits.
  std::vector<std::uint32_t> masks_[2];
  std::int64_t count_ = 0;
};
