#include "UiTestSupport.h"
#include "core/InterfaceLanguage.h"
#include "base/RuntimeErrors.h"
#include "helperlib/QtUserDialogs.h"

namespace {

using MainFrameTest = FrameTest;

// New windows open inside the frame from the top-left corner down, each
// showing at least ten cars, or filling a frame too small for that. Below the
// arrange items the Windows menu lists them with access keys, the active one
// ticked; choosing one brings it back and forward. The tilings share the frame
// among the windows that are not minimized (a maximized one too): stacked
// full-width, or side by side full-height. Arrange icons lines the minimized
// ones up along the bottom; Cascade keeps useful sizes.
TEST_F(MainFrameTest, WindowsOpenInsideTheFrameAndTheWindowsMenuListsAndArrangesThem) {
  const QRect space = frame->Area()->viewport()->rect();
  int top = -1;
  for (int i = 0; i < 3; ++i) {
    const QRect place = NewDocument()->geometry();
    EXPECT_TRUE(space.contains(place) && place.top() > top) << i;
    top = place.top();
    EXPECT_GE(grid->rowAt(grid->viewport()->height() - 1), 9) << i;
  }
  const QList<frmCars*> windows = frame->CarWindows();
  const MainMenus& menus = frame->Menus();
  const auto entries = [&menus] {
    emit menus.mnuWindows()->aboutToShow();
    const QList<QAction*> actions = menus.mnuWindows()->actions();
    return actions.mid(actions.indexOf(menus.mnuWindowsArrange(3)) + 1);
  };
  // A document with unsaved edits shows the modified mark, in its caption and here.
  windows[1]->Document().SetChanged(true);
  EXPECT_TRUE(windows[1]->windowTitle().endsWith("[*]") && windows[1]->isWindowModified());
  QStringList texts;
  for (const QAction* entry : entries()) {
    texts << entry->text() + (entry->isChecked() ? " (active)" : "");
  }
  EXPECT_EQ(texts,
            QStringList({"", "&1 " + windows[0]->Caption(), "&2 " + windows[1]->Caption() + "*",
                         "&3 " + windows[2]->Caption() + " (active)"}));
  windows[1]->Document().SetChanged(false);
  EXPECT_FALSE(windows[1]->isWindowModified());
  windows[0]->showMinimized();
  entries()[1]->trigger();
  EXPECT_EQ(frame->Area()->currentSubWindow(), windows[0]);
  EXPECT_FALSE(windows[0]->isMinimized());

  const auto arrange = [&menus](int item) { menus.mnuWindowsArrange(item)->trigger(); };
  windows[1]->showMaximized();
  for (const bool stacked : {true, false}) {
    arrange(stacked ? 1 : 2);
    QPoint at(0, 0);
    for (frmCars* window : windows) {
      const QSize size(stacked ? space.width() : window->width(),
                       stacked ? window->height() : space.height());
      EXPECT_EQ(window->geometry(), QRect(at, size));
      at += stacked ? QPoint(0, size.height()) : QPoint(size.width(), 0);
    }
    EXPECT_EQ(at, stacked ? QPoint(0, space.height()) : QPoint(space.width(), 0));
  }
  windows[0]->showMinimized();
  windows[2]->showMinimized();
  arrange(1);
  EXPECT_EQ(windows[1]->geometry(), space);
  arrange(3);
  const QRect icon0 = windows[0]->geometry(), icon2 = windows[2]->geometry();
  EXPECT_EQ(QList<int>({icon0.left(), icon0.bottom(), icon2.left(), icon2.bottom()}),
            QList<int>({0, space.bottom(), icon0.right() + 1, space.bottom()}));

  windows[0]->showNormal();
  arrange(0);
  EXPECT_EQ(windows[0]->geometry().topLeft(), QPoint(0, 0));
  EXPECT_GT(windows[1]->geometry().top(), 0);
  for (frmCars* window : {windows[0], windows[1]}) {
    EXPECT_TRUE(space.contains(window->geometry()));
    EXPECT_GE(window->width(), space.width() * 2 / 3);
    EXPECT_GE(window->height(), space.height() * 2 / 3);
  }
  frame->resize(320, 200);
  QCoreApplication::processEvents();
  EXPECT_EQ(NewDocument()->geometry(), frame->Area()->viewport()->rect());
}

// An empty frame says how to begin, and its first document fills it without
// being maximized. The frame fits the screen, and opens where it was left.
TEST_F(MainFrameTest, AnEmptyFrameSaysHowToBeginAndTheFrameKeepsItsPlace) {
  const auto* hint = frame->findChild<QLabel*>(QStringLiteral("lblHint"));
  ASSERT_NE(hint, nullptr);
  EXPECT_TRUE(hint->isVisible());
  EXPECT_EQ(hint->text(),
            "Open a car file with Ctrl+O, make a new one with Ctrl+N, or drop files here");
  NewDocument();
  EXPECT_FALSE(hint->isVisible());
  EXPECT_EQ(sheet->geometry(), frame->Area()->viewport()->rect());
  EXPECT_FALSE(sheet->isMaximized());
  sheet->close();
  Flush();
  EXPECT_TRUE(hint->isVisible());

  QSettings().remove(QStringLiteral("frame/geometry"));
  const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
  EXPECT_EQ(mdfMain().size(), QSize(960, 640).boundedTo(screen * 9 / 10));
  frame->resize(500, 300);
  Trigger("mnuFileExit");
  EXPECT_EQ(mdfMain().size(), QSize(500, 300));
}

// Under a German interface the menus, the prompts, a refused value and the
// program's own errors speak German, and so do Qt's own buttons.
TEST_F(MainFrameTest, AGermanInterfaceSpeaksGerman) {
  InterfaceLanguage::Set(QStringLiteral("de"));
  InterfaceLanguage::InstallTranslations(*QCoreApplication::instance());
  const auto english = qScopeGuard([] {
    for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>()) {
      QCoreApplication::removeTranslator(translator);
      delete translator;
    }
    InterfaceLanguage::Set(QStringLiteral("en"));
  });
  frame = std::make_unique<mdfMain>();
  frame->show();
  QStringList menus;
  for (const QAction* menu : frame->menuBar()->actions()) menus << menu->text();
  EXPECT_EQ(menus, QStringList({"&Datei", "&Bearbeiten", "&Ansicht", "&Fenster", "&Hilfe"}));
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), "&Ja");
  NewDocument();
  grid->setFocus();
  Type(QStringLiteral("abc"));
  Key(Qt::Key_Return);
  EXPECT_EQ(editor->toolTip(), QStringLiteral("Keine Zahl dieser Spalte"));
  Key(Qt::Key_Escape);
  const QString broken = WriteFile("kaputt.gci", "kein Auto");
  dialogs.ChooseFile(broken);
  dialogs.AnswerMessage(Answer::Ok);
  Trigger("mnuFileOpen");
  EXPECT_EQ(dialogs.asked.back().text,
            QStringLiteral("Die Datei \u201e%1\u201c kann nicht ge\u00f6ffnet werden.\r\nFehler "
                           "-2147220219: Falscher Datei-Inhalt\r\nauf den Kopfkommentar folgt "
                           "kein Auto")
                .arg(broken));
  sheet->SetCellValue(1, 5, QStringLiteral("17"));
  dialogs.AnswerMessage(Answer::No);
  sheet->close();
  EXPECT_EQ(dialogs.asked.back().text,
            QStringLiteral("Die geladene Datei wurde ge\u00e4ndert, aber nicht gespeichert. Jetzt "
                           "speichern?"));
}

