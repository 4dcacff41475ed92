#include "ui/frame/mdfMain.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QScopeGuard>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QUndoGroup>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <functional>

#include "base/TorqletError.h"
#include "core/AppInfo.h"
#include "helperlib/Counter.h"
#include "helperlib/FileDialog.h"
#include "helperlib/FileIdentity.h"
#include "helperlib/GlobalFunctions.h"
#include "helperlib/RecentFiles.h"
#include "helperlib/Term.h"
#include "helperlib/UserDialogs.h"
#include "model/CarDocument.h"
#include "model/RecoveryJournal.h"
#include "ui/frame/CommandGuard.h"
#include "ui/frame/MainMenus.h"
#include "ui/frame/SharedOpenDialog.h"
#include "ui/frame/CompareCommands.h"
#include "ui/frame/StatusLine.h"
#include "ui/frame/WindowArranger.h"
#include "ui/sheet/CarGrid.h"
#include "ui/sheet/DocumentMerge.h"
#include "ui/sheet/SheetCommands.h"
#include "ui/sheet/frmCars.h"
#include "ui/sheet/frmChart.h"

// Resources of a static library must be registered by name, outside any namespace.
static QIcon FrameIcon() {
  Q_INIT_RESOURCE(torqlet_icons);
  QIcon icon;
  for (const char* size : {"16", "32", "48", "64"}) {
    icon.addFile(QStringLiteral(":/icons/torqlet-%1.png").arg(QLatin1String(size)));
  }
  return icon;
}

namespace {

// pgbFile shows whole percents: a step of the bar is a step of its text.
constexpr int ProgressSteps = 100;
// Each painting of the bar flushes the window to the screen, which costs as
// much as reading a few thousand cars: between the first and the last step the
// bar is painted at most this often.
constexpr qint64 ProgressPaintMilliseconds = 40;

}  // namespace

mdfMain::mdfMain(QWidget* parent) : QMainWindow(parent) {
  TrackDialogUser(false);
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  area_ = new QMdiArea(central);
  area_->setObjectName(QStringLiteral("mdiArea"));
  pgbFile_ = new QProgressBar(central);
  pgbFile_->setObjectName(QStringLiteral("pgbFile"));
  pgbFile_->setRange(0, ProgressSteps);
  pgbFile_->setValue(0);
  pgbFile_->hide();
  layout->addWidget(area_, 1);
  layout->addWidget(pgbFile_);
  setCentralWidget(central);

  menus_ = new MainMenus(*this, *area_);
  history_ = new QUndoGroup(this);
  menus_->FollowHistory(*history_);
  status_ = new StatusLine(*statusBar());
  connect(area_, &QMdiArea::subWindowActivated, this, &mdfMain::OnWindowActivated);
  connect(menus_, &MainMenus::RecentFileChosen, this,
          [this](const QString& file) { CommandGuard::Run([&] { OpenRecentFile(file); }); });
  connect(menus_->mnuFileRecentClear(), &QAction::triggered, this, [this] {
    RecentFiles().Clear();
    menus_->SetRecentFiles({});
  });
  menus_->SetRecentFiles(RecentFiles().List());
  hint_ =
      new QLabel(tr("Open a car file with Ctrl+O, make a new one with Ctrl+N, or drop files here"),
                 area_->viewport());
  hint_->setObjectName(QStringLiteral("lblHint"));
  hint_->setAlignment(Qt::AlignCenter);
  hint_->setWordWrap(true);
  hint_->setEnabled(false);  // drawn in the palette's quieter text colour
  area_->viewport()->installEventFilter(this);
  ConnectCommands();
  ChildCount();
  setWindowIcon(FrameIcon());
  PlaceInitially();
  setAcceptDrops(true);
  SetCaption(ApplicationTitle());
}

// Where the frame was when the program last ended, or a size that fits the
// screen (960 x 640 where there is room for it).
void mdfMain::PlaceInitially() {
  if (restoreGeometry(QSettings().value(QStringLiteral("frame/geometry")).toByteArray())) return;
  QSize size(960, 640);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
  }
  resize(size);
}

bool mdfMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == area_->viewport() && event->type() == QEvent::Resize) {
    hint_->setGeometry(area_->viewport()->rect().adjusted(20, 20, -20, -20));
  }
  return QMainWindow::eventFilter(watched, event);
}

mdfMain::~mdfMain() {
  // The documents end before the counter and the display they report to.
  qDeleteAll(area_->subWindowList());
  TrackDialogUser(true);
}

