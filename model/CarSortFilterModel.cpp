#include "model/CarSortFilterModel.h"

#include <algorithm>
#include <cmath>

#include "base/RuntimeErrors.h"
#include "helperlib/Term.h"
#include "helperlib/TermVariable.h"
#include "model/CarDocument.h"
#include "model/CarTableModel.h"
#include "model/CellNumbers.h"
#include "model/ColumnTable.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"

CarSortFilterModel::CarSortFilterModel(CarTableModel& cars, QObject* parent)
    : QSortFilterProxyModel(parent), cars_(cars) {
  // Rows stay where they are while their values are edited.
  setDynamicSortFilter(false);
  setSourceModel(&cars_);
  // A document with other cars starts in the file's order, unfiltered.
  connect(&cars_, &QAbstractItemModel::modelAboutToBeReset, this, &CarSortFilterModel::Forget);
  // A proxy that was never sorted has nothing to undo: the open of a large
  // file does not pay for a sort into the order it already has.
  connect(&cars_, &QAbstractItemModel::modelReset, this, [this] {
    if (sortColumn() != -1) sort(-1);
  });
}

void CarSortFilterModel::Forget() {
  order_ = Order::File;
  sortedCol_ = -1;
  keys_.clear();
  shown_.clear();
}

void CarSortFilterModel::SortByColumn(int col, Qt::SortOrder order) {
  if (!ColumnTable::IsEditable(col)) RaiseRuntimeError(ErrInvalidArgument, QStringLiteral("no value column %1").arg(col));
  const NycGciCars& file = cars_.Document().CarFile();
  const CarField field = ColumnTable::Field(col);
  keys_.resize(std::size_t(file.Count()));
  for (std::int32_t car = 1; car <= file.Count(); ++car) {
    const double key = NumberOf(file.Car(car).ValueOf(field));
    // A NaN would break the sort's ordering; it goes first.
    keys_[std::size_t(car - 1)] = std::isnan(key) ? -HUGE_VAL : key;
  }
  order_ = Order::Column;
  sortedCol_ = col;
  sort(col - CarTableModel::ColumnOffset, order);
}

void CarSortFilterModel::SortByName() {
  // Each car's key is its name's rank: the proxy's sort then compares numbers.
  const NycGciCars& file = cars_.Document().CarFile();
  std::vector<QString> names(std::size_t(file.Count()));
  std::vector<std::int32_t> cars(names.size());
  for (std::int32_t car = 0; car < file.Count(); ++car) {
    names[std::size_t(car)] = QString::fromLatin1(file.Car(car + 1).Name()).toCaseFolded();
    cars[std::size_t(car)] = car;
  }
  std::stable_sort(cars.begin(), cars.end(), [&names](std::int32_t a, std::int32_t b) {
    return names[std::size_t(a)] < names[std::size_t(b)];
  });
  keys_.resize(names.size());
  for (std::size_t rank = 0; rank < cars.size(); ++rank) keys_[std::size_t(cars[rank])] = double(rank);
  order_ = Order::Name;
  sortedCol_ = -1;
  sort(0, Qt::AscendingOrder);
}

void CarSortFilterModel::SortInFileOrder() {
  keys_.clear();
  order_ = Order::File;
  sortedCol_ = -1;
  sort(-1);
}

bool CarSortFilterModel::lessThan(const QModelIndex& left, const QModelIndex& right) const {
  const auto l = std::size_t(left.row()), r = std::size_t(right.row());
  return l < keys_.size() && r < keys_.size() ? keys_[l] < keys_[r] : l < r;
}

void CarSortFilterModel::SetFilter(const QString& name, Term* condition, int col) {
  const NycGciCars& file = cars_.Document().CarFile();
  std::vector<char> shown(std::size_t(file.Count()), 1);
  const CellNumbers numbers{QLocale()};
  TermVariable* x = condition ? &condition->Variables().Item(QStringLiteral("x")) : nullptr;
  for (std::int32_t car = 1; car <= file.Count(); ++car) {
    const NycGciCar& record = file.Car(car);
    char& show = shown[std::size_t(car - 1)];
    if (!name.isEmpty()) {
      show = QString::fromLatin1(record.Name()).contains(name, Qt::CaseInsensitive);
    }
    if (show && x) {
      const std::optional<double> number = numbers.Shown(record, col);
      if (number) x->SetValue(*number);
      const std::optional<double> value = number ? condition->FiniteValue() : std::nullopt;
      show = value && *value != 0;
    }
  }
  shown_ = std::move(shown);
  invalidate();
}

void CarSortFilterModel::ClearFilter() {
  shown_.clear();
  invalidate();
}

bool CarSortFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
  return std::size_t(sourceRow) >= shown_.size() || shown_[std::size_t(sourceRow)];
}

std::int32_t CarSortFilterModel::CarOfRow(int row) const {
  if (InFileOrder() && row >= 1 && row <= cars_.CarCount()) return row;
  const QModelIndex shown = index(row - 1, 0);
  if (!shown.isValid()) RaiseRuntimeError(ErrInvalidArgument, QStringLiteral("no shown row %1").arg(row));
  return mapToSource(shown).row() + 1;
}

CellRange CarSortFilterModel::Cells(int firstRow, int lastRow, int left, int right) const {
  CellRange cells{firstRow, {}, left, right};
  const int last = std::min(lastRow, rowCount());
  cells.cars.reserve(std::size_t(std::max(0, last - firstRow + 1)));
  for (int row = std::max(firstRow, 1); row <= last; ++row) cells.cars.push_back(CarOfRow(row));
  return cells;
}

std::vector<int> CarSortFilterModel::RowsOfCars() const {
  std::vector<int> rows(std::size_t(cars_.CarCount()) + 1, 0);
  for (int row = 1; row <= rowCount(); ++row) rows[std::size_t(CarOfRow(row))] = row;
  return rows;
}

int CarSortFilterModel::FindName(const QString& text, int afterRow) const {
  const NycGciCars& file = cars_.Document().CarFile();
  const int count = rowCount();
  for (int step = 1; step <= count; ++step) {
    const int row = (afterRow - 1 + step) % count + 1;
    if (QString::fromLatin1(file.Car(CarOfRow(row)).Name()).contains(text, Qt::CaseInsensitive)) {
      return row;
    }
  }
  return 0;
}
