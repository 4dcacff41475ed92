#pragma once

#include <QCoreApplication>
#include <QLocale>
#include <QString>
#include <vector>

#include "model/CellRange.h"
#include "model/CellValue.h"
#include "model/TabTable.h"

class CarTableModel;

// A block of cells as TAB-separated text, the clipboard's form: copied from a
// range of shown cells, or pasted into one. Each text is the cell's text as
// the sheet shows it, read back as if typed into its cell.
class CellBlock {
  Q_DECLARE_TR_FUNCTIONS(CellBlock)

 public:
  CellBlock(const CarTableModel& cars, const QLocale& locale);

  // The cells' texts, one line per shown row ended by a line feed, the cells
  // of a row separated by TAB.
  QString Text(const CellRange& cells) const;

  // Reads a pasted table. One value while several cells are selected goes
  // into every selected cell; otherwise the table is a block whose first
  // field goes to the first cell of below and its rows to the following shown
  // rows, right from the same column (below holds the shown cars from the
  // current one down, as many as the table has rows where there are). A text
  // equal to its cell's text leaves the cell alone. False, with no values and
  // Error() saying why, when a text does not convert to its column or the
  // block reaches past the last shown car or the last column.
  bool Read(const std::vector<TabTable::Row>& rows, const CellRange& selection,
            const CellRange& below);

  const std::vector<CellValue>& Values() const { return values_; }
  const QString& Error() const { return error_; }

 private:
  bool Take(int row, std::int32_t car, int col, const QByteArray& field);

  const CarTableModel& cars_;
  QLocale locale_;
  std::vector<CellValue> values_;
  QString error_;
};