Counter& mdfMain::ChildCount() {
  if (!pobjCnt) {
    pobjCnt = std::make_unique<Counter>();
    connect(pobjCnt.get(), &Counter::ValueChanged, this, &mdfMain::pobjCnt_ValueChanged);
  }
  return *pobjCnt;
}

// A chart window stands for its sheet: the history, the status bar and the
// document's commands are the sheet's.
frmCars* mdfMain::CarsOf(QMdiSubWindow* window) {
  if (auto* chart = qobject_cast<frmChart*>(window)) return chart->Sheet();
  return qobject_cast<frmCars*>(window);
}

void mdfMain::OnWindowActivated(QMdiSubWindow* window) {
  frmCars* cars = CarsOf(window);
  history_->setActiveStack(cars ? &cars->Document().History() : nullptr);
  status_->Follow(cars);
  // Asked once the activation is over, not in the middle of it.
  if (cars) {
    QMetaObject::invokeMethod(cars, &frmCars::ShowDiskChange, Qt::QueuedConnection);
  }
}

void mdfMain::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::ActivationChange || !isActiveWindow()) return;
  if (frmCars* cars = ActiveCars()) {
    QMetaObject::invokeMethod(cars, &frmCars::ShowDiskChange, Qt::QueuedConnection);
  }
}

void mdfMain::RememberFile(const QString& fileName) {
  RecentFiles recent;
  recent.Add(fileName);
  menus_->SetRecentFiles(recent.List());
}

void mdfMain::OpenRecentFile(const QString& fileName) {
  if (QFileInfo::exists(fileName)) {
    OpenFile(fileName);
    return;
  }
  RecentFiles recent;
  recent.Remove(fileName);
  menus_->SetRecentFiles(recent.List());
  UserDialogs::Current().MessageBox(
      tr("The file \"%1\" no longer exists. It was taken off the list of recent files.")
          .arg(fileName),
      UserDialogs::Buttons::Ok, UserDialogs::Icon::Exclamation, ApplicationTitle());
}

void mdfMain::pobjCnt_ValueChanged(std::int32_t newValue, std::int32_t oldValue) {
  if (newValue == 1 && oldValue == 0) menus_->SetDocumentMenus(true);
  if (newValue == 0 && oldValue == 1) menus_->SetDocumentMenus(false);
  hint_->setVisible(newValue == 0);
}

void mdfMain::ConnectCommands() {
  auto bind = [this](QAction* action, std::function<void()> command) {
    connect(action, &QAction::triggered, this,
            [command = std::move(command)] { CommandGuard::Run(command); });
  };
  const MainMenus& m = *menus_;
  bind(m.mnuFileNew(), [this] { mnuFileNew_Click(); });
  bind(m.mnuFileOpen(), [this] { mnuFileOpen_Click(); });
  bind(m.mnuFileSave(), [this] { mnuFileSave_Click(); });
  bind(m.mnuFileSaveAs(), [this] { mnuFileSaveAs_Click(); });
  bind(m.mnuFileMerge(), [this] {
    frmCars* window = ActiveCarsValidated();
    if (!window) return;
    const DocumentMerge::Result merge = DocumentMerge::Run(*window);
    if (!merge.compareWith.isEmpty()) {
      CompareCommands::CompareWithFile(*this, *window, merge.compareWith);
    }
  });
  bind(m.mnuFileClose(), [this] { mnuFileClose_Click(); });
  bind(m.mnuFileExit(), [this] { mnuFileExit_Click(); });
  bind(m.mnuEditManipulate(), [this] { mnuEditManipulate_Click(); });
  bind(m.mnuEditUndo(), [this] { mnuEditUndo_Click(); });
  bind(m.mnuEditRedo(), [this] { mnuEditRedo_Click(); });
  bind(m.mnuEditCopy(), [this] { mnuEditCopy_Click(); });
  bind(m.mnuEditPaste(), [this] { mnuEditPaste_Click(); });
  bind(m.mnuEditFind(), [this] { mnuEditFind_Click(); });
  bind(m.mnuEditFindNext(), [this] { mnuEditFindNext_Click(); });
  bind(m.mnuEditCompare(), [this] { CompareCommands::CompareWith(*this); });
  bind(m.mnuEditNextDifference(), [this] { CompareCommands::Step(*this, true); });
  bind(m.mnuEditPreviousDifference(), [this] { CompareCommands::Step(*this, false); });
  bind(m.mnuEditTakeValue(), [this] { CompareCommands::Take(*this); });
  bind(m.mnuEditStopComparing(), [this] { CompareCommands::Stop(*this); });
  bind(m.mnuHelpAbout(), [this] { mnuHelpAbout_Click(); });
  // The View commands act on the active document once its open edit is stored.
  const auto view = [this, &bind](QAction* action, void (SheetCommands::*command)()) {
    bind(action, [this, command] {
      if (frmCars* window = ActiveCarsValidated()) (window->Commands().*command)();
    });
  };
  view(m.mnuViewSortAscending(), &SheetCommands::SortAscending);
  view(m.mnuViewSortDescending(), &SheetCommands::SortDescending);
  view(m.mnuViewSortByName(), &SheetCommands::SortByName);
  view(m.mnuViewFileOrder(), &SheetCommands::SortInFileOrder);
  view(m.mnuViewFilter(), &SheetCommands::OpenFilterBar);
  view(m.mnuViewShowAll(), &SheetCommands::ShowAllCars);
  bind(m.mnuViewChart(), [this] { OpenChart(false); });
  bind(m.mnuViewScatter(), [this] { OpenChart(true); });
  bind(m.mnuWindowsArrange(0), [this] {
    arranged_ = true;
    const QList<frmCars*> windows = CarWindows();
    if (!windows.isEmpty()) WindowArranger::Cascade(*area_, windows.first()->UsefulSize());
  });
  bind(m.mnuWindowsArrange(1), [this] {
    arranged_ = true;
    WindowArranger::TileHorizontally(*area_);
  });
  bind(m.mnuWindowsArrange(2), [this] {
    arranged_ = true;
    WindowArranger::TileVertically(*area_);
  });
  bind(m.mnuWindowsArrange(3), [this] {
    arranged_ = true;
    WindowArranger::ArrangeIcons(*area_);
  });
}

