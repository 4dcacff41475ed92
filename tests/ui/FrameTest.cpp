#include <QMessageBox>
#include <QTimer>

#include "UiTestSupport.h"
#include "helperlib/QtUserDialogs.h"

namespace {

using MainFrameTest = FrameTest;

// Save, Save as, Close, Edit and Windows are on exactly while a document is
// open; the window counter reports every step.
TEST_F(MainFrameTest, DocumentMenusFollowTheNumberOfWindows) {
  const MainMenus& m = frame->Menus();
  std::vector<std::pair<int, int>> steps;
  QObject::connect(&frame->ChildCount(), &Counter::ValueChanged,
                   [&](int now, int before) { steps.emplace_back(now, before); });
  const auto menus = [&m] {
    return QList<bool>({m.mnuFileSave()->isEnabled(), m.mnuFileSaveAs()->isEnabled(),
                        m.mnuFileClose()->isEnabled(), m.mnuEdit()->menuAction()->isVisible(),
                        m.mnuWindows()->menuAction()->isVisible()});
  };
  EXPECT_EQ(menus(), QList<bool>(5, false));
  for (int count : {1, 2, 1, 0}) {
    if (count > frame->CarWindows().size()) {
      NewDocument();
    } else {
      frame->CarWindows().first()->close();
      Flush();
    }
    EXPECT_EQ(menus(), QList<bool>(5, count > 0)) << count;
  }
  EXPECT_EQ(steps, (std::vector<std::pair<int, int>>{{1, 0}, {2, 1}, {1, 2}, {0, 1}}));
}

// Below the arrange items the Windows menu lists the documents with access
// keys, the active one ticked; choosing one brings it back and forward.
TEST_F(MainFrameTest, WindowsMenuListsTheDocumentsAndActivatesTheChosenOne) {
  frmCars* first = NewDocument();
  NewDocument();
  const MainMenus& menus = frame->Menus();
  const auto entries = [&menus] {
    emit menus.mnuWindows()->aboutToShow();
    const QList<QAction*> actions = menus.mnuWindows()->actions();
    return actions.mid(actions.indexOf(menus.mnuWindowsArrange(3)) + 1);
  };
  QStringList texts;
  for (const QAction* entry : entries()) texts << entry->text() + (entry->isChecked() ? "*" : "");
  EXPECT_EQ(texts,
            QStringList({"", "&1 " + first->windowTitle(), "&2 " + sheet->windowTitle() + "*"}));
  first->showMinimized();
  entries()[1]->trigger();
  EXPECT_EQ(frame->Area()->currentSubWindow(), first);
  EXPECT_FALSE(first->isMinimized());
  EXPECT_EQ(entries().size(), 3);
}

// New windows open inside the frame from the top-left corner down, each
// showing at least ten cars, or filling a frame too small for that. The
// tilings share the frame among the windows that are not minimized (a
// maximized one too): stacked full-width, or side by side full-height.
// Arrange icons lines the minimized ones up along the bottom; Cascade keeps
// useful sizes.
TEST_F(MainFrameTest, WindowsCascadeTileAndLineUpInsideTheFrame) {
  const QRect space = frame->Area()->viewport()->rect();
  int top = -1;
  for (int i = 0; i < 3; ++i) {
    const QRect place = NewDocument()->geometry();
    EXPECT_TRUE(space.contains(place) && place.top() > top) << i;
    top = place.top();
    EXPECT_GE(grid->rowAt(grid->viewport()->height() - 1), 9) << i;
  }
  const QList<frmCars*> windows = frame->CarWindows();
  const auto arrange = [this](int item) { frame->Menus().mnuWindowsArrange(item)->trigger(); };
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
  const QRect icon0 = windows[0]->geometry();
  const QRect icon2 = windows[2]->geometry();
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

// F1 shows the version with the frame's icon, which the documents carry too;
// the real box shows what it is given.
TEST_F(MainFrameTest, AboutShowsTheVersionWithTheFramesIcon) {
  NewDocument();
  const QIcon icon = frame->windowIcon();
  EXPECT_FALSE(icon.pixmap(32, 32).isNull());
  EXPECT_EQ(sheet->windowIcon().cacheKey(), icon.cacheKey());
  QTest::keyClick(frame.get(), Qt::Key_F1);
  ASSERT_EQ(dialogs.asked.size(), 1u);
  const ScriptedDialogs::Question& about = dialogs.asked[0];
  EXPECT_EQ(QStringList({about.kind, about.title}),
            QStringList({"about", "About " + ApplicationTitle()}));
  EXPECT_TRUE(about.text.startsWith(ApplicationTitle() + '.')) << about.text.toStdString();
  EXPECT_EQ(about.picture.cacheKey(), icon.cacheKey());
  ASSERT_EQ(about.lines.size(), 4);
  EXPECT_EQ(about.lines[0], QStringLiteral("Torqlet"));

  QString shown;
  QTimer::singleShot(0, [&shown] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    shown = QStringList({box->windowTitle(), box->text(), box->informativeText()}).join('|');
    EXPECT_FALSE(box->iconPixmap().isNull());
    box->accept();
  });
  QtUserDialogs().AboutBox("About it", icon, "It 1.2.3", {"one", "two", "", "four"});
  EXPECT_EQ(shown, QStringLiteral("About it|It 1.2.3|one\ntwo\n\nfour"));
}

struct PaintCounter : QObject {
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    paints += event->type() == QEvent::Paint;
    return false;
  }
};

// While a file loads the bar appears at once, laid out, and repaints
// synchronously but only when its percentage changes.
TEST_F(MainFrameTest, ProgressRepaintsAtOnceButOnlyWhenWhatItShowsChanges) {
  QProgressBar* bar = frame->pgbFile();
  frame->SetCaption(QStringLiteral("loading"));
  frame->SetProgressMax(100000);
  frame->SetProgressVisible(true);
  EXPECT_GT(bar->width(), frame->width() / 2);
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("loading"));
  PaintCounter counter;
  bar->installEventFilter(&counter);
  int paintsAtHalf = -1;
  for (int value = 1; value <= 100000; ++value) {
    frame->SetProgressValue(float(value));
    if (value == 50000) paintsAtHalf = counter.paints;
  }
  EXPECT_GT(paintsAtHalf, 10);
  EXPECT_LE(counter.paints, 101);
  EXPECT_EQ(bar->value(), bar->maximum());
  frame->SetProgressVisible(false);
  EXPECT_TRUE(bar->isHidden());
}

}  // namespace
