#pragma once

#include <QString>
#include <map>
#include <memory>
#include <string>

#include "helperlib/TermVariable.h"

namespace mu {
class Parser;
}

// The variables of one term, by name (names are case-sensitive, made of ASCII
// letters, digits and "_", not starting with a digit). Errors are raised as
// TorqletError with the number ErrInvalidArgument (5):
// - Add of a name that is not valid, already added, or the name of a constant;
// - Item of a name that was not added.
class TermVariables {
 public:
  TermVariables(const TermVariables&) = delete;
  TermVariables& operator=(const TermVariables&) = delete;
  ~TermVariables();

  // When true, a term may use only the names added here, and setting a text
  // with any other name fails. When false (the default), the names a new text
  // uses beyond these are added for it, with the value 0. Takes effect at the
  // next Term::SetText.
  bool OnlyAddedNames() const { return onlyAddedNames_; }
  void SetOnlyAddedNames(bool onlyAddedNames) { onlyAddedNames_ = onlyAddedNames; }

  // Adds a variable with the value 0. The reference stays valid until Clear.
  TermVariable& Add(const QString& name);
  TermVariable& Item(const QString& name) const;
  bool Contains(const QString& name) const;
  int Count() const { return static_cast<int>(variables_.size()); }
  // Removes every variable; a term that uses one fails at its next Value().
  void Clear();

 private:
  friend class Term;
  explicit TermVariables(mu::Parser& parser) : parser_(parser) {}

  mu::Parser& parser_;
  std::map<std::string, std::unique_ptr<TermVariable>> variables_;
  bool onlyAddedNames_ = false;
};
