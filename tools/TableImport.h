#pragma once

#include <QByteArrayView>
#include <QCoreApplication>
#include <QString>
#include <vector>

#include "model/CellValue.h"

class NycGciCars;

// Reads a table in the form export prints (TabTable reads what spreadsheets
// make of it) as values for the cars of a file. Rows are matched to cars by
// name (the first car of that name not matched yet), fields to columns by
// heading; the model column may be present and must then hold each car's
// model. Numbers may have a decimal comma instead of the point (one kind per
// column), never a group separator. A value that reads as the one export
// prints counts as unchanged, so an unchanged table gives no cell.
class TableImport {
  Q_DECLARE_TR_FUNCTIONS(TableImport)

 public:
  // The cells whose values the table changes. Raises, naming the table, its
  // line and the column's heading, for any fault of the table.
  static std::vector<CellValue> Cells(const NycGciCars& file, QByteArrayView table,
                                      const QString& tableName, const QString& fileName);
};
