#include <QSignalSpy>
#include <QTest>

#include "TestSupport.h"
#include "helperlib/DataHandler.h"
#include "helperlib/FileIdentity.h"
#include "helperlib/RecentFiles.h"
#include "model/CarDocument.h"
#include "model/ColumnTable.h"
#include "model/JournalRecovery.h"
#include "model/JournalText.h"
#include "model/RecoveryJournal.h"

namespace {

const QByteArray ThreeCars =
    MakeFile("three", {MakeBlock("Alpha", 0), MakeBlock("Beta", 1), MakeBlock("Gamma", 2)});

LineValue F(float value) { return LineValue::FromFloat(value); }

class RecoveryTest : public ::testing::Test {
 protected:
  void SetUp() override { document.LoadFile(path); }
  void Set(std::int32_t row, std::int32_t col, float value) {
    document.SetCells({{row, col, F(value)}}, [](std::int64_t) { return QStringLiteral("edit"); });
  }
  // The unsaved cells as "row:col=value".
  QStringList Unsaved() const {
    QStringList cells;
    for (const auto& cell : document.UnsavedCells()) {
      cells << QStringLiteral("%1:%2=%3")
                   .arg(cell.row)
                   .arg(cell.col)
                   .arg(std::bit_cast<float>(cell.current));
    }
    return cells;
  }
  QString JournalFolder() const { return folder.Path("state"); }

  FileFolder folder;
  QString path = folder.Write(ThreeCars);
  CarDocument document;
};

// The cells that differ from the file follow every way the history moves,
// also past a save and onto a branch that drops the saved state.
TEST_F(RecoveryTest, UnsavedCellsAreWhatDiffersFromTheFile) {
  QUndoStack& history = document.History();
  const float mass1 = document.CarFile().Car(1).Mass();
  Set(1, 5, 10);
  Set(2, 6, 20);
  Set(1, 5, 11);
  EXPECT_EQ(Unsaved(), QStringList({"1:5=11", "2:6=20"}));
  history.undo();
  history.undo();
  EXPECT_EQ(Unsaved(), QStringList({"1:5=10"}));
  Set(1, 5, mass1);  // typed back: equal to the file again
  EXPECT_EQ(Unsaved(), QStringList());

  Set(3, 7, 30);
  document.Save();
  EXPECT_EQ(Unsaved(), QStringList());
  history.undo();  // back before the save: the file has 30, the cars not
  EXPECT_EQ(Unsaved(), QStringList({"3:7=0.5"}));
  Set(2, 6, 21);  // a new step drops the saved state from the history
  EXPECT_EQ(Unsaved(), QStringList({"2:6=21", "3:7=0.5"}));
  history.undo();
  history.undo();  // below the branch: car 1 has 10 again, the file its typed-back mass
  EXPECT_EQ(Unsaved(), QStringList({"1:5=10", "3:7=0.5"}));
  Set(3, 7, 30);  // typed as the file has it, on a second branch
  EXPECT_EQ(Unsaved(), QStringList({"1:5=10"}));
}

TEST_F(RecoveryTest, TheJournalTextReadsBackExactlyAndRefusesAnyFault) {
  JournalText::Content content;
  content.fileName = QStringLiteral("/tmp/a\\b\nc.gci");
  content.identity = FileIdentity::Made(1, 2, 3, 1733650000123456789);
  content.carCount = 5;
  content.cars = {{2, "Tab\tand\\back\rslash", {{2, LineValue::FromInteger(-7)}, {5, F(0.1f)}}},
                  {5, "Last", {{21, F(-1e-30f)}}}};
  const QByteArray text = JournalText::Write(content);
  QString fault;
  const auto read = JournalText::Read(text, fault);
  ASSERT_TRUE(read) << fault;
  // Shortest texts are exact: the same text again means the same bits.
  EXPECT_EQ(JournalText::Write(*read), text);

  const std::pair<QByteArray, QByteArray> broken[] = {
      {text.left(text.size() - 1), "has no end"},
      {text.left(text.indexOf("end\t")), "before its end line"},
      {text + "car\t1\tx\n", "after the end"},
      {QByteArray(text).replace("journal 1", "journal 2"), "no recovery journal"},
      {QByteArray(text).replace("value\t5\t", "value\t1\t"), "no value column"},
      {QByteArray(text).replace("value\t2\t-7", "value\t2\t-7.5"), "value does not read"},
      {QByteArray(text).replace("car\t5\t", "car\t6\t"), "car line"},
      {QByteArray(text).replace("end\t3", "end\t2"), "does not count"},
      {QByteArray(text).replace("\\\\back", "\\xback"), "car line"},
  };
  // Block lines (cars whole) never come with car lines.
  EXPECT_FALSE(JournalText::Read(QByteArray(text).replace("end\t3", "block\tx\nend\t4"), fault));
  for (const auto& [bytes, why] : broken) {
    fault.clear();
    EXPECT_FALSE(JournalText::Read(bytes, fault)) << bytes;
    EXPECT_TRUE(fault.contains(QString::fromLatin1(why))) << fault << " for " << bytes;
  }
}

// The journal is written after a step, atomically, under a lock no other
// process (or recovery) can take, and goes when nothing is unsaved.
TEST_F(RecoveryTest, TheJournalFollowsTheUnsavedEditsAndIsLockedWhileItLives) {
  auto journal = std::make_unique<RecoveryJournal>(document, JournalFolder());
  Set(2, 6, 20);
  EXPECT_FALSE(QFileInfo::exists(journal->Path()));
  EXPECT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(journal->Path()); }, 3000));
  QString fault;
  auto written = JournalText::Read(ReadFileBytes(journal->Path()), fault);
  ASSERT_TRUE(written) << fault;
  EXPECT_EQ(written->fileName, path);
  EXPECT_EQ(written->identity, FileIdentity::Of(path));
  EXPECT_EQ(written->cars.at(0).name, "Beta");
  EXPECT_EQ(JournalRecovery(JournalFolder()).Count(), 0) << "the live journal is locked";

  document.History().undo();
  EXPECT_FALSE(QFileInfo::exists(journal->Path()));
  document.History().redo();
  EXPECT_TRUE(journal->WriteNow());
  document.Save();
  EXPECT_FALSE(QFileInfo::exists(journal->Path()));
  Set(1, 5, 3);
  // Cars removed (as by a merge): the journal holds the cars whole.
  const CarDocument::Cars& cars = document.CarFile().Cars();
  document.ReplaceCars(CarDocument::Cars(cars.begin(), cars.begin() + 2), "Merge");
  EXPECT_TRUE(journal->WriteNow());
  written = JournalText::Read(ReadFileBytes(journal->Path()), fault);
  ASSERT_TRUE(written) << fault;
  EXPECT_EQ(written->blocks.size(), 2u);
  EXPECT_TRUE(written->cars.empty());
  EXPECT_FALSE(
      JournalText::Read(ReadFileBytes(journal->Path()).replace("cars\t2", "cars\t3"), fault))
      << "as many blocks as cars";
  const QString left = journal->Path();
  journal.reset();  // the window went without a crash
  EXPECT_FALSE(QFileInfo::exists(left));
  EXPECT_FALSE(QFileInfo::exists(left + ".lock"));
}

