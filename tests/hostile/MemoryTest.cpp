#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "TestSupport.h"

namespace {

// Sanitizers keep freed memory and shadow every byte: no bound holds under them.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool Sanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool Sanitized = true;
#else
constexpr bool Sanitized = false;
#endif
#else
constexpr bool Sanitized = false;
#endif

struct ChildRun {
  int exitCode = -1;
  double peakMiB = 0;
};

// Runs the command-line tool through peak_memory.
ChildRun RunCli(const QStringList& arguments) {
  QByteArray out;
  ChildRun run;
  if (RunProgram(TORQLET_PEAK_MEMORY_PATH, QStringList{TORQLET_CLI_PATH} + arguments, &out) != 0) {
    return run;
  }
  const QList<QByteArray> fields = out.trimmed().split(' ');
  if (fields.size() == 2) {
    run.exitCode = fields[0].toInt();
    run.peakMiB = fields[1].toDouble() / 1024.0;
  }
  return run;
}

// Loading holds the content and the cars: at most about three times the file
// for the smallest cars that parse. Rebuilding holds the cars and the new
// content, which can be nearly three times the old one (" }" becomes
// "f0.000 { }") and grows as it is built. Beyond the program's own start-up
// memory, neither may take more than these multiples.
constexpr double LoadFactor = 4.0;     // of the file
constexpr double RebuildFactor = 3.0;  // of the file and the rebuilt file together

TEST(MemoryBound, LoadingAndRebuildingNeedAFewTimesTheFileSize) {
  if (Sanitized) GTEST_SKIP() << "memory is not comparable under sanitizers";
  QTemporaryDir folder;
  auto write = [&](const char* name, const QByteArray& bytes) {
    const QString path = folder.filePath(name);
    WriteFileBytes(path, bytes);
    return path;
  };
  const QString tiny = write("tiny.gci", MakeFile("h", {MakeBlock("A", 1)}));
  const ChildRun start = RunCli({"info", tiny});
  ASSERT_EQ(start.exitCode, 0);

  QList<QByteArray> cars;
  for (int i = 0; i < 20000; ++i) cars << MakeBlock("Car " + QByteArray::number(i), i);
  const QByteArray smallest = "}" + QByteArray("\r\n }").repeated(21) + "\r\n\r\n";
  const struct {
    const char* name;
    QByteArray bytes;
  } files[] = {
      {"cars.gci", MakeFile("many cars", cars)},
      {"smallest.gci", "}\r\n\r\n" + smallest.repeated(300'000)},
      {"lines.gci", MakeFile("h", {MakeBlock("A", 1) + QByteArray("\r\nx").repeated(10'000'000)})},
      {"long.gci", MakeFile(QByteArray(32 << 20, 'n'), {MakeBlock("A", 1)})},
  };
  for (const auto& file : files) {
    SCOPED_TRACE(file.name);
    const double sizeMiB = double(file.bytes.size()) / (1 << 20);
    const QString path = write(file.name, file.bytes);
    const QString out = folder.filePath("out.gci");
    const ChildRun load = RunCli({"rewrite", path, out});  // loads, saves unchanged
    EXPECT_EQ(load.exitCode, 0);
    EXPECT_LE(load.peakMiB - start.peakMiB, LoadFactor * sizeMiB)
        << load.peakMiB << " MiB for " << sizeMiB << " MiB";
    const ChildRun rebuild = RunCli({"rewrite", "--rebuild", path, out});
    EXPECT_EQ(rebuild.exitCode, 0);
    const double rebuiltMiB = double(QFileInfo(out).size()) / (1 << 20);
    EXPECT_LE(rebuild.peakMiB - start.peakMiB, RebuildFactor * (sizeMiB + rebuiltMiB))
        << rebuild.peakMiB << " MiB for " << sizeMiB << " + " << rebuiltMiB << " MiB";
  }
}

}  // namespace
