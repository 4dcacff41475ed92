#include "ui/sheet/CarTableModel.h"

#include "base/RuntimeErrors.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"

void CarTableModel::SetCarFile(const NycGciCars* cars) {
  beginResetModel();
  cars_ = nullptr;
  carCount_ = 0;
  headings_.fill(QString());
  try {
    if (cars) {
      const NycGciCar& first = cars->Car(1);
      for (int col = ColumnTable::ModelColumn; col < ColumnTable::ColumnCount; ++col) {
        headings_[std::size_t(col)] = QString::fromLatin1(first.Comment(ColumnTable::Field(col)));
      }
      cars_ = cars;
      carCount_ = cars->Count();
    }
  } catch (...) {
    endResetModel();
    throw;
  }
  endResetModel();
}

QString CarTableModel::CellText(int row, int col) const {
  if (row < 0 || row > carCount_ || !ColumnTable::IsColumn(col)) {
    RaiseRuntimeError(ErrInvalidArgument,
                      QStringLiteral("no cell at row %1, column %2").arg(row).arg(col));
  }
  if (row == 0) return headings_[std::size_t(col)];
  return ColumnTable::CellText(cars_->Car(row), col, QLocale());
}

void CarTableModel::RangeChanged(int row1, int col1, int row2, int col2) {
  const QModelIndex topLeft = index(row1 - RowOffset, col1 - ColumnOffset);
  const QModelIndex bottomRight = index(row2 - RowOffset, col2 - ColumnOffset);
  if (topLeft.isValid() && bottomRight.isValid()) {
    emit dataChanged(topLeft, bottomRight, {Qt::DisplayRole});
  }
}

int CarTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : carCount_;
}

int CarTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() || !cars_ ? 0 : ColumnTable::ColumnCount - ColumnOffset;
}

QVariant CarTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::DisplayRole) {
    return CellText(index.row() + RowOffset, index.column() + ColumnOffset);
  }
  if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignVCenter);
  return {};
}

QVariant CarTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal) {
    if (section < 0 || section + ColumnOffset >= ColumnTable::ColumnCount) return {};
    return headings_[std::size_t(section + ColumnOffset)];
  }
  if (section < 0 || section >= carCount_) return {};
  return CellText(section + RowOffset, ColumnTable::NameColumn);
}

Qt::ItemFlags CarTableModel::flags(const QModelIndex& index) const {
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
