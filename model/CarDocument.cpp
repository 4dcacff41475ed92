#include "model/CarDocument.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <utility>

#include "core/ErrorCodes.h"
#include "core/Errors.h"
#include "model/CarsCommand.h"
#include "model/ColumnTable.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"

namespace {

const char* const Source = "CarDocument";

std::uint32_t BitsOf(const LineValue& value) {
  return value.kind == LineValue::Kind::Integer ? std::bit_cast<std::uint32_t>(value.integer)
                                                : std::bit_cast<std::uint32_t>(value.real);
}

// The car of a row, looked up once for a run of cells in the same row; a
// writable file gives writable cars.
template <typename File>
class RowCars {
 public:
  explicit RowCars(File& file) : file_(file) {}
  auto& Of(std::int32_t row) {
    if (!car_ || row != row_) {
      car_ = &file_.Car(row);
      row_ = row;
    }
    return *car_;
  }

 private:
  File& file_;
  decltype(&file_.Car(1)) car_ = nullptr;
  std::int32_t row_ = 0;
};

}  // namespace

CarDocument::CarDocument(StatusDisplay* status, QObject* parent)
    : QObject(parent),
      pobjCarFile(std::make_unique<NycGciCars>(status)),
      history_(std::make_unique<QUndoStack>()) {
  // An open document holds its cars; of the file's bytes only what the cars
  // do not write back themselves.
  pobjCarFile->SetKeepWholeContent(false);
  connect(history_.get(), &QUndoStack::cleanChanged, this,
          [this](bool clean) { emit ChangedChanged(!clean); });
  connect(history_.get(), &QUndoStack::indexChanged, this, &CarDocument::OnIndexChanged);
}

// The history goes first: its steps refer to the car file.
CarDocument::~CarDocument() { history_.reset(); }

void CarDocument::NewFile() {
  pobjCarFile->NewFile();
  pstrFileName.clear();
  ResetHistory();
  emit Reloaded();
}

void CarDocument::LoadFile(const QString& fileName) {
  try {
    pobjCarFile->LoadFile(fileName);
  } catch (...) {
    ResetHistory();
    emit Reloaded();
    throw;
  }
  pstrFileName = fileName;
  ResetHistory();
  emit Reloaded();
}

void CarDocument::ResetHistory() {
  history_->clear();
  contentIndex_ = history_->index();
  savedIndex_ = history_->index();
  savedCells_.clear();
  savedCarsLost_ = false;
}

void CarDocument::FileWritten() {
  savedIndex_ = history_->index();
  savedCells_.clear();
  savedCarsLost_ = false;
  history_->setClean();
  emit Saved();
}

void CarDocument::Save() {
  try {
    pobjCarFile->Save();
  } catch (...) {
    ContentWritten();
    throw;
  }
  ContentWritten();
  FileWritten();
}

void CarDocument::SaveAs(const QString& fileName) {
  try {
    pobjCarFile->SaveAs(fileName);
  } catch (...) {
    ContentWritten();
    throw;
  }
  ContentWritten();
  pstrFileName = fileName;
  FileWritten();
}

bool CarDocument::FileChangedOnDisk() const { return pobjCarFile->FileChangedOnDisk(); }

// A save rebuilds the car file's content from the cars when it was out of
// date, also when the write itself fails: from then on the content is this
// state of the history.
void CarDocument::ContentWritten() {
  if (!pobjCarFile->IsChanged()) contentIndex_ = history_->index();
}

void CarDocument::SetChanged(bool changed) {
  if (changed) {
    history_->resetClean();
  } else {
    history_->setClean();
  }
}

