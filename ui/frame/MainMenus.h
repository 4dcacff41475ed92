#pragma once

#include <QList>
#include <QObject>
#include <QStringList>
#include <array>

class QAction;
class QMainWindow;
class QMdiArea;
class QMenu;
class QUndoGroup;

// The frame's menu bar: File, Edit, View, Windows and Help with their access
// keys and shortcuts. The document menus (Save, Save as, Close, Edit, View, Windows) are
// switched together; the Windows menu lists the open documents below its
// arrange items, and choosing one brings it forward. The frame connects the
// commands.
class MainMenus : public QObject {
  Q_OBJECT

 public:
  MainMenus(QMainWindow& frame, QMdiArea& area);

 signals:
  // A file of the recent files was chosen.
  void RecentFileChosen(const QString& path);

 public:
  // Enables Save, Save as and Close and shows Edit, View and Windows, or the reverse.
  void SetDocumentMenus(bool on);
  // Lists the recent files in File > Recent files, the first eight with their
  // number as access key; an empty list disables the submenu.
  void SetRecentFiles(const QStringList& files);
  // Rebuilds the list of open documents in the Windows menu.
  void RefreshWindowList();
  // Undo and Redo follow the active document's history: enabled when it has a
  // step to undo or redo, their captions naming the step.
  void FollowHistory(const QUndoGroup& history);

  QMenu* mnuFile() const { return mnuFile_; }
  QAction* mnuFileNew() const { return mnuFileNew_; }
  QAction* mnuFileOpen() const { return mnuFileOpen_; }
  QAction* mnuFileSave() const { return mnuFileSave_; }
  QAction* mnuFileSaveAs() const { return mnuFileSaveAs_; }
  QAction* mnuFileMerge() const { return mnuFileMerge_; }
  QAction* mnuFileClose() const { return mnuFileClose_; }
  QAction* mnuFileDash0() const { return mnuFileDash0_; }
  QMenu* mnuFileRecent() const { return mnuFileRecent_; }
  QAction* mnuFileRecentClear() const { return mnuFileRecentClear_; }
  QAction* mnuFileExit() const { return mnuFileExit_; }
  QMenu* mnuEdit() const { return mnuEdit_; }
  QAction* mnuEditManipulate() const { return mnuEditManipulate_; }
  QAction* mnuEditUndo() const { return mnuEditUndo_; }
  QAction* mnuEditRedo() const { return mnuEditRedo_; }
  QAction* mnuEditCopy() const { return mnuEditCopy_; }
  QAction* mnuEditPaste() const { return mnuEditPaste_; }
  QAction* mnuEditFind() const { return mnuEditFind_; }
  QAction* mnuEditFindNext() const { return mnuEditFindNext_; }
  QAction* mnuEditCompare() const { return mnuEditCompare_; }
  QAction* mnuEditNextDifference() const { return mnuEditNextDifference_; }
  QAction* mnuEditPreviousDifference() const { return mnuEditPreviousDifference_; }
  QAction* mnuEditTakeValue() const { return mnuEditTakeValue_; }
  QAction* mnuEditStopComparing() const { return mnuEditStopComparing_; }
  QMenu* mnuView() const { return mnuView_; }
  QAction* mnuViewSortAscending() const { return mnuViewSortAscending_; }
  QAction* mnuViewSortDescending() const { return mnuViewSortDescending_; }
  QAction* mnuViewSortByName() const { return mnuViewSortByName_; }
  QAction* mnuViewFileOrder() const { return mnuViewFileOrder_; }
  QAction* mnuViewFilter() const { return mnuViewFilter_; }
  QAction* mnuViewShowAll() const { return mnuViewShowAll_; }
  QAction* mnuViewChart() const { return mnuViewChart_; }
  QAction* mnuViewScatter() const { return mnuViewScatter_; }
  QMenu* mnuWindows() const { return mnuWindows_; }
  // 0 cascade, 1 tile horizontally, 2 tile vertically, 3 arrange icons.
  QAction* mnuWindowsArrange(int index) const { return mnuWindowsArrange_.at(std::size_t(index)); }
  QMenu* mnuHelp() const { return mnuHelp_; }
  QAction* mnuHelpAbout() const { return mnuHelpAbout_; }

 private:
  static QString UndoCaption(const QString& step);
  static QString RedoCaption(const QString& step);

  QMdiArea& area_;
  QList<QAction*> windowList_;
  QMenu* mnuFile_;
  QAction* mnuFileNew_;
  QAction* mnuFileOpen_;
  QAction* mnuFileSave_;
  QAction* mnuFileSaveAs_;
  QAction* mnuFileMerge_;
  QAction* mnuFileClose_;
  QAction* mnuFileDash0_;
  QMenu* mnuFileRecent_;
  QList<QAction*> recentList_;
  QAction* mnuFileRecentClear_;
  QAction* mnuFileExit_;
  QMenu* mnuEdit_;
  QAction* mnuEditManipulate_;
  QAction* mnuEditUndo_;
  QAction* mnuEditRedo_;
  QAction* mnuEditCopy_;
  QAction* mnuEditPaste_;
  QAction* mnuEditFind_;
  QAction* mnuEditFindNext_;
  QAction* mnuEditCompare_;
  QAction* mnuEditNextDifference_;
  QAction* mnuEditPreviousDifference_;
  QAction* mnuEditTakeValue_;
  QAction* mnuEditStopComparing_;
  QMenu* mnuView_;
  QAction* mnuViewSortAscending_;
  QAction* mnuViewSortDescending_;
  QAction* mnuViewSortByName_;
  QAction* mnuViewFileOrder_;
  QAction* mnuViewFilter_;
  QAction* mnuViewShowAll_;
  QAction* mnuViewChart_;
  QAction* mnuViewScatter_;
  QMenu* mnuWindows_;
  std::array<QAction*, 4> mnuWindowsArrange_;
  QMenu* mnuHelp_;
  QAction* mnuHelpAbout_;
};
