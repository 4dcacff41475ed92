#include "model/CarTableModel.h"

#include <algorithm>

#include "base/RuntimeErrors.h"
#include "model/CarCompare.h"
#include "model/CarDocument.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"

CarTableModel::CarTableModel(CarDocument& document, QObject* parent)
    : QAbstractTableModel(parent), document_(document) {
  connect(&document_, &CarDocument::Reloaded, this, &CarTableModel::Reload);
  connect(&document_, &CarDocument::CellsChanged, this, &CarTableModel::OnCellsChanged);
  connect(&document_, &CarDocument::CarsAboutToBeReplaced, this, &CarTableModel::beginResetModel);
  connect(&document_, &CarDocument::CarsReplaced, this, [this] {
    Fill();
    endResetModel();
  });
  Reload();
}

void CarTableModel::Reload() {
  beginResetModel();
  Fill();
  endResetModel();
}

void CarTableModel::Fill() {
  const NycGciCars& cars = document_.CarFile();
  carCount_ = cars.Count();
  headings_.fill(QString());
  if (carCount_ > 0) {
    const NycGciCar& first = cars.Car(1);
    for (int col = ColumnTable::ModelColumn; col < ColumnTable::ColumnCount; ++col) {
      headings_[std::size_t(col)] = QString::fromLatin1(first.Comment(ColumnTable::Field(col)));
    }
  }
}

QString CarTableModel::CellText(int row, int col) const {
  if (row < 0 || row > carCount_ || !ColumnTable::IsColumn(col)) {
    RaiseRuntimeError(ErrInvalidArgument,
                      QStringLiteral("no cell at row %1, column %2").arg(row).arg(col));
  }
  if (row == 0) return headings_[std::size_t(col)];
  return ColumnTable::CellText(document_.CarFile().Car(row), col, QLocale());
}

void CarTableModel::SetCellText(int row, int col, const QString& text) {
  const NycGciCar& car = document_.CarFile().Car(row);
  if (!ColumnTable::IsEditable(col)) return;
  const LineValue value = ColumnTable::ValueOfText(col, text, QLocale());
  const QString step =
      tr("Edit %1 of %2").arg(headings_[std::size_t(col)], QString::fromLatin1(car.Name()));
  document_.SetCells({{row, col, value}}, [&step](std::int64_t) { return step; });
}

void CarTableModel::OnCellsChanged(int top, int left, int bottom, int right) {
  const QModelIndex topLeft = index(top - RowOffset, left - ColumnOffset);
  const QModelIndex bottomRight = index(bottom - RowOffset, right - ColumnOffset);
  if (topLeft.isValid() && bottomRight.isValid()) {
    emit dataChanged(topLeft, bottomRight, {Qt::DisplayRole, Qt::EditRole});
  }
}

int CarTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : carCount_;
}

int CarTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() || carCount_ == 0 ? 0 : ColumnTable::ColumnCount - ColumnOffset;
}

QVariant CarTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::DisplayRole || role == Qt::EditRole) {
    return CellText(index.row() + RowOffset, index.column() + ColumnOffset);
  }
  if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignVCenter);
  if (role == Qt::BackgroundRole && compare_ &&
      compare_->Differs(side_, index.row() + RowOffset, index.column() + ColumnOffset)) {
    return DifferenceColor();
  }
  return {};
}

// Translucent, so that the palette's text stays readable on light and dark
// backgrounds alike.
QColor CarTableModel::DifferenceColor() { return QColor(255, 150, 0, 110); }
QColor CarTableModel::OnlyHereColor() { return QColor(0, 150, 255, 110); }

void CarTableModel::SetCompare(CarCompare* compare, int side) {
  if (compare_) disconnect(compare_, nullptr, this, nullptr);
  compare_ = compare;
  side_ = side;
  if (compare_) {
    connect(compare_, &CarCompare::MarksChanged, this,
            [this](int side, std::int32_t top, std::int32_t bottom) {
              if (side != side_ || carCount_ == 0) return;
              top = std::max(top, 1);
              bottom = std::min(bottom, carCount_);
              if (top > bottom) return;
              emit dataChanged(index(top - RowOffset, 0),
                               index(bottom - RowOffset, columnCount() - 1), {Qt::BackgroundRole});
              emit headerDataChanged(Qt::Vertical, top - RowOffset, bottom - RowOffset);
            });
  }
  if (carCount_ > 0) {
    emit dataChanged(index(0, 0), index(carCount_ - 1, columnCount() - 1), {Qt::BackgroundRole});
    emit headerDataChanged(Qt::Vertical, 0, carCount_ - 1);
  }
}

bool CarTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  try {
    SetCellText(index.row() + RowOffset, index.column() + ColumnOffset, value.toString());
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

QVariant CarTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal) {
    if (role != Qt::DisplayRole || section < 0 ||
        section + ColumnOffset >= ColumnTable::ColumnCount) {
      return {};
    }
    return headings_[std::size_t(section + ColumnOffset)];
  }
  if (section < 0 || section >= carCount_) return {};
  if (role == Qt::DisplayRole) return CellText(section + RowOffset, ColumnTable::NameColumn);
  if (role == ModelRole) return CellText(section + RowOffset, ColumnTable::ModelColumn);
  if (role == Qt::BackgroundRole && compare_ && compare_->OnlyHere(side_, section + RowOffset)) {
    return OnlyHereColor();
  }
  return {};
}

Qt::ItemFlags CarTableModel::flags(const QModelIndex& index) const {
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                         : Qt::NoItemFlags;
}
