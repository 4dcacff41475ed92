#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QTemporaryDir>

#include "TestSupport.h"
#include "core/ErrorCodes.h"
#include "helperlib/Counter.h"
#include "helperlib/DataHandler.h"

namespace {

TEST(Counter, ReportsEveryChangeWithNewAndOldValue) {
  Counter counter;
  QList<QPair<int, int>> changes;
  QObject::connect(&counter, &Counter::ValueChanged, [&](std::int32_t now, std::int32_t before) {
    changes << qMakePair(now, before);
  });
  counter.Increase(1);
  counter.Increase(1);
  counter.Decrease(1);
  EXPECT_EQ(changes, (QList<QPair<int, int>>{{1, 0}, {2, 1}, {1, 2}}));
  counter.Increase(2147483646);
  EXPECT_EQ(ErrorNumberOf([&] { counter.Increase(1); }), ErrOverflow);
  EXPECT_EQ(counter.Value(), 2147483647);
}

class DataHandlerTest : public ::testing::Test {
 protected:
  QTemporaryDir folder;
  DataHandler handler;
  QStringList events;
  void SetUp() override {
    QObject::connect(&handler, &DataHandler::FilePartlyRead,
                     [&](std::int32_t length, std::int32_t count, float) {
                       events << QStringLiteral("read %1/%2").arg(count).arg(length);
                     });
    QObject::connect(&handler, &DataHandler::FilePartlyWritten,
                     [&](std::int32_t length, std::int32_t count, float) {
                       events << QStringLiteral("written %1/%2").arg(count).arg(length);
                     });
  }
};

TEST_F(DataHandlerTest, ReadsAndWritesInChunksWithProgress) {
  const QByteArray bytes(DataHandler::ChunkSize * 2 + 10, 'x');
  const QString path = folder.filePath("big.gci");
  WriteFileBytes(path, bytes);
  handler.LoadFile(path);
  EXPECT_TRUE(handler.HasData());
  EXPECT_EQ(handler.Data().Text(), bytes);
  const QString length = QString::number(bytes.size());
  EXPECT_EQ(events, QStringList({"read 0/" + length, "read 262144/" + length,
                                 "read 524288/" + length, "read " + length + "/" + length}));
  events.clear();
  handler.SaveAs(folder.filePath("copy.gci"));
  EXPECT_EQ(events.first(), "written 0/" + length);
  EXPECT_EQ(events.last(), "written " + length + "/" + length);
  EXPECT_EQ(ReadFileBytes(folder.filePath("copy.gci")), bytes);
  EXPECT_EQ(handler.FileTitle(), "copy.gci");
}

TEST_F(DataHandlerTest, AnEmptyFileGivesOneEventAndNoContent) {
  const QString path = folder.filePath("empty.gci");
  WriteFileBytes(path, "");
  handler.LoadFile(path);
  EXPECT_EQ(events, QStringList({"read 0/0"}));
  EXPECT_TRUE(handler.Data().Text().isEmpty());
}

TEST_F(DataHandlerTest, RefusesWhatIsNoRegularFileAndKeepsItsContent) {
  const QString path = folder.filePath("good.gci");
  WriteFileBytes(path, "content");
  handler.LoadFile(path);
  const QString fifo = folder.filePath("pipe.gci");
  ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
  EXPECT_EQ(ErrorNumberOf([&] { handler.LoadFile(fifo); }), ErrPathFileAccess);
  EXPECT_EQ(ErrorNumberOf([&] { handler.LoadFile("/dev/zero"); }), ErrPathFileAccess);
  EXPECT_EQ(ErrorNumberOf([&] { handler.LoadFile(folder.path()); }), ErrPathFileAccess);
  EXPECT_EQ(ErrorNumberOf([&] { handler.LoadFile(folder.filePath("none")); }), ErrFileNotFound);
  EXPECT_EQ(handler.Data().Text(), "content");
  EXPECT_EQ(handler.FileName(), path);
}

TEST_F(DataHandlerTest, SavingKeepsLinksAndPermissions) {
  const QString real = folder.filePath("real.gci");
  const QString link = folder.filePath("link.gci");
  WriteFileBytes(real, "old");
  ASSERT_TRUE(QFile::link(real, link));
  ASSERT_TRUE(QFile::setPermissions(
      real, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup));
  handler.LoadFile(link);
  handler.Data().SetText("new");
  handler.Save();
  EXPECT_TRUE(QFileInfo(link).isSymLink());
  EXPECT_EQ(ReadFileBytes(real), "new");
  struct stat status {};
  ASSERT_EQ(stat(real.toLocal8Bit().constData(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0640u);
}

TEST_F(DataHandlerTest, SavingWithoutAFileIsRefused) {
  handler.NewData();
  handler.Data().SetText("x");
  EXPECT_EQ(ErrorNumberOf([&] { handler.Save(); }), ErrPathFileAccess);
  EXPECT_EQ(handler.FileTitle(), "Untitled");
}

}  // namespace
