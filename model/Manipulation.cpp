#include "model/Manipulation.h"

#include "helperlib/Term.h"
#include "model/NycGciCar.h"

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
