#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <bit>
#include <cmath>
#include <functional>
#include <limits>
#include <random>

#include "RecordingDisplay.h"
#include "base/TorqletError.h"
#include "core/ErrorCodes.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"

// What the tests of every folder share: errors, files, car texts and child
// programs, and the car file library they test. Under TORQLET_EXPECT_COMMA_LOCALE
// the whole process runs in the German locale, so that any locale-dependent
// formatting shows.

// Readable failure messages.
inline std::ostream& operator<<(std::ostream& out, const QString& text) {
  return out << text.toStdString();
}
inline std::ostream& operator<<(std::ostream& out, const QByteArray& bytes) {
  return out << bytes.toStdString();
}
inline void PrintTo(const QString& text, std::ostream* out) { *out << text; }
inline void PrintTo(const QByteArray& bytes, std::ostream* out) { *out << bytes; }

// Runs the call and returns the TorqletError it raised (or its number); fails
// the test when it raises nothing.
TorqletError ErrorOf(const std::function<void()>& call);
std::int32_t ErrorNumberOf(const std::function<void()>& call);

QByteArray ReadFileBytes(const QString& path);
void WriteFileBytes(const QString& path, const QByteArray& bytes);
// The program's stock car file, as committed.
QByteArray StockBytes();

// A test's own folder of files; Write puts bytes into a file there.
class FileFolder {
 public:
  QString Path(const char* name) const { return folder_.filePath(QLatin1String(name)); }
  QString Write(const QByteArray& bytes, const char* name = "cars.gci") const;
  QString path() const { return folder_.path(); }

 private:
  QTemporaryDir folder_;
};

// A car block in the stock layout, with the given name and model number.
QByteArray MakeBlock(const QByteArray& name, int model);
// A file: header comment and blocks, every section followed by an empty line.
QByteArray MakeFile(const QByteArray& comment, const QList<QByteArray>& blocks);
// A file of cars (model 1) told apart by name and mass, such as {"Alpha", "16.500"}.
using NamesAndMasses = QList<std::pair<const char*, const char*>>;
QByteArray MakeFileOfMasses(const NamesAndMasses& cars);

// Runs a program and returns its exit code (-1 for a crash); out and err
// receive its output.
int RunProgram(const QString& program, const QStringList& arguments, QByteArray* out = nullptr,
               QByteArray* err = nullptr);
