#include "model/Manipulation.h"

#include "helperlib/Term.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"

Manipulation::Manipulation(Term& term, const QLocale& locale)
    : term_(term), x_(term.Variables().Item(QStringLiteral("x"))), numbers_(locale) {}

void Manipulation::Cell(const NycGciCar& car, std::int32_t row, int col) {
  // A cell whose text is no number leaves x at the previous cell's value.
  if (const std::optional<double> shown = numbers_.Shown(car, col)) x_.SetValue(*shown);
  const std::optional<double> value = term_.FiniteValue();
  if (!value) {
    ++skipped_;
    return;
  }
  if (const std::optional<LineValue> typed = numbers_.Typed(col, *value)) {
    values_.push_back({row, col, *typed});
  } else {
    ++skipped_;
  }
}

void Manipulation::Cells(const NycGciCars& file, const CellRange& cells) {
  Reserve(std::int64_t(values_.size()) + cells.Count());
  for (const std::int32_t row : cells.cars) {
    const NycGciCar& car = file.Car(row);
    for (int c = cells.left; c <= cells.right; ++c) Cell(car, row, c);
  }
}
