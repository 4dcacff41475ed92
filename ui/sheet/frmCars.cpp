#include "ui/sheet/frmCars.h"

#include <QCloseEvent>
#include <QLocale>
#include <QMdiArea>
#include <QMenu>
#include <algorithm>
#include <utility>

#include "base/Diagnostics.h"
#include "base/ErrorReport.h"
#include "core/AppInfo.h"
#include "core/ErrorCodes.h"
#include "core/Errors.h"
#include "helperlib/Counter.h"
#include "helperlib/FileDialog.h"
#include "helperlib/Term.h"
#include "helperlib/UserDialogs.h"
#include "model/CarDocument.h"
#include "model/ColumnTable.h"
#include "model/Manipulation.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"
#include "ui/sheet/CarGrid.h"
#include "ui/sheet/CellEditor.h"
#include "ui/sheet/SheetSerial.h"

namespace {

// Float columns are at least six character units of 120 twips wide.
constexpr double FloatColumnMinTwips = 720;

}  // namespace

frmCars::frmCars(Counter& childCount, StatusDisplay& status, QWidget* parent)
    : QMdiSubWindow(parent),
      childCount_(childCount),
      flexCars_(new CarGrid(this)),
      txtEdit_(new CellEditor(*this, *flexCars_)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWidget(flexCars_);
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
  connect(document_.get(), &CarDocument::CellsChanged, flexCars_, &CarGrid::RefreshRange);
}

frmCars::~frmCars() {
  // An edit still open when the window goes is dropped: the focus leaving it
  // on the way out must not store into a car file that is going too.
  delete txtEdit_;
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

bool frmCars::Changed() const { return document_->Changed(); }

void frmCars::SetChanged(bool changed) { document_->SetChanged(changed); }

const QString& frmCars::FileName() const { return document_->FileName(); }

const NycGciCars& frmCars::CarFile() const { return document_->CarFile(); }

void frmCars::NewFile() {
  document_->NewFile();
  setWindowTitle(pstrCaptionPrefix + CarFile().FileTitle());
  FillGrid();
}

void frmCars::OpenFile(const QString& fileName) {
  pobjFileDialog->SetFileName(fileName);
  setWindowTitle(pstrCaptionPrefix + fileName);
  try {
    document_->LoadFile(fileName);
  } catch (const std::exception&) {
    close();
    UserDialogs::Current().MessageBox(
        QStringLiteral("Unable to open file \"") + fileName +
            QStringLiteral("\".\r\nIt might be locked by me or by any other application."),
        UserDialogs::Buttons::Ok, UserDialogs::Icon::Exclamation, pstrCaptionPrefix + fileName);
    return;
  }
  FillGrid();
}

void frmCars::Save() {
  if (FileName().isEmpty()) {
    SaveAs();
    return;
  }
  document_->Save();
  setWindowTitle(pstrCaptionPrefix + FileName());
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
  setWindowTitle(pstrCaptionPrefix + FileName());
}

void frmCars::ReportSaveFailure(const QString& fileName, const QString& reason) {
  UserDialogs::Current().MessageBox(
      QStringLiteral("Unable to save file \"") + fileName + QStringLiteral("\".\r\n") + reason,
      UserDialogs::Buttons::Ok, UserDialogs::Icon::Exclamation, windowTitle());
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
      QStringLiteral("Loaded file changed, but not saved. Save now?"),
      UserDialogs::Buttons::YesNoCancel, UserDialogs::Icon::Question,
      ApplicationTitle() + QStringLiteral(" - ") + FileName());
  switch (answer) {
    case UserDialogs::Answer::Yes:
      if (FileName().isEmpty()) return SaveAs();
      try {
        Save();
        return true;
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

void frmCars::FillGrid() {
  flexCars_->Fill(&CarFile());
  const int floatMinimum = flexCars_->TwipsToPixels(FloatColumnMinTwips);
  for (int col = ColumnTable::FirstFloatColumn; col < ColumnTable::ColumnCount; ++col) {
    flexCars_->SetColWidth(col, std::max(flexCars_->ColWidth(col), floatMinimum));
  }
  show();
}

QString frmCars::GetCellText(int row, int col) const { return flexCars_->TextMatrix(row, col); }

QString frmCars::CellCountText(std::int64_t count) {
  return count == 1 ? QStringLiteral("1 cell") : QStringLiteral("%1 cells").arg(count);
}

void frmCars::SetCellValue(int row, int col, const QString& text) {
  const NycGciCar& car = CarFile().Car(row);
  if (!ColumnTable::IsEditable(col)) return;
  const LineValue value = ColumnTable::ValueOfText(col, text, QLocale());
  const QString step =
      QStringLiteral("Edit %1 of %2").arg(GetCellText(0, col), QString::fromLatin1(car.Name()));
  document_->SetCells({{row, col, value}}, [&step](std::int64_t) { return step; });
}

std::int64_t frmCars::ManipulateSelection(Term& Expr) {
  int row = flexCars_->Row();
  int col = flexCars_->Col();
  int rowSel = flexCars_->RowSel();
  int colSel = flexCars_->ColSel();
  if (rowSel < row) std::swap(row, rowSel);
  if (colSel < col) std::swap(col, colSel);
  Manipulation manipulation(Expr, QLocale());
  manipulation.Reserve(std::int64_t(rowSel - row + 1) * (colSel - col + 1));
  for (int r = row; r <= rowSel; ++r) {
    const NycGciCar& car = CarFile().Car(r);
    for (int c = col; c <= colSel; ++c) manipulation.Cell(car, r, c);
  }
  const QString term = Expr.Text();
  document_->SetCells(manipulation.Values(), [&term](std::int64_t count) {
    return QStringLiteral("Manipulate %1 (%2)").arg(term, CellCountText(count));
  });
  return std::int64_t(manipulation.Values().size());
}
