#include "ui/sheet/frmCars.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMenu>
#include <QStyle>
#include <QVBoxLayout>

#include "base/Diagnostics.h"
#include "base/ErrorReport.h"
#include "base/TorqletError.h"
#include "core/AppInfo.h"
#include "core/ErrorCodes.h"
#include "core/Errors.h"
#include "helperlib/Counter.h"
#include "helperlib/FileDialog.h"
#include "helperlib/UserDialogs.h"
#include "model/CarCompare.h"
#include "model/CarDocument.h"
#include "model/CarSortFilterModel.h"
#include "model/CarTableModel.h"
#include "model/FileWatch.h"
#include "model/NycGciCars.h"
#include "model/RecoveryJournal.h"
#include "ui/sheet/CarGrid.h"
#include "ui/sheet/CellEditor.h"
#include "ui/sheet/FilterBar.h"
#include "ui/sheet/SheetCommands.h"
#include "ui/sheet/SheetSerial.h"

frmCars::frmCars(Counter& childCount, StatusDisplay& status, QWidget* parent)
    : QMdiSubWindow(parent), childCount_(childCount) {
  setAttribute(Qt::WA_DeleteOnClose);
  ReleaseFrameShortcuts();
  childCount_.Increase(1);
  try {
    IncrementSheetSerial();
    pstrCaptionPrefix = QString::number(SheetSerial()) + QStringLiteral(": ");
    pobjFileDialog = std::make_unique<FileDialog>();
    pobjFileDialog->SetUpForCarFiles();
    document_ = std::make_unique<CarDocument>(&status);
  } catch (...) {
    childCount_.Decrease(1);
    throw;
  }
  // A step that replaces the cars keeps the view: taken before the sheet's
  // model is reset (connected first), put back after.
  connect(document_.get(), &CarDocument::CarsAboutToBeReplaced, this,
          [this] { keptView_ = commands_->CurrentView(); });
  cars_ = new CarTableModel(*document_, this);
  shown_ = new CarSortFilterModel(*cars_, this);
  auto* sheet = new QWidget(this);
  filterBar_ = new FilterBar(sheet);
  flexCars_ = new CarGrid(*shown_, sheet);
  txtEdit_ = new CellEditor(*flexCars_, *this);
  auto* layout = new QVBoxLayout(sheet);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(filterBar_);
  layout->addWidget(flexCars_, 1);
  setWidget(sheet);
  setFocusProxy(flexCars_);
  commands_ = new SheetCommands(
      *flexCars_, *filterBar_, [this] { return Caption(); }, this);
  connect(commands_, &SheetCommands::ShownChanged, this, qOverload<>(&frmCars::ShowCaption));
  connect(document_.get(), &CarDocument::CarsReplaced, this,
          [this] { commands_->RestoreView(keptView_, true); });
  // The caption's modified mark, in the window and in the Windows menu.
  connect(document_.get(), &CarDocument::ChangedChanged, this, &QWidget::setWindowModified);
  // Undo and redo show the cells of their step that are shown.
  connect(document_.get(), &CarDocument::StepReplayed, flexCars_, &CarGrid::SelectCells);
  journal_ = new RecoveryJournal(*document_, RecoveryJournal::DefaultFolder(), this);
  watch_ = new FileWatch(*document_, this);
  connect(watch_, &FileWatch::ChangedOnDisk, this, &frmCars::OnChangedOnDisk);
}

frmCars::~frmCars() {
  StopComparing();  // the comparison refers to both documents
  // An edit still open when the window goes is dropped: the focus leaving it
  // on the way out must not store into a car file that is going too.
  delete txtEdit_;
  // A window that goes without a crash takes its journal along.
  delete journal_;
  delete watch_;
  document_.reset();
  pobjFileDialog.reset();
  try {
    childCount_.Decrease(1);
  } catch (const std::exception& error) {
    WriteDiagnostic(ErrorReportText(error));
  }
}

// The window's own system menu claims Ctrl+F4 for closing; the frame's Close
// command owns that key, and two owners would leave it doing nothing.
void frmCars::ReleaseFrameShortcuts() {
  QMenu* menu = systemMenu();
  if (!menu) return;
  const QKeySequence frameClose(Qt::CTRL | Qt::Key_F4);
  for (QAction* action : menu->actions()) {
    QList<QKeySequence> shortcuts = action->shortcuts();
    if (shortcuts.removeAll(frameClose) > 0) action->setShortcuts(shortcuts);
  }
}