void mdfMain::SetCaption(const QString& text) {
  caption_ = text;
  setWindowTitle(text);
  // Painting the bar flushes the window to the screen, caption included.
  if (pgbFile_->isVisible()) pgbFile_->repaint();
}

void mdfMain::SetProgressVisible(bool visible) {
  if (pgbFile_->isHidden() != visible) return;
  pgbFile_->setVisible(visible);
  // Lay out now: the bar must appear while the work goes on, before events run.
  centralWidget()->layout()->activate();
  shownStep_ = -1;
  if (visible) ShowProgress();
}

void mdfMain::SetProgressMax(float max) {
  progressMax_ = max;
  ShowProgress();
}

void mdfMain::SetProgressValue(float value) {
  progressValue_ = value;
  ShowProgress();
}

// Repaints the bar only when what it shows changes: a large file reports far
// more steps than the bar shows.
void mdfMain::ShowProgress() {
  double fraction = progressMax_ > 0 ? double(progressValue_) / progressMax_ : 0.0;
  if (!std::isfinite(fraction)) fraction = 0.0;
  const int step = int(std::clamp(fraction, 0.0, 1.0) * ProgressSteps);
  if (step == shownStep_) return;
  const bool between = step > 0 && step < ProgressSteps;
  if (between && sincePainted_.isValid() && sincePainted_.elapsed() < ProgressPaintMilliseconds) {
    return;
  }
  shownStep_ = step;
  sincePainted_.start();
  // A new value changes the bar's percentage text, so the bar repaints itself
  // at once rather than when events next run.
  pgbFile_->setValue(step);
}

void mdfMain::Show() {
  if (!isVisible()) show();
}

// The warning is a clause, as torqlet-cli prints it after "warning: ": here it
// stands alone as a sentence.
void mdfMain::Warn(const QString& text) {
  const QString sentence = text.left(1).toUpper() + text.mid(1) + QLatin1Char('.');
  UserDialogs::Current().MessageBox(sentence, UserDialogs::Buttons::Ok,
                                    UserDialogs::Icon::Exclamation, ApplicationTitle());
}

QList<frmCars*> mdfMain::CarWindows() const {
  QList<frmCars*> windows;
  for (QMdiSubWindow* window : area_->subWindowList(QMdiArea::CreationOrder)) {
    if (auto* cars = qobject_cast<frmCars*>(window)) windows << cars;
  }
  return windows;
}

frmCars* mdfMain::ActiveCars() const { return CarsOf(area_->currentSubWindow()); }

