#include "app/TorqletApplication.h"

#include "core/Version.h"
#include "ui/frame/CommandGuard.h"

void TorqletApplication::SetUpNames() {
  // Settings go to ~/.config/Torqlet/Quorvex Torqlet.conf.
  setOrganizationName(QStringLiteral("Torqlet"));
  setApplicationName(QStringLiteral("Quorvex Torqlet"));
  setApplicationVersion(QLatin1String(VersionRecord::Text));
  // Lets the desktop match the windows to the installed entry and its icon.
  setDesktopFileName(QStringLiteral("io.github.torqlet.Torqlet"));
}

TorqletApplication::TorqletApplication(int& argc, char** argv) : QApplication(argc, argv) {
  SetUpNames();
}

bool TorqletApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    CommandGuard::Report(&error);
  } catch (...) {
    CommandGuard::Report(nullptr);
  }
  return false;
}
