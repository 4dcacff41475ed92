#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <string>

#include "TestSupport.h"
#include "core/ErrorCodes.h"
#include "helperlib/DataHandler.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"

namespace {

class Limits : public ::testing::Test {
 protected:
  QString Write(const QByteArray& bytes, const char* name = "cars.gci") {
    return folder.Write(bytes, name);
  }
  // Loads a file of one stock block whose line holding `from` is replaced by `to`.
  std::int32_t LoadWithLine(const QByteArray& from, const QByteArray& to) {
    QByteArray block = MakeBlock("A", 1);
    block.replace(from, to);
    return ErrorNumberOrZero([&] { file.LoadFile(Write(MakeFile("h", {block}))); });
  }
  static std::int32_t ErrorNumberOrZero(const std::function<void()>& call) {
    try {
      call();
    } catch (const TorqletError& error) {
      return error.Number();
    }
    return 0;
  }

  FileFolder folder;
  RecordingDisplay display;
  NycGciCars file{&display};
};

TEST_F(Limits, FilesOf2GiBAndMoreAreRefusedBeforeTheyAreRead) {
  file.LoadFile(Write(MakeFile("head", {MakeBlock("A", 1)})));
  // Sparse files cost no disk. 4 GiB + 5 bytes would look like 5 bytes in 32 bits.
  for (const qint64 size : {qint64(1) << 31, (qint64(1) << 32) + 5}) {
    const QString path = folder.filePath("huge.gci");
    QFile huge(path);
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(size));
    huge.close();

    display.events.clear();
    EXPECT_EQ(ErrorNumberOf([&] { file.LoadFile(path); }), ErrUnexpectedInternal);
    EXPECT_FALSE(display.events.join(' ').contains("max")) << "reading began";
    EXPECT_EQ(file.Count(), 1);
    EXPECT_EQ(file.MainComment(), "head");

    DataHandler handler;
    int reads = 0;
    QObject::connect(&handler, &DataHandler::FilePartlyRead, [&] { ++reads; });
    const TorqletError error = ErrorOf([&] { handler.LoadFile(path); });
    EXPECT_EQ(error.Number(), ErrPathFileAccess);
    EXPECT_TRUE(error.Description().contains("2 GiB")) << error.Description().toStdString();
    EXPECT_EQ(reads, 0);
    EXPECT_FALSE(handler.HasData());
  }
}

TEST_F(Limits, VeryLongLinesAreKeptWhole) {
  const QByteArray longText(16 << 20, 'n');
  QByteArray block = MakeBlock(longText, 1);
  block.replace("{turbo}", "{" + longText + "}");
  const QByteArray bytes = MakeFile(longText, {block, MakeBlock("B", 2)});
  const QString path = Write(bytes);
  file.LoadFile(path);
  ASSERT_EQ(file.Count(), 2);
  EXPECT_EQ(file.MainComment(), longText);
  EXPECT_EQ(file.Car(1).Name(), longText);
  EXPECT_EQ(file.Car(1).TurboComment(), longText);
  file.SetMainComment(file.MainComment());
  file.Save();
  EXPECT_EQ(ReadFileBytes(path), bytes);  // the rebuilt text is the same

  EXPECT_EQ(LoadWithLine("{pad}", "{" + longText), ErrInvalidArgument);        // no closing brace
  EXPECT_EQ(LoadWithLine("0 {pad}", longText + "{pad}"), ErrInvalidArgument);  // no blank
}

TEST_F(Limits, LinesAfterTheTwentySecondOfABlockAreIgnoredHoweverMany) {
  const QByteArray a = MakeBlock("A", 1);
  const QByteArray b = MakeBlock("B", 2);
  file.LoadFile(Write(MakeFile("h", {a + QByteArray("\r\nx").repeated(3'000'000), b})));
  ASSERT_EQ(file.Count(), 2);
  EXPECT_EQ(file.Car(1).Block(), a);
  EXPECT_EQ(file.Car(2).Block(), b);

  // A long last line with nothing after it, and text after its closing brace.
  file.LoadFile(Write(MakeFile("h", {a + QByteArray(8192, 'z')})));
  EXPECT_EQ(file.Car(1).Block(), a);

  // A long block of 21 lines is still short of a line.
  QByteArray shortBlock = a.left(a.lastIndexOf("\r\n"));
  shortBlock.replace("{mass}", "{" + QByteArray(8192, 'm') + "}");
  EXPECT_EQ(ErrorNumberOf([&] { file.LoadFile(Write(MakeFile("h", {shortBlock}))); }),
            ErrBadPropertyValue);
}

