#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QSignalSpy>
#include <cerrno>
#include <cstring>

#include "TestSupport.h"
#include "helperlib/DataHandler.h"

// Every write of the data handler in these tests goes through here: while the
// budget is not negative, writes fail with ENOSPC once it is spent, as on a
// full disk.
static std::int64_t writeBudget = -1;

static std::int64_t WriteWithinBudget(int descriptor, const char* data, std::int64_t size) {
  if (writeBudget >= 0) size = std::min(size, writeBudget);
  if (size == 0) return errno = ENOSPC, -1;
  const std::int64_t written = ::write(descriptor, data, std::size_t(size));
  if (writeBudget > 0 && written > 0) writeBudget -= written;
  return written;
}

static QByteArray Name(const QString& path) { return QFile::encodeName(path); }

static struct stat StatusOf(const QString& path) {
  struct stat status {};
  EXPECT_EQ(stat(Name(path).constData(), &status), 0) << path.toStdString();
  return status;
}

// Runs the call in a child process, as nobody when the tests run as root (who
// may write whatever the permission bits say); returns the number of the
// runtime error it raised.
static int ErrorAsUser(const std::function<void()>& call) {
  const pid_t child = fork();
  if (child == 0) {
    if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setresgid(65534, 65534, 65534) != 0 ||
                           setresuid(65534, 65534, 65534) != 0)) {
      _exit(255);
    }
    const std::int32_t number = ErrorNumberOf(call);
    _exit(number > 0 && number < 255 ? number : 255);
  }
  int status = 0;
  return waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class DataHandlerTest : public ::testing::Test {
 protected:
  QStringList Entries(const char* sub = "") const {
    return QDir(folder.Path(sub))
        .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
  }
  QString Link(const QString& path) const {
    EXPECT_EQ(link(Name(path).constData(), Name(path + "2").constData()), 0);
    return path + "2";
  }
  void SetUp() override { DataHandler::writeFunction = WriteWithinBudget; }
  void TearDown() override {
    DataHandler::writeFunction = systemWrite;
    writeBudget = -1;
  }

  FileFolder folder;
  DataHandler handler;
  const DataHandler::WriteFunction systemWrite = DataHandler::writeFunction;
};

TEST_F(DataHandlerTest, RefusesWhatIsNoRegularFileOrTooLargeAndNamesTheReason) {
  const QString path = folder.Write("content"), fifo = folder.Path("pipe.gci");
  QSignalSpy progress(&handler, &DataHandler::FilePartlyRead);
  handler.LoadFile(folder.Write("", "empty.gci"));
  EXPECT_EQ(progress.first().at(2).toFloat(), 100.0f);  // an empty file is read whole at once
  handler.LoadFile(path);
  ASSERT_EQ(mkfifo(Name(fifo).constData(), 0600), 0);
  // Sparse files cost no disk; 4 GiB + 5 bytes would look like 5 bytes in 32 bits.
  const QString large = folder.Write("", "large.gci"), larger = folder.Write("", "larger.gci");
  ASSERT_EQ(truncate(Name(large).constData(), off_t(1) << 31), 0);
  ASSERT_EQ(truncate(Name(larger).constData(), (off_t(1) << 32) + 5), 0);
  const QString irregular = "not a regular file",
                huge = "files of 2 GiB and more are not supported";
  // Path, error, reason, and whether to save there too (never onto a device or a huge file).
  // clang-format off
  const std::tuple<QString, std::int32_t, QString, bool> cases[] = {
      {fifo, ErrPathFileAccess, irregular, true}, {"/dev/zero", ErrPathFileAccess, irregular, false},
      {folder.path(), ErrPathFileAccess, "it is a folder", true},
      {folder.Path("none"), ErrFileNotFound, std::strerror(ENOENT), false},
      {large, ErrPathFileAccess, huge, false}, {larger, ErrPathFileAccess, huge, false}};
  // clang-format on
  for (const auto& [where, number, reason, save] : cases) {
    DataHandler writer;
    writer.NewData();
    for (const bool saving : {false, save}) {
      const QString target = where;  // clang 14 lambdas cannot take a structured binding
      const TorqletError error =
          ErrorOf([&] { saving ? writer.SaveAs(target) : handler.LoadFile(target); });
      EXPECT_EQ(error.Number(), number) << target;
      EXPECT_TRUE(error.Description().endsWith("'" + target + "' (" + reason + ")"))
          << error.Description();
    }
  }
  EXPECT_EQ(handler.Data().Text(), "content");
  EXPECT_EQ(handler.FileName(), path);
  EXPECT_FALSE(QFileInfo(fifo).isFile());  // still the pipe
  EXPECT_EQ(Entries(),
            QStringList({"cars.gci", "empty.gci", "large.gci", "larger.gci", "pipe.gci"}));
}

