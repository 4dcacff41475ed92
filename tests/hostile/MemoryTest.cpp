#include <QFileInfo>

#include "TestSupport.h"

namespace {

// Runs the command-line tool through peak_memory; returns its exit code and
// its peak memory in MiB.
std::pair<int, double> RunCli(const QStringList& arguments) {
  QByteArray out;
  if (RunProgram(TORQLET_PEAK_MEMORY_PATH, QStringList{TORQLET_CLI_PATH} + arguments, &out) != 0) {
    return {-1, 0};
  }
  const QList<QByteArray> fields = out.trimmed().split(' ');
  return fields.size() == 2 ? std::pair(fields[0].toInt(), fields[1].toDouble() / 1024)
                            : std::pair(-1, 0.0);
}

// Loading holds the content and the cars: at most about three times the file
// for the smallest cars that parse. Rebuilding holds the cars and the new
// content, which can be nearly three times the old one (" }" becomes
// "f0.000 { }") and grows as it is built. Beyond the program's own start-up
// memory, neither may take more than these multiples.
constexpr double LoadFactor = 4.0;     // of the file
constexpr double RebuildFactor = 3.0;  // of the file and the rebuilt file together

TEST(MemoryBound, LoadingAndRebuildingNeedAFewTimesTheFileSize) {
  // Sanitizers keep freed memory and shadow every byte: no bound holds under them.
  if (TORQLET_SANITIZED) GTEST_SKIP() << "memory is not comparable under sanitizers";
  FileFolder folder;
  const auto start = RunCli({"info", folder.Write(MakeFile("h", {MakeBlock("A", 1)}), "tiny.gci")});
  ASSERT_EQ(start.first, 0);
  QList<QByteArray> cars;
  for (int i = 0; i < 20000; ++i) cars << MakeBlock("Car " + QByteArray::number(i), i);
  const QByteArray smallest = "}" + QByteArray("\r\n }").repeated(21) + "\r\n\r\n";
  const QByteArray files[] = {
      MakeFile("many cars", cars),
      "}\r\n\r\n" + smallest.repeated(300'000),
      MakeFile("h", {MakeBlock("A", 1) + QByteArray("\r\nx").repeated(10'000'000)}),
      MakeFile(QByteArray(32 << 20, 'n'), {MakeBlock("A", 1)}),
  };
  for (const QByteArray& bytes : files) {
    SCOPED_TRACE(bytes.left(20).constData());
    const double sizeMiB = double(bytes.size()) / (1 << 20);
    const QString path = folder.Write(bytes), out = folder.Path("out.gci");
    const auto load = RunCli({"rewrite", path, out});  // loads, saves unchanged
    EXPECT_EQ(load.first, 0);
    EXPECT_LE(load.second - start.second, LoadFactor * sizeMiB)
        << load.second << " MiB for " << sizeMiB << " MiB";
    const auto rebuild = RunCli({"rewrite", "--rebuild", path, out});
    EXPECT_EQ(rebuild.first, 0);
    const double rebuiltMiB = double(QFileInfo(out).size()) / (1 << 20);
    EXPECT_LE(rebuild.second - start.second, RebuildFactor * (sizeMiB + rebuiltMiB))
        << rebuild.second << " MiB for " << sizeMiB << " + " << rebuiltMiB << " MiB";
  }
}

}  // namespace
