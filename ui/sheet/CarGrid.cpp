#include "ui/sheet/CarGrid.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "base/RuntimeErrors.h"
#include "model/CarDocument.h"
#include "model/CarSortFilterModel.h"
#include "model/CarTableModel.h"
#include "model/ColumnTable.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"
#include "ui/sheet/CarGridCorner.h"
#include "ui/sheet/CarRowHeader.h"

namespace {

// Widens each column's count of characters to the longest value text among
// the rows.
void WidenToValues(const NycGciCars& cars, int row1, int row2, int col1, int col2,
                   std::array<int, ColumnTable::ColumnCount>& widest) {
  for (int row = row1; row <= row2; ++row) {
    const NycGciCar& car = cars.Car(row);
    for (int col = col1; col <= col2; ++col) {
      widest[std::size_t(col)] = std::max(
          widest[std::size_t(col)], ColumnTable::TextLength(car.ValueOf(ColumnTable::Field(col))));
    }
  }
}

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

CarGrid::CarGrid(CarSortFilterModel& shown, QWidget* parent)
    : QTableView(parent), shown_(shown), rowHeader_(new CarRowHeader(this)) {
  setFont(GridFont());
  setVerticalHeader(rowHeader_);
  setModel(&shown_);
  // The headings never show the selection (their sections are not
  // highlighted), yet a header asks its selection model for every cell of a
  // column at each paint; an empty selection model of their own answers at once.
  auto* noSelection = new QItemSelectionModel(&shown_, this);
  horizontalHeader()->setSelectionModel(noSelection);
  rowHeader_->setSelectionModel(noSelection);
  corner_ = new CarGridCorner(*rowHeader_, shown_.Cars(), this);
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
  horizontalHeader()->setSectionsClickable(true);
  horizontalHeader()->setHighlightSections(false);
  // After the view selects a column or a row for a heading's click, the
  // current cell becomes the selection's first cell, so that it is a corner.
  connect(horizontalHeader(), &QHeaderView::sectionPressed, this,
          [this](int section) { PlaceCurrent(0, section); });
  connect(rowHeader_, &QHeaderView::sectionPressed, this,
          [this](int section) { PlaceCurrent(section, 0); });
  connect(corner_, &CarGridCorner::Clicked, this, [this] {
    selectAll();
    PlaceCurrent(0, 0);
  });

  // Headings take no clicks, but a double click on one still reaches the window.
  horizontalHeader()->viewport()->installEventFilter(this);
  rowHeader_->viewport()->installEventFilter(this);

  // A double click on a column's edge fits the column to its texts, which
  // are measured without reading the cells.
  disconnect(horizontalHeader(), &QHeaderView::sectionHandleDoubleClicked, this,
             &QTableView::resizeColumnToContents);
  connect(horizontalHeader(), &QHeaderView::sectionHandleDoubleClicked, this,
          [this](int section) { FitColumn(section + CarTableModel::ColumnOffset); });

  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &CarGrid::Scroll);
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &CarGrid::Scroll);

  horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(horizontalHeader(), &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    const int section = horizontalHeader()->logicalIndexAt(at);
    if (section < 0) return;
    const QModelIndex current = currentIndex();
    if (current.isValid() && current.column() != section) SetCol(section + CarTableModel::ColumnOffset);
    emit HeadingMenu(horizontalHeader()->viewport()->mapToGlobal(at));
  });

  connect(&shown_.Cars(), &QAbstractItemModel::modelReset, this, &CarGrid::Refill);
  connect(&shown_.Cars(), &QAbstractItemModel::dataChanged, this, &CarGrid::OnValuesChanged);
  connect(&shown_, &QAbstractItemModel::layoutChanged, this, &CarGrid::AfterLayoutChange);
  Refill();
}

void CarGrid::Refill() {
  const NycGciCars& cars = shown_.Cars().Document().CarFile();
  widestText_.fill(0);
  const int count = cars.Count();
  for (int row = 1; row <= count; ++row) {
    widestText_[0] = std::max(widestText_[0], int(cars.Car(row).NameView().size()));
  }
  WidenToValues(cars, 1, count, ColumnTable::ModelColumn, ColumnTable::ColumnCount - 1,
                widestText_);
  FitColumns();
  AfterLayoutChange();
  if (count > 0) MakeCurrent(1, ColumnTable::FixedColumnCount);
}

// The sorted column shows the sort indicator; a current cell that a filter
// hid gives way to the first shown row's.
void CarGrid::AfterLayoutChange() {
  const int sorted = shown_.SortedColumn();
  horizontalHeader()->setSortIndicatorShown(sorted >= 0);
  if (sorted >= 0) {
    // The heading makes room for the indicator.
    const int section = sorted - CarTableModel::ColumnOffset;
    horizontalHeader()->setSortIndicator(section, shown_.sortOrder());
    const int needed = horizontalHeader()->sectionSizeHint(section);
    if (columnWidth(section) < needed) setColumnWidth(section, needed);
  }
  if (!currentIndex().isValid() && shown_.rowCount() > 0) MakeCurrent(1, Col());
}

