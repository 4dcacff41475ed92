#pragma once

#include <QItemSelectionRange>
#include <QTableView>
#include <array>

#include "model/CellRange.h"
#include "model/CellValuesCommand.h"
#include "model/ColumnTable.h"

class CarGridCorner;
class CarRowHeader;
class CarSortFilterModel;

// The car sheet's grid: the shown cars of one document as rows, in the order
// and the selection of its sort and filter model, in the sheet's own
// numbering (row 0 the headings, rows 1 to N the shown cars; column 0 the
// names, column 1 the models, columns 2 to 21 the other values, see
// ColumnTable). Rows are rows as shown: CarOfRow gives a row's car.
// The heading row and the two name and model columns are fixed: they stay in
// place when the grid scrolls and can never be current, selected or edited.
// A click on a column's heading selects that column's value cells, on a car's
// name that car's value cells, on the top-left corner every value cell (shift
// extends); the current cell is then a corner of the selection. Ctrl+Home and
// Ctrl+End go to the first and the last car's first value cell, Home and End
// to the row's first and last value cell. Ctrl+Space selects the current
// column's shown cells, Shift+Space the current row's value cells.
// The grid edits nothing itself; it reports double clicks, character keys and
// scrolling to its window. Widths are in pixels unless a name says twips.
class CarGrid : public QTableView {
  Q_OBJECT

 public:
  // Whenever the document holds other cars, every column becomes as wide as
  // its heading and its widest text and the current cell row 1, column 2.
  // When values change, their columns widen where a text became wider (they
  // never narrow).
  explicit CarGrid(CarSortFilterModel& shown, QWidget* parent = nullptr);
  CarSortFilterModel& Shown() const { return shown_; }

  // The text of a cell exactly as shown, fixed cells included.
  QString TextMatrix(int row, int col) const;
  // The car shown in a row; the invalid argument error for a row not shown.
  std::int32_t CarOfRow(int row) const;
  // The selected rectangle's cells, with the cars of its rows (none when
  // no car is shown).
  CellRange SelectedCells() const;
  // Up to count shown rows from row down, in column col.
  CellRange CellsFrom(int row, int col, int count) const;
  // Selects the shown rows that hold cells of a step of the history, in the
  // step's columns (bounds, x the columns); the first of them becomes current.
  void SelectCells(const std::vector<CellValuesCommand::Cell>& cells, const QRect& bounds);
  // Fits a value column to its heading and its widest text; a float column is
  // at least six character units of 120 twips wide.
  void FitColumn(int col);
  static constexpr double FloatColumnMinTwips = 720;
  // The width a value cell needs to show a text of so many characters.
  int ValueWidth(int characters) const;

  // The current cell. Setting either moves the selection to the current cell
  // alone; a fixed or missing cell raises the invalid argument error.
  int Row() const;
  int Col() const;
  void SetRow(int row);
  void SetCol(int col);
  // The selection's corner opposite the current cell (the current cell when
  // nothing else is selected).
  int RowSel() const;
  int ColSel() const;
  // Selects a rectangle of value cells, makes its top-left cell current and
  // scrolls it into view.
  void SelectRange(int row1, int col1, int row2, int col2);
  // A cell's rectangle in the viewport's coordinates (empty when the cell is
  // fixed or missing).
  QRect CellRect(int row, int col) const;

  // Large enough to show the headings, ten cars and the first value columns.
  QSize UsefulSize() const;

  int ColWidth(int col) const;
  void SetColWidth(int col, int width);
  int TwipsToPixels(double twips) const;

 signals:
  // A double click on a cell or a heading.
  void DblClick();
  // A key that produces a character (Enter, Escape and Backspace count).
  void KeyPress(QChar character);
  void Scroll();
  // The context menu was asked for on a column heading, whose column is now
  // current.
  void HeadingMenu(const QPoint& globalPosition);

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void updateGeometries() override;

 private:
  void Refill();
  void OnValuesChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight);
  void AfterLayoutChange();
  void SelectWhole(bool column);
  void FitColumns();
  bool OnColumnEdge(const QPoint& point) const;
  void SetWidestText(int col, int characters);
  void CheckValueCell(int row, int col) const;
  void MakeCurrent(int row, int col);
  // Moves the current cell to the given model cell without touching the
  // selection or scrolling.
  void PlaceCurrent(int modelRow, int modelColumn);
  QItemSelectionRange CurrentRange() const;

  CarSortFilterModel& shown_;
  CarRowHeader* rowHeader_;
  CarGridCorner* corner_ = nullptr;
  // The most characters of any text in each column (the grid's font is fixed
  // pitch, so counting characters measures the text).
  std::array<int, ColumnTable::ColumnCount> widestText_{};
};
