#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "model/CarSortFilterModel.h"
#include "model/ColumnTable.h"

class CarGrid;
class FilterBar;
class Term;

// The commands of a car sheet on its grid: recompute, copy, paste and find on
// the cells as shown, and the View menu's sorting and filtering. What the
// commands mean for the cars lives in the model (Manipulation, CellBlock,
// CarSortFilterModel); this maps the grid's selection and current cell to it,
// shows its messages and keeps the current car in view.
class SheetCommands : public QObject {
  Q_OBJECT

 public:
  // The grid's model is the sort and filter model of a document's table;
  // title gives the caption that messages carry.
  SheetCommands(CarGrid& grid, FilterBar& filterBar, std::function<QString()> title,
                QObject* parent = nullptr);

  // Recomputes every selected cell of the shown cars from the term in x, as
  // one step of the history; returns the number of cells that got a value.
  std::int64_t Manipulate(Term& term);
  // The selected cells as text for the clipboard: one line per shown row, each
  // ended by a line feed, the cells separated by TAB, each as the grid shows it.
  QString SelectionText() const;
  // Pastes a TAB-separated block at the current cell, right and down the
  // shown rows, or a single value into every selected cell when more than
  // one is selected, as one step of the history (see CellBlock). A text that
  // does not convert, or a block reaching past the last shown car or column,
  // changes nothing and is shown in one message; false then.
  bool PasteText(const QString& text);
  // Makes the next shown car whose name contains the text, ignoring case,
  // the current row, searching down from the row after the current one and
  // wrapping around. False when no shown car's name contains it.
  bool FindCar(const QString& text);

  // The View menu: sort the shown cars by the current column's values, by
  // name or back into the file's order; open the filter bar for the current
  // column; show every car again (and close the filter bar). The current car
  // stays current.
  void SortAscending() { SortByColumn(Qt::AscendingOrder); }
  void SortDescending() { SortByColumn(Qt::DescendingOrder); }
  void SortByName();
  void SortInFileOrder();
  void OpenFilterBar();
  void ShowAllCars();
  // Applies the filter bar's fields to the column the bar was opened for; a
  // condition that is no term is refused in the bar and nothing changes.
  // True when the filter was applied.
  bool ApplyFilter(const QString& name, const QString& condition);

  // Runs load, which gives the document the cars of its file again. The
  // current cell stays where it was; when the file has the same cars as
  // before (names in the same order), the view keeps its order and filter,
  // taken anew from the new values.
  void KeepView(const std::function<void()>& load);

  // The view as it stands, and the same view after the document's cars
  // changed. With otherCars, the order and filter stay also when the cars
  // are others (a merge that added or removed cars); else, as after a load,
  // only when they are the same.
  struct View {
    std::vector<QByteArray> names;
    CarSortFilterModel::Order order;
    int sortedCol;
    Qt::SortOrder direction;
    bool filtered;
    int row, col;
    std::int32_t car;
  };
  View CurrentView() const;
  void RestoreView(const View& view, bool otherCars);

  // " - 12 of 88 cars shown" while a filter is on, else empty.
  QString ShownNote() const;

 signals:
  // The cars shown changed: the caption's note may have.
  void ShownChanged();

 private:
  void SortByColumn(Qt::SortOrder order);
  void KeepCurrentCar(const std::function<void()>& change);
  void SelectCell(int row, int col);
  void ShowMessage(const QString& text) const;
  static QString CellCountText(std::int64_t count);

  CarGrid& grid_;
  FilterBar& filterBar_;
  std::function<QString()> title_;
  int filterColumn_ = ColumnTable::FixedColumnCount;  // the column the bar was opened for
  // The fields of the filter applied last, while it is on.
  QString filterName_;
  QString filterCondition_;
  int filteredColumn_ = ColumnTable::FixedColumnCount;
};
