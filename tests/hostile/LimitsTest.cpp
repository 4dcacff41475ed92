#include "TestSupport.h"

// Every byte but the closing brace, in a header, a name and a comment of a MiB
// each: kept whole, one character per byte, and written back as it was read.
TEST(Limits, LongLinesOfAnyBytesAreKeptWhole) {
  QByteArray text;
  for (int byte = 0; byte < 256; ++byte) {
    if (byte != '}') text += char(byte);  // a CR here is never followed by an LF
  }
  text = text.repeated(4096);
  const QByteArray pad("\r\n7\0\xff {pad}", 11);  // reading the number stops at the NUL
  QByteArray block = MakeBlock(text, 1);
  block.replace("{turbo}", "{" + text + "}").replace("\r\n0 {pad}", pad);
  const QByteArray bytes = MakeFile(text, {block, MakeBlock("B", 2)});
  FileFolder folder;
  NycGciCars file;
  file.LoadFile(folder.Write(bytes));
  ASSERT_EQ(file.Count(), 2);
  EXPECT_TRUE(file.MainComment() == text && file.Car(1).Name() == text);
  EXPECT_TRUE(file.Car(1).TurboComment() == text && file.Car(1).Pad() == 7);
  file.Save();
  EXPECT_EQ(ReadFileBytes(folder.Path("cars.gci")), bytes);
}

// Runs the command-line tool through peak_memory; returns its peak memory in
// MiB, or NaN when it fails.
static double PeakMiB(const QStringList& arguments) {
  QByteArray out;
  const int status =
      RunProgram(TORQLET_PEAK_MEMORY_PATH, QStringList{TORQLET_CLI_PATH} + arguments, &out);
  const QList<QByteArray> fields = out.trimmed().split(' ');
  return status == 0 && fields.size() == 2 && fields[0] == "0" ? fields[1].toDouble() / 1024 : NAN;
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
  const double start = PeakMiB({"info", folder.Write(MakeFile("h", {MakeBlock("A", 1)}), "t")});
  ASSERT_FALSE(std::isnan(start));
  QList<QByteArray> cars;
  for (int i = 0; i < 20000; ++i) cars << MakeBlock("Car " + QByteArray::number(i), i);
  const QByteArray smallest = "}" + QByteArray("\r\n }").repeated(21) + "\r\n\r\n";
  const QByteArray files[] = {
      MakeFile("many cars", cars), "}\r\n\r\n" + smallest.repeated(300'000),
      MakeFile("h", {MakeBlock("A", 1) + QByteArray("\r\nx").repeated(10'000'000)}),
      MakeFile(QByteArray(32 << 20, 'n'), {MakeBlock("A", 1)})};
  for (const QByteArray& bytes : files) {
    SCOPED_TRACE(bytes.left(20).constData());
    const double sizeMiB = double(bytes.size()) / (1 << 20);
    const QString path = folder.Write(bytes), out = folder.Path("out.gci");
    const double load = PeakMiB({"rewrite", path, out});  // loads, saves unchanged
    EXPECT_LE(load - start, LoadFactor * sizeMiB) << load << " MiB for " << sizeMiB << " MiB";
    const double rebuild = PeakMiB({"rewrite", "--rebuild", path, out});
    const double rebuiltMiB = double(QFileInfo(out).size()) / (1 << 20);
    EXPECT_LE(rebuild - start, RebuildFactor * (sizeMiB + rebuiltMiB))
        << rebuild << " MiB for " << sizeMiB << " + " << rebuiltMiB << " MiB";
  }
}
