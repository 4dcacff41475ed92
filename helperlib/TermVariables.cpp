#include "helperlib/TermVariables.h"

#include <muParser.h>

#include "base/RuntimeErrors.h"
#include "helperlib/TermFunctions.h"

TermVariables::~TermVariables() = default;

TermVariable& TermVariables::Add(const QString& name) {
  if (!TermFunctions::IsValidName(name)) {
    RaiseRuntimeError(ErrInvalidArgument,
                      QStringLiteral("\"%1\" is not a valid variable name").arg(name));
  }
  const std::string key = name.toStdString();
  if (variables_.count(key) != 0) {
    RaiseRuntimeError(ErrInvalidArgument,
                      QStringLiteral("the variable \"%1\" was already added").arg(name));
  }
  std::unique_ptr<TermVariable> variable(new TermVariable(name));
  try {
    // The parser keeps this address: the variable stays where it is until Clear.
    parser_.DefineVar(key, &variable->value_);
  } catch (const mu::Parser::exception_type& error) {
    RaiseRuntimeError(ErrInvalidArgument, QStringLiteral("cannot add the variable \"%1\": %2")
                                              .arg(name, QString::fromStdString(error.GetMsg())));
  }
  TermVariable& added = *variable;
  variables_.emplace(key, std::move(variable));
  return added;
}

TermVariable& TermVariables::Item(const QString& name) const {
  const auto found = variables_.find(name.toStdString());
  if (found == variables_.end()) {
    RaiseRuntimeError(ErrInvalidArgument, QStringLiteral("no variable named \"%1\"").arg(name));
  }
  return *found->second;
}

bool TermVariables::Contains(const QString& name) const {
  return variables_.count(name.toStdString()) != 0;
}

void TermVariables::Clear() {
  // The parser must forget the addresses before the variables go.
  parser_.ClearVar();
  variables_.clear();
}
