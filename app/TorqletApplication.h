#pragma once

#include <QApplication>

// The editor's application object. An error that escapes an event handler is
// shown to the user with its number and description instead of ending the
// program with every document's unsaved edits.
class TorqletApplication : public QApplication {
 public:
  TorqletApplication(int& argc, char** argv);

  // The program's name, version and desktop entry; may run before the
  // application object exists.
  static void SetUpNames();

  bool notify(QObject* receiver, QEvent* event) override;
};