std::int64_t CarDocument::SetCells(const std::vector<CellValue>& cells, const StepName& stepName) {
  std::vector<CellValuesCommand::Cell> changed;
  changed.reserve(cells.size());
  int top = 0, left = 0, bottom = -1, right = -1;
  RowCars rows(std::as_const(*pobjCarFile));
  for (const CellValue& cell : cells) {
    const NycGciCar& car = rows.Of(cell.row);
    if (!ColumnTable::IsEditable(cell.col)) RaiseError(ErrBadCall, Source);
    const CarField field = ColumnTable::Field(cell.col);
    const bool integer = IsIntegerField(field);
    if (integer != (cell.value.kind == LineValue::Kind::Integer) ||
        (!integer && cell.value.kind != LineValue::Kind::Float)) {
      RaiseError(ErrBadCall, Source);
    }
    if (!integer && !std::isfinite(cell.value.real)) RaiseError(ErrBadPropertyValue, Source);
    const LineValue current = car.ValueOf(field);
    if (SameValue(current, cell.value)) continue;
    changed.push_back({cell.row, std::uint8_t(cell.col), BitsOf(current), BitsOf(cell.value)});
    if (changed.size() == 1) {
      top = bottom = cell.row;
      left = right = cell.col;
    } else {
      top = std::min(top, cell.row);
      bottom = std::max(bottom, cell.row);
      left = std::min(left, cell.col);
      right = std::max(right, cell.col);
    }
  }
  if (changed.empty()) return 0;
  // The step keeps its cells for as long as the history does.
  if (changed.capacity() - changed.size() > changed.size() / 16) changed.shrink_to_fit();
  const QRect bounds(QPoint(left, top), QPoint(right, bottom));
  const auto count = std::int64_t(changed.size());
  // A new step drops the steps after the current one; the content may have
  // been written at one of them.
  if (contentIndex_ > history_->index()) contentIndex_ = -1;
  KeepSavedCells();
  history_->push(new CellValuesCommand(*this, stepName(count), std::move(changed), bounds));
  return count;
}

namespace {

// Marks each cell (by car and sheet column) once.
class CellMarks {
 public:
  explicit CellMarks(std::int32_t cars) : marks_(std::size_t(cars + 1) * Width) {}
  bool Mark(std::int32_t row, std::uint8_t col) {
    const std::size_t at = std::size_t(row) * Width + col;
    if (marks_[at]) return false;
    marks_[at] = true;
    return true;
  }

 private:
  static constexpr std::size_t Width = 32;
  static_assert(ColumnTable::ColumnCount <= Width);
  std::vector<bool> marks_;
};

// The step at an index when it changes cells, else null.
const CellValuesCommand* CellStepAt(const QUndoStack& history, int index) {
  return dynamic_cast<const CellValuesCommand*>(history.command(index));
}

// Whether a step from first up to (not including) last replaces the cars.
bool ReplacesCars(const QUndoStack& history, int first, int last) {
  for (int step = first; step < last; ++step) {
    if (!CellStepAt(history, step)) return true;
  }
  return false;
}

}  // namespace

bool CarDocument::ReplaceCars(Cars cars, const QString& stepName) {
  if (cars.empty()) RaiseError(ErrBadCall, Source);
  for (const auto& car : cars) {
    if (!car) RaiseError(ErrBadCall, Source);
  }
  if (cars == pobjCarFile->Cars()) return false;
  if (contentIndex_ > history_->index()) contentIndex_ = -1;
  KeepSavedCells();
  history_->push(new CarsCommand(*this, stepName, pobjCarFile->Cars(), std::move(cars)));
  return true;
}

void CarDocument::PutCars(const Cars& cars) {
  emit CarsAboutToBeReplaced();
  pobjCarFile->SetCars(cars);
  emit CarsReplaced();
}

bool CarDocument::CarsReplacedSinceSave() const {
  const int index = history_->index();
  return savedCarsLost_ ||
         ReplacesCars(*history_, std::min(savedIndex_, index), std::max(savedIndex_, index));
}

// A new step drops the steps after the current one. When the saved state lay
// among them, the values it gave their cells are kept, and the saved state is
// from then on the current index with those cells.
void CarDocument::KeepSavedCells() {
  const int index = history_->index();
  if (savedIndex_ <= index) return;
  if (savedCarsLost_ || ReplacesCars(*history_, index, savedIndex_)) {
    savedCarsLost_ = true;
    savedCells_.clear();
    savedIndex_ = index;
    return;
  }
  CellMarks marks(pobjCarFile->Count());
  for (const auto& cell : savedCells_) marks.Mark(cell.row, cell.col);
  // The last step that set a cell gave it its saved value.
  for (int step = savedIndex_ - 1; step >= index; --step) {
    for (const auto& cell : CellStepAt(*history_, step)->Cells()) {
      if (marks.Mark(cell.row, cell.col))
        savedCells_.push_back({cell.row, cell.col, 0, cell.after});
    }
  }
  savedIndex_ = index;
}

