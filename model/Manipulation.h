#pragma once

#include <QLocale>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/CellNumbers.h"
#include "model/CellRange.h"
#include "model/CellValue.h"

class NycGciCar;
class NycGciCars;
class Term;
class TermVariable;

// Recomputes cells from a term in x, by the rules of the editor's Manipulate
// command, which the command-line tool's apply shares: x is the cell's text as
// shown in the locale, read back as a number; the term's value is written as
// text with up to 15 significant digits in the same locale (no grouping) and
// taken as if typed into the cell. A cell whose value is not finite, or does
// not fit its column, keeps its value and counts as skipped. A cell whose text
// is no number leaves x at the previous cell's value.
class Manipulation {
 public:
  // term must have the variable "x" (Term::PrepareInX).
  Manipulation(Term& term, const QLocale& locale);

  // Recomputes one value cell of a car (sheet column 2 to 21) and collects its
  // new value; row is the car's number in its file.
  void Cell(const NycGciCar& car, std::int32_t row, int col);

  // Recomputes every cell of a range, row by row, of the file's cars.
  void Cells(const NycGciCars& file, const CellRange& cells);

  // Makes room for the values of as many cells.
  void Reserve(std::int64_t cells) { values_.reserve(std::size_t(cells)); }
  // The new values collected so far, in the order the cells were given.
  const std::vector<CellValue>& Values() const { return values_; }
  std::int64_t Skipped() const { return skipped_; }

 private:
  Term& term_;
  TermVariable& x_;
  CellNumbers numbers_;
  std::vector<CellValue> values_;
  std::int64_t skipped_ = 0;
};
