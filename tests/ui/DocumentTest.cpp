#include "UiTestSupport.h"
#include "ui/frame/Startup.h"
#include "ui/sheet/SheetSerial.h"

namespace {

using DocumentTest = FrameTest;

// A file that fails to open is reported with the reason on the last line and
// leaves no window; every window, also one that failed, takes the next number.
// Open's dialog proposes the last name chosen.
TEST_F(DocumentTest, AFailedOpenSaysWhyAndLeavesNoWindow) {
  int serial = SheetSerial();
  const QString missing = Path("missing.gci");
  const QString broken = WriteFile("broken.gci", "no car file at all");
  // Only a file that could not be read may be locked; one that was read says
  // where it fails.
  const std::pair<QString, QString> cases[] = {
      {missing,
       "It might be locked by me or by any other application.\r\nError 53: File not "
       "found: '" +
           missing + "' (No such file or directory)"},
      {broken, "Error -2147220219: Bad file content\r\nno car follows the header comment"}};
  for (const auto& [path, reason] : cases) {
    dialogs.ChooseFile(path);
    dialogs.AnswerMessage(Answer::Ok);
    Trigger("mnuFileOpen");
    EXPECT_TRUE(frame->CarWindows().isEmpty());
    EXPECT_EQ(dialogs.asked.back().text, "Unable to open file \"" + path + "\".\r\n" + reason);
    EXPECT_EQ(dialogs.asked.back().title, QStringLiteral("%1: ").arg(++serial) + path);
  }
  EXPECT_EQ(frame->windowTitle(), ApplicationTitle());
  EXPECT_TRUE(frame->pgbFile()->isHidden());
  const auto asked = dialogs.asked.size();
  frame->mnuFileSave_Click();  // without a window, nothing to save
  frame->mnuFileSaveAs_Click();
  EXPECT_EQ(dialogs.asked.size(), asked);
  EXPECT_EQ(NewDocument()->Caption(), QStringLiteral("%1: Untitled").arg(serial + 1));
  EXPECT_EQ(dialogs.asked[0].file.fileName, QStringLiteral("nyc.gci"));
  EXPECT_EQ(dialogs.asked[2].file.fileName, missing);
  // What an interrupted save left beside a file is named as the file opens.
  const QString cars = WriteFile("cars.gci", StockBytes());
  WriteFile("cars.gci~", "old");
  dialogs.ChooseFile(cars);
  dialogs.AnswerMessage(Answer::Ok);
  Trigger("mnuFileOpen");
  EXPECT_EQ(frame->CarWindows().size(), 2);
  EXPECT_EQ(dialogs.asked.back().text,
            "An interrupted save left " + cars + "~; the file itself may be incomplete.");
}

// Save as (Ctrl+A in the grid, not select-all) proposes the file's name; a
// cancel is silent. A failed write keeps the document's name, caption and
// changed state, and tells the user: Save as into a folder, with the window's
// caption; Save over a file turned into a folder, through the command's guard.
// A file another program changed is overwritten only when the user says so,
// and only once.
TEST_F(DocumentTest, SaveAndSaveAsWriteWhereTheCaptionSays) {
  const QString path = WriteFile("old.gci", StockWith({}));
  OpenDocument(path)->SetCellValue(1, 5, QStringLiteral("42"));
  const QString caption = sheet->Caption();
  ASSERT_TRUE(QDir().mkdir(Path("taken.gci")));
  dialogs.CancelFile();
  dialogs.ChooseFile(Path("taken.gci"));
  dialogs.AnswerMessage(Answer::Ok);
  grid->setFocus();
  Key(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(grid->selectionModel()->selectedIndexes().size(), 1);
  Trigger("mnuFileSaveAs");
  EXPECT_EQ(dialogs.asked[1].file.fileName, path);
  EXPECT_TRUE(
      dialogs.asked[3].text.startsWith("Unable to save file \"" + Path("taken.gci") + "\".\r\n"));
  EXPECT_EQ(dialogs.asked[3].title, caption);

  const QByteArray theirs = StockWith({{"{Romero}", "{Theirs}"}});
  WriteFile("old.gci", theirs);
  dialogs.AnswerMessage(Answer::No);
  EXPECT_FALSE(sheet->Save());  // a refused overwrite is no save: a close must not go on
  EXPECT_EQ(ReadFileBytes(path), theirs);
  EXPECT_EQ(dialogs.asked[4].text, "The file \"" + path +
                                       "\" was changed by another program since it was "
                                       "opened. Overwrite it?");
  EXPECT_EQ(dialogs.asked[4].buttons, UserDialogs::Buttons::YesNo);
  EXPECT_EQ(dialogs.asked[4].title, ApplicationTitle() + " - " + path);
  ASSERT_TRUE(QFile::remove(path) && QDir().mkdir(path));
  dialogs.AnswerMessage(Answer::Yes);
  dialogs.AnswerMessage(Answer::Ok);
  Trigger("mnuFileSave");
  EXPECT_TRUE(dialogs.asked[6].text.startsWith(QStringLiteral("Error ")));
  EXPECT_EQ(dialogs.asked[6].title, ApplicationTitle());
  EXPECT_EQ(sheet->Caption(), caption);
  EXPECT_TRUE(sheet->Changed());
  ASSERT_TRUE(QDir().rmdir(path));
  dialogs.AnswerMessage(Answer::Yes);
  Trigger("mnuFileSave");
  EXPECT_EQ(dialogs.asked[7].text, "The file \"" + path +
                                       "\" was deleted by another program since it was opened. "
                                       "Write it again?");
  EXPECT_TRUE(ReadFileBytes(path).contains("f42.000 {mass}"));
  EXPECT_FALSE(sheet->Changed());
  Trigger("mnuFileSave");  // the file is ours again: no question

  dialogs.ChooseFile(Path("new.gci"));
  Trigger("mnuFileSaveAs");
  EXPECT_EQ(dialogs.asked.back().kind, "save");
  EXPECT_EQ(sheet->Caption(), sheet->CaptionPrefix() + Path("new.gci"));
  sheet->SetCellValue(1, 5, QStringLiteral("18"));
  Trigger("mnuFileSave");  // no dialog this time
  EXPECT_TRUE(ReadFileBytes(Path("new.gci")).contains("f18.000 {mass}"));
  EXPECT_EQ(dialogs.asked.size(), 9u);
}

// The close prompt: Yes saves and closes (not when the save fails or its
// dialog is cancelled), No drops the edits, Cancel keeps the window. Exit then
// asks every changed document before it closes any: a Cancel keeps every
// window with the answers given so far; otherwise all close with the frame.
// Save, Save as, Close, Edit and Windows are on exactly while a window is.
TEST_F(DocumentTest, ClosePromptSavesDropsOrKeepsTheDocumentAndExitAsksEveryOne) {
  const MainMenus& m = frame->Menus();
  const auto menus = [&m](bool on) {
    EXPECT_EQ(QList<bool>({m.mnuFileSave()->isEnabled(), m.mnuFileSaveAs()->isEnabled(),
                           m.mnuFileClose()->isEnabled(), m.mnuEdit()->menuAction()->isVisible(),
                           m.mnuWindows()->menuAction()->isVisible()}),
              QList<bool>(5, on));
  };
  menus(false);
  // The answer; whether the document has a name, its save fails, it closes
  // (for a document without a name: a name is chosen in Save as).
  const std::tuple<Answer, bool, bool, bool> cases[] = {
      {Answer::Cancel, true, false, false}, {Answer::No, true, false, true},
      {Answer::Yes, true, false, true},     {Answer::Yes, true, true, false},
      {Answer::Yes, false, false, false},   {Answer::Yes, false, false, true}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const auto& [answer, named, failing, closes] = cases[i];
    SCOPED_TRACE(i);
    const QString path = WriteFile(QStringLiteral("close%1.gci").arg(i), StockWith({}));
    named ? OpenDocument(path) : NewDocument();
    sheet->SetCellValue(1, 5, QStringLiteral("42"));
    const QPointer<frmCars> window = sheet;
    dialogs.AnswerMessage(answer);
    if (failing) {  // the file turned into a folder: overwrite it, and fail
      ASSERT_TRUE(QFile::remove(path) && QDir().mkdir(path));
      dialogs.AnswerMessage(Answer::Yes);
      dialogs.AnswerMessage(Answer::Ok);
    }
    if (!named) closes ? dialogs.ChooseFile(path) : dialogs.CancelFile();  // Save as
    const std::size_t asked = dialogs.asked.size();
    grid->setFocus();
    Key(Qt::Key_F4, Qt::ControlModifier);  // Close
    Flush();
    const ScriptedDialogs::Question& prompt = dialogs.asked.at(asked);
    EXPECT_EQ(prompt.text, QStringLiteral("Loaded file changed, but not saved. Save now?"));
    EXPECT_EQ(prompt.buttons, UserDialogs::Buttons::YesNoCancel);
    EXPECT_EQ(prompt.title, ApplicationTitle() + " - " + (named ? path : QString()));
    EXPECT_EQ(window.isNull(), closes);
    menus(!frame->CarWindows().isEmpty());
    if (!failing) {
      EXPECT_EQ(ReadFileBytes(path).contains("f42.000 {mass}"), closes && answer == Answer::Yes);
    } else {
      EXPECT_TRUE(dialogs.asked.back().text.startsWith(QStringLiteral("Unable to save file")));
    }
  }
  const QList<frmCars*> left = frame->CarWindows();  // all three changed
  ASSERT_EQ(left.size(), 3);
  dialogs.AnswerMessage(Answer::No);
  dialogs.AnswerMessage(Answer::Cancel);
  Trigger("mnuFileExit");
  EXPECT_EQ(frame->CarWindows().size(), 3);
  EXPECT_EQ(QList<bool>({frame->isVisible(), left[0]->Changed(), left[1]->Changed()}),
            QList<bool>({true, false, true}));
  dialogs.AnswerMessage(Answer::No);
  dialogs.AnswerMessage(Answer::No);
  Trigger("mnuFileExit");
  EXPECT_FALSE(frame->isVisible());
  EXPECT_TRUE(frame->CarWindows().isEmpty() && frame->Area()->subWindowList().isEmpty());
  menus(false);
}

// Files named at the start or dropped onto the frame open in order without
// the Open dialog; one that fails is only reported, one that is open already
// (by any of its names) comes forward. Without files, the start shows the
// Open dialog. Each open puts its file first in File > Recent files, from
// which a file that is gone is taken off.
TEST_F(DocumentTest, FilesNamedAtTheStartOrDroppedOpenInOrder) {
  Trigger("mnuFileRecentClear");
  Trigger("mnuFileNew");  // a new document, holding no file, does not end the search
  const QString first = WriteFile("first.gci", StockWith({}));
  const QString second = WriteFile("second.gci", StockWith({}));
  const QStringList files = {first, Path("missing.gci"), second};
  dialogs.AnswerMessage(Answer::Ok);
  dialogs.AnswerMessage(Answer::Ok);
  Main(*frame, files);
  QMimeData dropped;
  for (const QString& file : files) dropped.setUrls(dropped.urls() << QUrl::fromLocalFile(file));
  QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &dropped, Qt::LeftButton, {});
  QApplication::sendEvent(frame.get(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &dropped, Qt::LeftButton, {});
  QApplication::sendEvent(frame.get(), &drop);
  Flush();
  QStringList opened;
  for (frmCars* window : frame->CarWindows()) opened << window->FileName();
  EXPECT_EQ(opened, QStringList({"", first, second}));
  EXPECT_EQ(frame->ActiveCars()->FileName(), second);
  ASSERT_TRUE(QFile::link(first, Path("link.gci")));
  frame->OpenFiles({Path("link.gci")});
  EXPECT_EQ(frame->CarWindows().size(), 3);
  EXPECT_EQ(frame->ActiveCars()->FileName(), first);
  EXPECT_EQ(dialogs.asked.size(), 2u);
  dialogs.CancelFile();  // without files, the start asks for one
  Main(*frame, {});
  EXPECT_EQ(dialogs.asked.size(), 3u);
  QMenu* recent = frame->Menus().mnuFileRecent();
  QStringList texts;
  for (const QAction* action : recent->actions()) texts << action->text();
  EXPECT_EQ(texts, QStringList({"&1 " + first, "&2 " + second, "", "Clear list"}));
  QFile::remove(second);
  dialogs.AnswerMessage(Answer::Ok);
  Trigger("mnuFileRecent2");
  EXPECT_TRUE(dialogs.asked.back().text.contains("no longer exists"));
  EXPECT_EQ(recent->actions().size(), 3);
}

}  // namespace
