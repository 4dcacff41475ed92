#pragma once

#include <QApplication>
#include <chrono>
#include <cstdio>

#include "BenchDialogs.h"
#include "ui/frame/mdfMain.h"
#include "ui/sheet/CarGrid.h"
#include "ui/sheet/frmCars.h"

// The one file a benchmark is given; empty after the usage line when the
// command line names none or more.
inline QString FileArgument(int argc, char* argv[]) {
  if (argc == 2) return QString::fromLocal8Bit(argv[1]);
  std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
  return QString();
}

// The document window that the last Open command made, maximized with its
// pending events run; null (with a message) when the file did not open.
inline frmCars* ShowOpenedSheet(mdfMain& frame) {
  const QList<frmCars*> windows = frame.CarWindows();
  if (windows.isEmpty()) {
    std::fprintf(stderr, "the file did not open\n");
    return nullptr;
  }
  frmCars* sheet = windows.last();
  sheet->showMaximized();
  QApplication::processEvents();
  return sheet;
}

// Shows the frame, runs its Open command (the benchmark's dialogs answer with
// the file) and returns the window it made, with every value cell selected.
inline frmCars* OpenWithAllSelected(mdfMain& frame) {
  frame.show();
  frame.mnuFileOpen_Click();
  frmCars* sheet = ShowOpenedSheet(frame);
  if (sheet) sheet->flexCars()->selectAll();
  return sheet;
}

// Runs a command, lets the events it posted run and repaints the grid;
// returns the seconds taken.
template <typename Command>
double TimedUntilRepainted(CarGrid& grid, Command command) {
  const auto start = std::chrono::steady_clock::now();
  command();
  QApplication::processEvents();
  grid.viewport()->repaint();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The editor as the sheet benchmarks drive it: the frame with the command
// line's one file open in a maximized window with every value cell selected,
// and Manipulate's input box answered with "x*1.1". Without a sheet, failure
// is the exit status: 2 for a wrong command line, 1 for a file that did not open.
struct BenchEditor {
  BenchEditor(int argc, char* argv[])
      : path(FileArgument(argc, argv)), dialogs(path, QStringLiteral("x*1.1")) {
    if (!path.isEmpty()) sheet = OpenWithAllSelected(frame);
    failure = path.isEmpty() ? 2 : 1;
  }
  QString path;
  BenchDialogs dialogs;
  mdfMain frame;
  frmCars* sheet = nullptr;
  int failure = 0;
};
