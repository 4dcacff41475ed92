#include "ui/sheet/CarGrid.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <algorithm>

#include "base/RuntimeErrors.h"
#include "model/ColumnTable.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"
#include "ui/sheet/CarGridCorner.h"
#include "ui/sheet/CarRowHeader.h"
#include "ui/sheet/CarTableModel.h"

namespace {

// Courier New 8.25 pt where it is installed, else the system's fixed-pitch
// font. Some systems name a "fixed" font whose glyphs differ in width; then
// the font the system gives for Courier New (usually a metric twin), or the
// first family that really is fixed pitch, stands in.
QFont GridFont() {
  auto sized = [](QFont font) {
    font.setPointSizeF(8.25);
    return font;
  };
  const QFont courier = sized(QFont(QStringLiteral("Courier New")));
  if (courier.exactMatch() && QFontInfo(courier).fixedPitch()) return courier;
  const QFont system = sized(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  if (QFontInfo(system).fixedPitch()) return system;
  if (QFontInfo(courier).fixedPitch()) return courier;
  for (const QString& family : QFontDatabase::families()) {
    if (QFontDatabase::isFixedPitch(family)) return sized(QFont(family));
  }
  return system;
}

}  // namespace

CarGrid::CarGrid(QWidget* parent)
    : QTableView(parent), cars_(new CarTableModel(this)), rowHeader_(new CarRowHeader(this)) {
  setFont(GridFont());
  setVerticalHeader(rowHeader_);
  setModel(cars_);
  corner_ = new CarGridCorner(*rowHeader_, *cars_, this);
  setCornerButtonEnabled(false);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setTabKeyNavigation(false);
  setWordWrap(false);

  const int rowHeight = fontMetrics().height() + 4;
  rowHeader_->setMinimumSectionSize(rowHeight);
  rowHeader_->setDefaultSectionSize(rowHeight);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  horizontalHeader()->setSectionsClickable(false);
  horizontalHeader()->setHighlightSections(false);

  // Headings take no clicks, but a double click on one still reaches the window.
  horizontalHeader()->viewport()->installEventFilter(this);
  rowHeader_->viewport()->installEventFilter(this);

  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &CarGrid::Scroll);
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &CarGrid::Scroll);
}

void CarGrid::Fill(const NycGciCars* cars) {
  cars_->SetCarFile(cars);
  FitColumnsToHeadings();
  if (cars_->CarCount() > 0) MakeCurrent(1, ColumnTable::FixedColumnCount);
}

// Every column as wide as its heading needs; the name column as wide as the
// widest car name. Nothing but the headings is measured, so a large file
// costs one pass over the names.
void CarGrid::FitColumnsToHeadings() {
  QHeaderView* header = horizontalHeader();
  for (int section = 0; section < cars_->columnCount(); ++section) {
    header->resizeSection(section, header->sectionSizeHint(section));
  }
  const QFontMetrics metrics(rowHeader_->font());
  const int margin = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, rowHeader_) + 2;
  int nameWidth = 0;
  if (const int count = cars_->CarCount(); count > 0) {
    for (int row = 1; row <= count; ++row) {
      nameWidth = std::max(nameWidth, metrics.horizontalAdvance(cars_->CellText(row, 0)));
    }
  }
  const int modelWidth =
      metrics.horizontalAdvance(cars_->CarCount() > 0 ? cars_->CellText(0, 1) : QString());
  rowHeader_->SetFixedWidths(nameWidth + margin, modelWidth + margin);
  updateGeometries();
}

QString CarGrid::TextMatrix(int row, int col) const { return cars_->CellText(row, col); }

void CarGrid::RefreshRange(int row1, int col1, int row2, int col2) {
  cars_->RangeChanged(row1, col1, row2, col2);
}

int CarGrid::Row() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? current.row() + CarTableModel::RowOffset : 1;
}

int CarGrid::Col() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? current.column() + CarTableModel::ColumnOffset
                           : ColumnTable::FixedColumnCount;
}

