#include "app/TorqletApplication.h"

#include "ui/frame/CommandGuard.h"

TorqletApplication::TorqletApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("Quorvex Torqlet"));
  setApplicationVersion(QStringLiteral(TORQLET_VERSION));
  // Lets the desktop match the windows to the installed entry and its icon.
  setDesktopFileName(QStringLiteral("io.github.torqlet.Torqlet"));
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
