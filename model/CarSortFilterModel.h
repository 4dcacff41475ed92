#pragma once

#include <QSortFilterProxyModel>
#include <cstdint>
#include <vector>

#include "model/CellRange.h"

class CarTableModel;
class Term;

// The cars of a table in the order and the selection that the user asked for,
// without touching the file's order: sorted by a value column (numbers as
// numbers) or by name (ignoring case), or in the file's order; filtered by a
// part of the name and a condition on a column. An order or a filter is taken
// when it is given: editing a value makes no row move or vanish, giving the
// same command again sorts or filters anew. Equal keys keep the file's order.
// Shown rows and cars are counted from 1, as in the sheet.
class CarSortFilterModel : public QSortFilterProxyModel {
  Q_OBJECT

 public:
  enum class Order { File, Column, Name };

  explicit CarSortFilterModel(CarTableModel& cars, QObject* parent = nullptr);
  CarTableModel& Cars() const { return cars_; }

  // Sorts by a value column's values (sheet column 2 to 21).
  void SortByColumn(int col, Qt::SortOrder order);
  void SortByName();
  void SortInFileOrder();
  Order SortedBy() const { return order_; }
  // The sheet column sorted by, while sorted by one.
  int SortedColumn() const { return order_ == Order::Column ? sortedCol_ : -1; }

  // Shows only the cars whose name contains name (ignoring case; empty for
  // every name) and, given a condition, where it is true: a term in x, which
  // stands for the car's number in sheet column col as shown, and is true
  // where its value is finite and not zero.
  void SetFilter(const QString& name, Term* condition, int col);
  void ClearFilter();
  bool Filtered() const { return !shown_.empty(); }
  // Neither sorted nor filtered: every shown row is the car of its number.
  bool InFileOrder() const { return order_ == Order::File && !Filtered(); }

  int ShownCount() const { return rowCount(); }
  // The car of a shown row; the invalid argument error for a row not shown.
  std::int32_t CarOfRow(int row) const;
  // The cells of shown rows from firstRow to lastRow (as far as they are
  // shown) in sheet columns left to right, with the cars of the rows.
  CellRange Cells(int firstRow, int lastRow, int left, int right) const;
  // For each car number, its shown row, or 0 while it is hidden (index 0 unused).
  std::vector<int> RowsOfCars() const;
  // The next shown row after afterRow, going down and wrapping around, whose
  // car's name contains text, ignoring case (afterRow itself last); 0 when none.
  int FindName(const QString& text, int afterRow) const;

 protected:
  bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
  bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

 private:
  void Forget();

  CarTableModel& cars_;
  Order order_ = Order::File;
  int sortedCol_ = -1;
  std::vector<double> keys_;  // by car (0-based), while sorted
  std::vector<char> shown_;   // by car, while filtered
};
