#include "ui/sheet/frmCars.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLocale>
#include <QMdiArea>
#include <QMenu>
#include <QStyle>
#include <algorithm>
#include <utility>

#include "base/Diagnostics.h"
#include "base/ErrorReport.h"
#include "base/TorqletError.h"
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
#include "model/TabTable.h"
#include "ui/sheet/CarGrid.h"
#include "ui/sheet/CellEditor.h"
#include "ui/sheet/SheetSerial.h"

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
  // The caption's modified mark, in the window and in the Windows menu.
  connect(document_.get(), &CarDocument::ChangedChanged, this, &QWidget::setWindowModified);
  // Undo and redo show the cells of their step.
  connect(document_.get(), &CarDocument::StepReplayed, flexCars_, &CarGrid::SelectRange);
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

// The caption carries Qt's placeholder for the modified mark, which shows as
// "*" while the document has unsaved edits.
void frmCars::ShowCaption(const QString& name) {
  setWindowTitle(pstrCaptionPrefix + name + QStringLiteral("[*]"));
}

QString frmCars::Caption() const { return windowTitle().remove(QStringLiteral("[*]")); }

bool frmCars::Changed() const { return document_->Changed(); }

void frmCars::SetChanged(bool changed) { document_->SetChanged(changed); }

const QString& frmCars::FileName() const { return document_->FileName(); }

const NycGciCars& frmCars::CarFile() const { return document_->CarFile(); }

void frmCars::NewFile() {
  document_->NewFile();
  ShowCaption(CarFile().FileTitle());
  FillGrid();
}

void frmCars::OpenFile(const QString& fileName) {
  pobjFileDialog->SetFileName(fileName);
  ShowCaption(fileName);
  try {
    document_->LoadFile(fileName);
  } catch (const std::exception& error) {
    close();
    // The last lines say why: the error under the car file's own, and for a
    // file that was read but is no car file, where and what is wrong in it.
    // Only a file that could not be read may be locked.
    const auto* numbered = dynamic_cast<const TorqletError*>(&error);
    const bool unread = numbered && numbered->Number() == ErrUnexpectedInternal;
    UserDialogs::Current().MessageBox(
        QStringLiteral("Unable to open file \"") + fileName + QStringLiteral("\".\r\n") +
            (unread ? QStringLiteral("It might be locked by me or by any other application.\r\n")
                    : QString()) +
            ErrorReportText(numbered ? numbered->Reason() : error),
        UserDialogs::Buttons::Ok, UserDialogs::Icon::Exclamation, pstrCaptionPrefix + fileName);
    return;
  }
  FillGrid();
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
             (deleted ? QStringLiteral("The file \"%1\" was deleted by another program since it "
                                       "was opened. Write it again?")
                      : QStringLiteral("The file \"%1\" was changed by another program since it "
                                       "was opened. Overwrite it?"))
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
  UserDialogs::Current().MessageBox(
      QStringLiteral("Unable to save file \"") + fileName + QStringLiteral("\".\r\n") + reason,
      UserDialogs::Buttons::Ok, UserDialogs::Icon::Exclamation, Caption());
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

// The grid fits every column to its heading and its widest text, float
// columns to at least 720 twips.
void frmCars::FillGrid() {
  flexCars_->Fill(&CarFile());
  show();
}

QSize frmCars::UsefulSize() const {
  const int frame = 2 * style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this);
  return flexCars_->UsefulSize() +
         QSize(frame, frame + style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this));
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

QRect frmCars::SelectionRect() const {
  int row = flexCars_->Row();
  int col = flexCars_->Col();
  int rowSel = flexCars_->RowSel();
  int colSel = flexCars_->ColSel();
  if (rowSel < row) std::swap(row, rowSel);
  if (colSel < col) std::swap(col, colSel);
  return QRect(QPoint(col, row), QPoint(colSel, rowSel));
}

