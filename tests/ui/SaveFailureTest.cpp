#include <sys/resource.h>

#include <QDir>
#include <csignal>

#include "UiTestSupport.h"
#include "ui/sheet/frmCars.h"

namespace {

using Answer = UserDialogs::Answer;

// Saving from the editor when the write fails: the file on disk keeps its
// bytes, nothing is left beside it, the document stays changed and the user
// is told. The write limit of the process stands in for a full disk.
class SaveFailureTest : public FrameTest {
 protected:
  frmCars* ChangedDocument() {
    original = StockWith({});
    path = WriteFile("cars.gci", original);
    frmCars* sheet = OpenDocument(path);
    sheet->SetCellValue(1, 5, QStringLiteral("42"));
    return sheet;
  }
  QStringList FolderEntries() const {
    return QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
  }
  QByteArray original;
  QString path;
};

class WriteLimit {
 public:
  explicit WriteLimit(rlim_t bytes) {
    previousSignal_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit limit = previous_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~WriteLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousSignal_);
  }

 private:
  rlimit previous_{};
  void (*previousSignal_)(int) = nullptr;
};

TEST_F(SaveFailureTest, AFullDiskKeepsTheFileAndTheEditsAndTellsTheUser) {
  frmCars* sheet = ChangedDocument();
  dialogs.AnswerMessage(Answer::Ok);
  {
    WriteLimit fullDisk(16 * 1024);
    Trigger("mnuFileSave");
  }
  ASSERT_FALSE(dialogs.asked.empty());
  EXPECT_TRUE(dialogs.asked.back().text.startsWith(QStringLiteral("Error 61")))
      << dialogs.asked.back().text.toStdString();
  EXPECT_TRUE(sheet->Changed());
  EXPECT_EQ(ReadFileBytes(path), original);
  EXPECT_EQ(FolderEntries(), QStringList({"cars.gci"}));

  Trigger("mnuFileSave");  // with room again the same edit is written
  EXPECT_FALSE(sheet->Changed());
  EXPECT_NE(ReadFileBytes(path), original);
}

TEST_F(SaveFailureTest, AFolderAsTargetKeepsTheEditsAndTellsTheUser) {
  frmCars* sheet = ChangedDocument();
  ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("taken.gci")));
  dialogs.ChooseFile(Path("taken.gci"));
  dialogs.AnswerMessage(Answer::Ok);
  EXPECT_FALSE(sheet->SaveAs());
  EXPECT_TRUE(dialogs.asked.back().text.startsWith(QStringLiteral("Unable to save file")));
  EXPECT_TRUE(sheet->Changed());
  EXPECT_TRUE(QFileInfo(Path("taken.gci")).isDir());
  EXPECT_EQ(ReadFileBytes(path), original);
  EXPECT_EQ(FolderEntries(), QStringList({"cars.gci", "taken.gci"}));
}

}  // namespace