void CarGrid::OnValuesChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight) {
  const int first = topLeft.column() + CarTableModel::ColumnOffset;
  const int last = bottomRight.column() + CarTableModel::ColumnOffset;
  std::array<int, ColumnTable::ColumnCount> widest{};
  WidenToValues(shown_.Cars().Document().CarFile(), topLeft.row() + CarTableModel::RowOffset,
                bottomRight.row() + CarTableModel::RowOffset, first, last, widest);
  for (int col = first; col <= last; ++col) SetWidestText(col, widest[std::size_t(col)]);
}

int CarGrid::ValueWidth(int characters) const {
  // The style keeps a margin on either side of an item's text, and the grid
  // line takes a pixel.
  const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
  return int(std::ceil(QFontMetricsF(font()).horizontalAdvance(QLatin1Char('0')) * characters)) +
         2 * margin + 1;
}

void CarGrid::FitColumn(int col) {
  if (!ColumnTable::IsEditable(col)) return;
  const int section = col - CarTableModel::ColumnOffset;
  const int minimum = col >= ColumnTable::FirstFloatColumn ? TwipsToPixels(FloatColumnMinTwips) : 0;
  setColumnWidth(section, std::max({horizontalHeader()->sectionSizeHint(section),
                                    ValueWidth(widestText_[std::size_t(col)]), minimum}));
}

void CarGrid::SetWidestText(int col, int characters) {
  int& widest = widestText_[std::size_t(col)];
  if (characters <= widest) return;
  widest = characters;
  const int needed = ValueWidth(characters);
  if (ColWidth(col) < needed) SetColWidth(col, needed);
}

// Every column as wide as its heading and its widest text. The texts are
// measured by their length in characters: the font is fixed pitch, and a
// large file must not cost a font measurement per cell.
void CarGrid::FitColumns() {
  for (int col = ColumnTable::FixedColumnCount; col < ColumnTable::ColumnCount; ++col)
    FitColumn(col);
  const QFontMetricsF metrics(rowHeader_->font());
  const double character = metrics.horizontalAdvance(QLatin1Char('0'));
  const int margin = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, rowHeader_) + 2;
  auto width = [&](int characters, const QString& heading) {
    return int(std::ceil(std::max(character * characters, metrics.horizontalAdvance(heading)))) +
           margin;
  };
  const CarTableModel& cars = shown_.Cars();
  const QString modelHeading = cars.CarCount() > 0 ? cars.CellText(0, 1) : QString();
  rowHeader_->SetFixedWidths(width(widestText_[ColumnTable::NameColumn], QString()),
                             width(widestText_[ColumnTable::ModelColumn], modelHeading));
  updateGeometries();
}

QString CarGrid::TextMatrix(int row, int col) const {
  return shown_.Cars().CellText(row == 0 ? 0 : CarOfRow(row), col);
}

std::int32_t CarGrid::CarOfRow(int row) const {
  return shown_.CarOfRow(row);
}

CellRange CarGrid::SelectedCells() const {
  if (!currentIndex().isValid()) return CellRange();
  return shown_.Cells(std::min(Row(), RowSel()), std::max(Row(), RowSel()),
                      std::min(Col(), ColSel()), std::max(Col(), ColSel()));
}

CellRange CarGrid::CellsFrom(int row, int col, int count) const {
  return shown_.Cells(row, row + count - 1, col, col);
}

void CarGrid::SelectCells(const std::vector<CellValuesCommand::Cell>& cells, const QRect& bounds) {
  if (shown_.InFileOrder()) {
    SelectRange(bounds.top(), bounds.left(), bounds.bottom(), bounds.right());
    return;
  }
  // The shown rows that hold cells of the step, in the step's columns; each
  // run of such rows is one rectangle. Beyond MaxRanges runs the selection is
  // one rectangle from the first such row to the last: a selection of many
  // thousand pieces would slow every later change of the view.
  constexpr qsizetype MaxRanges = 1000;
  const int count = shown_.rowCount();
  const std::vector<int> rows = shown_.RowsOfCars();
  std::vector<char> held(std::size_t(count) + 2, 0);
  for (const CellValuesCommand::Cell& cell : cells) held[std::size_t(rows[std::size_t(cell.row)])] = 1;
  const auto range = [this, &bounds](int top, int bottom) {
    return QItemSelectionRange(
        shown_.index(top - CarTableModel::RowOffset, bounds.left() - CarTableModel::ColumnOffset),
        shown_.index(bottom - CarTableModel::RowOffset, bounds.right() - CarTableModel::ColumnOffset));
  };
  QItemSelection selection;
  int first = 0, last = 0;
  for (int row = 1; row <= count; ++row) {
    if (!held[std::size_t(row)]) continue;
    int end = row;
    while (held[std::size_t(end) + 1]) ++end;
    if (!first) first = row;
    last = end;
    selection.append(range(row, end));
    row = end;
  }
  if (selection.isEmpty()) return;  // every cell of the step is hidden
  if (selection.size() > MaxRanges) selection = QItemSelection(range(first, last).topLeft(), range(first, last).bottomRight());
  selectionModel()->setCurrentIndex(selection.first().topLeft(), QItemSelectionModel::NoUpdate);
  selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
  scrollTo(currentIndex());
}

