#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QMainWindow>
#include <memory>

#include "model/StatusDisplay.h"

class Counter;
class MainMenus;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class StatusLine;
class QProgressBar;
class QUndoGroup;
class frmCars;
class frmChart;

// The program's one frame: a multiple-document window that holds the car sheet
// windows, carries the menus and shows the car files' steps in its caption
// and progress bar (every car sheet window reports to it).
class mdfMain : public QMainWindow, public StatusDisplay {
  Q_OBJECT

 public:
  explicit mdfMain(QWidget* parent = nullptr);
  ~mdfMain() override;

  // Counts the car sheet windows; its changes switch the document menus.
  Counter& ChildCount();

  // StatusDisplay: the caption and pgbFile repaint at once while a file is
  // read or written, without letting user input run in between.
  QString Caption() const override { return caption_; }
  void SetCaption(const QString& text) override;
  void SetProgressVisible(bool visible) override;
  void SetProgressMax(float max) override;
  void SetProgressValue(float value) override;
  void Show() override;
  void Warn(const QString& text) override;

  QProgressBar* pgbFile() const { return pgbFile_; }
  QMdiArea* Area() const { return area_; }
  MainMenus& Menus() const { return *menus_; }
  // The car sheet windows, oldest first.
  QList<frmCars*> CarWindows() const;
  // The active car sheet, or the sheet of the active chart window.
  frmCars* ActiveCars() const;
  // View > Chart of column and Scatter of two columns: a chart window of the
  // active sheet's current column; null when there is no sheet or its open
  // edit does not convert.
  frmChart* OpenChart(bool scatter);

  // A new car sheet window in the area, before its document is filled.
  frmCars* NewCarWindow();
  StatusLine& Status() const { return *status_; }

  // Opens a car file in a new window; a file that cannot be read is reported
  // and leaves no window. An opened file goes first in the recent files.
  void OpenFile(const QString& fileName);
  // Opens each file in turn as File > Open would; one that cannot be read is
  // reported and the others still open. Relative names are taken from the
  // working folder.
  void OpenFiles(const QStringList& fileNames);

  // The commands, each run through the command guard by its menu item.
  void mnuFileNew_Click();
  void mnuFileOpen_Click();
  void mnuFileSave_Click();
  void mnuFileSaveAs_Click();
  void mnuFileClose_Click();
  void mnuFileExit_Click();
  void mnuEditManipulate_Click();
  // Undo and redo in the active document; an open edit is stored first (and
  // so undone with the rest), a text that does not convert refuses them.
  void mnuEditUndo_Click();
  void mnuEditRedo_Click();
  void mnuEditCopy_Click();
  void mnuEditPaste_Click();
  // Asks for a text and makes the next car whose name contains it current;
  // Find next repeats the last search.
  void mnuEditFind_Click();
  void mnuEditFindNext_Click();
  void mnuHelpAbout_Click();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Coming back to the frame shows what another program did to the active
  // document's file meanwhile.
  void changeEvent(QEvent* event) override;
  // Files dropped onto the frame open as documents.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void pobjCnt_ValueChanged(std::int32_t newValue, std::int32_t oldValue);
  void ConnectCommands();
  void ShowProgress();
  void RememberFile(const QString& fileName);
  void OpenRecentFile(const QString& fileName);
  void OnWindowActivated(QMdiSubWindow* window);
  static frmCars* CarsOf(QMdiSubWindow* window);
  void PlaceInitially();
  bool eventFilter(QObject* watched, QEvent* event) override;
  // The active document, once an edit still open in it is stored; null when
  // there is none or the edit's text does not convert (then with a beep).
  frmCars* ActiveCarsValidated() const;

  QMdiArea* area_;
  QProgressBar* pgbFile_;
  MainMenus* menus_;
  // The histories of the documents; the active one follows the active window.
  QUndoGroup* history_;
  QString lastFind_;
  // Whether the user has arranged the windows: a new window then no longer
  // fills an empty frame.
  bool arranged_ = false;
  // What an empty frame shows in its area.
  QLabel* hint_;
  StatusLine* status_;
  // What Manipulate proposes: the term last entered.
  QString lastTerm_ = QStringLiteral("x");
  std::unique_ptr<Counter> pobjCnt;
  QString caption_;
  float progressMax_ = 0;
  float progressValue_ = 0;
  // The step the bar shows; -1 when it must be painted afresh.
  int shownStep_ = -1;
  // Since the bar was last painted.
  QElapsedTimer sincePainted_;
};
