#include "ui/sheet/CellEditor.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QToolTip>

#include "model/CarTableModel.h"
#include "ui/sheet/CarGrid.h"

namespace {

// The space QLineEdit keeps on either side of its text.
constexpr int LineEditMargin = 2;

}  // namespace

CellEditor::CellEditor(CarGrid& grid, QWidget& window)
    : QLineEdit(grid.viewport()), grid_(grid), window_(window) {
  setObjectName(QStringLiteral("txtEdit"));
  setFrame(false);
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  hide();

  connect(&grid_, &CarGrid::DblClick, this, &CellEditor::BeginEdit);
  connect(&grid_, &CarGrid::KeyPress, this, &CellEditor::BeginTyping);
  connect(&grid_, &CarGrid::Scroll, this, &CellEditor::flexCars_Scroll);
  connect(grid_.horizontalHeader(), &QHeaderView::sectionResized, this,
          &CellEditor::flexCars_Scroll);
  connect(grid_.verticalHeader(), &QHeaderView::sectionResized, this, &CellEditor::flexCars_Scroll);
  connect(this, &QLineEdit::textEdited, this, [this] {
    ShowRefusal(false);
    PlaceOverCell();
  });

  // Clicks on the cells or the headings would move the focus and the current
  // cell away from an edit; they are looked at before the grid sees them.
  grid_.viewport()->installEventFilter(this);
  grid_.horizontalHeader()->viewport()->installEventFilter(this);
  grid_.verticalHeader()->viewport()->installEventFilter(this);
}

bool CellEditor::BeginEdit() {
  if (!pblnEditFinished && !ValidateEdit()) {
    RefuseFocusChange();
    return false;
  }
  pblnEditFinished = false;
  // Setting the current cell makes it the whole selection.
  grid_.SetCol(grid_.Col());
  grid_.SetRow(grid_.Row());
  editCell_ = grid_.currentIndex();
  grid_.scrollTo(editCell_);
  setText(grid_.TextMatrix(EditRow(), EditCol()));
  PlaceOverCell();
  show();
  raise();
  setFocus(Qt::OtherFocusReason);
  setSelection(0, int(text().length()));
  return true;
}

void CellEditor::BeginTyping(QChar typed) {
  // Enter, Escape and Backspace (control characters) open the editor with the
  // old text selected; any other character replaces it, as in a spreadsheet.
  if (!BeginEdit() || !typed.isPrint()) return;
  setText(QString(typed));
  PlaceOverCell();
}

int CellEditor::EditRow() const { return editCell_.row() + CarTableModel::RowOffset; }

int CellEditor::EditCol() const { return editCell_.column() + CarTableModel::ColumnOffset; }

bool CellEditor::ValidateEdit() {
  if (pblnEditFinished) return true;
  // A cell that went with its document takes nothing; the model stores
  // nothing of a text it refuses.
  if (editCell_.isValid() && !grid_.model()->setData(editCell_, text(), Qt::EditRole)) {
    return false;
  }
  pblnEditFinished = true;
  return true;
}

void CellEditor::EndEdit() {
  pblnEditFinished = true;
  ShowRefusal(false);
  grid_.setFocus(Qt::OtherFocusReason);
  hide();
}

void CellEditor::RefuseFocusChange() {
  emit Refused();
  QApplication::beep();
  ShowRefusal(true);
  setFocus(Qt::OtherFocusReason);
}

void CellEditor::ShowRefusal(bool refusing) {
  if (refusing) {
    setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid red; }"));
    setToolTip(RefusalText());
    QToolTip::showText(mapToGlobal(QPoint(0, height())), RefusalText(), this);
  } else if (!toolTip().isEmpty()) {
    setStyleSheet(QString());
    setToolTip(QString());
    QToolTip::hideText();
  }
}

void CellEditor::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (ValidateEdit()) {
        EndEdit();
      } else {
        RefuseFocusChange();
      }
      break;
    case Qt::Key_Escape:
      pblnEditFinished = true;
      EndEdit();
      break;
    default:
      QLineEdit::keyPressEvent(event);
      break;
  }
  // Keys the box has no use for (arrows up and down, page keys) must not
  // reach the grid behind it and move its current cell.
  event->accept();
}

bool CellEditor::focusNextPrevChild(bool next) {
  if (pblnEditFinished) return QLineEdit::focusNextPrevChild(next);
  // Tab is a focus change like any other: it stores, or it stays.
  if (ValidateEdit()) {
    EndEdit();
  } else {
    RefuseFocusChange();
  }
  return true;
}

void CellEditor::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (pblnEditFinished) {
    hide();
    return;
  }
  switch (event->reason()) {
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
    case Qt::ActiveWindowFocusReason:
      // A menu or another window: the edit waits, text and all, for the
      // focus to come back.
      return;
    default:
      break;
  }
  const bool withinWindow = OwnsFocusWidget();
  if (ValidateEdit()) {
    hide();
    return;
  }
  // The focus cannot be held back from another document window; the edit then
  // stays open with its text, stored nowhere, until the user comes back.
  if (!withinWindow) return;
  if (event->reason() == Qt::MouseFocusReason) {
    // The click behind this is swallowed, with its beep, by the event filter.
    setFocus(Qt::OtherFocusReason);
  } else {
    RefuseFocusChange();
  }
}

bool CellEditor::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      if (pblnEditFinished) break;
      if (ValidateEdit()) {
        EndEdit();
        break;
      }
      RefuseFocusChange();
      return true;
    case QEvent::MouseButtonRelease:
      if (!pblnEditFinished) return true;
      break;
    case QEvent::MouseMove:
      // Dragging would move the current cell and the selection.
      if (!pblnEditFinished && static_cast<QMouseEvent*>(event)->buttons() != Qt::NoButton) {
        return true;
      }
      break;
    default:
      break;
  }
  return QLineEdit::eventFilter(watched, event);
}

void CellEditor::flexCars_Scroll() {
  if (!isHidden()) PlaceOverCell();
}

// Over the cell, and wider where the text needs it: a long number reaches
// over the next cells while the editor is open.
void CellEditor::PlaceOverCell() {
  QRect place = grid_.visualRect(editCell_);
  const QMargins margins = textMargins();
  const int needed = fontMetrics().horizontalAdvance(text()) + margins.left() + margins.right() +
                     2 * LineEditMargin +
                     style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, this);
  if (place.width() < needed) place.setWidth(needed);
  setGeometry(place);
}

bool CellEditor::OwnsFocusWidget() const {
  const QWidget* focus = QApplication::focusWidget();
  return focus && (focus == &window_ || window_.isAncestorOf(focus));
}