frmChart* mdfMain::OpenChart(bool scatter) {
  frmCars* sheet = ActiveCarsValidated();
  if (!sheet) return nullptr;
  auto* chart = new frmChart(*sheet, scatter ? frmChart::Kind::Scatter : frmChart::Kind::Bars,
                             sheet->flexCars()->Col());
  chart->setWindowIcon(windowIcon());
  area_->addSubWindow(chart);
  WindowArranger::PlaceNew(*area_, *chart, sheet->UsefulSize().expandedTo(QSize(760, 480)), false);
  chart->show();
  chart->setFocus();
  return chart;
}

frmCars* mdfMain::NewCarWindow() {
  auto* window = new frmCars(ChildCount(), *this);
  window->setWindowIcon(windowIcon());
  area_->addSubWindow(window);
  history_->addStack(&window->Document().History());
  // A column heading's context menu offers the View commands.
  connect(window->flexCars(), &CarGrid::HeadingMenu, this,
          [this](const QPoint& at) { menus_->mnuView()->exec(at); });
  connect(&window->Document(), &CarDocument::Saved, this,
          [this, window] { RememberFile(window->FileName()); });
  connect(&window->Journal(), &RecoveryJournal::WriteFailed, this, [this](const QString& reason) {
    statusBar()->showMessage(tr("Unsaved edits are not safe from a crash: %1").arg(reason));
  });
  WindowArranger::PlaceNew(*area_, *window, window->UsefulSize(), !arranged_);
  return window;
}

void mdfMain::mnuFileNew_Click() {
  frmCars* window = NewCarWindow();
  try {
    window->NewFile();
  } catch (...) {
    delete window;  // never shown and unchanged: no document remains
    throw;
  }
}

void mdfMain::mnuFileOpen_Click() {
  FileDialog& dialog = SharedOpenDialog();
  dialog.ShowOpen();
  if (dialog.Cancelled()) return;
  OpenFile(dialog.FileName());
}

// A file that is open already, by this or another of its names, comes forward
// instead of opening a second copy that would diverge from the first; that
// counts as opening it for the recent files.
void mdfMain::OpenFile(const QString& fileName) {
  const FileIdentity wanted = FileIdentity::Of(fileName);
  for (frmCars* window : wanted.IsValid() ? CarWindows() : QList<frmCars*>()) {
    if (window->FileName().isEmpty()) continue;  // a new document holds no file yet
    const FileIdentity open = FileIdentity::Of(window->FileName());
    if (open.IsValid() && open.Device() == wanted.Device() && open.Inode() == wanted.Inode()) {
      if (window->isMinimized()) window->showNormal();
      area_->setActiveSubWindow(window);
      RememberFile(window->FileName());
      return;
    }
  }
  if (NewCarWindow()->OpenFile(fileName)) RememberFile(fileName);
}

void mdfMain::OpenFiles(const QStringList& fileNames) {
  for (const QString& name : fileNames) {
    CommandGuard::Run([this, &name] { OpenFile(QFileInfo(name).absoluteFilePath()); });
  }
}

namespace {

QStringList LocalFiles(const QMimeData* data) {
  QStringList files;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) files << url.toLocalFile();
  }
  return files;
}

}  // namespace

