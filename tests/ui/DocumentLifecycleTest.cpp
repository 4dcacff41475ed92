#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMdiArea>
#include <QMimeData>
#include <QTest>

#include "UiTestSupport.h"
#include "core/AppInfo.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"
#include "ui/frame/Startup.h"
#include "ui/frame/mdfMain.h"
#include "ui/sheet/CarGrid.h"
#include "ui/sheet/frmCars.h"

namespace {

using Answer = UserDialogs::Answer;

class DocumentLifecycleTest : public FrameTest {
 protected:
  // An opened file with one edit.
  frmCars* ChangedDocument(const char* name) {
    path = WriteFile(name, StockWith({}));
    frmCars* sheet = OpenDocument(path);
    sheet->SetCellValue(1, 5, QStringLiteral("42"));
    return sheet;
  }
  static float MassOfFirstCar(const QString& file) {
    NycGciCars cars;
    cars.LoadFile(file);
    return cars.Car(1).Mass();
  }
  const QString Prompt = QStringLiteral("Loaded file changed, but not saved. Save now?");
  QString path;
};

// Files named at the start or dropped onto the frame open in order, and one
// that fails is only reported.
TEST_F(DocumentLifecycleTest, FilesNamedAtTheStartOrDroppedOpenInOrder) {
  const QString first = WriteFile("first.gci", StockWith({}));
  const QString second = WriteFile("second.gci", StockWith({}));
  const QStringList files = {first, Path("missing.gci"), second};
  dialogs.AnswerMessage(Answer::Ok);
  Main(*frame, files);
  QMimeData dropped;
  for (const QString& file : files) dropped.setUrls(dropped.urls() << QUrl::fromLocalFile(file));
  QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &dropped, Qt::LeftButton, {});
  QApplication::sendEvent(frame.get(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &dropped, Qt::LeftButton, {});
  dialogs.AnswerMessage(Answer::Ok);
  QApplication::sendEvent(frame.get(), &drop);
  Flush();
  QStringList opened;
  for (frmCars* window : frame->CarWindows()) opened << window->FileName();
  EXPECT_EQ(opened, QStringList({first, second, first, second}));
  ASSERT_EQ(dialogs.asked.size(), 2u);  // no Open dialog, a message for each failure
  EXPECT_TRUE(dialogs.asked[1].text.contains(QStringLiteral("missing.gci")));
}

TEST_F(DocumentLifecycleTest, SavingANewDocumentAsksForANameAndACancelChangesNothing) {
  frmCars* sheet = NewDocument();
  const QString caption = sheet->windowTitle();
  for (bool changed : {false, true}) {
    sheet->SetChanged(changed);
    dialogs.CancelFile();
    Trigger("mnuFileSave");
    EXPECT_EQ(sheet->Changed(), changed);
    EXPECT_EQ(sheet->windowTitle(), caption);
    EXPECT_TRUE(sheet->FileName().isEmpty());
  }
  ASSERT_EQ(dialogs.asked.size(), 2u);  // the two dialogs, no message
  EXPECT_TRUE(dialogs.asked[0].file.save);
  EXPECT_EQ(dialogs.asked[0].file.fileName, QStringLiteral("nyc.gci"));
  EXPECT_EQ(dialogs.asked[0].file.filter, QStringLiteral("'.gci'-Dateien (*.gci)|*.gci"));
}

TEST_F(DocumentLifecycleTest, SaveAsWritesUnderTheNewNameAndLaterSavesGoThere) {
  frmCars* sheet = NewDocument();
  sheet->SetCellValue(1, 5, QStringLiteral("17.25"));
  const QString target = Path("saved.gci");
  dialogs.ChooseFile(target);
  Trigger("mnuFileSaveAs");
  EXPECT_FALSE(sheet->Changed());
  EXPECT_EQ(sheet->windowTitle(), sheet->CaptionPrefix() + target);
  EXPECT_EQ(MassOfFirstCar(target), 17.25f);

  sheet->SetCellValue(1, 5, QStringLiteral("18"));
  Trigger("mnuFileSave");  // no dialog this time
  EXPECT_EQ(MassOfFirstCar(target), 18.0f);
  EXPECT_EQ(dialogs.asked.size(), 1u);
}

TEST_F(DocumentLifecycleTest, SaveAsProposesTheOpenedFilesName) {
  frmCars* sheet = ChangedDocument("opened.gci");
  dialogs.CancelFile();
  EXPECT_FALSE(sheet->SaveAs());
  EXPECT_EQ(dialogs.asked.back().file.fileName, path);
  EXPECT_TRUE(sheet->Changed());
}

TEST_F(DocumentLifecycleTest, AFailedWriteUnderANewNameIsReportedAndTheDocumentStaysChanged) {
  frmCars* sheet = ChangedDocument("kept.gci");
  const QString caption = sheet->windowTitle();
  const QString unreachable = Path("no-such-folder/new.gci");
  dialogs.ChooseFile(unreachable);
  dialogs.AnswerMessage(Answer::Ok);
  EXPECT_FALSE(sheet->SaveAs());
  ASSERT_EQ(dialogs.asked.size(), 3u);
  EXPECT_TRUE(
      dialogs.asked[2].text.startsWith(QStringLiteral("Unable to save file \"") + unreachable));
  EXPECT_TRUE(sheet->Changed());
  EXPECT_EQ(sheet->windowTitle(), caption);
  EXPECT_EQ(MassOfFirstCar(path), 16.5f);  // the opened file is untouched
}

TEST_F(DocumentLifecycleTest, ClosePromptCancelKeepsTheWindowAndItsEdits) {
  frmCars* sheet = ChangedDocument("cancel.gci");
  dialogs.AnswerMessage(Answer::Cancel);
  Trigger("mnuFileClose");
  Flush();
  ASSERT_EQ(frame->CarWindows().size(), 1);
  EXPECT_TRUE(sheet->Changed());
  const ScriptedDialogs::Question& prompt = dialogs.asked.back();
  EXPECT_EQ(prompt.text, Prompt);
  EXPECT_EQ(prompt.buttons, UserDialogs::Buttons::YesNoCancel);
  EXPECT_EQ(prompt.title, ApplicationTitle() + QStringLiteral(" - ") + path);
}

TEST_F(DocumentLifecycleTest, ClosePromptNoDropsTheEditsWithoutWriting) {
  ChangedDocument("no.gci");
  const QByteArray before = ReadFileBytes(path);
  dialogs.AnswerMessage(Answer::No);
  Trigger("mnuFileClose");
  Flush();
  EXPECT_TRUE(frame->CarWindows().isEmpty());
  EXPECT_EQ(ReadFileBytes(path), before);
}

TEST_F(DocumentLifecycleTest, ClosePromptYesSavesAndCloses) {
  ChangedDocument("yes.gci");
  dialogs.AnswerMessage(Answer::Yes);
  Trigger("mnuFileClose");
  Flush();
  EXPECT_TRUE(frame->CarWindows().isEmpty());
  EXPECT_EQ(MassOfFirstCar(path), 42.0f);
}

TEST_F(DocumentLifecycleTest, ClosePromptYesWithAFailingSaveKeepsTheWindowOpen) {
  frmCars* sheet = ChangedDocument("failing.gci");
  ASSERT_TRUE(QFile::remove(path));
  ASSERT_TRUE(QDir().mkdir(path));
  dialogs.AnswerMessage(Answer::Yes);
  dialogs.AnswerMessage(Answer::Yes);  // overwrite what replaced the file
  dialogs.AnswerMessage(Answer::Ok);
  Trigger("mnuFileClose");
  Flush();
  ASSERT_EQ(frame->CarWindows().size(), 1);
  EXPECT_TRUE(sheet->Changed());
  EXPECT_TRUE(dialogs.asked.back().text.startsWith(QStringLiteral("Unable to save file")));
}

// A file another program changed is overwritten only when the user says so,
// also when nothing was edited here; a close then waits as well.
TEST_F(DocumentLifecycleTest, SavingOverAnOutsideChangeAsksFirst) {
  frmCars* sheet = OpenDocument(path = WriteFile("outside.gci", StockWith({})));
  const QByteArray theirs = StockWith({{"{Romero}", "{Theirs}"}});
  WriteFile("outside.gci", theirs);
  dialogs.AnswerMessage(Answer::No);
  Trigger("mnuFileSave");
  EXPECT_EQ(ReadFileBytes(path), theirs);
  const ScriptedDialogs::Question& question = dialogs.asked.back();
  EXPECT_EQ(question.text, "The file \"" + path +
                               "\" was changed by another program since it was opened. "
                               "Overwrite it?");
  EXPECT_EQ(question.buttons, UserDialogs::Buttons::YesNo);
  EXPECT_EQ(question.icon, UserDialogs::Icon::Question);
  EXPECT_EQ(question.title, ApplicationTitle() + QStringLiteral(" - ") + path);

  sheet->SetCellValue(1, 5, QStringLiteral("42"));
  dialogs.AnswerMessage(Answer::Yes);  // save now?
  dialogs.AnswerMessage(Answer::No);   // not over theirs
  Trigger("mnuFileClose");
  Flush();
  ASSERT_EQ(frame->CarWindows().size(), 1);
  EXPECT_TRUE(sheet->Changed());
  dialogs.AnswerMessage(Answer::Yes);
  Trigger("mnuFileSave");
  EXPECT_EQ(MassOfFirstCar(path), 42.0f);
  Trigger("mnuFileSave");               // the file is ours again: no question
  EXPECT_EQ(dialogs.asked.size(), 5u);  // with the Open dialog
}

// A failed Save as changes nothing: the next Save writes the file the
// caption names.
TEST_F(DocumentLifecycleTest, SaveAfterAFailedSaveAsWritesTheOldFile) {
  frmCars* sheet = ChangedDocument("old.gci");
  dialogs.ChooseFile(Path("no-such-folder/new.gci"));
  dialogs.AnswerMessage(Answer::Ok);
  EXPECT_FALSE(sheet->SaveAs());
  Trigger("mnuFileSave");
  EXPECT_EQ(MassOfFirstCar(path), 42.0f);
  EXPECT_EQ(sheet->FileName(), path);
  EXPECT_FALSE(sheet->Changed());
}

TEST_F(DocumentLifecycleTest, ClosingANeverSavedDocumentAndCancellingItsDialogKeepsIt) {
  frmCars* sheet = NewDocument();
  sheet->SetCellValue(2, 6, QStringLiteral("1"));
  dialogs.AnswerMessage(Answer::Yes);
  dialogs.CancelFile();
  sheet->close();
  Flush();
  ASSERT_EQ(frame->CarWindows().size(), 1);
  EXPECT_TRUE(sheet->Changed());
  EXPECT_EQ(dialogs.asked[0].title, ApplicationTitle() + QStringLiteral(" - "));
}

TEST_F(DocumentLifecycleTest, ClosingAnUnchangedDocumentAsksNothing) {
  NewDocument();
  Trigger("mnuFileClose");
  Flush();
  EXPECT_TRUE(frame->CarWindows().isEmpty());
  EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(DocumentLifecycleTest, ShortcutsReachTheFrameFromTheGridsFocus) {
  frmCars* sheet = NewDocument();
  frame->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
  CarGrid* grid = sheet->flexCars();
  grid->setFocus();
  ASSERT_TRUE(grid->hasFocus());
  dialogs.CancelFile();
  QTest::keyClick(grid, Qt::Key_A, Qt::ControlModifier);  // save as, not select all
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_TRUE(dialogs.asked[0].file.save);
  EXPECT_EQ(grid->selectionModel()->selectedIndexes().size(), 1);

  QTest::keyClick(grid, Qt::Key_F4, Qt::ControlModifier);  // closes the document
  Flush();
  EXPECT_TRUE(frame->CarWindows().isEmpty());
}

TEST_F(DocumentLifecycleTest, MaximizingRemovesTheGridsBorder) {
  frmCars* sheet = NewDocument();
  CarGrid* grid = sheet->flexCars();
  EXPECT_NE(grid->frameShape(), QFrame::NoFrame);
  sheet->showMaximized();
  EXPECT_EQ(grid->frameShape(), QFrame::NoFrame);
  sheet->showNormal();
  EXPECT_NE(grid->frameShape(), QFrame::NoFrame);
  EXPECT_EQ(sheet->widget(), grid);  // the window lays the grid over its whole inside
}

}  // namespace
