#include <QDir>
#include <QFile>

#include "TestSupport.h"
#include "core/AppInfo.h"
#include "core/ErrorCodes.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"

namespace {

class CarFile : public ::testing::Test {
 protected:
  // The display's events joined by '|', the title shortened to '@'.
  QString Events() const {
    return display.events.join('|').replace("caption " + ApplicationTitle(), "@");
  }

  FileFolder folder;
  RecordingDisplay display;
  NycGciCars file{&display};
  const QByteArray a = MakeBlock("Alpha", 0), b = MakeBlock("Beta", 1);
};

TEST_F(CarFile, TheStockCopyIsWrittenWithItsNulBytesOrRebuiltWithOnlyTheEditedLineChanged) {
  EXPECT_EQ(ErrorNumberOf([&] { file.Car(1); }), ErrBadCall);
  file.NewFile();
  EXPECT_EQ(file.Count(), 83);
  EXPECT_EQ(file.FileTitle(), "Untitled");
  for (const int index : {0, 84}) EXPECT_EQ(ErrorNumberOf([&] { file.Car(index); }), ErrBadCall);
  EXPECT_EQ(ErrorNumberOf([&] { file.SetCar(1, nullptr); }), ErrBadCall);
  file.SaveAs(folder.Path("new.gci"));
  EXPECT_TRUE(StockBytes().endsWith(QByteArray(3, '\0')));
  EXPECT_EQ(ReadFileBytes(folder.Path("new.gci")), StockBytes());
  file.Car(1).SetMass(16.25f);
  file.SaveAs(folder.Path("edited.gci"));
  QByteArray expected = StockBytes().chopped(3);
  expected.replace(expected.indexOf("f16.500 {mass}"), 14, "f16.250 {mass}");
  EXPECT_EQ(ReadFileBytes(folder.Path("edited.gci")), expected);
}

TEST_F(CarFile, AnUneditedFileIsWrittenBackByteForByteAndAnEditRebuildsIt) {
  // Odd but valid: text around the header braces, extra empty lines and rubbish at the end.
  const QByteArray odd = "x {head\r\nline} y\r\n\r\n" + a + "\r\n\r\n\r\n\r\nzz";
  const QString path = folder.Write(odd);
  file.LoadFile(path);
  file.Save();
  EXPECT_EQ(ReadFileBytes(path), odd);
  file.Car(1).SetMass(file.Car(1).Mass());  // the same value still counts as an edit
  file.Save();
  EXPECT_EQ(ReadFileBytes(path), MakeFile("head\r\nline", {a}));
  EXPECT_FALSE(file.IsChanged());
}

TEST_F(CarFile, TheEndOfTheFileIsLenient) {
  // Up to four characters after the last empty line are rubbish, however many such sections.
  const QByteArray exact = MakeFile("head", {a, b});
  for (const QByteArray& bytes :
       {exact.chopped(4), exact.chopped(2), exact + "\r\n\r\n\r\n\r\n", exact + "xyz",
        exact + QByteArray(4, '\0'), exact + QByteArray("x\r\n\r\n").repeated(3)}) {
    file.LoadFile(folder.Write(bytes));
    ASSERT_EQ(file.Count(), 2);
    EXPECT_EQ(file.Car(2).Block(), b);
    EXPECT_EQ(file.MainComment(), "head");
  }
}

TEST_F(CarFile, ContentWithoutWholeBlocksIsRefused) {
  QByteArray lfOnly = MakeFile("head", {a, b}), split = a;
  lfOnly.replace("\r\n", "\n");
  split.replace("0 {pad}\r\n", "0 {pad}\r\n\r\n");
  // Five characters are a section, and no block; an empty line more makes a
  // block's first line empty, two an empty section.
  // clang-format off
  const std::pair<QByteArray, std::int32_t> cases[] = {
      {"", ErrBadFileContent}, {"{only the header}\r\n\r\n", ErrBadFileContent}, {lfOnly, ErrBadFileContent},
      {MakeFile("head", {a}) + "abcde", ErrBadPropertyValue}, {MakeFile("head", {split}), ErrBadPropertyValue},
      {MakeFile("head", {a, "\r\n" + b}), ErrInvalidArgument},
      {MakeFile("head", {a, "\r\n\r\n" + b}), ErrBadPropertyValue}};
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(ErrorNumberOf([&] { file.LoadFile(folder.Write(c.first)); }), c.second)
        << c.first.left(40).constData();
  }
}