// An error that escapes an event handler is shown, and the program goes on;
// running out of memory is reported as such.
TEST_F(MainFrameTest, AnErrorInAnEventHandlerIsShownToTheUser) {
  struct Failing : QObject {
    bool outOfMemory = false;
    bool event(QEvent*) override {
      if (outOfMemory) throw std::bad_alloc();
      RaiseRuntimeError(ErrDiskFull);
    }
  } failing;
  QEvent event(QEvent::User);
  for (const bool outOfMemory : {false, true}) {
    failing.outOfMemory = outOfMemory;
    dialogs.AnswerMessage(Answer::Ok);
    EXPECT_FALSE(QCoreApplication::sendEvent(&failing, &event));
    EXPECT_TRUE(dialogs.asked.back().text.startsWith(outOfMemory ? "Error 7: Out of memory"
                                                                 : "Error 61: Disk full"));
  }
}

// However many steps a load reports, the bar is painted at its last step at
// once and only now and then before it.
TEST_F(MainFrameTest, TheProgressBarPaintsItsEndsAndFewStepsBetween) {
  struct Paints : QObject {
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
      count += event->type() == QEvent::Paint;
      return false;
    }
  } paints;
  frame->pgbFile()->installEventFilter(&paints);
  frame->SetProgressMax(20000);
  frame->SetProgressVisible(true);
  for (int i = 1; i <= 20000; ++i) frame->SetProgressValue(float(i));
  EXPECT_EQ(frame->pgbFile()->value(), 100);
  EXPECT_GE(paints.count, 1);  // the last step, at once
  EXPECT_LE(paints.count, 5);
}

// The real message box: its icon, No the default of a Yes/No question (Yes
// of a recovery's Yes/No/Discard), and the button pressed as the answer.
TEST(QtUserDialogsTest, TheMessageBoxAnswersWithThePressedButton) {
  using B = UserDialogs::Buttons;
  using I = UserDialogs::Icon;
  const std::tuple<B, I, QMessageBox::StandardButton, QMessageBox::Icon, Answer> cases[] = {
      {B::Ok, I::Exclamation, QMessageBox::Ok, QMessageBox::Warning, Answer::Ok},
      {B::YesNo, I::Question, QMessageBox::NoButton, QMessageBox::Question, Answer::No},
      {B::YesNoCancel, I::Question, QMessageBox::Yes, QMessageBox::Question, Answer::Yes},
      {B::YesNoCancel, I::Question, QMessageBox::Cancel, QMessageBox::Question, Answer::Cancel},
      {B::YesNoDiscard, I::Question, QMessageBox::NoButton, QMessageBox::Question, Answer::Yes},
      {B::YesNoDiscard, I::Question, QMessageBox::Discard, QMessageBox::Question, Answer::Discard}};
  QtUserDialogs dialogs;
  for (const auto& [buttons, icon, press, shown, answer] : cases) {
    QMessageBox::Icon seen = QMessageBox::NoIcon;
    QTimer::singleShot(0, [&, press = press] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      seen = box->icon();
      (press == QMessageBox::NoButton ? box->defaultButton() : box->button(press))->click();
    });
    EXPECT_EQ(dialogs.MessageBox("text", buttons, icon, "title"), answer);
    EXPECT_EQ(seen, shown);
  }
  // Buttons of their own: Enter presses the default one.
  QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return); });
  EXPECT_EQ(dialogs.Choose("text", I::Question, "title", {"A", "B"}, 1), 1);
}

}  // namespace
