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
