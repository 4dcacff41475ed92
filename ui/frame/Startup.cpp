#include "ui/frame/Startup.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "ui/frame/CommandGuard.h"
#include "ui/frame/mdfMain.h"

void Main(mdfMain& frame, const QStringList& files) {
  frame.Show();
  QCoreApplication::processEvents();
  if (files.isEmpty()) CommandGuard::Run([&frame] { frame.mnuFileOpen_Click(); });
  // One file at a time: one that cannot be read is reported and the rest still open.
  for (const QString& file : files) {
    CommandGuard::Run([&frame, &file] { frame.OpenFile(QFileInfo(file).absoluteFilePath()); });
  }
}
