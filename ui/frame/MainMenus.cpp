#include "ui/frame/MainMenus.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QUndoGroup>

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

// A list entry with its number as access key: "&1 nyc.gci".
QString NumberedCaption(int number, QString text) {
  return QStringLiteral("&%1 %2").arg(number).arg(
      text.replace(QLatin1Char('&'), QStringLiteral("&&")));
}

}  // namespace

MainMenus::MainMenus(QMainWindow& frame, QMdiArea& area) : QObject(&frame), area_(area) {
  mnuFile_ = AddMenu(frame, "mnuFile", tr("&File"));
  mnuFileNew_ = AddItem(mnuFile_, "mnuFileNew", tr("&New"), QKeySequence(Qt::CTRL | Qt::Key_N));
  mnuFileOpen_ = AddItem(mnuFile_, "mnuFileOpen", tr("&Open"), QKeySequence(Qt::CTRL | Qt::Key_O));
  mnuFileSave_ = AddItem(mnuFile_, "mnuFileSave", tr("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S));
  mnuFileSaveAs_ =
      AddItem(mnuFile_, "mnuFileSaveAs", tr("Save &as"), QKeySequence(Qt::CTRL | Qt::Key_A));
  mnuFileMerge_ = AddItem(mnuFile_, "mnuFileMerge", tr("&Merge into this document..."));
  mnuFileClose_ =
      AddItem(mnuFile_, "mnuFileClose", tr("&Close"), QKeySequence(Qt::CTRL | Qt::Key_F4));
  mnuFileDash0_ = mnuFile_->addSeparator();
  mnuFileDash0_->setObjectName(QStringLiteral("mnuFileDash0"));
  mnuFileRecent_ = mnuFile_->addMenu(tr("&Recent files"));
  mnuFileRecent_->setObjectName(QStringLiteral("mnuFileRecent"));
  mnuFileRecent_->menuAction()->setObjectName(QStringLiteral("mnuFileRecent"));
  mnuFileRecent_->addSeparator();
  mnuFileRecentClear_ = AddItem(mnuFileRecent_, "mnuFileRecentClear", tr("Clear list"));
  mnuFile_->addSeparator();
  mnuFileExit_ = AddItem(mnuFile_, "mnuFileExit", tr("E&xit"));

  mnuEdit_ = AddMenu(frame, "mnuEdit", tr("&Edit"));
  mnuEditManipulate_ = AddItem(mnuEdit_, "mnuEditManipulate", tr("&Manipulate selection"),
                               QKeySequence(Qt::CTRL | Qt::Key_M));
  mnuEdit_->addSeparator();
  mnuEditUndo_ =
      AddItem(mnuEdit_, "mnuEditUndo", UndoCaption(QString()), QKeySequence(Qt::CTRL | Qt::Key_Z));
  mnuEditRedo_ =
      AddItem(mnuEdit_, "mnuEditRedo", RedoCaption(QString()), QKeySequence(Qt::CTRL | Qt::Key_Y));
  mnuEditRedo_->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  mnuEdit_->addSeparator();
  mnuEditCopy_ = AddItem(mnuEdit_, "mnuEditCopy", tr("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C));
  mnuEditPaste_ =
      AddItem(mnuEdit_, "mnuEditPaste", tr("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V));
  mnuEdit_->addSeparator();
  mnuEditFind_ =
      AddItem(mnuEdit_, "mnuEditFind", tr("&Find car..."), QKeySequence(Qt::CTRL | Qt::Key_F));
  mnuEditFindNext_ =
      AddItem(mnuEdit_, "mnuEditFindNext", tr("Find &next"), QKeySequence(Qt::Key_F3));
  mnuEdit_->addSeparator();
  mnuEditCompare_ = AddItem(mnuEdit_, "mnuEditCompare", tr("Compare &with..."));
  mnuEditNextDifference_ =
      AddItem(mnuEdit_, "mnuEditNextDifference", tr("Next &difference"), QKeySequence(Qt::Key_F7));
  mnuEditPreviousDifference_ =
      AddItem(mnuEdit_, "mnuEditPreviousDifference", tr("Pre&vious difference"),
              QKeySequence(Qt::SHIFT | Qt::Key_F7));
  mnuEditTakeValue_ = AddItem(mnuEdit_, "mnuEditTakeValue", tr("&Take value from the other file"),
                              QKeySequence(Qt::CTRL | Qt::Key_T));
  mnuEditStopComparing_ = AddItem(mnuEdit_, "mnuEditStopComparing", tr("&Stop comparing"));

  mnuView_ = AddMenu(frame, "mnuView", tr("&View"));
  mnuViewSortAscending_ = AddItem(mnuView_, "mnuViewSortAscending", tr("Sort &ascending"));
  mnuViewSortDescending_ = AddItem(mnuView_, "mnuViewSortDescending", tr("Sort &descending"));
  mnuViewSortByName_ = AddItem(mnuView_, "mnuViewSortByName", tr("Sort by &name"));
  mnuViewFileOrder_ = AddItem(mnuView_, "mnuViewFileOrder", tr("File &order"));
  mnuView_->addSeparator();
  mnuViewFilter_ = AddItem(mnuView_, "mnuViewFilter", tr("&Filter cars..."));
  mnuViewShowAll_ = AddItem(mnuView_, "mnuViewShowAll", tr("Show a&ll cars"));
  mnuView_->addSeparator();
  mnuViewChart_ = AddItem(mnuView_, "mnuViewChart", tr("&Chart of column"));
  mnuViewScatter_ = AddItem(mnuView_, "mnuViewScatter", tr("Sca&tter of two columns"));

  mnuWindows_ = AddMenu(frame, "mnuWindows", tr("&Windows"));
  const char* const arrangeCaptions[] = {QT_TR_NOOP("&Cascade"), QT_TR_NOOP("Tile &horizontal"),
                                         QT_TR_NOOP("Tile &vertical"),
                                         QT_TR_NOOP("Arrange &icons")};
  for (std::size_t i = 0; i < mnuWindowsArrange_.size(); ++i) {
    mnuWindowsArrange_[i] = AddItem(mnuWindows_, "mnuWindowsArrange", tr(arrangeCaptions[i]));
  }
  connect(mnuWindows_, &QMenu::aboutToShow, this, &MainMenus::RefreshWindowList);

  mnuHelp_ = AddMenu(frame, "mnuHelp", tr("&Help"));
  mnuHelpAbout_ = AddItem(mnuHelp_, "mnuHelpAbout", tr("&About"), QKeySequence(Qt::Key_F1));

  SetDocumentMenus(false);
}

// "&Undo" alone, or with the step it undoes: "&Undo Edit mass of Romero".
QString MainMenus::UndoCaption(const QString& step) {
  return step.isEmpty() ? tr("&Undo") : tr("&Undo %1").arg(QString(step).replace('&', "&&"));
}

QString MainMenus::RedoCaption(const QString& step) {
  return step.isEmpty() ? tr("&Redo") : tr("&Redo %1").arg(QString(step).replace('&', "&&"));
}

void MainMenus::FollowHistory(const QUndoGroup& history) {
  mnuEditUndo_->setEnabled(history.canUndo());
  mnuEditRedo_->setEnabled(history.canRedo());
  connect(&history, &QUndoGroup::canUndoChanged, mnuEditUndo_, &QAction::setEnabled);
  connect(&history, &QUndoGroup::canRedoChanged, mnuEditRedo_, &QAction::setEnabled);
  connect(&history, &QUndoGroup::undoTextChanged, mnuEditUndo_,
          [this](const QString& step) { mnuEditUndo_->setText(UndoCaption(step)); });
  connect(&history, &QUndoGroup::redoTextChanged, mnuEditRedo_,
          [this](const QString& step) { mnuEditRedo_->setText(RedoCaption(step)); });
}

void MainMenus::SetDocumentMenus(bool on) {
  mnuFileSave_->setEnabled(on);
  mnuFileSaveAs_->setEnabled(on);
  mnuFileMerge_->setEnabled(on);
  mnuFileClose_->setEnabled(on);
  mnuEdit_->menuAction()->setVisible(on);
  mnuView_->menuAction()->setVisible(on);
  mnuWindows_->menuAction()->setVisible(on);
}

void MainMenus::SetRecentFiles(const QStringList& files) {
  qDeleteAll(recentList_);
  recentList_.clear();
  QAction* before = mnuFileRecent_->actions().constFirst();  // the separator above Clear list
  int number = 0;
  for (const QString& file : files) {
    auto* entry = new QAction(NumberedCaption(++number, file), mnuFileRecent_);
    entry->setObjectName(QStringLiteral("mnuFileRecent%1").arg(number));
    connect(entry, &QAction::triggered, this, [this, file] { emit RecentFileChosen(file); });
    mnuFileRecent_->insertAction(before, entry);
    recentList_ << entry;
  }
  mnuFileRecent_->menuAction()->setEnabled(!files.isEmpty());
}

void MainMenus::RefreshWindowList() {
  qDeleteAll(windowList_);
  windowList_.clear();
  const QList<QMdiSubWindow*> windows = area_.subWindowList(QMdiArea::CreationOrder);
  QMdiSubWindow* active = area_.activeSubWindow();
  int number = 0;
  for (QMdiSubWindow* window : windows) {
    if (window->isHidden() && !window->isMinimized()) continue;
    if (number++ == 0) windowList_ << mnuWindows_->addSeparator();
    // The first nine carry their number as access key: "&1 1: nyc.gci".
    QString title = window->windowTitle();
    title.replace(QStringLiteral("[*]"),
                  window->isWindowModified() ? QStringLiteral("*") : QString());
    QAction* entry = mnuWindows_->addAction(number <= 9 ? NumberedCaption(number, title)
                                                        : QString(title).replace('&', "&&"));
    entry->setCheckable(true);
    entry->setChecked(window == active);
    connect(entry, &QAction::triggered, window, [this, window] {
      if (window->isMinimized()) window->showNormal();
      area_.setActiveSubWindow(window);
    });
    windowList_ << entry;
  }
}