void CarGrid::CheckValueCell(int row, int col) const {
  if (row < 1 || row > cars_->CarCount() || !ColumnTable::IsEditable(col)) {
    RaiseRuntimeError(ErrInvalidArgument,
                      QStringLiteral("no value cell at row %1, column %2").arg(row).arg(col));
  }
}

void CarGrid::MakeCurrent(int row, int col) {
  CheckValueCell(row, col);
  const QModelIndex cell =
      cars_->index(row - CarTableModel::RowOffset, col - CarTableModel::ColumnOffset);
  selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect);
}

void CarGrid::SetRow(int row) { MakeCurrent(row, Col()); }

void CarGrid::SetCol(int col) { MakeCurrent(Row(), col); }

// The selected rectangle that holds the current cell; invalid when none does.
QItemSelectionRange CarGrid::CurrentRange() const {
  const QModelIndex current = currentIndex();
  for (const QItemSelectionRange& range : selectionModel()->selection()) {
    if (range.contains(current)) return range;
  }
  return QItemSelectionRange();
}

int CarGrid::RowSel() const {
  const QItemSelectionRange range = CurrentRange();
  if (!range.isValid()) return Row();
  const int other = currentIndex().row() == range.top() ? range.bottom() : range.top();
  return other + CarTableModel::RowOffset;
}

int CarGrid::ColSel() const {
  const QItemSelectionRange range = CurrentRange();
  if (!range.isValid()) return Col();
  const int other = currentIndex().column() == range.left() ? range.right() : range.left();
  return other + CarTableModel::ColumnOffset;
}

QRect CarGrid::CellRect(int row, int col) const {
  if (row < 1 || row > cars_->CarCount() || !ColumnTable::IsEditable(col)) return QRect();
  return visualRect(
      cars_->index(row - CarTableModel::RowOffset, col - CarTableModel::ColumnOffset));
}

int CarGrid::ColWidth(int col) const {
  if (col == ColumnTable::NameColumn) return rowHeader_->NameWidth();
  if (col == ColumnTable::ModelColumn) return rowHeader_->ModelWidth();
  return columnWidth(col - CarTableModel::ColumnOffset);
}

void CarGrid::SetColWidth(int col, int width) {
  if (col == ColumnTable::NameColumn) {
    rowHeader_->SetFixedWidths(width, rowHeader_->ModelWidth());
  } else if (col == ColumnTable::ModelColumn) {
    rowHeader_->SetFixedWidths(rowHeader_->NameWidth(), width);
  } else {
    setColumnWidth(col - CarTableModel::ColumnOffset, width);
    return;
  }
  updateGeometries();
}

int CarGrid::TwipsToPixels(double twips) const { return int(twips * logicalDpiX() / 1440.0 + 0.5); }

bool CarGrid::event(QEvent* event) {
  // The table view claims Ctrl+A for select-all; the window's own Ctrl+A
  // command must win.
  if (event->type() == QEvent::ShortcutOverride &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::SelectAll)) {
    event->ignore();
    return false;
  }
  return QTableView::event(event);
}

void CarGrid::keyPressEvent(QKeyEvent* event) {
  const QString text = event->text();
  const bool command = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
  if (!text.isEmpty() && !command && text.at(0) != QLatin1Char('\t')) {
    emit KeyPress(text.at(0));
    event->accept();
    return;
  }
  if (event->matches(QKeySequence::SelectAll)) {
    event->ignore();
    return;
  }
  QTableView::keyPressEvent(event);
}

bool CarGrid::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick) {
    emit DblClick();
    return true;
  }
  return QTableView::eventFilter(watched, event);
}

void CarGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  QTableView::mouseDoubleClickEvent(event);
  emit DblClick();
}

void CarGrid::updateGeometries() {
  QTableView::updateGeometries();
  if (!corner_) return;
  const int frame = frameWidth();
  corner_->setGeometry(frame, frame, rowHeader_->width(), horizontalHeader()->height());
  corner_->raise();
  corner_->update();
}
