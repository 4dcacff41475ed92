#include "ui/frame/Startup.h"

#include <QCoreApplication>

#include "model/RecoveryJournal.h"
#include "ui/frame/CommandGuard.h"
#include "ui/frame/EditRecovery.h"
#include "ui/frame/mdfMain.h"

void Main(mdfMain& frame, const QStringList& files) {
  frame.Show();
  QCoreApplication::processEvents();
  bool recovered = false;
  CommandGuard::Run(
      [&] { recovered = EditRecovery::Offer(frame, RecoveryJournal::DefaultFolder()); });
  if (files.isEmpty()) {
    if (!recovered) CommandGuard::Run([&frame] { frame.mnuFileOpen_Click(); });
  } else {
    frame.OpenFiles(files);
  }
}
