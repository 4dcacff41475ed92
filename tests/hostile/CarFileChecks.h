#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QTemporaryDir>

#include "StatusProbe.h"

class NycGciCars;

// Runs any bytes through the car file library the way the editor does, from a
// file on disk, and checks what it promises for every input:
// - loading either succeeds or raises one of the errors of a bad file;
// - a loaded file saved without an edit is written back byte for byte;
// - the rebuilt content has the file's own layout, and loads back to the same
//   header comment and the same cars (each float as the text it was written as);
// - after that one round, rebuilding is stable: rebuild, load and rebuild give
//   the same bytes and the same car blocks;
// - every load and save, failed or not, leaves the caption at the title and
//   the progress bar hidden.
// Check returns an empty text when all of this holds, else what went wrong.
class CarFileChecks {
 public:
  CarFileChecks();
  QString Check(QByteArrayView input);

 private:
  void Run(QByteArrayView input);
  void ExpectAtRest(const char* step) const;
  void LoadRebuilt(NycGciCars& file, const QString& path) const;
  QByteArray Rebuild(NycGciCars& file, const QString& path) const;
  QString Path(const char* name) const { return folder_.filePath(QLatin1String(name)); }

  QTemporaryDir folder_;
  StatusProbe display_;
};