// A journal left by an ended process: applied by row to the file it was
// written for, by name to a file changed since; discarded with its lock.
TEST_F(RecoveryTest, ALeftJournalIsAppliedByRowOrByNameAndCanBeDiscarded) {
  JournalText::Content content;
  content.fileName = path;
  content.identity = FileIdentity::Of(path);
  content.carCount = 3;
  content.cars = {{2, "Beta", {{6, F(20)}}}, {3, "Gamma", {{7, F(30)}}}};
  QDir().mkpath(JournalFolder());
  const QString left = JournalFolder() + "/old" + RecoveryJournal::Suffix();
  WriteFileBytes(left, JournalText::Write(content));

  JournalRecovery journals(JournalFolder());
  ASSERT_EQ(journals.Count(), 1);
  QString fault;
  const auto read = journals.Read(0, fault);
  ASSERT_TRUE(read) << fault;
  auto outcome = JournalRecovery::Apply(document, *read, "Recover");
  EXPECT_FALSE(outcome.byName);
  EXPECT_EQ(outcome.changed, 2);
  EXPECT_EQ(document.CarFile().Car(3).ValueOf(ColumnTable::Field(7)).real, 30.0f);

  // Another program reordered the cars and dropped Gamma.
  WriteFileBytes(path, MakeFile("three", {MakeBlock("Beta", 1), MakeBlock("Alpha", 0)}));
  document.LoadFile(path);
  outcome = JournalRecovery::Apply(document, *read, "Recover");
  EXPECT_TRUE(outcome.byName);
  EXPECT_EQ(outcome.changed, 1);
  EXPECT_EQ(outcome.missingCars, QStringList({"Gamma"}));
  EXPECT_EQ(document.CarFile().Car(1).ValueOf(ColumnTable::Field(6)).real, 20.0f);

  // A journal of cars whole puts them in place of the file's, as one step.
  content.blocks = {MakeBlock("Zeta", 0), MakeBlock("Alpha", 3), MakeBlock("Beta", 1)};
  content.cars.clear();
  outcome = JournalRecovery::Apply(document, content, "Recover");
  EXPECT_EQ(outcome.changed, 3);
  EXPECT_EQ(document.CarFile().Car(1).Block(), content.blocks[0]);
  EXPECT_TRUE(document.CarsReplacedSinceSave());

  journals.Discard(0);
  EXPECT_FALSE(QFileInfo::exists(left));
  EXPECT_EQ(JournalRecovery(JournalFolder()).Count(), 0);
}

TEST(RecentFilesTest, NewestFirstEachOnceAtMostEight) {
  RecentFiles recent;
  recent.Clear();
  for (int i = 1; i <= 10; ++i) recent.Add(QStringLiteral("/cars/%1.gci").arg(i));
  recent.Add("/cars/5.gci");
  recent.Add("/cars/../cars/9.gci");
  const QStringList list = recent.List();
  EXPECT_EQ(list, QStringList({"/cars/9.gci", "/cars/5.gci", "/cars/10.gci", "/cars/8.gci",
                               "/cars/7.gci", "/cars/6.gci", "/cars/4.gci", "/cars/3.gci"}));
}

}  // namespace
