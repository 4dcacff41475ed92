// Time from the start of main to the first painted main window, for the
// editor's frame and for an empty QMainWindow started the same way.
//
// usage: bench-startup-frame torqlet|empty   (run with QT_QPA_PLATFORM=offscreen)

#include <QApplication>
#include <QMainWindow>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>

#include "BenchDialogs.h"
#include "ui/frame/mdfMain.h"

int main(int argc, char* argv[]) {
  const auto start = std::chrono::steady_clock::now();
  QApplication application(argc, argv);
  const bool empty = argc > 1 && std::strcmp(argv[1], "empty") == 0;
  BenchDialogs dialogs{QString()};  // the start-up Open dialog is cancelled
  std::unique_ptr<QMainWindow> window;
  if (empty) {
    window = std::make_unique<QMainWindow>();
    window->show();
  } else {
    auto frame = std::make_unique<mdfMain>();
    frame->Show();
    window = std::move(frame);
  }
  QApplication::processEvents();
  window->repaint();
  const auto end = std::chrono::steady_clock::now();
  std::printf("%s: %.1f ms to the shown window\n", empty ? "empty QMainWindow" : "Torqlet frame",
              std::chrono::duration<double, std::milli>(end - start).count());
  return 0;
}
