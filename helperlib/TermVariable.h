#pragma once

#include <QString>

// One named variable of a term. The term reads the value at every evaluation,
// so a new value takes effect at the next Term::Value(). The term's parser
// keeps the address of the value, so a variable never moves or copies; it lives
// until its TermVariables is cleared or its term ends.
class TermVariable {
 public:
  TermVariable(const TermVariable&) = delete;
  TermVariable& operator=(const TermVariable&) = delete;

  const QString& Name() const { return name_; }
  double Value() const { return value_; }
  void SetValue(double value) { value_ = value; }

 private:
  friend class TermVariables;
  explicit TermVariable(QString name) : name_(std::move(name)) {}

  QString name_;
  double value_ = 0.0;
};
