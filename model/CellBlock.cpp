#include "model/CellBlock.h"

#include "base/TorqletError.h"
#include "core/ErrorCodes.h"
#include "model/CarTableModel.h"
#include "model/ColumnTable.h"

CellBlock::CellBlock(const CarTableModel& cars, const QLocale& locale)
    : cars_(cars), locale_(locale) {}

QString CellBlock::Text(const CellRange& cells) const {
  QString text;
  for (const std::int32_t car : cells.cars) {
    for (int c = cells.left; c <= cells.right; ++c) {
      if (c > cells.left) text += QLatin1Char('\t');
      text += cars_.CellText(car, c);
    }
    text += QLatin1Char('\n');
  }
  return text;
}

bool CellBlock::Read(const std::vector<TabTable::Row>& rows, const CellRange& selection,
                     const CellRange& below) {
  values_.clear();
  error_.clear();
  if (rows.empty()) return true;
  bool ok = true;
  if (rows.size() == 1 && rows[0].fields.size() == 1 && selection.Count() > 1) {
    for (std::size_t r = 0; ok && r < selection.cars.size(); ++r) {
      for (int c = selection.left; ok && c <= selection.right; ++c) {
        ok = Take(selection.firstRow + int(r), selection.cars[r], c, rows[0].fields[0]);
      }
    }
  } else {
    for (std::size_t r = 0; ok && r < rows.size(); ++r) {
      const QList<QByteArray>& fields = rows[r].fields;
      if (r >= below.cars.size()) {
        error_ = tr("The pasted block reaches past the last car.");
      } else if (below.left + fields.size() > ColumnTable::ColumnCount) {
        error_ = tr("The pasted block reaches past the last column.");
      }
      ok = error_.isEmpty();
      for (qsizetype f = 0; ok && f < fields.size(); ++f) {
        ok = Take(below.firstRow + int(r), below.cars[r], below.left + int(f), fields[f]);
      }
    }
  }
  if (!ok) values_.clear();
  return ok;
}

bool CellBlock::Take(int row, std::int32_t car, int col, const QByteArray& field) {
  const QString text = QString::fromUtf8(field);
  if (text == cars_.CellText(car, col)) return true;  // what was copied from here
  try {
    values_.push_back({car, col, ColumnTable::ValueOfText(col, text, locale_)});
  } catch (const TorqletError& error) {
    error_ = (error.Number() == ErrOverflow
                  ? tr("Row %1, column %2: \"%3\" is too large for this column.")
                  : tr("Row %1, column %2: \"%3\" is not a number."))
                 .arg(row)
                 .arg(cars_.CellText(0, col), text);
    return false;
  }
  return true;
}
