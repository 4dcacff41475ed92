#include "UiTestSupport.h"
#include "model/CarSortFilterModel.h"
#include "model/FileWatch.h"
#include "model/JournalText.h"
#include "model/RecoveryJournal.h"
#include "ui/frame/EditRecovery.h"
#include "ui/frame/StatusLine.h"
#include "ui/sheet/SheetCommands.h"

namespace {

using RecoveryUiTest = FrameTest;

// Replaces the file as another program's atomic save does, and waits until
// the window has asked (or a while, when it should not).
void ReplaceFile(const QString& path, const QByteArray& bytes) {
  WriteFileBytes(path + ".other", bytes);
  ASSERT_EQ(std::rename(qPrintable(path + ".other"), qPrintable(path)), 0);
}

// Another program's save asks once when the window is active, also for a
// change in place after a replacement; the document's own save never asks.
// An unedited document reloads on Yes, keeping its order, filter and current
// car; an edited one keeps its edits or reloads as the user picks.
TEST_F(RecoveryUiTest, AChangeOnDiskAsksOnceAndReloadKeepsTheView) {
  const QString path = WriteFile("cars.gci", StockBytes());
  OpenDocument(path);
  grid->SetCol(5);
  sheet->Commands().SortDescending();
  grid->SetRow(3);
  const std::size_t opened = dialogs.asked.size();
  const auto waitForAsk = [this, opened](std::size_t asked) {
    return QTest::qWaitFor([&] { return dialogs.asked.size() > opened + asked; }, 3000);
  };
  const auto question = [this, opened](std::size_t index) { return dialogs.asked[opened + index]; };

  dialogs.AnswerMessage(Answer::Yes);
  const QByteArray changed = StockWith({{"Romero", "Romera"}});
  ReplaceFile(path, changed);
  ASSERT_TRUE(waitForAsk(0));
  EXPECT_EQ(question(0).text,
            "The file \"" + path + "\" was changed by another program. Reload it?");
  EXPECT_FALSE(sheet->Changed());
  // Other names: the view starts afresh, in file order.
  EXPECT_EQ(grid->Shown().SortedColumn(), -1);
  EXPECT_EQ(grid->Row(), 3);

  sheet->Commands().SortDescending();
  grid->SetRow(3);
  const QString shownCar = grid->TextMatrix(3, 0);
  dialogs.AnswerMessage(Answer::Yes);
  ReplaceFile(path, changed + "\n");
  ASSERT_TRUE(waitForAsk(1));
  EXPECT_EQ(grid->Shown().SortedColumn(), 5) << "the same cars keep the order";
  EXPECT_EQ(grid->TextMatrix(grid->Row(), 0), shownCar);

  sheet->SetCellValue(1, 6, "7");
  dialogs.Pick(1);  // keep the edits
  ReplaceFile(path, changed);
  ASSERT_TRUE(waitForAsk(2));
  EXPECT_EQ(question(2).choices, QStringList({"Reload and lose your edits", "Keep your edits"}));
  EXPECT_TRUE(sheet->Changed());
  EXPECT_EQ(sheet->GetCellText(1, 6), "7.000");
  QTest::qWait(FileWatch::SettleMilliseconds * 3);
  EXPECT_EQ(dialogs.asked.size(), opened + 3) << "one question for one change";
  dialogs.Pick(0);  // reload and lose them
  {
    QFile file(path);  // in place, into the file the last rename brought
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("\n");
  }
  ASSERT_TRUE(waitForAsk(3));
  EXPECT_FALSE(sheet->Changed());
  EXPECT_NE(sheet->GetCellText(1, 6), "7.000");
  sheet->SetCellValue(1, 6, "8");
  ASSERT_TRUE(sheet->Save());
  QTest::qWait(FileWatch::SettleMilliseconds * 3);
  EXPECT_EQ(dialogs.asked.size(), opened + 4);

  // A deleted file only marks the document unsaved.
  QFile::remove(path);
  EXPECT_TRUE(QTest::qWaitFor([this] { return sheet->isWindowModified(); }, 3000));
  EXPECT_EQ(dialogs.asked.size(), opened + 4);
}

// Journals left by a crash are offered once; Yes opens their documents with
// the edits as one unsaved, undoable step, and a changed file is named.
TEST_F(RecoveryUiTest, LeftJournalsAreOfferedAndRecoveredAsOneStep) {
  const QString path = WriteFile("cars.gci", StockBytes());
  const QString folder = Path("state");
  QDir().mkpath(folder);
  JournalText::Content content;
  content.fileName = path;
  content.identity = FileIdentity::Of(path);
  CarDocument stock;
  stock.LoadFile(path);
  content.carCount = stock.CarFile().Count();
  content.cars = {{2, "Wellard", {{5, LineValue::FromFloat(1234.5f)}}}};
  WriteFileBytes(folder + "/a" + RecoveryJournal::Suffix(), JournalText::Write(content));
  content.fileName.clear();  // a new document's edits
  content.identity = FileIdentity();
  WriteFileBytes(folder + "/b" + RecoveryJournal::Suffix(), JournalText::Write(content));
  WriteFileBytes(folder + "/c" + RecoveryJournal::Suffix(), "torqlet recovery journal 1\n");

  dialogs.AnswerMessage(Answer::Yes);
  dialogs.AnswerMessage(Answer::Ok);  // the corrupt one is named and kept
  EXPECT_TRUE(EditRecovery::Offer(*frame, folder));
  EXPECT_EQ(dialogs.asked[0].text,
            "Torqlet was not closed properly. Recover the unsaved edits of 3 documents?");
  EXPECT_EQ(dialogs.asked[0].buttons, UserDialogs::Buttons::YesNoDiscard);
  EXPECT_TRUE(dialogs.asked.back().text.startsWith("The recovery journal \"" + folder + "/c"));
  ASSERT_EQ(frame->CarWindows().size(), 2);
  for (frmCars* window : frame->CarWindows()) {
    Use(window);
    EXPECT_EQ(sheet->GetCellText(2, 5), "1234.500");
    EXPECT_EQ(sheet->Document().History().undoText(), "Recover unsaved edits");
  }
  EXPECT_EQ(frame->CarWindows()[0]->FileName(), path);
  EXPECT_TRUE(QFileInfo::exists(sheet->Journal().Path())) << "the edits are safe again";
  EXPECT_EQ(QDir(folder).entryList({"*.journal"}), QStringList({"c.journal"}));
  dialogs.AnswerMessage(Answer::Discard);
  EXPECT_FALSE(EditRecovery::Offer(*frame, folder));
  EXPECT_EQ(QDir(folder).entryList({"c.journal"}).size(), 0);
}

// The status bar names the current car and column and adds up the selection.
TEST_F(RecoveryUiTest, TheStatusBarDescribesTheSelection) {
  NewDocument();
  grid->SelectRange(1, 2, 2, 3);
  frame->Status().Update();
  const StatusLine& status = frame->Status();
  const QString name = grid->TextMatrix(1, 0);
  EXPECT_EQ(status.lblPosition()->text(), name + " \u00b7 " + grid->TextMatrix(0, 2));
  EXPECT_EQ(status.lblSelection()->text(), "4 cells selected");
  const NycGciCars& cars = sheet->CarFile();
  const double sum = cars.Car(1).Turbo() + cars.Car(2).Turbo() + cars.Car(1).Value() +
                     cars.Car(2).Value();
  EXPECT_TRUE(status.lblFigures()->text().startsWith(QStringLiteral("Sum: %1   ").arg(sum)));
  EXPECT_TRUE(status.lblShown()->text().isEmpty());
  sheet->Commands().ApplyFilter(name, QString());
  frame->Status().Update();
  EXPECT_TRUE(status.lblShown()->text().startsWith("1 of "));
}

}  // namespace
