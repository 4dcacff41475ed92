#pragma once

#include <QLocale>
#include <optional>

#include "model/LineValue.h"

class NycGciCar;

// The numbers of the Manipulate command's round trip through the cell texts of
// one locale: the number a cell's shown text reads back as, and the value a
// term's result gives a cell when it is written with up to 15 significant
// digits (no grouping) and read back as if typed into the cell. Where the
// locale writes numbers with ASCII digits and signs, both are computed from
// the numbers themselves, without making any text, and come out exactly as
// QLocale's conversions would; other locales, and the rare result that lies
// next to a rounding tie, go through QLocale.
class CellNumbers {
 public:
  // direct false takes QLocale for everything (tests compare both ways).
  explicit CellNumbers(const QLocale& locale, bool direct = true);

  // Whether numbers of this locale are converted without QLocale.
  bool Direct() const { return direct_; }

  // The number that a car's cell text (sheet column 0 to 21) reads back as in
  // the locale; nothing when the text is no finite number.
  std::optional<double> Shown(const NycGciCar& car, int col) const;
  // The value that an editable column (2 to 21) takes from a term's result;
  // nothing when the result does not fit the column or the column is none.
  std::optional<LineValue> Typed(int col, double value) const;

 private:
  std::optional<double> ShownByLocale(const NycGciCar& car, int col) const;
  std::optional<LineValue> TypedByLocale(int col, double value) const;

  QLocale locale_;
  QLocale writing_;
  bool direct_;
};
