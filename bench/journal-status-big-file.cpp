// Opens a large car file and measures what keeps its edits safe and what the
// status bar costs: the recovery journal after a one-cell edit and after x*1.1
// over every value cell (the part on the main thread, which typing waits for,
// and the whole write), and moving down the sheet with the status bar
// following and without it.
//
// usage: bench-journal-status-big-file FILE   (run with QT_QPA_PLATFORM=offscreen)

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>

#include "BenchDialogs.h"
#include "BenchSheet.h"
#include "model/NycGciCars.h"
#include "model/RecoveryJournal.h"
#include "ui/frame/StatusLine.h"
#include "ui/sheet/CarGrid.h"
#include "ui/sheet/frmCars.h"

namespace {

template <typename Work>
double Seconds(Work work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The main thread's part of a journal write, and the whole of it.
void MeasureJournal(const char* what, RecoveryJournal& journal) {
  const double snapshot = Seconds([&] { journal.Snapshot(); });
  const double whole = Seconds([&] { journal.WriteNow(); });
  std::printf(
      "journal after %s: %.4f s on the main thread (target <= 0.02 s for one cell), "
      "%.3f s written and synced, %lld values, %.1f MB\n",
      what, snapshot, whole, static_cast<long long>(journal.Snapshot().ValueCount()),
      double(QFileInfo(journal.Path()).size()) / 1e6);
}

// Presses Down so many times in the grid, each key handled and painted.
double MoveDown(CarGrid& grid, int keys) {
  return Seconds([&] {
    for (int i = 0; i < keys; ++i) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
      QApplication::sendEvent(&grid, &press);
      QApplication::processEvents();
      grid.viewport()->repaint();
    }
  });
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  const QTemporaryDir state;
  qputenv("XDG_STATE_HOME", QFile::encodeName(state.path()));
  BenchEditor editor(argc, argv);
  if (!editor.sheet) return editor.failure;
  mdfMain& frame = editor.frame;
  frmCars* sheet = editor.sheet;
  CarGrid& grid = *sheet->flexCars();
  grid.SetCol(5);
  sheet->SetCellValue(2, 5, QStringLiteral("1234.5"));
  MeasureJournal("a one-cell edit", sheet->Journal());
  const int cars = sheet->CarFile().Count();
  grid.SelectRange(1, 2, cars, 21);
  frame.mnuEditManipulate_Click();
  MeasureJournal("x*1.1 over every value cell", sheet->Journal());

  // In turns, so that both meet the same caches and load.
  grid.SetRow(1);
  constexpr int Keys = 200;
  double following = 0, alone = 0;
  for (int round = 0; round < 3; ++round) {
    frame.Status().Follow(nullptr);
    alone += MoveDown(grid, Keys);
    frame.Status().Follow(sheet);
    following += MoveDown(grid, Keys);
  }
  following /= 3;
  alone /= 3;
  std::printf(
      "moving down %d rows: %.2f ms a row with the status bar, %.2f ms without "
      "(target: no slower)\n",
      Keys, following / Keys * 1e3, alone / Keys * 1e3);
  grid.SelectRange(1, 2, cars, 21);
  const double all = Seconds([&] { frame.Status().Update(); });
  std::printf("status bar for every cell selected: %.3f s, once the selection rests (%s)\n", all,
              qPrintable(frame.Status().lblSelection()->text()));
  sheet->SetChanged(false);
  return 0;
}
