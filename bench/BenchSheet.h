#pragma once

#include <QApplication>
#include <cstdio>

#include "ui/frame/mdfMain.h"
#include "ui/sheet/frmCars.h"

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
