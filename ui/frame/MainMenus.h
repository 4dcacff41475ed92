#pragma once

#include <QList>
#include <QObject>
#include <array>

class QAction;
class QMainWindow;
class QMdiArea;
class QMenu;

// The frame's menu bar: File, Edit, Windows and Help with their access keys
// and shortcuts. The document menus (Save, Save as, Close, Edit, Windows) are
// switched together; the Windows menu lists the open documents below its
// arrange items, and choosing one activates it. The frame connects the
// commands.
class MainMenus : public QObject {
  Q_OBJECT

 public:
  MainMenus(QMainWindow& frame, QMdiArea& area);

  // Enables Save, Save as and Close and shows Edit and Windows, or the reverse.
  void SetDocumentMenus(bool on);
  // Rebuilds the list of open documents in the Windows menu.
  void RefreshWindowList();
  // The actions of the list of open documents, in list order.
  const QList<QAction*>& WindowListActions() const { return windowList_; }

  QMenu* mnuFile;
  QAction* mnuFileNew;
  QAction* mnuFileOpen;
  QAction* mnuFileSave;
  QAction* mnuFileSaveAs;
  QAction* mnuFileClose;
  QAction* mnuFileDash0;
  QAction* mnuFileExit;
  QMenu* mnuEdit;
  QAction* mnuEditManipulate;
  QMenu* mnuWindows;
  // Cascade, tile horizontally, tile vertically, arrange icons.
  std::array<QAction*, 4> mnuWindowsArrange;
  QMenu* mnuHelp;
  QAction* mnuHelpAbout;

 private:
  QMdiArea& area_;
  QList<QAction*> windowList_;
};
