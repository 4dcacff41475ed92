#pragma once

#include <QString>
#include <map>
#include <string>
#include <variant>

namespace mu {
class Parser;
}

// The functions and constants that a term may use, by name. A set is a value:
// Copy() and every copy are independent of the original, and a term takes its
// own copy when it is given a set. Operators (+ - * / ^, comparisons, && ||,
// ?:) belong to the term syntax and are always available.
// Defining a name that is not valid (ASCII letters, digits and "_", not
// starting with a digit) raises a TorqletError with ErrInvalidArgument (5).
class TermFunctions {
 public:
  using Function1 = double (*)(double);
  using Function2 = double (*)(double, double);
  // Takes any number of arguments, at least one: the values and their count.
  using FunctionN = double (*)(const double*, int);

  TermFunctions Copy() const { return *this; }

  // Defining a name again replaces its former meaning.
  void DefineFunction(const QString& name, Function1 function);
  void DefineFunction(const QString& name, Function2 function);
  void DefineFunction(const QString& name, FunctionN function);
  void DefineConstant(const QString& name, double value);

  bool Contains(const QString& name) const;
  int Count() const { return static_cast<int>(definitions_.size()); }

  static bool IsValidName(const QString& name);

 private:
  friend class Term;
  using Definition = std::variant<Function1, Function2, FunctionN, double>;

  void Define(const QString& name, Definition definition);
  // Replaces the parser's functions and constants with this set.
  void DefineIn(mu::Parser& parser) const;

  std::map<std::string, Definition> definitions_;
};