TEST_F(DataHandlerTest, SavingKeepsLinksPermissionsAndTheOwner) {
  const bool root = geteuid() == 0;  // only root may give a file away
  const QString real = folder.Write("old", "real.gci"), hard = folder.Write("old", "hard.gci");
  ASSERT_TRUE(QFile::link(real, folder.Path("link.gci")));
  // Giving a file away and writing into it clear the set-user and set-group bits.
  const mode_t mode = 06750;
  for (const QString& path : {real, Link(hard)}) {
    ASSERT_TRUE(!root || chown(Name(path).constData(), 65534, 65534) == 0);
    ASSERT_EQ(chmod(Name(path).constData(), mode), 0);
  }
  for (const char* name : {"link.gci", "hard.gci"}) {
    handler.LoadFile(folder.Path(name));
    handler.Data().SetText("new content");
    handler.Save();
  }
  EXPECT_TRUE(QFileInfo(folder.Path("link.gci")).isSymLink());
  for (const QString& path : {real, hard + "2"}) {
    const struct stat status = StatusOf(path);
    EXPECT_EQ(ReadFileBytes(path), "new content");
    EXPECT_EQ(status.st_mode & 07777, mode);
    EXPECT_TRUE(!root || (status.st_uid == 65534 && status.st_gid == 65534));
    EXPECT_EQ(status.st_nlink, path == real ? 1u : 2u);
  }
  EXPECT_EQ(Entries(), QStringList({"hard.gci", "hard.gci2", "link.gci", "real.gci"}));
}

