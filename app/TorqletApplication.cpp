#include "app/TorqletApplication.h"

#include "ui/frame/CommandGuard.h"

TorqletApplication::TorqletApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("Quorvex Torqlet"));
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
