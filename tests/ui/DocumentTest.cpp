#include <sys/resource.h>

#include <QDropEvent>
#include <QMimeData>
#include <QPointer>
#include <csignal>
#include <random>

#include "UiTestSupport.h"
#include "helperlib/FileDialog.h"
#include "ui/frame/SharedOpenDialog.h"
#include "ui/frame/Startup.h"
#include "ui/sheet/SheetSerial.h"

namespace {

using DocumentTest = FrameTest;

// A file that fails to open is reported with the reason on the last line and
// leaves no window; every window, also one that failed, takes the next number.
// Open's one dialog proposes the last name chosen, and goes with the frame.
TEST_F(DocumentTest, AFailedOpenSaysWhyAndLeavesNoWindow) {
  int serial = SheetSerial();
  const QString missing = Path("missing.gci");
  const QString broken = WriteFile("broken.gci", "no car file at all");
  const struct {
    QString path, reason;
  } cases[] = {{missing, "Error 53: File not found: '" + missing + "' (No such file or directory)"},
               {broken, "Error -2147220219: Bad file content"}};
  for (const auto& c : cases) {
    dialogs.ChooseFile(c.path);
    dialogs.AnswerMessage(Answer::Ok);
    Trigger("mnuFileOpen");
    EXPECT_TRUE(frame->CarWindows().isEmpty());
    EXPECT_EQ(dialogs.asked.back().text,
              "Unable to open file \"" + c.path +
                  "\".\r\nIt might be locked by me or by any other application.\r\n" + c.reason);
    EXPECT_EQ(dialogs.asked.back().title, QStringLiteral("%1: ").arg(++serial) + c.path);
  }
  EXPECT_EQ(frame->windowTitle(), ApplicationTitle());
  EXPECT_TRUE(frame->pgbFile()->isHidden());
  EXPECT_EQ(NewDocument()->windowTitle(), QStringLiteral("%1: Untitled").arg(serial + 1));
  const UserDialogs::FileRequest& request = dialogs.asked[0].file;
  EXPECT_EQ(
      QStringList({dialogs.asked[0].kind, request.fileName, request.filter, request.defaultExt}),
      QStringList({"open", "nyc.gci", "'.gci'-Dateien (*.gci)|*.gci", ".gci"}));
  EXPECT_EQ(dialogs.asked[2].file.fileName, missing);
  frame.reset();
  TrackDialogUser(false);
  EXPECT_EQ(SharedOpenDialog().FileName(), QStringLiteral("nyc.gci"));
  TrackDialogUser(true);
  frame = std::make_unique<mdfMain>();
}

// Save asks for a name when the document has none; Save as (Ctrl+A in the
// grid, not select-all) proposes the file's. A cancel is silent. A failed
// write (a folder as the new name; a full disk, for which the process's write
// limit stands in) keeps the file's bytes with nothing beside it and the
// document's name, caption and changed state, and tells the user; Save then
// writes the old file. Saves leave the frame's caption and bar at rest.
TEST_F(DocumentTest, SaveAndSaveAsWriteWhereTheCaptionSays) {
  NewDocument();
  dialogs.CancelFile();
  Trigger("mnuFileSave");
  EXPECT_EQ(QStringList({dialogs.asked[0].kind, dialogs.asked[0].file.fileName}),
            QStringList({"save", "nyc.gci"}));
  EXPECT_TRUE(sheet->FileName().isEmpty());

  const QString path = WriteFile("old.gci", StockWith({}));
  OpenDocument(path)->SetCellValue(1, 5, QStringLiteral("42"));
  const QString caption = sheet->windowTitle();
  ASSERT_TRUE(QDir().mkdir(Path("taken.gci")));
  dialogs.CancelFile();
  dialogs.ChooseFile(Path("taken.gci"));
  dialogs.AnswerMessage(Answer::Ok);
  dialogs.AnswerMessage(Answer::Ok);
  grid->setFocus();
  Key(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(grid->selectionModel()->selectedIndexes().size(), 1);
  Trigger("mnuFileSaveAs");
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  const rlimit unlimited = limit;
  limit.rlim_cur = 16 * 1024;
  const auto signal = std::signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &limit);
  Trigger("mnuFileSave");
  setrlimit(RLIMIT_FSIZE, &unlimited);
  std::signal(SIGXFSZ, signal);
  EXPECT_EQ(dialogs.asked[2].file.fileName, path);
  EXPECT_TRUE(
      dialogs.asked[4].text.startsWith("Unable to save file \"" + Path("taken.gci") + "\".\r\n"));
  EXPECT_EQ(dialogs.asked[4].title, caption);
  EXPECT_TRUE(dialogs.asked[5].text.startsWith(QStringLiteral("Error 61")));
  EXPECT_EQ(dialogs.asked[5].title, ApplicationTitle());
  EXPECT_EQ(sheet->windowTitle(), caption);
  EXPECT_TRUE(sheet->Changed());
  EXPECT_EQ(ReadFileBytes(path), StockWith({}));
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList({"old.gci", "taken.gci"}));
  Trigger("mnuFileSave");
  EXPECT_TRUE(ReadFileBytes(path).contains("f42.000 {mass}"));
  EXPECT_FALSE(sheet->Changed());

