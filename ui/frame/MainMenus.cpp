#include "ui/frame/MainMenus.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

namespace {

QAction* AddItem(QMenu* menu, const char* name, const QString& caption,
                 const QKeySequence& shortcut = QKeySequence()) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QLatin1String(name));
  action->setShortcut(shortcut);
  return action;
}

QMenu* AddMenu(QMainWindow& frame, const char* name, const QString& caption) {
  QMenu* menu = frame.menuBar()->addMenu(caption);
  menu->setObjectName(QLatin1String(name));
  menu->menuAction()->setObjectName(QLatin1String(name));
  return menu;
}

}  // namespace

MainMenus::MainMenus(QMainWindow& frame, QMdiArea& area) : QObject(&frame), area_(area) {
  mnuFile = AddMenu(frame, "mnuFile", QStringLiteral("&File"));
  mnuFileNew =
      AddItem(mnuFile, "mnuFileNew", QStringLiteral("&New"), QKeySequence(Qt::CTRL | Qt::Key_N));
  mnuFileOpen =
      AddItem(mnuFile, "mnuFileOpen", QStringLiteral("&Open"), QKeySequence(Qt::CTRL | Qt::Key_O));
  mnuFileSave =
      AddItem(mnuFile, "mnuFileSave", QStringLiteral("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S));
  mnuFileSaveAs = AddItem(mnuFile, "mnuFileSaveAs", QStringLiteral("Save &as"),
                          QKeySequence(Qt::CTRL | Qt::Key_A));
  mnuFileClose = AddItem(mnuFile, "mnuFileClose", QStringLiteral("&Close"),
                         QKeySequence(Qt::CTRL | Qt::Key_F4));
  mnuFileDash0 = mnuFile->addSeparator();
  mnuFileDash0->setObjectName(QStringLiteral("mnuFileDash0"));
  mnuFileExit = AddItem(mnuFile, "mnuFileExit", QStringLiteral("E&xit"));

  mnuEdit = AddMenu(frame, "mnuEdit", QStringLiteral("&Edit"));
  mnuEditManipulate = AddItem(mnuEdit, "mnuEditManipulate", QStringLiteral("&Manipulate selection"),
                              QKeySequence(Qt::CTRL | Qt::Key_M));

  mnuWindows = AddMenu(frame, "mnuWindows", QStringLiteral("&Windows"));
  const char* const arrangeCaptions[] = {"&Cascade", "Tile &horizontal", "Tile &vertical",
                                         "Arrange &icons"};
  for (std::size_t i = 0; i < mnuWindowsArrange.size(); ++i) {
    mnuWindowsArrange[i] =
        AddItem(mnuWindows, "mnuWindowsArrange", QString::fromLatin1(arrangeCaptions[i]));
    mnuWindowsArrange[i]->setData(int(i));
  }
  connect(mnuWindows, &QMenu::aboutToShow, this, &MainMenus::RefreshWindowList);

  mnuHelp = AddMenu(frame, "mnuHelp", QStringLiteral("&Help"));
  mnuHelpAbout =
      AddItem(mnuHelp, "mnuHelpAbout", QStringLiteral("&About"), QKeySequence(Qt::Key_F1));

  SetDocumentMenus(false);
}

void MainMenus::SetDocumentMenus(bool on) {
  mnuFileSave->setEnabled(on);
  mnuFileSaveAs->setEnabled(on);
  mnuFileClose->setEnabled(on);
  mnuEdit->menuAction()->setVisible(on);
  mnuWindows->menuAction()->setVisible(on);
}

void MainMenus::RefreshWindowList() {
  qDeleteAll(windowList_);
  windowList_.clear();
  const QList<QMdiSubWindow*> windows = area_.subWindowList(QMdiArea::CreationOrder);
  QMdiSubWindow* active = area_.activeSubWindow();
  bool first = true;
  for (QMdiSubWindow* window : windows) {
    if (window->isHidden() && !window->isMinimized()) continue;
    if (first) {
      windowList_ << mnuWindows->addSeparator();
      first = false;
    }
    QAction* entry = mnuWindows->addAction(window->windowTitle());
    entry->setCheckable(true);
    entry->setChecked(window == active);
    connect(entry, &QAction::triggered, window,
            [this, window] { area_.setActiveSubWindow(window); });
    windowList_ << entry;
  }
}