void CarGrid::SelectWhole(bool column) {
  const QModelIndex current = currentIndex();
  if (!current.isValid()) return;
  const int last = column ? shown_.rowCount() - 1 : current.row();
  const int right = column ? current.column() : shown_.columnCount() - 1;
  selectionModel()->select(
      QItemSelection(shown_.index(column ? 0 : current.row(), column ? current.column() : 0),
                     shown_.index(last, right)),
      QItemSelectionModel::ClearAndSelect);
  PlaceCurrent(column ? 0 : current.row(), column ? current.column() : 0);
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
  if (row < 1 || row > shown_.rowCount() || !ColumnTable::IsEditable(col)) {
    RaiseRuntimeError(ErrInvalidArgument,
                      QStringLiteral("no value cell at row %1, column %2").arg(row).arg(col));
  }
}

void CarGrid::MakeCurrent(int row, int col) {
  CheckValueCell(row, col);
  const QModelIndex cell =
      shown_.index(row - CarTableModel::RowOffset, col - CarTableModel::ColumnOffset);
  selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect);
}

void CarGrid::PlaceCurrent(int modelRow, int modelColumn) {
  const QModelIndex cell = shown_.index(modelRow, modelColumn);
  if (!cell.isValid()) return;
  const bool scrolling = hasAutoScroll();
  setAutoScroll(false);
  selectionModel()->setCurrentIndex(cell, QItemSelectionModel::NoUpdate);
  setAutoScroll(scrolling);
}

void CarGrid::SelectRange(int row1, int col1, int row2, int col2) {
  CheckValueCell(row1, col1);
  CheckValueCell(row2, col2);
  const auto cell = [this](int row, int col) {
    return shown_.index(row - CarTableModel::RowOffset, col - CarTableModel::ColumnOffset);
  };
  selectionModel()->setCurrentIndex(cell(row1, col1), QItemSelectionModel::NoUpdate);
  selectionModel()->select(QItemSelection(cell(row1, col1), cell(row2, col2)),
                           QItemSelectionModel::ClearAndSelect);
  scrollTo(currentIndex());
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
  if (row < 1 || row > shown_.rowCount() || !ColumnTable::IsEditable(col)) return QRect();
  return visualRect(
      shown_.index(row - CarTableModel::RowOffset, col - CarTableModel::ColumnOffset));
}

QSize CarGrid::UsefulSize() const {
  constexpr int Cars = 10;
  constexpr int Characters = 56;  // a name, a model and three values
  const int frame = 2 * frameWidth();
  return QSize(ValueWidth(Characters) + verticalScrollBar()->sizeHint().width() + frame,
               horizontalHeader()->sizeHint().height() + Cars * rowHeader_->defaultSectionSize() +
                   horizontalScrollBar()->sizeHint().height() + frame);
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
  if (event->key() == Qt::Key_Space &&
      (event->modifiers() == Qt::ControlModifier || event->modifiers() == Qt::ShiftModifier)) {
    SelectWhole(event->modifiers() == Qt::ControlModifier);
    event->accept();
    return;
  }
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

// Whether a point of the column headings lies on the edge between two
// sections, where a drag resizes and a double click fits a column (the rule
// of QHeaderView, which does not tell it).
bool CarGrid::OnColumnEdge(const QPoint& point) const {
  const QHeaderView* header = horizontalHeader();
  const int section = header->logicalIndexAt(point);
  if (section < 0) return false;
  const int left = header->sectionViewportPosition(section);
  const int grip = header->style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, header);
  return (point.x() < left + grip && header->visualIndex(section) > 0) ||
         point.x() > left + header->sectionSize(section) - grip;
}

QModelIndex CarGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  // Ctrl+End goes to the last car's first value cell, not its last.
  if (action == MoveEnd && (modifiers & Qt::ControlModifier) && shown_.rowCount() > 0) {
    return shown_.index(shown_.rowCount() - 1, 0);
  }
  return QTableView::moveCursor(action, modifiers);
}

bool CarGrid::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick) {
    // A double click on a column's edge fits the column; the heading itself
    // opens the editor, as a double click on a cell does.
    if (watched == horizontalHeader()->viewport() &&
        OnColumnEdge(static_cast<QMouseEvent*>(event)->position().toPoint())) {
      return false;
    }
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