  const QString target = Path("new.gci");
  dialogs.ChooseFile(target);
  Trigger("mnuFileSaveAs");
  EXPECT_EQ(sheet->windowTitle(), sheet->CaptionPrefix() + target);
  sheet->SetCellValue(1, 5, QStringLiteral("18"));
  Trigger("mnuFileSave");  // no dialog this time
  EXPECT_TRUE(ReadFileBytes(target).contains("f18.000 {mass}"));
  EXPECT_EQ(dialogs.asked.size(), 7u);
  EXPECT_EQ(frame->windowTitle(), ApplicationTitle());
  EXPECT_TRUE(frame->pgbFile()->isHidden());
}

// The close prompt: Yes saves and closes (not when the save fails or its
// dialog is cancelled), No drops the edits, Cancel keeps the window.
TEST_F(DocumentTest, ClosePromptSavesDropsOrKeepsTheDocument) {
  const struct {
    Answer answer;
    bool named, failing, closes;
  } cases[] = {{Answer::Cancel, true, false, false},
               {Answer::No, true, false, true},
               {Answer::Yes, true, false, true},
               {Answer::Yes, true, true, false},
               {Answer::Yes, false, false, false}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const auto& c = cases[i];
    SCOPED_TRACE(i);
    const QString path = WriteFile(QStringLiteral("close%1.gci").arg(i), StockWith({}));
    c.named ? OpenDocument(path) : NewDocument();
    sheet->SetCellValue(1, 5, QStringLiteral("42"));
    const QPointer<frmCars> window = sheet;
    dialogs.AnswerMessage(c.answer);
    if (c.failing) {  // the file turned into a folder: overwrite it, and fail
      ASSERT_TRUE(QFile::remove(path) && QDir().mkdir(path));
      dialogs.AnswerMessage(Answer::Yes);
      dialogs.AnswerMessage(Answer::Ok);
    }
    if (!c.named) dialogs.CancelFile();
    const std::size_t asked = dialogs.asked.size();
    grid->setFocus();
    Key(Qt::Key_F4, Qt::ControlModifier);  // Close
    Flush();
    const ScriptedDialogs::Question& prompt = dialogs.asked.at(asked);
    EXPECT_EQ(prompt.text, QStringLiteral("Loaded file changed, but not saved. Save now?"));
    EXPECT_EQ(prompt.buttons, UserDialogs::Buttons::YesNoCancel);
    EXPECT_EQ(prompt.title, ApplicationTitle() + " - " + (c.named ? path : QString()));
    EXPECT_EQ(window.isNull(), c.closes);
    if (!c.failing) {
      EXPECT_EQ(ReadFileBytes(path).contains("f42.000 {mass}"), c.named && c.closes && i == 2);
    } else {
      EXPECT_TRUE(dialogs.asked.back().text.startsWith(QStringLiteral("Unable to save file")));
    }
  }
}

