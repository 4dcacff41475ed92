#include "helperlib/TermFunctions.h"

#include <muParser.h>

#include <type_traits>

#include "base/RuntimeErrors.h"

namespace {

bool IsAsciiLetter(QChar c) {
  return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
         (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || c == QLatin1Char('_');
}

bool IsAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

}  // namespace

bool TermFunctions::IsValidName(const QString& name) {
  if (name.isEmpty() || !IsAsciiLetter(name.front())) return false;
  for (QChar c : name) {
    if (!IsAsciiLetter(c) && !IsAsciiDigit(c)) return false;
  }
  return true;
}

void TermFunctions::DefineFunction(const QString& name, Function1 function) {
  Define(name, function);
}

void TermFunctions::DefineFunction(const QString& name, Function2 function) {
  Define(name, function);
}

void TermFunctions::DefineFunction(const QString& name, FunctionN function) {
  Define(name, function);
}

void TermFunctions::DefineConstant(const QString& name, double value) { Define(name, value); }

void TermFunctions::Define(const QString& name, Definition definition) {
  if (!IsValidName(name)) {
    RaiseRuntimeError(ErrInvalidArgument,
                      QStringLiteral("\"%1\" is not a valid function or constant name").arg(name));
  }
  definitions_[name.toStdString()] = definition;
}

bool TermFunctions::Contains(const QString& name) const {
  return definitions_.count(name.toStdString()) != 0;
}

void TermFunctions::DefineIn(mu::Parser& parser) const {
  parser.ClearFun();
  parser.ClearConst();
  for (const auto& entry : definitions_) {
    const auto& name = entry.first;  // not a structured binding: clang 14 cannot capture one
    std::visit(
        [&](auto meaning) {
          if constexpr (std::is_same_v<decltype(meaning), double>) {
            parser.DefineConst(name, meaning);
          } else {
            parser.DefineFun(name, meaning);
          }
        },
        entry.second);
  }
}
