#include "model/CarCompare.h"

#include <algorithm>
#include <bit>

#include "model/CarDocument.h"
#include "model/CarNames.h"
#include "model/CarSortFilterModel.h"
#include "model/ColumnTable.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"

CarCompare::CarCompare(CarDocument& first, CarDocument& second, QObject* parent)
    : QObject(parent), documents_{&first, &second} {
  for (int side = 0; side < 2; ++side) {
    CarDocument& document = *documents_[side];
    connect(&document, &CarDocument::CellsChanged, this,
            [this, side](int top, int, int bottom, int) { Update(side, top, bottom); });
    connect(&document, &CarDocument::Reloaded, this, &CarCompare::Match);
    connect(&document, &CarDocument::CarsReplaced, this, &CarCompare::Match);
  }
  Match();
}

std::uint32_t CarCompare::MaskOf(std::int32_t first, std::int32_t second) const {
  const NycGciCar& a = documents_[0]->CarFile().Car(first);
  const NycGciCar& b = documents_[1]->CarFile().Car(second);
  std::uint32_t mask = 0;
  if (a.SameValues(b)) return mask;
  for (int col = ColumnTable::FixedColumnCount; col < ColumnTable::ColumnCount; ++col) {
    const CarField field = ColumnTable::Field(col);
    if (!SameValue(a.ValueOf(field), b.ValueOf(field))) mask |= 1u << col;
  }
  return mask;
}

void CarCompare::Match() {
  const NycGciCars& first = documents_[0]->CarFile();
  const NycGciCars& second = documents_[1]->CarFile();
  const std::vector<int> match = CarNames::Match(first, second);
  partners_[0].assign(std::size_t(first.Count()), 0);
  partners_[1].assign(std::size_t(second.Count()), 0);
  masks_[0].assign(partners_[0].size(), 0);
  masks_[1].assign(partners_[1].size(), 0);
  count_ = 0;
  for (std::size_t i = 0; i < match.size(); ++i) {
    if (match[i] < 0) continue;
    partners_[0][i] = match[i] + 1;
    partners_[1][std::size_t(match[i])] = std::int32_t(i + 1);
    const std::uint32_t mask = MaskOf(std::int32_t(i + 1), match[i] + 1);
    masks_[0][i] = masks_[1][std::size_t(match[i])] = mask;
    count_ += std::popcount(mask);
  }
  emit MarksChanged(0, 1, first.Count());
  emit MarksChanged(1, 1, second.Count());
}

void CarCompare::Update(int side, std::int32_t top, std::int32_t bottom) {
  const int other = 1 - side;
  std::int32_t low = 0, high = 0;
  top = std::max(top, 1);
  bottom = std::min<std::int32_t>(bottom, std::int32_t(partners_[side].size()));
  for (std::int32_t row = top; row <= bottom; ++row) {
    const std::int32_t partner = partners_[side][std::size_t(row - 1)];
    if (partner == 0) continue;
    const std::uint32_t mask = side == 0 ? MaskOf(row, partner) : MaskOf(partner, row);
    std::uint32_t& mine = masks_[side][std::size_t(row - 1)];
    count_ += std::popcount(mask) - std::popcount(mine);
    mine = masks_[other][std::size_t(partner - 1)] = mask;
    low = low == 0 ? partner : std::min(low, partner);
    high = std::max(high, partner);
  }
  emit MarksChanged(side, top, bottom);
  if (low > 0) emit MarksChanged(other, low, high);
}

std::int64_t CarCompare::Take(int side, const std::vector<std::pair<std::int32_t, int>>& cells,
                              const QString& otherName) {
  const NycGciCars& theirs = documents_[1 - side]->CarFile();
  std::vector<CellValue> values;
  for (const auto& [row, col] : cells) {
    if (!ColumnTable::IsEditable(col) || !Differs(side, row, col)) continue;
    const NycGciCar& car = theirs.Car(partners_[side][std::size_t(row - 1)]);
    values.push_back({row, col, car.ValueOf(ColumnTable::Field(col))});
  }
  return documents_[side]->SetCells(values, [&otherName](std::int64_t count) {
    return count == 1 ? tr("Take 1 value from %1").arg(otherName)
                      : tr("Take %1 values from %2").arg(count).arg(otherName);
  });
}

// The differing cells of the shown cars before the given shown row and
// column (col 0: the row's first).
std::int64_t CarCompare::Before(int side, const CarSortFilterModel& shown, int row, int col) const {
  std::int64_t count = 0;
  for (int r = 1; r < row; ++r) {
    count += std::popcount(masks_[side][std::size_t(shown.CarOfRow(r) - 1)]);
  }
  if (row <= shown.ShownCount()) {
    const std::uint32_t below = col >= 32 ? ~0u : (1u << col) - 1;
    count += std::popcount(masks_[side][std::size_t(shown.CarOfRow(row) - 1)] & below);
  }
  return count;
}

std::optional<CarCompare::Place> CarCompare::At(int side, const CarSortFilterModel& shown, int row,
                                                int col) const {
  if (row < 1 || row > shown.ShownCount() || !ColumnTable::IsEditable(col) ||
      !Differs(side, shown.CarOfRow(row), col)) {
    return std::nullopt;
  }
  // Every car is shown unless a filter hides some.
  const std::int64_t total =
      shown.Filtered() ? Before(side, shown, shown.ShownCount() + 1, 0) : count_;
  return Place{row, col, Before(side, shown, row, col) + 1, total, false};
}

std::optional<CarCompare::Place> CarCompare::Step(int side, const CarSortFilterModel& shown,
                                                  int row, int col, bool forward) const {
  const int rows = shown.ShownCount();
  if (rows == 0) return std::nullopt;
  row = std::clamp(row, 1, rows);
  // The columns of a row's mask after (or before) col, then whole rows.
  for (int step = 0; step <= rows; ++step) {
    const int r = forward ? (row - 1 + step) % rows + 1 : (row - 1 - step % rows + rows) % rows + 1;
    std::uint32_t mask = masks_[side][std::size_t(shown.CarOfRow(r) - 1)];
    if (step == 0) {
      mask &= forward ? (col >= 31 ? 0u : ~0u << (col + 1)) : (col <= 0 ? 0u : (1u << col) - 1);
    } else if (step == rows) {
      mask &= forward ? (col >= 31 ? ~0u : (1u << (col + 1)) - 1) : ~0u << col;
    }
    if (mask == 0) continue;
    const int found = forward ? std::countr_zero(mask) : 31 - std::countl_zero(mask);
    std::optional<Place> place = At(side, shown, r, found);
    place->wrapped =
        forward ? (r < row || (r == row && found <= col)) : (r > row || (r == row && found >= col));
    return place;
  }
  return std::nullopt;
}
