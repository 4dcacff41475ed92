#include "ui/sheet/frmCars.h"

#include <QCloseEvent>
#include <QLocale>
#include <QMdiArea>
#include <QMenu>
#include <algorithm>
#include <utility>

#include "core/AppInfo.h"
#include "core/ErrorCodes.h"
#include "core/ErrorReport.h"
#include "core/Errors.h"
#include "core/SharedObjects.h"
#include "helperlib/Counter.h"
#include "helperlib/FileDialog.h"
#include "helperlib/GlobalFunctions.h"
#include "helperlib/Term.h"
#include "helperlib/TermVariable.h"
#include "helperlib/UserDialogs.h"
#include "model/NumberText.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"
#include "ui/sheet/CarGrid.h"
#include "ui/sheet/CellEditor.h"
#include "ui/sheet/ColumnTable.h"

namespace {

// Float columns are at least six character units of 120 twips wide.
constexpr double FloatColumnMinTwips = 720;

}  // namespace

frmCars::frmCars(Counter& childCount, QWidget* parent)
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
    pobjCarFile = std::make_unique<NycGciCars>();
  } catch (...) {
    childCount_.Decrease(1);
    throw;
  }
}

frmCars::~frmCars() {
  // An edit still open when the window goes is dropped: the focus leaving it
  // on the way out must not store into a car file that is going too.
  delete txtEdit_;
  pobjCarFile.reset();
  pobjFileDialog.reset();
  try {
    childCount_.Decrease(1);
  } catch (const std::exception& error) {
    GlobalFunctions::Instance().DebugOutput(ErrorReportText(error), 0);
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

void frmCars::NewFile() {
  pobjCarFile->NewFile();
  setWindowTitle(pstrCaptionPrefix + pobjCarFile->FileTitle());
  pblnChanged = false;
  FillGrid();
}

void frmCars::OpenFile(const QString& fileName) {
  pstrFileName = fileName;
  pobjFileDialog->SetFileName(fileName);
  setWindowTitle(pstrCaptionPrefix + fileName);
  try {
    pobjCarFile->LoadFile(fileName);
  } catch (const std::exception&) {
    close();
    UserDialogs::Current().MessageBox(
        QStringLiteral("Unable to open file \"") + fileName +
            QStringLiteral("\".\r\nIt might be locked by me or by any other application."),
        UserDialogs::Buttons::Ok, UserDialogs::Icon::Exclamation, pstrCaptionPrefix + fileName);
    return;
  }
  pblnChanged = false;
  FillGrid();
}

void frmCars::Save() {
  if (pstrFileName.isEmpty()) {
    SaveAs();
    return;
  }
  pobjCarFile->Save();
  pblnChanged = false;
  setWindowTitle(pstrCaptionPrefix + pstrFileName);
}

bool frmCars::SaveAs() {
  try {
    DoSaveAs();
    return true;
  } catch (const std::exception& error) {
    // A cancelled dialog is the user's choice; anything else failed to write.
    if (!pobjFileDialog->Cancelled()) ReportSaveFailure(pstrFileName, ErrorReportText(error));
    return false;
  }
}

void frmCars::DoSaveAs() {
  pobjFileDialog->ShowSave();
  if (pobjFileDialog->Cancelled()) RaiseError(ErrUnexpectedInternal, QStringLiteral("frmCars"));
  // The new name is taken before writing: should the write fail, a later Save
  // goes to the name the user chose last.
  pstrFileName = pobjFileDialog->FileName();
  pobjCarFile->SaveAs(pobjFileDialog->FileName());
  pblnChanged = false;
  setWindowTitle(pstrCaptionPrefix + pstrFileName);
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
  if (!pblnChanged) return true;
  const UserDialogs::Answer answer = UserDialogs::Current().MessageBox(
      QStringLiteral("Loaded file changed, but not saved. Save now?"),
      UserDialogs::Buttons::YesNoCancel, UserDialogs::Icon::Question,
      ApplicationTitle() + QStringLiteral(" - ") + pstrFileName);
  switch (answer) {
    case UserDialogs::Answer::Yes:
      if (pstrFileName.isEmpty()) return SaveAs();
      try {
        Save();
        return true;
      } catch (const std::exception& error) {
        ReportSaveFailure(pstrFileName, ErrorReportText(error));
        return false;
      }
    case UserDialogs::Answer::No:
      pblnChanged = false;
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
  flexCars_->Fill(pobjCarFile.get());
  const int floatMinimum = flexCars_->TwipsToPixels(FloatColumnMinTwips);
  for (int col = ColumnTable::FirstFloatColumn; col < ColumnTable::ColumnCount; ++col) {
    flexCars_->SetColWidth(col, std::max(flexCars_->ColWidth(col), floatMinimum));
  }
  show();
}

QString frmCars::GetCellText(int row, int col) const { return flexCars_->TextMatrix(row, col); }

void frmCars::SetCellValue(int row, int col, const QString& text) {
  StoreCellValue(row, col, text, QLocale());
  if (ColumnTable::IsEditable(col)) flexCars_->RefreshCell(row, col);
}

void frmCars::StoreCellValue(int row, int col, const QString& text, const QLocale& locale) {
  NycGciCar& car = pobjCarFile->Car(row);
  if (ColumnTable::IsEditable(col)) {
    const double number = ColumnTable::ReadNumber(text, locale);
    const CarField field = ColumnTable::Field(col);
    if (IsIntegerField(field)) {
      car.SetInteger(field, ToInteger(number));
    } else {
      car.SetFloat(field, ToSingle(number));
    }
  }
  pblnChanged = true;
}

void frmCars::ManipulateSelection(Term& Expr) {
  int row = flexCars_->Row();
  int col = flexCars_->Col();
  int rowSel = flexCars_->RowSel();
  int colSel = flexCars_->ColSel();
  if (rowSel < row) std::swap(row, rowSel);
  if (colSel < col) std::swap(col, colSel);
  TermVariable& x = Expr.Variables().Item(QStringLiteral("x"));
  // Numbers pass as the grid shows them: read and written in the user's
  // locale, written without grouping and with up to 15 significant digits.
  // The cell texts are made as the grid makes them (GetCellText), in the
  // same locale.
  const QLocale locale = ColumnTable::NumberLocale(QLocale());
  QLocale writing = locale;
  writing.setNumberOptions(QLocale::OmitGroupSeparator);
  bool stored = false;
  for (int r = row; r <= rowSel; ++r) {
    const NycGciCar& car = pobjCarFile->Car(r);
    for (int c = col; c <= colSel; ++c) {
      try {
        x.SetValue(ColumnTable::ReadNumber(ColumnTable::CellText(car, c, locale), locale));
      } catch (const std::exception&) {
        // x keeps the previous cell's value.
      }
      // A term that fails or a result the column cannot hold leaves this
      // cell as it was; the others are still recomputed.
      const std::optional<double> value = Expr.FiniteValue();
      if (!value) continue;
      try {
        StoreCellValue(r, c, writing.toString(*value, 'g', 15), locale);
        stored = true;
      } catch (const std::exception&) {
      }
    }
  }
  if (stored) flexCars_->RefreshRange(row, col, rowSel, colSel);
}
