#pragma once

#include <QCoreApplication>
#include <QString>

class frmCars;
class mdfMain;

// The Edit menu's comparison of two documents: Compare with asks for the
// other side (the other open documents, the most recently active first, or
// a file to open), Next and Previous difference go to the next differing
// cell of the active sheet (wrapping, with a beep), Take value copies the
// other side's values into the current cell or the selection's differing
// cells, Stop comparing ends it.
class CompareCommands {
  Q_DECLARE_TR_FUNCTIONS(CompareCommands)

 public:
  static void CompareWith(mdfMain& frame);
  // Opens the file (or brings its window forward) and compares the window with it.
  static void CompareWithFile(mdfMain& frame, frmCars& window, const QString& fileName);
  static void Step(mdfMain& frame, bool forward);
  static void Take(mdfMain& frame);
  static void Stop(mdfMain& frame);
  // "difference 3 of 41" at a differing cell, else "41 differences"; empty
  // while the window is compared with none.
  static QString Note(const frmCars& window);
};
