#include "ui/frame/StatusLine.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QLocale>
#include <QStatusBar>
#include <algorithm>

#include "model/CarDocument.h"
#include "model/CarSortFilterModel.h"
#include "model/CarTableModel.h"
#include "model/SelectionSummary.h"
#include "ui/frame/CompareCommands.h"
#include "ui/sheet/CarGrid.h"
#include "ui/sheet/SheetCommands.h"
#include "ui/sheet/frmCars.h"

namespace {

QLabel* AddLabel(QStatusBar& bar, const char* name, bool permanent) {
  auto* label = new QLabel(&bar);
  label->setObjectName(QLatin1String(name));
  if (permanent) {
    bar.addPermanentWidget(label);
  } else {
    bar.addWidget(label);
  }
  return label;
}

// As the sheet shows numbers: no group separators, floats to three decimals,
// without the zeros that end them.
QString NumberText(double value) {
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  QString text = locale.toString(value, 'f', 3);
  const QString point = locale.decimalPoint();
  if (text.contains(point)) {
    while (text.endsWith(locale.zeroDigit())) text.chop(1);
    if (text.endsWith(point)) text.chop(point.size());
  }
  return text == QStringLiteral("-0") ? locale.toString(0) : text;
}

}  // namespace

StatusLine::StatusLine(QStatusBar& bar) : QObject(&bar) {
  position_ = AddLabel(bar, "lblPosition", false);
  selection_ = AddLabel(bar, "lblSelection", false);
  figures_ = AddLabel(bar, "lblFigures", false);
  shown_ = AddLabel(bar, "lblShown", true);
  delay_.setSingleShot(true);
  delay_.setInterval(DelayMilliseconds);
  connect(&delay_, &QTimer::timeout, this, &StatusLine::Update);
}

void StatusLine::Schedule() {
  if (!delay_.isActive()) delay_.start();
}

void StatusLine::Follow(frmCars* window) {
  if (window && window == window_ && guard_) return;
  for (const QMetaObject::Connection& connection : followed_) disconnect(connection);
  followed_.clear();
  window_ = window;
  guard_ = window;
  if (window) {
    const CarGrid* grid = window->flexCars();
    const auto schedule = [this] { Schedule(); };
    followed_ << connect(grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
                         schedule)
              << connect(grid->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                         schedule)
              << connect(&window->Document(), &CarDocument::CellsChanged, this, schedule)
              << connect(&window->Document(), &CarDocument::Reloaded, this, schedule)
              << connect(&window->Document(), &CarDocument::CarsReplaced, this, schedule)
              << connect(&window->Commands(), &SheetCommands::ShownChanged, this, schedule)
              // The window is no sheet any more when it says it goes.
              << connect(window, &QObject::destroyed, this, [this] { Follow(nullptr); });
  }
  Update();
}

void StatusLine::Update() {
  delay_.stop();
  frmCars* window = guard_ ? window_ : nullptr;
  const CarGrid* grid = window ? window->flexCars() : nullptr;
  if (!grid || !grid->currentIndex().isValid()) {
    for (QLabel* label : {position_, selection_, figures_, shown_}) label->clear();
    return;
  }
  const int row = grid->Row();
  const int col = grid->Col();
  position_->setText(tr("%1 \u00b7 %2").arg(grid->TextMatrix(row, 0), grid->TextMatrix(0, col)));
  const std::int64_t rows = std::abs(grid->RowSel() - row) + 1;
  const std::int64_t cells = rows * (std::abs(grid->ColSel() - col) + 1);
  selection_->setText(cells == 1 ? tr("1 cell selected") : tr("%1 cells selected").arg(cells));
  const SelectionSummary summary = SelectionSummary::Of(window->CarFile(), grid->SelectedCells());
  figures_->setText(summary.numbers == 0
                        ? QString()
                        : tr("Sum: %1   Average: %2   Min: %3   Max: %4")
                              .arg(NumberText(summary.sum), NumberText(summary.Average()),
                                   NumberText(summary.min), NumberText(summary.max)));
  const CarSortFilterModel& shown = grid->Shown();
  QStringList notes;
  if (shown.Filtered()) {
    notes << tr("%1 of %2 cars shown").arg(shown.ShownCount()).arg(shown.Cars().CarCount());
  }
  notes << CompareCommands::Note(*window);
  notes.removeAll(QString());
  shown_->setText(notes.join(QStringLiteral("   ")));
}
