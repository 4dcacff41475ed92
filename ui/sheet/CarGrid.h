#pragma once

#include <QItemSelectionRange>
#include <QTableView>
#include <array>

#include "model/ColumnTable.h"

class CarGridCorner;
class CarRowHeader;
class CarTableModel;
class NycGciCars;

// The car sheet's grid: the cars of one file as rows, in the sheet's own
// numbering (row 0 the headings, rows 1 to N the cars; column 0 the names,
// column 1 the models, columns 2 to 21 the other values, see ColumnTable).
// The heading row and the two name and model columns are fixed: they stay in
// place when the grid scrolls and can never be current, selected or edited.
// A click on a column's heading selects that column's value cells, on a car's
// name that car's value cells, on the top-left corner every value cell (shift
// extends); the current cell is then a corner of the selection. Ctrl+Home and
// Ctrl+End go to the first and the last car's first value cell, Home and End
// to the row's first and last value cell.
// The grid edits nothing itself; it reports double clicks, character keys and
// scrolling to its window. Widths are in pixels unless a name says twips.
class CarGrid : public QTableView {
  Q_OBJECT

 public:
  explicit CarGrid(QWidget* parent = nullptr);

  // Shows the file's cars in one reset (nullptr empties the grid) and makes
  // every column as wide as its heading and its widest text; raises the car
  // file's error for a file without cars. The current cell becomes row 1,
  // column 2.
  void Fill(const NycGciCars* cars);
  const CarTableModel& Cars() const { return *cars_; }

  // The text of a cell exactly as shown, fixed cells included.
  QString TextMatrix(int row, int col) const;
  // Redraws a rectangle of value cells after their records changed, and
  // widens the columns where a text became wider (never narrows them).
  void RefreshRange(int row1, int col1, int row2, int col2);
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

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void updateGeometries() override;

 private:
  void FitColumns();
  bool OnColumnEdge(const QPoint& point) const;
  void SetWidestText(int col, int characters);
  void CheckValueCell(int row, int col) const;
  void MakeCurrent(int row, int col);
  // Moves the current cell to the given model cell without touching the
  // selection or scrolling.
  void PlaceCurrent(int modelRow, int modelColumn);
  QItemSelectionRange CurrentRange() const;

  CarTableModel* cars_;
  CarRowHeader* rowHeader_;
  CarGridCorner* corner_ = nullptr;
  // The most characters of any text in each column (the grid's font is fixed
  // pitch, so counting characters measures the text).
  std::array<int, ColumnTable::ColumnCount> widestText_{};
};
