#include "model/CarDocument.h"

#include <bit>
#include <cmath>
#include <utility>

#include "core/ErrorCodes.h"
#include "core/Errors.h"
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
}

void CarDocument::Save() {
  try {
    pobjCarFile->Save();
  } catch (...) {
    ContentWritten();
    throw;
  }
  ContentWritten();
  history_->setClean();
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
  history_->setClean();
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
  history_->push(new CellValuesCommand(*this, stepName(count), std::move(changed), bounds));
  return count;
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