// The caption carries Qt's placeholder for the modified mark, which shows as
// "*" while the document has unsaved edits.
void frmCars::ShowCaption(const QString& name) {
  captionName_ = name;
  ShowCaption();
}

void frmCars::ShowCaption() {
  setWindowTitle(pstrCaptionPrefix + captionName_ + commands_->ShownNote() + QStringLiteral("[*]"));
}

void frmCars::CompareWith(frmCars& other) {
  StopComparing();
  other.StopComparing();
  compare_ = std::make_shared<CarCompare>(*document_, *other.document_);
  other.compare_ = compare_;
  compareSide_ = 0;
  other.compareSide_ = 1;
  compareOther_ = &other;
  other.compareOther_ = this;
  cars_->SetCompare(compare_.get(), 0);
  other.cars_->SetCompare(compare_.get(), 1);
}

void frmCars::StopComparing() {
  if (!compare_) return;
  frmCars* other = std::exchange(compareOther_, nullptr);
  cars_->SetCompare(nullptr, 0);
  compare_.reset();
  if (other) other->StopComparing();
}

QString frmCars::Caption() const { return windowTitle().remove(QStringLiteral("[*]")); }

bool frmCars::Changed() const { return document_->Changed(); }

void frmCars::SetChanged(bool changed) { document_->SetChanged(changed); }

const QString& frmCars::FileName() const { return document_->FileName(); }

const NycGciCars& frmCars::CarFile() const { return document_->CarFile(); }

void frmCars::NewFile() {
  document_->NewFile();
  ShowCaption(CarFile().FileTitle());
  show();
}

bool frmCars::OpenFile(const QString& fileName) {
  pobjFileDialog->SetFileName(fileName);
  ShowCaption(fileName);
  try {
    document_->LoadFile(fileName);
  } catch (const std::exception& error) {
    close();
    ReportOpenFailure(fileName, error);
    return false;
  }
  show();
  return true;
}

// The last lines say why: the error under the car file's own, and for a file
// that was read but is no car file, where and what is wrong in it. Only a
// file that could not be read may be locked.
void frmCars::ReportOpenFailure(const QString& fileName, const std::exception& error) {
  const auto* numbered = dynamic_cast<const TorqletError*>(&error);
  const bool unread = numbered && numbered->Number() == ErrUnexpectedInternal;
  UserDialogs::Current().MessageBox(
      (unread ? tr("Unable to open file \"%1\".\r\nIt might be locked by me or by any other "
                   "application.\r\n%2")
              : tr("Unable to open file \"%1\".\r\n%2"))
          .arg(fileName, ErrorReportText(numbered ? numbered->Reason() : error)),
      UserDialogs::Buttons::Ok, UserDialogs::Icon::Exclamation, pstrCaptionPrefix + fileName);
}

void frmCars::Reload() {
  if (txtEdit_->IsEditing()) txtEdit_->EndEdit();  // the open edit goes with the others
  const QString fileName = FileName();
  try {
    commands_->KeepView([&] { document_->LoadFile(fileName); });
  } catch (const std::exception& error) {
    SetChanged(false);  // what the window held is gone already
    close();
    ReportOpenFailure(fileName, error);
  }
}

// A deleted file is only marked: the document now holds the one copy of the
// cars, which the next Save writes again (after asking).
void frmCars::OnChangedOnDisk(bool deleted) {
  if (deleted) {
    SetChanged(true);
    return;
  }
  diskChangePending_ = true;
  const QMdiArea* area = mdiArea();
  if (area && area->activeSubWindow() == this && isActiveWindow()) ShowDiskChange();
}

void frmCars::ShowDiskChange() {
  if (!diskChangePending_) return;
  diskChangePending_ = false;
  const QString title = ApplicationTitle() + QStringLiteral(" - ") + FileName();
  if (!Changed() && !txtEdit_->IsEditing()) {
    if (UserDialogs::Current().MessageBox(
            tr("The file \"%1\" was changed by another program. Reload it?").arg(FileName()),
            UserDialogs::Buttons::YesNo, UserDialogs::Icon::Question,
            title) == UserDialogs::Answer::Yes) {
      Reload();
    }
    return;
  }
  const int choice = UserDialogs::Current().Choose(
      tr("The file \"%1\" was changed by another program, and this document has edits that are "
         "not saved.")
          .arg(FileName()),
      UserDialogs::Icon::Question, title, {tr("Reload and lose your edits"), tr("Keep your edits")},
      1);
  if (choice == 0) Reload();
}

