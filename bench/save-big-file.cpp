// Opens a copy of a large car file, changes one value cell and saves the
// document: the time of the Save command, which rebuilds the content from the
// cars and writes it, until its window is repainted; and the peak memory of
// the whole run, the save's rebuilt content included.
//
// usage: bench-save-big-file FILE   (run with QT_QPA_PLATFORM=offscreen)

#include <sys/resource.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>

#include "BenchDialogs.h"
#include "BenchSheet.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"
#include "ui/frame/mdfMain.h"
#include "ui/sheet/CarGrid.h"
#include "ui/sheet/frmCars.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  const QString path = FileArgument(argc, argv);
  if (path.isEmpty()) return 2;
  QTemporaryDir folder;
  const QString copy = folder.filePath(QStringLiteral("big.gci"));
  if (!QFile::copy(path, copy)) {
    std::fprintf(stderr, "cannot copy the file to %s\n", qPrintable(copy));
    return 1;
  }
  BenchDialogs dialogs(copy);
  mdfMain frame;
  frmCars* sheet = OpenWithAllSelected(frame);
  if (!sheet) return 1;
  const qint64 sizeBefore = QFileInfo(copy).size();
  sheet->SetCellValue(1, 5, QStringLiteral("17"));

  const auto start = std::chrono::steady_clock::now();
  sheet->Save();
  QApplication::processEvents();
  sheet->flexCars()->viewport()->repaint();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  const qint64 sizeAfter = QFileInfo(copy).size();
  std::printf("cars: %d\n", sheet->CarFile().Count());
  std::printf("save after one edit (rebuild and write): %.3f s (target <= 0.3 s)\n", seconds);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("peak memory with the save: %.1f MB (%.2f x file size; target <= 1.8 x)\n",
              usage.ru_maxrss / 1024.0,
              double(usage.ru_maxrss) * 1024.0 / double(sizeBefore));
  std::printf("check: %lld bytes before, %lld after, document changed: %s\n", sizeBefore, sizeAfter,
              sheet->Changed() ? "yes" : "no");
  return sheet->Changed() ? 1 : 0;
}
