#include "ui/sheet/SheetCommands.h"

#include <QLocale>
#include <algorithm>
#include <memory>
#include <utility>

#include "base/TorqletError.h"
#include "helperlib/Term.h"
#include "helperlib/UserDialogs.h"
#include "model/CarDocument.h"
#include "model/CarSortFilterModel.h"
#include "model/CarTableModel.h"
#include "model/CellBlock.h"
#include "model/Manipulation.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"
#include "model/TabTable.h"
#include "ui/sheet/CarGrid.h"
#include "ui/sheet/FilterBar.h"

SheetCommands::SheetCommands(CarGrid& grid, FilterBar& filterBar, std::function<QString()> title,
                             QObject* parent)
    : QObject(parent), grid_(grid), filterBar_(filterBar), title_(std::move(title)) {
  connect(&filterBar_, &FilterBar::Apply, this, &SheetCommands::ApplyFilter);
  connect(&filterBar_, &FilterBar::Closed, &grid_, [this] { grid_.setFocus(); });
}

QString SheetCommands::CellCountText(std::int64_t count) {
  return count == 1 ? tr("1 cell") : tr("%1 cells").arg(count);
}

void SheetCommands::ShowMessage(const QString& text) const {
  UserDialogs::Current().MessageBox(text, UserDialogs::Buttons::Ok, UserDialogs::Icon::Exclamation,
                                    title_());
}

std::int64_t SheetCommands::Manipulate(Term& term) {
  CarDocument& document = grid_.Shown().Cars().Document();
  Manipulation manipulation(term, QLocale());
  manipulation.Cells(document.CarFile(), grid_.SelectedCells());
  const QString text = term.Text();
  document.SetCells(manipulation.Values(), [&text](std::int64_t count) {
    return tr("Manipulate %1 (%2)").arg(text, CellCountText(count));
  });
  return std::int64_t(manipulation.Values().size());
}

QString SheetCommands::SelectionText() const {
  return CellBlock(grid_.Shown().Cars(), QLocale()).Text(grid_.SelectedCells());
}

bool SheetCommands::PasteText(const QString& text) {
  std::vector<TabTable::Row> rows;
  try {
    rows = TabTable::Read(text.toUtf8(), tr("The clipboard"));
  } catch (const TorqletError& error) {
    ShowMessage(error.Description());
    return false;
  }
  CarTableModel& cars = grid_.Shown().Cars();
  CellBlock block(cars, QLocale());
  if (!block.Read(rows, grid_.SelectedCells(),
                  grid_.CellsFrom(grid_.Row(), grid_.Col(), int(rows.size())))) {
    ShowMessage(block.Error());
    return false;
  }
  cars.Document().SetCells(block.Values(), [](std::int64_t count) {
    return tr("Paste (%1)").arg(CellCountText(count));
  });
  return true;
}

bool SheetCommands::FindCar(const QString& text) {
  const int row = grid_.Shown().FindName(text, grid_.Row());
  if (row == 0) return false;
  grid_.SetRow(row);
  grid_.scrollTo(grid_.currentIndex());
  return true;
}

// Sorting and filtering move the rows; the current car stays current where
// it is still shown, and in view.
void SheetCommands::KeepCurrentCar(const std::function<void()>& change) {
  change();
  emit ShownChanged();
  grid_.scrollTo(grid_.currentIndex());
}

void SheetCommands::SortByColumn(Qt::SortOrder order) {
  CarSortFilterModel& shown = grid_.Shown();
  if (shown.ShownCount() == 0) return;
  const int col = grid_.Col();
  KeepCurrentCar([&] { shown.SortByColumn(col, order); });
}

void SheetCommands::SortByName() {
  KeepCurrentCar([this] { grid_.Shown().SortByName(); });
}

void SheetCommands::SortInFileOrder() {
  KeepCurrentCar([this] { grid_.Shown().SortInFileOrder(); });
}

void SheetCommands::OpenFilterBar() {
  filterColumn_ = grid_.Col();
  filterBar_.Open(grid_.TextMatrix(0, filterColumn_));
}

void SheetCommands::ShowAllCars() {
  filterBar_.hide();
  filterName_.clear();
  filterCondition_.clear();
  KeepCurrentCar([this] { grid_.Shown().ClearFilter(); });
}

bool SheetCommands::ApplyFilter(const QString& name, const QString& condition) {
  std::unique_ptr<Term> term;
  if (!condition.trimmed().isEmpty()) {
    term = std::make_unique<Term>();
    term->PrepareInX();
    try {
      term->SetText(condition);
    } catch (const TorqletError& error) {
      filterBar_.Refuse(tr("%1: %2").arg(error.Description(), error.Detail()));
      return false;
    }
  }
  CarSortFilterModel& shown = grid_.Shown();
  KeepCurrentCar([&] {
    if (name.isEmpty() && !term) {
      shown.ClearFilter();
    } else {
      shown.SetFilter(name, term.get(), filterColumn_);
    }
  });
  filterName_ = name;
  filterCondition_ = condition;
  filteredColumn_ = filterColumn_;
  grid_.setFocus();
  return true;
}

namespace {

std::vector<QByteArray> NamesOf(const NycGciCars& file) {
  std::vector<QByteArray> names(std::size_t(file.Count()));
  for (std::int32_t car = 1; car <= file.Count(); ++car)
    names[std::size_t(car - 1)] = file.Car(car).Name();
  return names;
}

}  // namespace

void SheetCommands::SelectCell(int row, int col) { grid_.SelectRange(row, col, row, col); }

void SheetCommands::KeepView(const std::function<void()>& load) {
  const View view = CurrentView();
  load();
  RestoreView(view, false);
}

SheetCommands::View SheetCommands::CurrentView() const {
  const CarSortFilterModel& shown = grid_.Shown();
  const int row = grid_.Row();
  return {NamesOf(shown.Cars().Document().CarFile()),
          shown.SortedBy(),
          shown.SortedColumn(),
          shown.sortOrder(),
          shown.Filtered(),
          row,
          grid_.Col(),
          row >= 1 && row <= shown.ShownCount() ? shown.CarOfRow(row) : 0};
}

void SheetCommands::RestoreView(const View& view, bool otherCars) {
  CarSortFilterModel& shown = grid_.Shown();
  const bool same = NamesOf(shown.Cars().Document().CarFile()) == view.names;
  const int row = view.row, col = view.col;
  if (same || otherCars) {
    if (view.order == CarSortFilterModel::Order::Column) {
      shown.SortByColumn(view.sortedCol, view.direction);
    }
    if (view.order == CarSortFilterModel::Order::Name) shown.SortByName();
    if (view.filtered) {
      const int opened = std::exchange(filterColumn_, filteredColumn_);
      ApplyFilter(filterName_, filterCondition_);
      filterColumn_ = opened;
    }
  } else {
    filterName_.clear();
    filterCondition_.clear();
  }
  const std::vector<int> rows = shown.RowsOfCars();
  if (same && view.car > 0 && rows[std::size_t(view.car)] > 0) {
    grid_.SelectRange(rows[std::size_t(view.car)], col, rows[std::size_t(view.car)], col);
  } else if (shown.ShownCount() > 0) {
    SelectCell(std::clamp(row, 1, shown.ShownCount()), col);
  }
  emit ShownChanged();
  grid_.scrollTo(grid_.currentIndex());
}

QString SheetCommands::ShownNote() const {
  const CarSortFilterModel& shown = grid_.Shown();
  return shown.Filtered()
             ? tr(" - %1 of %2 cars shown").arg(shown.ShownCount()).arg(shown.Cars().CarCount())
             : QString();
}