bool frmCars::Save() {
  if (FileName().isEmpty()) return SaveAs();
  if (document_->FileChangedOnDisk() && !ConfirmOverwrite()) return false;
  document_->Save();
  ShowCaption(FileName());
  return true;
}

bool frmCars::ConfirmOverwrite() const {
  const bool deleted = !QFileInfo::exists(FileName());
  return UserDialogs::Current().MessageBox(
             (deleted ? tr("The file \"%1\" was deleted by another program since it was opened. "
                           "Write it again?")
                      : tr("The file \"%1\" was changed by another program since it was opened. "
                           "Overwrite it?"))
                 .arg(FileName()),
             UserDialogs::Buttons::YesNo, UserDialogs::Icon::Question,
             ApplicationTitle() + QStringLiteral(" - ") + FileName()) == UserDialogs::Answer::Yes;
}

bool frmCars::SaveAs() {
  try {
    DoSaveAs();
    return true;
  } catch (const std::exception& error) {
    // A cancelled dialog is the user's choice; anything else failed to write.
    if (!pobjFileDialog->Cancelled()) {
      ReportSaveFailure(pobjFileDialog->FileName(), ErrorReportText(error));
    }
    return false;
  }
}

// The document takes the new name only once the file is written: after a
// failed write the window keeps its caption, its name and where Save writes.
void frmCars::DoSaveAs() {
  pobjFileDialog->ShowSave();
  if (pobjFileDialog->Cancelled()) RaiseError(ErrUnexpectedInternal, QStringLiteral("frmCars"));
  document_->SaveAs(pobjFileDialog->FileName());
  ShowCaption(FileName());
}

void frmCars::ReportSaveFailure(const QString& fileName, const QString& reason) {
  UserDialogs::Current().MessageBox(tr("Unable to save file \"%1\".\r\n%2").arg(fileName, reason),
                                    UserDialogs::Buttons::Ok, UserDialogs::Icon::Exclamation,
                                    Caption());
}

bool frmCars::ValidateActiveControl() {
  if (!txtEdit_->IsEditing()) return true;
  if (txtEdit_->ValidateEdit()) {
    txtEdit_->EndEdit();
    return true;
  }
  if (QMdiArea* area = mdiArea()) area->setActiveSubWindow(this);
  txtEdit_->RefuseFocusChange();
  return false;
}

bool frmCars::QueryUnload() {
  if (!ValidateActiveControl()) return false;
  if (!Changed()) return true;
  const UserDialogs::Answer answer = UserDialogs::Current().MessageBox(
      tr("Loaded file changed, but not saved. Save now?"), UserDialogs::Buttons::YesNoCancel,
      UserDialogs::Icon::Question, ApplicationTitle() + QStringLiteral(" - ") + FileName());
  switch (answer) {
    case UserDialogs::Answer::Yes:
      if (FileName().isEmpty()) return SaveAs();
      try {
        return Save();
      } catch (const std::exception& error) {
        ReportSaveFailure(FileName(), ErrorReportText(error));
        return false;
      }
    case UserDialogs::Answer::No:
      SetChanged(false);
      return true;
    default:
      return false;
  }
}

void frmCars::closeEvent(QCloseEvent* event) {
  if (!QueryUnload()) {
    event->ignore();
    return;
  }
  QMdiSubWindow::closeEvent(event);
}

void frmCars::changeEvent(QEvent* event) {
  QMdiSubWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) {
    flexCars_->setFrameShape(isMaximized() ? QFrame::NoFrame : QFrame::StyledPanel);
  }
}

QSize frmCars::UsefulSize() const {
  const int frame = 2 * style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this);
  return flexCars_->UsefulSize() +
         QSize(frame, frame + style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this));
}

QString frmCars::GetCellText(int row, int col) const { return flexCars_->TextMatrix(row, col); }

void frmCars::SetCellValue(int row, int col, const QString& text) {
  cars_->SetCellText(flexCars_->CarOfRow(row), col, text);
}

std::int64_t frmCars::ManipulateSelection(Term& Expr) { return commands_->Manipulate(Expr); }

void frmCars::FillGrid() { cars_->Reload(); }