TEST_F(Limits, EveryByteValueIsKeptOneCharacterPerByte) {
  // Every byte but the closing brace; a CR here is never followed by an LF.
  QByteArray text;
  for (int byte = 0; byte < 256; ++byte) {
    if (byte != '}') text += char(byte);
  }
  QByteArray block = MakeBlock(text, 1);
  block.replace("{turbo}", "{" + text + "}");
  block.replace("\r\n0 {pad}", QByteArray("\r\n7\0\xff {pad}", 11));  // reading stops at the NUL
  const QByteArray bytes = MakeFile(text, {block});
  const QString path = Write(bytes);
  file.LoadFile(path);
  EXPECT_EQ(file.MainComment(), text);
  EXPECT_EQ(file.Car(1).Name(), text);
  EXPECT_EQ(file.Car(1).TurboComment(), text);
  EXPECT_EQ(file.Car(1).Pad(), 7);

  file.Save();
  EXPECT_EQ(ReadFileBytes(path), bytes);
  file.SetMainComment(file.MainComment());
  file.Save();
  QByteArray rebuilt = bytes;
  rebuilt.replace(QByteArray("\r\n7\0\xff {pad}", 11), "\r\n7 {pad}");
  EXPECT_EQ(ReadFileBytes(path), rebuilt);
}

TEST_F(Limits, AMillionTinySectionsAreHandledInOnePass) {
  const QByteArray good = MakeFile("h", {MakeBlock("A", 1)});
  // Sections of at most four characters at the end are dropped, however many.
  const QByteArray shortRubbish = good + QByteArray("x\r\n\r\n").repeated(1'000'000);
  const QString path = Write(shortRubbish);
  file.LoadFile(path);
  EXPECT_EQ(file.Count(), 1);
  file.Save();
  EXPECT_EQ(ReadFileBytes(path), shortRubbish);
  // Longer rubbish is a block of one line.
  const QByteArray longRubbish = good + QByteArray("xxxxx\r\n\r\n").repeated(1'000'000);
  EXPECT_EQ(ErrorNumberOf([&] { file.LoadFile(Write(longRubbish)); }), ErrBadPropertyValue);
  // The smallest block that loads: a name line "}" and 21 lines " }".
  const QByteArray smallest = "}" + QByteArray("\r\n }").repeated(21) + "\r\n\r\n";
  file.LoadFile(Write("}\r\n\r\n" + smallest.repeated(1'000'000)));
  EXPECT_EQ(file.Count(), 1'000'000);
  EXPECT_EQ(file.Car(1'000'000).MassComment(), " ");
}

TEST_F(Limits, NumbersWithThousandsOfDigitsReadAsTheCodecSays) {
  const QByteArray zeros(5000, '0');
  const QByteArray nines(5000, '9');
  EXPECT_EQ(LoadWithLine("0 {pad}", zeros + "42 {pad}"), 0);
  EXPECT_EQ(file.Car(1).Pad(), 42);
  EXPECT_EQ(LoadWithLine("0 {pad}", "2.5" + zeros + " {pad}"), 0);
  EXPECT_EQ(file.Car(1).Pad(), 2);  // a half goes to the even neighbour
  EXPECT_EQ(LoadWithLine("0 {pad}", "1e" + zeros + "3 {pad}"), 0);
  EXPECT_EQ(file.Car(1).Pad(), 1000);
  EXPECT_EQ(LoadWithLine("0 {pad}", "0." + zeros + "5 {pad}"), 0);
  EXPECT_EQ(file.Car(1).Pad(), 0);
  EXPECT_EQ(LoadWithLine("0 {pad}", "1" + zeros + " {pad}"), ErrOverflow);
  EXPECT_EQ(LoadWithLine("0 {pad}", "&H" + QByteArray(5000, 'F') + " {pad}"), ErrOverflow);

  EXPECT_EQ(LoadWithLine("f16.500 {mass}", "f" + zeros + "16.5" + zeros + "1 {mass}"), 0);
  EXPECT_EQ(file.Car(1).Mass(), 16.5f);
  EXPECT_EQ(LoadWithLine("f16.500 {mass}", "f0." + zeros + "1 {mass}"), 0);
  EXPECT_EQ(file.Car(1).Mass(), 0.0f);
  EXPECT_EQ(LoadWithLine("f16.500 {mass}", "f1e-" + nines + " {mass}"), 0);
  EXPECT_EQ(file.Car(1).Mass(), 0.0f);
  EXPECT_EQ(LoadWithLine("f16.500 {mass}", zeros + "3 {mass}"), 0);  // an integer line
  EXPECT_EQ(file.Car(1).Mass(), 3.0f);
  EXPECT_EQ(LoadWithLine("f16.500 {mass}", "f" + nines + " {mass}"), ErrOverflow);
  EXPECT_EQ(LoadWithLine("f16.500 {mass}", "f1e" + nines + " {mass}"), ErrOverflow);
}

}  // namespace
