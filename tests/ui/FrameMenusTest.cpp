#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

#include "UiTestSupport.h"
#include "core/AppInfo.h"
#include "helperlib/Counter.h"
#include "helperlib/QtUserDialogs.h"
#include "ui/frame/MainMenus.h"
#include "ui/frame/mdfMain.h"
#include "ui/sheet/CarGrid.h"
#include "ui/sheet/SheetSerial.h"
#include "ui/sheet/frmCars.h"

namespace {

using FrameMenusTest = FrameTest;

bool DocumentMenusOn(const MainMenus& menus) {
  const bool on = menus.mnuFileSave()->isEnabled();
  EXPECT_EQ(menus.mnuFileSaveAs()->isEnabled(), on);
  EXPECT_EQ(menus.mnuFileClose()->isEnabled(), on);
  EXPECT_EQ(menus.mnuEdit()->menuAction()->isVisible(), on);
  EXPECT_EQ(menus.mnuWindows()->menuAction()->isVisible(), on);
  EXPECT_TRUE(menus.mnuFileNew()->isEnabled());
  EXPECT_TRUE(menus.mnuFileOpen()->isEnabled());
  EXPECT_TRUE(menus.mnuFileExit()->isEnabled());
  EXPECT_TRUE(menus.mnuHelpAbout()->isEnabled());
  return on;
}

TEST_F(FrameMenusTest, MenusCarryTheirCaptionsAndShortcuts) {
  const MainMenus& m = frame->Menus();
  const struct {
    const QAction* action;
    const char* caption;
    const char* shortcut;
  } items[] = {
      {m.mnuFile()->menuAction(), "&File", ""},
      {m.mnuFileNew(), "&New", "Ctrl+N"},
      {m.mnuFileOpen(), "&Open", "Ctrl+O"},
      {m.mnuFileSave(), "&Save", "Ctrl+S"},
      {m.mnuFileSaveAs(), "Save &as", "Ctrl+A"},
      {m.mnuFileClose(), "&Close", "Ctrl+F4"},
      {m.mnuFileExit(), "E&xit", ""},
      {m.mnuEdit()->menuAction(), "&Edit", ""},
      {m.mnuEditManipulate(), "&Manipulate selection", "Ctrl+M"},
      {m.mnuWindows()->menuAction(), "&Windows", ""},
      {m.mnuWindowsArrange(0), "&Cascade", ""},
      {m.mnuWindowsArrange(1), "Tile &horizontal", ""},
      {m.mnuWindowsArrange(2), "Tile &vertical", ""},
      {m.mnuWindowsArrange(3), "Arrange &icons", ""},
      {m.mnuHelp()->menuAction(), "&Help", ""},
      {m.mnuHelpAbout(), "&About", "F1"},
  };
  for (const auto& item : items) {
    EXPECT_EQ(item.action->text(), QLatin1String(item.caption));
    EXPECT_EQ(item.action->shortcut().toString(), QLatin1String(item.shortcut)) << item.caption;
  }
  EXPECT_TRUE(m.mnuFileDash0()->isSeparator());
  EXPECT_EQ(m.mnuFile()->actions().indexOf(m.mnuFileDash0()), 5);
}

TEST_F(FrameMenusTest, DocumentMenusFollowTheNumberOfWindows) {
  EXPECT_EQ(frame->windowTitle(), ApplicationTitle());
  EXPECT_FALSE(frame->pgbFile()->isVisible());
  EXPECT_FALSE(DocumentMenusOn(frame->Menus()));
  std::vector<std::pair<int, int>> steps;
  QObject::connect(&frame->ChildCount(), &Counter::ValueChanged,
                   [&](int now, int before) { steps.emplace_back(now, before); });
  EXPECT_EQ(&frame->ChildCount(), &frame->ChildCount());

  frmCars* first = NewDocument();
  EXPECT_TRUE(DocumentMenusOn(frame->Menus()));
  frmCars* second = NewDocument();
  first->close();
  Flush();
  EXPECT_TRUE(DocumentMenusOn(frame->Menus()));
  second->close();
  Flush();
  EXPECT_FALSE(DocumentMenusOn(frame->Menus()));
  const std::vector<std::pair<int, int>> expected = {{1, 0}, {2, 1}, {1, 2}, {0, 1}};
  EXPECT_EQ(steps, expected);
}

TEST_F(FrameMenusTest, CaptionsCarryARunningNumberThatNeverGoesDown) {
  const int serial = SheetSerial();
  frmCars* first = NewDocument();
  EXPECT_EQ(first->windowTitle(), QStringLiteral("%1: Untitled").arg(serial + 1));
  const QString path = WriteFile("one.gci", StockWith({}));
  frmCars* second = OpenDocument(path);
  EXPECT_EQ(second->windowTitle(), QStringLiteral("%1: ").arg(serial + 2) + path);
  first->close();
  second->close();
  Flush();
  frmCars* third = NewDocument();
  EXPECT_EQ(third->CaptionPrefix(), QStringLiteral("%1: ").arg(serial + 3));
}

TEST_F(FrameMenusTest, AFileThatFailsToOpenLeavesNoWindowAndSaysSo) {
  const int serial = SheetSerial();
  const QString missing = Path("missing.gci");
  const QString broken = WriteFile("broken.gci", QByteArray("no car file at all"));
  for (const QString& path : {missing, broken}) {
    dialogs.ChooseFile(path);
    dialogs.AnswerMessage(UserDialogs::Answer::Ok);
    Trigger("mnuFileOpen");
    Flush();
    EXPECT_TRUE(frame->CarWindows().isEmpty()) << path.toStdString();
    EXPECT_FALSE(DocumentMenusOn(frame->Menus()));
    EXPECT_EQ(frame->windowTitle(), ApplicationTitle());
    EXPECT_TRUE(frame->pgbFile()->isHidden());
  }
  ASSERT_EQ(dialogs.asked.size(), 4u);
  const ScriptedDialogs::Question& message = dialogs.asked[1];
  EXPECT_EQ(message.kind, QStringLiteral("message"));
  EXPECT_EQ(message.title, QStringLiteral("%1: ").arg(serial + 1) + missing);
  // The last line says why.
  EXPECT_EQ(message.text, QStringLiteral("Unable to open file \"") + missing +
                              QStringLiteral("\".\r\nIt might be locked by me or by any other "
                                             "application.\r\nError 53: File not found: '") +
                              missing + QStringLiteral("' (No such file or directory)"));
  EXPECT_EQ(dialogs.asked[3].title, QStringLiteral("%1: ").arg(serial + 2) + broken);
  EXPECT_TRUE(dialogs.asked[3].text.endsWith(
      QStringLiteral("application.\r\nError -2147220219: Bad file content")));
}

TEST_F(FrameMenusTest, OpenUsesOneSharedDialogThatRemembersTheLastName) {
  dialogs.CancelFile();
  Trigger("mnuFileOpen");
  EXPECT_TRUE(frame->CarWindows().isEmpty());
  const QString path = WriteFile("first.gci", StockWith({}));
  OpenDocument(path);
  dialogs.CancelFile();
  Trigger("mnuFileOpen");
  ASSERT_EQ(dialogs.asked.size(), 3u);
  const UserDialogs::FileRequest& request = dialogs.asked[0].file;
  EXPECT_FALSE(request.save);
  EXPECT_EQ(request.fileName, QStringLiteral("nyc.gci"));
  EXPECT_EQ(request.filter, QStringLiteral("'.gci'-Dateien (*.gci)|*.gci"));
  EXPECT_EQ(request.defaultExt, QStringLiteral(".gci"));
  EXPECT_EQ(dialogs.asked[2].file.fileName, path);
  EXPECT_EQ(frame->CarWindows().size(), 1);
}

TEST_F(FrameMenusTest, WindowsMenuListsTheDocumentsAndActivatesTheChosenOne) {
  frmCars* first = NewDocument();
  frmCars* second = NewDocument();
  frame->Area()->setActiveSubWindow(second);
  MainMenus& menus = frame->Menus();
  menus.RefreshWindowList();
  // The entries stand below the arrange items.
  auto entries = [&menus] {
    const QList<QAction*> actions = menus.mnuWindows()->actions();
    QList<QAction*> list;
    for (QAction* entry : actions.mid(actions.indexOf(menus.mnuWindowsArrange(3)) + 1)) {
      if (!entry->isSeparator()) list << entry;
    }
    return list;
  };
  QStringList texts;
  for (QAction* entry : entries()) texts << entry->text();
  EXPECT_EQ(texts, QStringList({"&1 " + first->windowTitle(), "&2 " + second->windowTitle()}));
  EXPECT_FALSE(entries()[0]->isChecked());
  EXPECT_TRUE(entries()[1]->isChecked());  // the active one
  first->showMinimized();
  entries()[0]->trigger();
  EXPECT_EQ(frame->Area()->currentSubWindow(), first);
  EXPECT_FALSE(first->isMinimized());
  menus.RefreshWindowList();  // rebuilding replaces the entries
  EXPECT_EQ(entries().size(), 2);
}

TEST_F(FrameMenusTest, ArrangeCommandsTileStackAndLineUpIcons) {
  for (int i = 0; i < 3; ++i) NewDocument();
  const QList<frmCars*> windows = frame->CarWindows();
  const QRect space = frame->Area()->viewport()->rect();

  frame->Menus().mnuWindowsArrange(1)->trigger();  // one above another, full width
  int top = 0;
  for (frmCars* window : windows) {
    EXPECT_EQ(window->geometry().left(), 0);
    EXPECT_EQ(window->geometry().width(), space.width());
    EXPECT_EQ(window->geometry().top(), top);
    top += window->geometry().height();
  }
  EXPECT_EQ(top, space.height());

  frame->Menus().mnuWindowsArrange(2)->trigger();  // side by side, full height
  int left = 0;
  for (frmCars* window : windows) {
    EXPECT_EQ(window->geometry().top(), 0);
    EXPECT_EQ(window->geometry().height(), space.height());
    EXPECT_EQ(window->geometry().left(), left);
    left += window->geometry().width();
  }
  EXPECT_EQ(left, space.width());

  windows[0]->showMinimized();
  windows[2]->showMinimized();
  frame->Menus().mnuWindowsArrange(1)->trigger();  // the tiling leaves the minimized ones out
  EXPECT_EQ(windows[1]->geometry(), space);
  frame->Menus().mnuWindowsArrange(3)->trigger();
  const QRect icon0 = windows[0]->geometry();
  const QRect icon2 = windows[2]->geometry();
  EXPECT_EQ(icon0.left(), 0);
  EXPECT_EQ(icon0.bottom(), space.bottom());
  EXPECT_EQ(icon2.left(), icon0.right() + 1);
  EXPECT_EQ(icon2.bottom(), space.bottom());

  windows[0]->showNormal();
  frame->Menus().mnuWindowsArrange(0)->trigger();  // a staircase of useful windows
  EXPECT_EQ(windows[0]->geometry().topLeft(), QPoint(0, 0));
  EXPECT_GT(windows[1]->geometry().top(), 0);
  for (frmCars* window : {windows[0], windows[1]}) {
    EXPECT_TRUE(space.contains(window->geometry()));
    EXPECT_GE(window->width(), space.width() * 2 / 3);
    EXPECT_GE(window->height(), space.height() * 2 / 3);
  }
}

// New windows open inside the frame from the top-left corner down, each
// showing at least ten cars, or filling a frame too small for that.
TEST_F(FrameMenusTest, NewWindowsCascadeInsideTheFrameAndShowTenCars) {
  const QRect space = frame->Area()->viewport()->rect();
  QPoint previous(-1, -1);
  for (int i = 0; i < 3; ++i) {
    frmCars* window = NewDocument();
    EXPECT_TRUE(space.contains(window->geometry())) << i;
    EXPECT_GT(window->geometry().top(), previous.y()) << i;
    previous = window->geometry().topLeft();
    const CarGrid& grid = *window->flexCars();
    EXPECT_GE(grid.rowAt(grid.viewport()->height() - 1), 9) << i;
  }
  frame->resize(320, 200);
  QCoreApplication::processEvents();
  EXPECT_EQ(NewDocument()->geometry(), frame->Area()->viewport()->rect());
}

TEST_F(FrameMenusTest, AboutShowsTheVersionWithTheFramesIconWhichBothWindowsCarry) {
  frmCars* sheet = NewDocument();
  const QIcon icon = frame->windowIcon();
  ASSERT_FALSE(icon.isNull());
  EXPECT_FALSE(icon.pixmap(32, 32).isNull());
  EXPECT_EQ(sheet->windowIcon().cacheKey(), icon.cacheKey());

  QTest::keyClick(frame.get(), Qt::Key_F1);
  ASSERT_EQ(dialogs.asked.size(), 1u);
  const ScriptedDialogs::Question& about = dialogs.asked[0];
  EXPECT_EQ(about.kind, QStringLiteral("about"));
  EXPECT_EQ(about.title, QStringLiteral("About Quorvex Torqlet 1.1"));
  EXPECT_EQ(about.text, QStringLiteral("Quorvex Torqlet 1.1.3"));
  EXPECT_EQ(about.picture.cacheKey(), icon.cacheKey());
  ASSERT_EQ(about.lines.size(), 4);
  EXPECT_EQ(about.lines[0], QStringLiteral("Torqlet"));
  EXPECT_FALSE(about.lines[1].isEmpty());
  EXPECT_TRUE(about.lines[2].isEmpty());
  EXPECT_FALSE(about.lines[3].isEmpty());
}

// The real box, as the program shows it, closed from a timer.
TEST_F(FrameMenusTest, TheQtAboutBoxShowsTitleIconHeadingAndLines) {
  QString title;
  QString heading;
  QString lines;
  bool hasPicture = false;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    title = box->windowTitle();
    heading = box->text();
    lines = box->informativeText();
    hasPicture = !box->iconPixmap().isNull();
    box->accept();
  });
  QtUserDialogs real;
  real.AboutBox(QStringLiteral("About it"), frame->windowIcon(), QStringLiteral("It 1.2.3"),
                {QStringLiteral("one"), QStringLiteral("two"), QString(), QStringLiteral("four")});
  EXPECT_EQ(title, QStringLiteral("About it"));
  EXPECT_EQ(heading, QStringLiteral("It 1.2.3"));
  EXPECT_EQ(lines, QStringLiteral("one\ntwo\n\nfour"));
  EXPECT_TRUE(hasPicture);
}

}  // namespace
