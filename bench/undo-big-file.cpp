// Opens a large car file, recomputes every value cell with "x*1.1" through the
// Manipulate command, then undoes and redoes that step through the document's
// history; reports the time of each until the grid is repainted, the heap
// memory that the step keeps per changed cell, and the time the frame takes to
// close with that document and its history (what the program's end waits for).
//
// usage: bench-undo-big-file FILE   (run with QT_QPA_PLATFORM=offscreen)

#include <malloc.h>

#include <QApplication>
#include <QUndoStack>
#include <chrono>
#include <cstdio>
#include <vector>

#include "BenchDialogs.h"
#include "BenchSheet.h"
#include "model/CarDocument.h"
#include "model/ColumnTable.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"
#include "ui/frame/mdfMain.h"
#include "ui/sheet/CarGrid.h"
#include "ui/sheet/frmCars.h"

namespace {

// Bytes the process holds on its heap, large blocks included.
double HeapBytes() {
  const struct mallinfo2 info = mallinfo2();
  return double(info.uordblks) + double(info.hblkhd);
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  BenchEditor editor(argc, argv);
  if (!editor.sheet) return editor.failure;
  mdfMain& frame = editor.frame;
  frmCars* sheet = editor.sheet;
  CarGrid& grid = *sheet->flexCars();
  const int cars = sheet->CarFile().Count();
  QUndoStack& history = sheet->Document().History();
  const float massBefore = sheet->CarFile().Car(cars).Mass();

  const int columns = grid.model()->columnCount();
  const qint64 cells = qint64(cars) * columns;
  std::vector<float> before;  // the values, to count the cells the step changes
  auto shown = [&](qint64 cell) {
    const LineValue value = sheet->CarFile()
                                .Car(int(cell / columns) + 1)
                                .ValueOf(ColumnTable::Field(int(cell % columns) + 2));
    return value.kind == LineValue::Kind::Integer ? float(value.integer) : value.real;
  };
  before.reserve(std::size_t(cells));
  for (qint64 cell = 0; cell < cells; ++cell) before.push_back(shown(cell));

  const double heapBefore = HeapBytes();
  frame.mnuEditManipulate_Click();
  QApplication::processEvents();
  const double stepBytes = HeapBytes() - heapBefore;
  const float massAfter = sheet->CarFile().Car(cars).Mass();
  qint64 changed = 0;
  for (qint64 cell = 0; cell < cells; ++cell) changed += shown(cell) != before[std::size_t(cell)];
  before = {};

  const double undo = TimedUntilRepainted(grid, [&] { history.undo(); });
  const bool undone = sheet->CarFile().Car(cars).Mass() == massBefore;
  const double redo = TimedUntilRepainted(grid, [&] { history.redo(); });
  const bool redone = sheet->CarFile().Car(cars).Mass() == massAfter;

  std::printf("cars: %d, value cells: %lld, changed by the step: %lld\n", cars, cells, changed);
  std::printf("undo of x*1.1 over every value cell: %.3f s (target <= 0.3 s)\n", undo);
  std::printf("redo of it: %.3f s (no target of its own)\n", redo);
  std::printf("memory of the step: %.1f MB, %.1f bytes a changed cell (target <= 24)\n",
              stepBytes / (1024.0 * 1024.0), stepBytes / double(changed));
  std::printf("check: undo restored the last mass: %s, redo set it again: %s\n",
              undone ? "yes" : "no", redone ? "yes" : "no");
  sheet->SetChanged(false);
  const auto closing = std::chrono::steady_clock::now();
  frame.close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  const double closed =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - closing).count();
  std::printf("closing the frame with that document: %.3f s (target <= 0.3 s)\n", closed);
  return undone && redone && frame.CarWindows().isEmpty() ? 0 : 1;
}