TEST_F(CarFile, AFailedLoadKeepsWhatItReadAndEndsAtRest) {
  QByteArray bad = b;
  bad.replace("f16.500 {mass}", "f16.500 mass");
  EXPECT_EQ(ErrorNumberOf([&] {
              file.LoadFile(folder.Write(MakeFile("new head", {a, bad, a})));
            }),
            ErrInvalidArgument);
  EXPECT_EQ(file.MainComment(), "new head");
  EXPECT_EQ(file.Count(), 2);
  EXPECT_EQ(file.Car(2).Name(), "Beta");
  display.events.clear();
  // A file that cannot be read is the unexpected internal error, its reason the cause.
  const TorqletError error = ErrorOf([&] { file.LoadFile(folder.Path("missing.gci")); });
  EXPECT_EQ(error.Number(), ErrUnexpectedInternal);
  EXPECT_EQ(error.Reason().Number(), ErrFileNotFound);
  EXPECT_EQ(file.Count(), 2);
  EXPECT_EQ(Events(), "@ - loading data...|visible 1|visible 0|@");
}

// Reading and writing report every chunk of 256 KiB.
TEST_F(CarFile, ProgressRunsOverBytesInChunksAndOverCars) {
  const QString path = folder.Write(MakeFile(QByteArray(300'000, 'h'), {a, b}));
  file.LoadFile(path);
  EXPECT_EQ(Events(),
            "@ - loading data...|visible 1|max 300925|value 0|value 262144|value 300925|"
            "@ - processing data...|max 2|value 0|value 1|value 2|visible 0|@");
  file.Car(2).SetPad(1);
  display.events.clear();
  file.Save();
  EXPECT_EQ(Events(),
            "@ - processing data...|max 2|value 0|visible 1|show|value 1|value 2|"
            "@ - writing data...|max 300925|value 0|value 262144|value 300925|visible 0|@");
  display.events.clear();
  file.SaveAs(folder.Path("copy.gci"));  // nothing changed since: written without a rebuild
  EXPECT_EQ(Events(),
            "@ - writing data...|visible 1|max 300925|value 0|value 262144|value 300925|"
            "visible 0|@");
  EXPECT_EQ(file.FileTitle(), "copy.gci");
}

TEST_F(CarFile, AFailedSaveKeepsTheRebuiltContentForTheNextSave) {
  NycGciCars unfilled(&display);
  unfilled.SetMainComment("x");
  EXPECT_EQ(ErrorNumberOf([&] { unfilled.SaveAs(folder.Path("never.gci")); }), ErrBadCallContext);
  EXPECT_TRUE(display.events.isEmpty());
  EXPECT_FALSE(QFile::exists(folder.Path("never.gci")));
  file.LoadFile(folder.Write(MakeFile("h", {a})));
  file.Car(1).SetPad(7);
  ASSERT_TRUE(QDir(folder.path()).mkdir("folder.gci"));
  EXPECT_EQ(ErrorNumberOf([&] { file.SaveAs(folder.Path("folder.gci")); }), ErrPathFileAccess);
  EXPECT_TRUE(Events().endsWith("visible 0|@"));
  EXPECT_FALSE(file.IsChanged());
  file.SaveAs(folder.Path("second.gci"));
  EXPECT_TRUE(ReadFileBytes(folder.Path("second.gci")).contains("\r\n7 {pad}\r\n"));
}

}  // namespace
