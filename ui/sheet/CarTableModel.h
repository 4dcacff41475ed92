#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <array>

#include "model/ColumnTable.h"

class NycGciCars;

// The cars of one car file as a table, read on demand: model row r is car
// r + 1, model column c is sheet column c + 2. The two fixed sheet columns
// (name and model) and the heading row are not cells of the table; the grid
// draws them from CellText, which works in the sheet's own numbering (row 0
// the headings, rows 1 to N the cars; columns as in ColumnTable).
class CarTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  // Shows the given file (not owned; nullptr shows nothing) in one reset. The
  // headings are the comments of the first car: a file without cars raises
  // the car file's bad call error and leaves the table empty.
  void SetCarFile(const NycGciCars* cars);
  int CarCount() const { return carCount_; }
  const NycGciCars* CarFile() const { return cars_; }

  // The text of a sheet cell, exactly as shown; the invalid argument error
  // for a cell outside the sheet.
  QString CellText(int row, int col) const;
  // Tells the views, in one signal, that a rectangle of value cells (sheet
  // numbering, corners included) was rewritten.
  void RangeChanged(int row1, int col1, int row2, int col2);

  static constexpr int RowOffset = 1;
  static constexpr int ColumnOffset = ColumnTable::FixedColumnCount;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  const NycGciCars* cars_ = nullptr;
  int carCount_ = 0;
  std::array<QString, ColumnTable::ColumnCount> headings_;
};
