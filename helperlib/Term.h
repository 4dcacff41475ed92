#pragma once

#include <QCoreApplication>
#include <QString>
#include <memory>
#include <optional>

#include "helperlib/TermVariables.h"

class TermFunctions;

// A term in named variables, such as "x*1.1", evaluated in double precision.
// The syntax always uses the point as decimal separator, whatever the locale.
// A new term offers the standard functions (GlobalFunctions::DefaultTermFunctions).
//
// Errors are raised as TorqletError:
// - SetText: ErrInvalidArgument (5) for a term that cannot be used: empty or
//   blank, a syntax error, an unknown name or function, several values
//   separated by commas ("x*1,5"), an assignment. The description is "Bad
//   term", the detail says why. The term then holds no usable text.
// - Value: ErrDivisionByZero (11) for an infinite value from a division by zero
//   (or a pole such as ln(0)); ErrOverflow (6) for a value too large for a
//   double; ErrInvalidArgument (5) for a value that is not a number (such as the
//   square root of a negative number), for a term that no longer parses after
//   its variables or functions changed, and when no usable text is set.
//
// Not copyable and not movable: the parser keeps the addresses of the
// variables' values.
class Term {
  Q_DECLARE_TR_FUNCTIONS(Term)

 public:
  Term();
  ~Term();
  Term(const Term&) = delete;
  Term& operator=(const Term&) = delete;

  // The text last accepted, or empty when none is usable.
  const QString& Text() const { return text_; }
  // Parses and checks the term at once.
  void SetText(const QString& text);
  double Value() const;
  // The value when it is finite; nothing when it is not or cannot be
  // evaluated. For loops over many values, where most failures are expected
  // and an error per value would cost more than the evaluation.
  std::optional<double> FiniteValue() const noexcept;

  TermVariables& Variables() { return variables_; }
  // Replaces the functions and constants the term may use with a copy of the set.
  void SetFunctions(const TermFunctions& functions);

  // Prepares a new term for recomputing cells: the standard functions, the one
  // variable "x" and no other name. Set the text afterwards. Returns x.
  TermVariable& PrepareInX();

 private:
  [[noreturn]] void RaiseNotFinite(double value) const;
  bool ContainsAssignment() const;

  std::unique_ptr<mu::Parser> parser_;
  TermVariables variables_;
  QString text_;
  bool usable_ = false;
};