void mdfMain::dragEnterEvent(QDragEnterEvent* event) {
  if (!LocalFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void mdfMain::dropEvent(QDropEvent* event) {
  const QStringList files = LocalFiles(event->mimeData());
  if (files.isEmpty()) return;
  event->acceptProposedAction();
  OpenFiles(files);
}

// Saving first stores what the cell editor still holds, so that the file has
// what the user sees.
void mdfMain::mnuFileSave_Click() {
  frmCars* window = ActiveCars();
  if (window && window->ValidateActiveControl()) window->Save();
}

void mdfMain::mnuFileSaveAs_Click() {
  frmCars* window = ActiveCars();
  if (window && window->ValidateActiveControl()) window->SaveAs();
}

void mdfMain::mnuFileClose_Click() {
  if (auto* chart = qobject_cast<frmChart*>(area_->currentSubWindow())) {
    chart->close();
  } else if (frmCars* window = ActiveCars()) {
    window->close();
  }
}

void mdfMain::mnuFileExit_Click() { close(); }

void mdfMain::mnuEditManipulate_Click() {
  frmCars* window = ActiveCars();
  if (!window) return;
  // An edit still open would later store over the recomputed cell.
  if (!window->ValidateActiveControl()) return;
  const auto focusGrid = qScopeGuard([window] { window->flexCars()->setFocus(); });
  const QString text = UserDialogs::Current().InputBox(
      tr("Enter term to be used for calculating the new value \r\n"
         "of each selected cell. Use an \"x\" for the cells' old values:"),
      window->Caption(), lastTerm_);
  if (text.isEmpty()) return;
  // The next Manipulate proposes this term again, whether it is used or refused.
  lastTerm_ = text;
  Term term;
  term.PrepareInX();
  bool accepted = true;
  QString refusal;
  try {
    term.SetText(text);
  } catch (const TorqletError& error) {
    accepted = false;
    refusal = error.Detail();
  }
  if (accepted) {
    if (window->ManipulateSelection(term) == 0) {
      UserDialogs::Current().MessageBox(
          tr("No cell was changed: the term has no finite value for any selected cell."),
          UserDialogs::Buttons::Ok, UserDialogs::Icon::Exclamation, window->Caption());
    }
  } else {
    UserDialogs::Current().MessageBox(
        tr("Bad manipulation term.") +
            (refusal.isEmpty() ? QString() : QStringLiteral("\r\n") + refusal),
        UserDialogs::Buttons::Ok, UserDialogs::Icon::Exclamation, window->Caption());
  }
  term.Variables().Clear();
}

frmCars* mdfMain::ActiveCarsValidated() const {
  frmCars* window = ActiveCars();
  return window && window->ValidateActiveControl() ? window : nullptr;
}

void mdfMain::mnuEditUndo_Click() {
  if (frmCars* window = ActiveCarsValidated()) window->Document().History().undo();
}

void mdfMain::mnuEditRedo_Click() {
  if (frmCars* window = ActiveCarsValidated()) window->Document().History().redo();
}

void mdfMain::mnuEditCopy_Click() {
  if (frmCars* window = ActiveCarsValidated()) {
    QGuiApplication::clipboard()->setText(window->Commands().SelectionText());
  }
}

void mdfMain::mnuEditPaste_Click() {
  if (frmCars* window = ActiveCarsValidated()) {
    window->Commands().PasteText(QGuiApplication::clipboard()->text());
  }
}

void mdfMain::mnuEditFind_Click() {
  frmCars* window = ActiveCarsValidated();
  if (!window) return;
  const QString text = UserDialogs::Current().InputBox(tr("Find the car whose name contains:"),
                                                       window->Caption(), lastFind_);
  if (text.isEmpty()) return;
  lastFind_ = text;
  mnuEditFindNext_Click();
}

void mdfMain::mnuEditFindNext_Click() {
  if (lastFind_.isEmpty()) {
    mnuEditFind_Click();
    return;
  }
  frmCars* window = ActiveCarsValidated();
  if (!window) return;
  if (!window->Commands().FindCar(lastFind_)) {
    UserDialogs::Current().MessageBox(tr("No car named like \"%1\".").arg(lastFind_),
                                      UserDialogs::Buttons::Ok, UserDialogs::Icon::Exclamation,
                                      window->Caption());
  }
  window->flexCars()->setFocus();
}

void mdfMain::mnuHelpAbout_Click() {
  const QString version = QStringLiteral("%1 %2.%3.%4")
                              .arg(VersionRecord::ProductName())
                              .arg(VersionRecord::Major)
                              .arg(VersionRecord::Minor)
                              .arg(VersionRecord::Revision);
  GlobalFunctions::Instance().ShowAboutBox(
      tr("About %1").arg(ApplicationTitle()), windowIcon(), version,
      {VersionRecord::FileDescription(), VersionRecord::LegalNotice(), QString(),
       tr("Terms are evaluated by muParser, \u00a9 Ingo Berg, MIT licence.")});
}

// Every document is asked first; only when none refuses do they all close, so
// a Cancel anywhere keeps every window and the program open.
void mdfMain::closeEvent(QCloseEvent* event) {
  bool agreed = false;
  CommandGuard::Run([&] {
    for (frmCars* window : CarWindows()) {
      if (!window->QueryUnload()) return;
    }
    agreed = true;
  });
  if (!agreed) {
    event->ignore();
    return;
  }
  for (frmCars* window : CarWindows()) {
    if (!window->close()) {
      event->ignore();
      return;
    }
  }
  QSettings().setValue(QStringLiteral("frame/geometry"), saveGeometry());
  event->accept();
}
