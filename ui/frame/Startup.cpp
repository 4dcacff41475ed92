#include "ui/frame/Startup.h"

#include <QCoreApplication>

#include "ui/frame/CommandGuard.h"
#include "ui/frame/mdfMain.h"

void Main(mdfMain& frame, const QStringList& files) {
  frame.Show();
  QCoreApplication::processEvents();
  if (files.isEmpty()) {
    CommandGuard::Run([&frame] { frame.mnuFileOpen_Click(); });
  } else {
    frame.OpenFiles(files);
  }
}
