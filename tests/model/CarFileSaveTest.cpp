#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "core/AppInfo.h"
#include "core/ErrorCodes.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"

namespace {

class CarFileSave : public ::testing::Test {
 protected:
  QString Path(const char* name) const { return folder.filePath(name); }
  QString Write(const QByteArray& bytes, const char* name = "cars.gci") {
    WriteFileBytes(Path(name), bytes);
    return Path(name);
  }
  QStringList FolderEntries() const {
    return QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
  }

  QTemporaryDir folder;
  RecordingDisplay display;
  NycGciCars file;
};

TEST_F(CarFileSave, AnUneditedFileIsWrittenBackByteForByte) {
  // Odd but valid: text around the header braces, extra empty lines and rubbish at the end.
  const QByteArray odd = "x {head\r\nline} y\r\n\r\n" + MakeBlock("A", 1) + "\r\n\r\n\r\n\r\nzz";
  file.LoadFile(Write(odd));
  file.Save();
  EXPECT_EQ(ReadFileBytes(Path("cars.gci")), odd);
  file.SaveAs(Path("copy.gci"));
  EXPECT_EQ(ReadFileBytes(Path("copy.gci")), odd);
  EXPECT_EQ(file.FileTitle(), "copy.gci");
}

TEST_F(CarFileSave, TheStockCopyIsWrittenWithItsNulBytes) {
  file.NewFile();
  file.SaveAs(Path("new.gci"));
  EXPECT_EQ(ReadFileBytes(Path("new.gci")), StockBytes());
}

TEST_F(CarFileSave, AnEditRebuildsTheWholeContent) {
  const QByteArray odd = "x {head} y\r\n\r\n" + MakeBlock("A", 1) + "\r\n\r\n\r\n\r\nzz";
  file.LoadFile(Write(odd));
  file.Car(1).SetMass(file.Car(1).Mass());  // the same value still counts as an edit
  file.Save();
  EXPECT_EQ(ReadFileBytes(Path("cars.gci")), MakeFile("head", {MakeBlock("A", 1)}));
  EXPECT_FALSE(file.IsChanged());
}

TEST_F(CarFileSave, TheRebuiltStockCopyLoadsBackToTheSameCars) {
  file.NewFile();
  file.Car(5).SetThrust(0.1234f);
  file.SaveAs(Path("edited.gci"));
  const QByteArray written = ReadFileBytes(Path("edited.gci"));
  EXPECT_FALSE(written.contains('\0'));
  NycGciCars again;
  again.LoadFile(Path("edited.gci"));
  ASSERT_EQ(again.Count(), file.Count());
  EXPECT_EQ(again.MainComment(), file.MainComment());
  for (int i = 1; i <= file.Count(); ++i) ASSERT_EQ(again.Car(i).Block(), file.Car(i).Block());
  EXPECT_EQ(again.Car(5).Thrust(), 0.123f);
}

TEST_F(CarFileSave, AnEditOnlyChangesItsOwnLineOfTheStockCopy) {
  file.NewFile();
  file.Car(1).SetMass(16.25f);
  file.SaveAs(Path("edited.gci"));
  QByteArray expected = StockBytes().chopped(3);
  expected.replace(
      "f16.500 {mass}\r\nf1.000 {front drive bias}\r\nf0.500 {front mass bias}\r\n"
      "f1.750 {brake",
      "f16.250 {mass}\r\nf1.000 {front drive bias}\r\nf0.500 {front mass bias}\r\n"
      "f1.750 {brake");
  EXPECT_EQ(ReadFileBytes(Path("edited.gci")), expected);
}

TEST_F(CarFileSave, ProgressRunsOverTheCarsThenOverTheBytes) {
  file.LoadFile(Write(MakeFile("h", {MakeBlock("A", 1), MakeBlock("B", 2)})));
  file.Car(2).SetPad(1);
  display.events.clear();
  file.Save();
  const QString title = ApplicationTitle();
  const QString length = QString::number(ReadFileBytes(Path("cars.gci")).size());
  EXPECT_EQ(
      display.Folded(),
      QStringList({"caption " + title + " - processing data...", "max 2", "value 0", "visible 1",
                   "show", "value 1..2", "caption " + title + " - writing data...", "max " + length,
                   "value 0.." + length, "visible 0", "caption " + title}));
  display.events.clear();
  file.Save();  // nothing changed since: written again without a rebuild
  EXPECT_EQ(display.Folded(),
            QStringList({"caption " + title + " - writing data...", "visible 1", "max " + length,
                         "value 0.." + length, "visible 0", "caption " + title}));
}

TEST_F(CarFileSave, AnUnfilledFileCannotBeRebuilt) {
  NycGciCars empty;
  empty.SetMainComment("x");
  display.events.clear();
  EXPECT_EQ(ErrorNumberOf([&] { empty.SaveAs(Path("never.gci")); }), ErrBadCallContext);
  EXPECT_TRUE(display.events.isEmpty());
  EXPECT_FALSE(QFile::exists(Path("never.gci")));
}

TEST_F(CarFileSave, AFailedWriteKeepsTheRebuiltContentForTheNextSave) {
  file.LoadFile(Write(MakeFile("h", {MakeBlock("A", 1)})));
  file.Car(1).SetPad(7);
  EXPECT_NE(ErrorNumberOf([&] { file.SaveAs(folder.path()); }), 0);  // a folder is no file
  EXPECT_EQ(display.Caption(), ApplicationTitle());
  EXPECT_FALSE(display.ProgressVisible());
  EXPECT_FALSE(file.IsChanged());
  file.SaveAs(Path("second.gci"));
  EXPECT_TRUE(ReadFileBytes(Path("second.gci")).contains("\r\n7 {pad}\r\n"));
}

TEST_F(CarFileSave, AFullDiskLeavesTheOriginalUntouched) {
  // The save runs in a child process whose file size limit is below the file's size.
  const QByteArray original = StockBytes();
  const QString target = Write(original, "target.gci");
  const QString in = Write(original, "in.gci");
  QByteArray err;
  const int status =
      RunProgram("/bin/bash",
                 {"-c", "trap '' XFSZ; ulimit -f 16; exec \"$0\" rewrite --rebuild \"$1\" \"$2\"",
                  TORQLET_CLI_PATH, in, target},
                 nullptr, &err);
  EXPECT_EQ(status, 1);
  EXPECT_TRUE(err.startsWith("error 61: Disk full")) << err.constData();
  EXPECT_EQ(ReadFileBytes(target), original);
  EXPECT_EQ(FolderEntries(), QStringList({"in.gci", "target.gci"}));
}

TEST_F(CarFileSave, AFolderWithoutWriteAccessLeavesTheOriginalUntouched) {
  if (geteuid() != 0 && access("/usr/bin/setpriv", X_OK) != 0) GTEST_SKIP() << "no setpriv";
  const QByteArray original = StockBytes();
  const QString in = Write(original, "in.gci");
  ASSERT_TRUE(QDir(folder.path()).mkdir("locked"));
  const QString target = folder.filePath("locked/target.gci");
  WriteFileBytes(target, original);
  QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                           QFileDevice::ExeOther);
  QFile::setPermissions(folder.filePath("locked"), QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                       QFileDevice::ReadOther |
                                                       QFileDevice::ExeOther);
  QFile::setPermissions(in, QFileDevice::ReadOwner | QFileDevice::ReadOther);
  QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::ReadOther);
  QStringList command = {TORQLET_CLI_PATH, "rewrite", "--rebuild", in, target};
  QString program = TORQLET_CLI_PATH;
  if (geteuid() == 0) {  // root ignores permission bits: write as nobody
    command.prepend("--clear-groups");
    command.prepend("--regid=nogroup");
    command.prepend("--reuid=nobody");
    program = "/usr/bin/setpriv";
  } else {
    command.removeFirst();
  }
  QByteArray err;
  EXPECT_EQ(RunProgram(program, command, nullptr, &err), 1);
  EXPECT_TRUE(err.startsWith("error 70: Permission denied")) << err.constData();
  EXPECT_EQ(ReadFileBytes(target), original);
  EXPECT_EQ(QDir(folder.filePath("locked"))
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList({"target.gci"}));
  QFile::setPermissions(folder.filePath("locked"),
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

}  // namespace
