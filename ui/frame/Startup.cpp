#include "ui/frame/Startup.h"

#include <QCoreApplication>

#include "ui/frame/CommandGuard.h"
#include "ui/frame/mdfMain.h"

void Main(mdfMain& frame) {
  frame.Show();
  QCoreApplication::processEvents();
  CommandGuard::Run([&frame] { frame.mnuFileOpen_Click(); });
}
