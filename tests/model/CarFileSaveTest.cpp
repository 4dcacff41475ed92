#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
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
    return folder.Write(bytes, name);
  }
  QStringList FolderEntries(const QString& sub = QString()) const {
    return QDir(folder.filePath(sub))
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
  }
  // Root writes whatever the permission bits say, so as root the command-line
  // tool runs as nobody; without setpriv a root test cannot be run.
  static bool CanRunAsUser() { return geteuid() != 0 || access("/usr/bin/setpriv", X_OK) == 0; }
  static int RunCliAsUser(const QStringList& arguments, QByteArray* err) {
    if (geteuid() != 0) return RunProgram(TORQLET_CLI_PATH, arguments, nullptr, err);
    const QStringList asNobody = {"--reuid=nobody", "--regid=nogroup", "--clear-groups",
                                  CliReachableByEverybody()};
    return RunProgram("/usr/bin/setpriv", asNobody + arguments, nullptr, err);
  }
  // The build folder may lie where nobody cannot enter (a clone under /root):
  // a copy of the tool in a folder open to everybody.
  static QString CliReachableByEverybody() {
    static QTemporaryDir toolFolder;
    static const QString copy = [] {
      const QString path = toolFolder.filePath("torqlet-cli");
      QFile::copy(TORQLET_CLI_PATH, path);
      const auto everybody = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                             QFileDevice::ExeOwner | QFileDevice::ReadOther | QFileDevice::ExeOther;
      QFile::setPermissions(toolFolder.path(), everybody);
      QFile::setPermissions(path, everybody);
      return path;
    }();
    return copy;
  }
  // Lets every user into the test's folder, so that nobody reaches the files.
  void OpenFolderToEverybody() const {
    QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                             QFileDevice::ExeOther);
  }

  FileFolder folder;
  RecordingDisplay display;
  NycGciCars file{&display};
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
  // A folder is no file: it stays as it is, and nothing is left beside it.
  ASSERT_TRUE(QDir(folder.path()).mkdir("folder.gci"));
  Write("inside", "folder.gci/inside.gci");
  const TorqletError error = ErrorOf([&] { file.SaveAs(Path("folder.gci")); });
  EXPECT_EQ(error.Number(), ErrPathFileAccess);
  EXPECT_TRUE(error.Description().contains("folder.gci")) << error.Description().toStdString();
  EXPECT_TRUE(QFileInfo(Path("folder.gci")).isDir());
  EXPECT_EQ(QDir(Path("folder.gci")).entryList(QDir::Files | QDir::Hidden),
            QStringList({"inside.gci"}));
  EXPECT_EQ(ReadFileBytes(Path("folder.gci/inside.gci")), "inside");
  EXPECT_EQ(FolderEntries(), QStringList({"cars.gci", "folder.gci"}));
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
  if (!CanRunAsUser()) GTEST_SKIP() << "no setpriv";
  const QByteArray original = StockBytes();
  const QString in = Write(original, "in.gci");
  ASSERT_TRUE(QDir(folder.path()).mkdir("locked"));
  const QString target = folder.filePath("locked/target.gci");
  WriteFileBytes(target, original);
  OpenFolderToEverybody();
  const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ReadOther;
  QFile::setPermissions(folder.filePath("locked"),
                        readOnly | QFileDevice::ExeOwner | QFileDevice::ExeOther);
  QFile::setPermissions(in, readOnly);
  QFile::setPermissions(target, readOnly);
  QByteArray err;
  EXPECT_EQ(RunCliAsUser({"rewrite", "--rebuild", in, target}, &err), 1);
  EXPECT_TRUE(err.startsWith("error 70: Permission denied")) << err.constData();
  EXPECT_EQ(ReadFileBytes(target), original);
  EXPECT_EQ(FolderEntries("locked"), QStringList({"target.gci"}));
  QFile::setPermissions(folder.filePath("locked"),
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(CarFileSave, AReadOnlyTargetLeavesTheOriginalUntouched) {
  if (!CanRunAsUser()) GTEST_SKIP() << "no setpriv";
  const QByteArray original = StockBytes();
  const QString in = Write(original, "in.gci");
  // Anybody may create files in the folder, but nobody may write the file.
  ASSERT_TRUE(QDir(folder.path()).mkdir("open"));
  const QString target = folder.filePath("open/target.gci");
  WriteFileBytes(target, original);
  OpenFolderToEverybody();
  QFile::setPermissions(folder.filePath("open"),
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                            QFileDevice::ReadOther | QFileDevice::WriteOther |
                            QFileDevice::ExeOther);
  const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ReadOther;
  QFile::setPermissions(in, readOnly);
  QFile::setPermissions(target, readOnly);
  for (const QStringList& command :
       {QStringList{"rewrite", in, target}, QStringList{"rewrite", "--rebuild", in, target}}) {
    QByteArray err;
    EXPECT_EQ(RunCliAsUser(command, &err), 1);
    EXPECT_TRUE(err.startsWith("error 70: Permission denied")) << err.constData();
    EXPECT_EQ(ReadFileBytes(target), original);
    struct stat status {};
    ASSERT_EQ(stat(target.toLocal8Bit().constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0404u);
    EXPECT_EQ(FolderEntries("open"), QStringList({"target.gci"}));
  }
}

}  // namespace