void frmCars::ShowMessage(const QString& text) const {
  UserDialogs::Current().MessageBox(text, UserDialogs::Buttons::Ok, UserDialogs::Icon::Exclamation,
                                    Caption());
}

std::int64_t frmCars::ManipulateSelection(Term& Expr) {
  const QRect cells = SelectionRect();
  Manipulation manipulation(Expr, QLocale());
  manipulation.Reserve(std::int64_t(cells.height()) * cells.width());
  for (int r = cells.top(); r <= cells.bottom(); ++r) {
    const NycGciCar& car = CarFile().Car(r);
    for (int c = cells.left(); c <= cells.right(); ++c) manipulation.Cell(car, r, c);
  }
  const QString term = Expr.Text();
  document_->SetCells(manipulation.Values(), [&term](std::int64_t count) {
    return QStringLiteral("Manipulate %1 (%2)").arg(term, CellCountText(count));
  });
  return std::int64_t(manipulation.Values().size());
}

QString frmCars::SelectionText() const {
  const QRect cells = SelectionRect();
  QString text;
  for (int r = cells.top(); r <= cells.bottom(); ++r) {
    for (int c = cells.left(); c <= cells.right(); ++c) {
      if (c > cells.left()) text += QLatin1Char('\t');
      text += GetCellText(r, c);
    }
    text += QLatin1Char('\n');
  }
  return text;
}

bool frmCars::PasteText(const QString& text) {
  std::vector<TabTable::Row> rows;
  try {
    rows = TabTable::Read(text.toUtf8(), QStringLiteral("The clipboard"));
  } catch (const TorqletError& error) {
    ShowMessage(error.Description());
    return false;
  }
  if (rows.empty()) return true;
  // One value fills a selection of several cells; a block goes from the
  // current cell right and down.
  const QRect selection = SelectionRect();
  const bool fill =
      rows.size() == 1 && rows[0].fields.size() == 1 && selection.width() * selection.height() > 1;
  const QRect target =
      fill ? selection : QRect(flexCars_->Col(), flexCars_->Row(), 1, int(rows.size()));
  const QLocale locale;
  std::vector<CellValue> values;
  for (int r = target.top(); r <= target.bottom(); ++r) {
    const QList<QByteArray>& fields = rows[std::size_t(fill ? 0 : r - target.top())].fields;
    const int last = fill ? target.right() : target.left() + int(fields.size()) - 1;
    if (r > CarFile().Count()) {
      ShowMessage(QStringLiteral("The pasted block reaches past the last car."));
      return false;
    }
    if (last >= ColumnTable::ColumnCount) {
      ShowMessage(QStringLiteral("The pasted block reaches past the last column."));
      return false;
    }
    for (int c = target.left(); c <= last; ++c) {
      const QString cellText = QString::fromUtf8(fields[fill ? 0 : c - target.left()]);
      if (cellText == GetCellText(r, c)) continue;  // what was copied from here
      try {
        values.push_back({r, c, ColumnTable::ValueOfText(c, cellText, locale)});
      } catch (const TorqletError& error) {
        ShowMessage(QStringLiteral("Row %1, column %2: \"%3\" %4")
                        .arg(r)
                        .arg(GetCellText(0, c), cellText,
                             error.Number() == ErrOverflow
                                 ? QStringLiteral("is too large for this column.")
                                 : QStringLiteral("is not a number.")));
        return false;
      }
    }
  }
  document_->SetCells(values, [](std::int64_t count) {
    return QStringLiteral("Paste (%1)").arg(CellCountText(count));
  });
  return true;
}

bool frmCars::FindCar(const QString& text) {
  const std::int32_t count = CarFile().Count();
  const int start = flexCars_->Row();
  for (int step = 1; step <= count; ++step) {
    const int row = (start - 1 + step) % count + 1;
    if (QString::fromLatin1(CarFile().Car(row).Name()).contains(text, Qt::CaseInsensitive)) {
      flexCars_->SetRow(row);
      flexCars_->scrollTo(flexCars_->currentIndex());
      return true;
    }
  }
  return false;
}