std::vector<CarDocument::UnsavedCell> CarDocument::UnsavedCells() const {
  std::vector<UnsavedCell> cells;
  if (CarsReplacedSinceSave()) return cells;
  const int index = history_->index();
  std::size_t candidates = savedCells_.size();
  for (int step = std::min(savedIndex_, index); step < std::max(savedIndex_, index); ++step) {
    candidates += CellStepAt(*history_, step)->Cells().size();
  }
  cells.reserve(candidates);
  CellMarks marks(pobjCarFile->Count());
  const auto consider = [&](const CellValuesCommand::Cell& cell, std::uint32_t saved) {
    if (marks.Mark(cell.row, cell.col)) cells.push_back({cell.row, cell.col, saved, 0});
  };
  for (const auto& cell : savedCells_) consider(cell, cell.after);
  // Going forward from the saved state, a cell's first step found its saved
  // value; going back, its last step had set it.
  for (int step = savedIndex_; step < index; ++step) {
    for (const auto& cell : CellStepAt(*history_, step)->Cells()) consider(cell, cell.before);
  }
  for (int step = savedIndex_ - 1; step >= index; --step) {
    for (const auto& cell : CellStepAt(*history_, step)->Cells()) consider(cell, cell.after);
  }
  RowCars rows(std::as_const(*pobjCarFile));
  std::erase_if(cells, [&rows](UnsavedCell& cell) {
    cell.current = BitsOf(rows.Of(cell.row).ValueOf(ColumnTable::Field(cell.col)));
    return cell.current == cell.saved;
  });
  // One step's cells come in order already, and so do those of most edits.
  const auto before = [](const UnsavedCell& a, const UnsavedCell& b) {
    return a.row != b.row ? a.row < b.row : a.col < b.col;
  };
  if (std::is_sorted(cells.begin(), cells.end(), before)) return cells;
  // Sorted by car in one pass (a car has at most 20 of them), then each car's
  // cells by column.
  std::vector<std::size_t> starts(std::size_t(pobjCarFile->Count()) + 2, 0);
  for (const UnsavedCell& cell : cells) ++starts[std::size_t(cell.row) + 1];
  for (std::size_t row = 1; row < starts.size(); ++row) starts[row] += starts[row - 1];
  std::vector<UnsavedCell> sorted(cells.size());
  std::vector<std::size_t> next(starts.begin(), starts.end() - 1);
  for (const UnsavedCell& cell : cells) sorted[next[std::size_t(cell.row)]++] = cell;
  for (std::size_t row = 0; row + 1 < starts.size(); ++row) {
    std::sort(sorted.begin() + std::ptrdiff_t(starts[row]),
              sorted.begin() + std::ptrdiff_t(starts[row + 1]), before);
  }
  return sorted;
}

void CarDocument::Apply(const std::vector<CellValuesCommand::Cell>& cells, bool after,
                        const QRect& bounds, bool replay) {
  RowCars rows(*pobjCarFile);
  for (const CellValuesCommand::Cell& cell : cells) {
    NycGciCar& car = rows.Of(cell.row);
    const CarField field = ColumnTable::Field(cell.col);
    const std::uint32_t bits = after ? cell.after : cell.before;
    if (IsIntegerField(field)) {
      car.SetInteger(field, std::bit_cast<std::int32_t>(bits));
    } else {
      car.SetFloat(field, std::bit_cast<float>(bits));
    }
  }
  emit CellsChanged(bounds.top(), bounds.left(), bounds.bottom(), bounds.right());
  if (replay) emit StepReplayed(cells, bounds);
}

void CarDocument::OnIndexChanged(int index) {
  if (index == contentIndex_) pobjCarFile->pblnChanged = false;
}