// A file that another program cuts short while it is read gives what was read.
TEST_F(DataHandlerTest, AFileThatShrinksWhileItIsReadGivesWhatWasRead) {
  const QString path = folder.Write(QByteArray(300'000, 'x'));
  QObject::connect(&handler, &DataHandler::FilePartlyRead, [&](std::int32_t, std::int32_t done) {
    if (done > 0) {
      ASSERT_EQ(truncate(Name(path).constData(), 10), 0);
    }
  });
  handler.LoadFile(path);
  EXPECT_EQ(handler.Data().Text().size(), 262144);
}

TEST_F(DataHandlerTest, NoticesWhenAnotherProgramChangedTheFile) {
  const QString path = folder.Path("cars.gci"), other = folder.Write("content.", "new.gci");
  const std::function<void()> changes[] = {
      [&] {  // one byte other, at another time
        WriteFileBytes(path, "content!");
        const timespec times[2] = {{0, UTIME_OMIT}, {1'000'000'000, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, Name(path).constData(), times, 0), 0);
      },
      [&] { ASSERT_TRUE(QFile::remove(path)); },
      // Replaced by another file with the same content.
      [&] { ASSERT_EQ(rename(Name(other).constData(), Name(path).constData()), 0); }};
  for (const auto& change : changes) {
    handler.LoadFile(folder.Write("content."));
    EXPECT_FALSE(handler.FileChangedOnDisk());
    handler.Save();
    EXPECT_FALSE(handler.FileChangedOnDisk());
    EXPECT_EQ(handler.DiskIdentity(), FileIdentity::Of(path));
    change();
    EXPECT_TRUE(handler.FileChangedOnDisk());
  }
  handler.NewData();
  EXPECT_FALSE(handler.DiskIdentity().IsValid());
  EXPECT_EQ(ErrorNumberOf([&] { handler.Save(); }), ErrPathFileAccess);  // no file to save to
}

TEST_F(DataHandlerTest, WithoutWriteAccessTheFileStaysAsItWas) {
  ASSERT_EQ(chmod(Name(folder.path()).constData(), 0755), 0);
  // A folder nobody may write to, and a read-only file, with one name or two.
  const std::pair<const char*, mode_t> cases[] = {
      {"locked", 0555}, {"open", 0777}, {"linked", 0777}};
  for (const auto& [name, mode] : cases) {
    ASSERT_TRUE(QDir(folder.path()).mkdir(name));
    const QString path = folder.Write("old", (name + QByteArray("/cars.gci")).constData());
    if (name == QLatin1String("linked")) Link(path);
    ASSERT_EQ(chmod(Name(path).constData(), 0444), 0);
    ASSERT_EQ(chmod(Name(folder.Path(name)).constData(), mode), 0);
    const QStringList before = Entries(name);
    handler.LoadFile(path);
    handler.Data().SetText("new content");
    EXPECT_EQ(ErrorAsUser([&] { handler.Save(); }), 70) << name;  // "Permission denied"
    EXPECT_EQ(ReadFileBytes(path), "old");
    EXPECT_EQ(StatusOf(path).st_mode & 0777, 0444u);
    EXPECT_EQ(Entries(name), before);
    chmod(Name(folder.Path(name)).constData(), 0755);
  }
}

// A full disk in the middle of each call of a save is the fault tests'. Here:
// should the write into a linked file fail and putting its old content back
// fail too, the error names the backup that holds it.
TEST_F(DataHandlerTest, AFullDiskNamesTheBackupThatHoldsTheOldContent) {
  const QString path = folder.Path("cars.gci");
  WriteFileBytes(path, "old");
  Link(path);
  handler.LoadFile(path);
  handler.Data().SetText("new content");
  writeBudget = 3 + 5;  // the backup and a part of the new content
  const TorqletError error = ErrorOf([&] { handler.Save(); });
  EXPECT_EQ(error.Number(), ErrDiskFull);
  EXPECT_TRUE(error.Description().endsWith("the old content is in '" + path + "~'"))
      << error.Description().toStdString();
  EXPECT_EQ(ReadFileBytes(path + "~"), "old");
  // A backup in the way is never overwritten: the file stays as it is.
  writeBudget = -1;
  EXPECT_EQ(ErrorNumberOf([&] { handler.Save(); }), ErrPathFileAccess);
  EXPECT_EQ(ReadFileBytes(path + "~"), "old");
}

// Content given in pieces, the same each time, or with a byte more each time
// it starts again.
class PieceSource final : public ContentSource {
 public:
  PieceSource(QByteArrayList pieces, int rounds = 1) : pieces_(pieces), rounds_(rounds) {}
  QByteArrayView Next() override {
    if (next_ == pieces_.size() * rounds_) return {};
    return pieces_[next_++ % pieces_.size()];
  }
  void Rewind() override {
    next_ = 0;
    if (growing) pieces_.last() += '!';
  }
  bool growing = false;

 private:
  QByteArrayList pieces_;
  qsizetype rounds_, next_ = 0;
};

TEST_F(DataHandlerTest, ContentMadeWhileItIsWrittenIsSavedWithTheSameCare) {
  const QString path = folder.Write("old"), second = Link(path);
  handler.LoadFile(path);
  PieceSource source({"new ", "content"});
  handler.Save(source);  // twice: the temporary file, then the file itself
  EXPECT_EQ(ReadFileBytes(second), "new content");
  EXPECT_EQ(StatusOf(path).st_nlink, 2u);
  // Content that comes out otherwise the second time leaves the file as it was.
  source.growing = true;
  EXPECT_EQ(ErrorNumberOf([&] { handler.Save(source); }), ErrPathFileAccess);
  EXPECT_EQ(ReadFileBytes(second), "new content");
  EXPECT_EQ(Entries().size(), 2);
  // Content that grows past the largest file fails on the size limit before
  // it replaces the file.
  DataHandler::writeFunction = [](int, const char*, std::int64_t size) { return size; };
  PieceSource huge({QByteArray(1 << 20, 'x'), "x"}, 2048);
  const TorqletError error = ErrorOf([&] { handler.SaveAs(folder.Path("huge.gci"), huge); });
  EXPECT_EQ(error.Number(), ErrPathFileAccess);
  EXPECT_TRUE(error.Description().endsWith("(files of 2 GiB and more are not supported)"));
  EXPECT_EQ(handler.FileName(), path);
  EXPECT_EQ(Entries().size(), 2);
}