// A file another program changed is overwritten only when the user says so,
// also when nothing was edited here.
TEST_F(DocumentTest, SavingOverAnOutsideChangeAsksFirst) {
  const QString path = WriteFile("outside.gci", StockWith({}));
  OpenDocument(path);
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
  EXPECT_EQ(question.title, ApplicationTitle() + " - " + path);
  sheet->SetCellValue(1, 5, QStringLiteral("42"));
  dialogs.AnswerMessage(Answer::Yes);
  Trigger("mnuFileSave");
  EXPECT_TRUE(ReadFileBytes(path).contains("f42.000 {mass}"));
  Trigger("mnuFileSave");  // the file is ours again: no question
  EXPECT_EQ(dialogs.asked.size(), 3u);
}

// Exit asks every changed document before it closes any: a Cancel keeps every
// window with the answers given so far; otherwise all close with the frame.
TEST_F(DocumentTest, ExitAsksEveryDocumentBeforeClosingAny) {
  frmCars* first = NewDocument();
  first->SetCellValue(1, 5, QStringLiteral("1"));
  frmCars* second = NewDocument();
  second->SetCellValue(1, 5, QStringLiteral("2"));
  NewDocument();
  dialogs.AnswerMessage(Answer::No);
  dialogs.AnswerMessage(Answer::Cancel);
  Trigger("mnuFileExit");
  EXPECT_TRUE(frame->isVisible());
  EXPECT_EQ(frame->CarWindows().size(), 3);
  EXPECT_FALSE(first->Changed());
  EXPECT_TRUE(second->Changed());
  dialogs.AnswerMessage(Answer::No);
  Trigger("mnuFileExit");
  EXPECT_FALSE(frame->isVisible());
  EXPECT_TRUE(frame->CarWindows().isEmpty());
  EXPECT_EQ(dialogs.asked.size(), 3u);
}

// Files named at the start or dropped onto the frame open in order without
// the Open dialog; one that fails is only reported.
TEST_F(DocumentTest, FilesNamedAtTheStartOrDroppedOpenInOrder) {
  const QString first = WriteFile("first.gci", StockWith({}));
  const QString second = WriteFile("second.gci", StockWith({}));
  const QStringList files = {first, Path("missing.gci"), second};
  dialogs.AnswerMessage(Answer::Ok);
  Main(*frame, files);
  QMimeData dropped;
  dropped.setUrls({QUrl::fromLocalFile(files[0]), QUrl::fromLocalFile(files[1]),
                   QUrl::fromLocalFile(files[2])});
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
  EXPECT_EQ(dialogs.asked.size(), 2u);
}

// Documents, half new and half opened, some edited, closed in a random order
// through the Close command and the windows' own close, twice over: every
// window goes with its count, and the menus follow.
TEST_F(DocumentTest, ManyDocumentsOpenedAndClosedInRandomOrderLeaveNothingBehind) {
  const QString file = WriteFile("cars.gci", StockWith({}));
  std::mt19937 random(20261206);
  const MainMenus& menus = frame->Menus();
  for (int round = 0; round < 2; ++round) {
    QList<QPointer<frmCars>> windows;
    for (int i = 0; i < 12; ++i) {
      windows << (i % 2 ? OpenDocument(file) : NewDocument());
      if (i % 3 == 0) sheet->SetCellValue(1 + i, 5, QStringLiteral("1.5"));
    }
    ASSERT_EQ(frame->ChildCount().Value(), 12);
    std::shuffle(windows.begin(), windows.end(), random);
    for (int i = 0; i < windows.size(); ++i) {
      if (windows[i]->Changed()) dialogs.AnswerMessage(Answer::No);
      if (i % 2) {
        frame->Area()->setActiveSubWindow(windows[i]);
        Trigger("mnuFileClose");
      } else {
        windows[i]->close();
        Flush();
      }
      EXPECT_EQ(menus.mnuFileSave()->isEnabled(), i + 1 < windows.size());
    }
    for (const QPointer<frmCars>& window : windows) EXPECT_TRUE(window.isNull());
    EXPECT_EQ(frame->ChildCount().Value(), 0);
    EXPECT_TRUE(frame->Area()->subWindowList().isEmpty());
    EXPECT_FALSE(menus.mnuEdit()->menuAction()->isVisible());
  }
}

}  // namespace
