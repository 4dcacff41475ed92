// Opens a large car file into a document window and reports the time from the
// Open command to the filled, shown and painted grid, and the peak memory.
//
// usage: bench-open-big-file FILE   (run with QT_QPA_PLATFORM=offscreen)

#include <sys/resource.h>

#include <QApplication>
#include <QFileInfo>
#include <chrono>
#include <cstdio>

#include "BenchDialogs.h"
#include "BenchSheet.h"
#include "model/NycGciCars.h"
#include "ui/frame/mdfMain.h"
#include "ui/sheet/CarGrid.h"
#include "ui/sheet/frmCars.h"

namespace {

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  const QString path = FileArgument(argc, argv);
  if (path.isEmpty()) return 2;
  BenchDialogs dialogs(path);
  mdfMain frame;
  frame.show();
  QApplication::processEvents();
  const double baseline = PeakMegabytes();

  const auto start = std::chrono::steady_clock::now();
  frame.mnuFileOpen_Click();
  const auto opened = std::chrono::steady_clock::now();
  frmCars* sheet = ShowOpenedSheet(frame);
  if (!sheet) return 1;
  sheet->flexCars()->viewport()->repaint();
  const auto end = std::chrono::steady_clock::now();

  const double seconds = std::chrono::duration<double>(end - start).count();
  const double fileMegabytes = QFileInfo(path).size() / (1024.0 * 1024.0);
  const double peak = PeakMegabytes();
  std::printf("cars: %d\n", sheet->CarFile().Count());
  std::printf(
      "open to shown grid: %.3f s (target <= 0.25 s), of which loading and filling %.3f s\n",
      seconds, std::chrono::duration<double>(opened - start).count());
  std::printf("file size: %.1f MB\n", fileMegabytes);
  std::printf("peak memory: %.1f MB (%.2f x file size; %.1f MB before opening; target <= 1.8 x)\n",
              peak, peak / fileMegabytes, baseline);
  return 0;
}
