#include "model/Manipulation.h"

#include "helperlib/Term.h"
#include "model/ColumnTable.h"
#include "model/NycGciCar.h"

Manipulation::Manipulation(Term& term, const QLocale& locale)
    : term_(term),
      x_(term.Variables().Item(QStringLiteral("x"))),
      locale_(ColumnTable::NumberLocale(locale)),
      writing_(locale_) {
  writing_.setNumberOptions(QLocale::OmitGroupSeparator);
}

void Manipulation::Cell(const NycGciCar& car, std::int32_t row, int col) {
  try {
    x_.SetValue(ColumnTable::ReadNumber(ColumnTable::CellText(car, col, locale_), locale_));
  } catch (const std::exception&) {
    // x keeps the previous cell's value.
  }
  const std::optional<double> value = term_.FiniteValue();
  if (!value) {
    ++skipped_;
    return;
  }
  try {
    values_.push_back(
        {row, col, ColumnTable::ValueOfText(col, writing_.toString(*value, 'g', 15), locale_)});
  } catch (const std::exception&) {
    ++skipped_;
  }
}
