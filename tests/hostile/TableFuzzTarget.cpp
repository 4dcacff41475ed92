// The fuzz target of import's table reader: any bytes as a table for a few stock
// cars. The reader either gives cells or raises an error that says what is
// wrong; cells it gives are values the document takes as they are, and the
// table export then prints of the changed cars (with the decimal point and
// with the decimal comma) reads back as no change at all.
#include <QRegularExpression>

#include "FuzzCars.h"
#include "FuzzCheck.h"
#include "base/TorqletError.h"
#include "model/CarDocument.h"
#include "model/NycGciCars.h"
#include "tools/CarTable.h"
#include "tools/TableImport.h"

static QByteArray Export(const NycGciCars& file, bool decimalComma) {
  QByteArray text = CarTable::HeadingLine(file);
  for (std::int32_t i = 1; i <= file.Count(); ++i) {
    CarTable::AppendRow(text, file.Car(i), decimalComma);
  }
  return text;
}

static void Check(QByteArrayView input) {
  static CarDocument document;
  if (document.FileName().isEmpty()) document.LoadFile(SmallCarFile());
  const QString table = QStringLiteral("table.txt"), file = QStringLiteral("nyc.gci");
  std::vector<CellValue> cells;
  try {
    cells = TableImport::Cells(document.CarFile(), input, table, file);
  } catch (const TorqletError& error) {
    Expect(error.Description().contains(table), "a refused table is named in its error");
    return;
  }
  Expect(document.SetCells(cells, [](std::int64_t) { return QString(); }) ==
             std::int64_t(cells.size()),
         "every cell read is a change the document takes");
  // As export prints it, with the decimal comma, and as a spreadsheet saves
  // it (no trailing zeros).
  QString stripped = QString::fromLatin1(Export(document.CarFile(), false));
  stripped.replace(QRegularExpression("(?<=\t)(-?\\d+)(?:\\.0+|(\\.\\d*?)0+)(?=[\t\n])"), "\\1\\2");
  for (const QByteArray& again :
       {Export(document.CarFile(), false), Export(document.CarFile(), true), stripped.toLatin1()}) {
    Expect(TableImport::Cells(document.CarFile(), again, table, file).empty(),
           "an exported table reads back as no change");
  }
  document.History().undo();
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return RunFuzzCheck(data, size, Check);
}
