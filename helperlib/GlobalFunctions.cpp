#include "helperlib/GlobalFunctions.h"

#include <muParser.h>

#include "base/Diagnostics.h"
#include "helperlib/TermFunctions.h"
#include "helperlib/UserDialogs.h"

GlobalFunctions& GlobalFunctions::Instance() {
  static GlobalFunctions instance;
  return instance;
}

void GlobalFunctions::DebugOutput(const QString& text) { WriteDiagnostic(text); }

void GlobalFunctions::ShowAboutBox(const QString& caption, const QIcon& icon,
                                   const QString& heading, const QStringList& lines) {
  UserDialogs::Current().AboutBox(caption, icon, heading, lines);
}

const TermFunctions& GlobalFunctions::DefaultTermFunctions() const {
  // The term parser's own implementations of its built-ins, so that a term
  // means the same with this set as with the parser's defaults ("log" is the
  // natural logarithm, "rint" rounds halves up).
  static const TermFunctions standard = [] {
    using Math = mu::MathImpl<double>;
    TermFunctions set;
    const std::pair<const char*, TermFunctions::Function1> oneArgument[] = {
        {"sin", Math::Sin},     {"cos", Math::Cos},     {"tan", Math::Tan},
        {"asin", Math::ASin},   {"acos", Math::ACos},   {"atan", Math::ATan},
        {"sinh", Math::Sinh},   {"cosh", Math::Cosh},   {"tanh", Math::Tanh},
        {"asinh", Math::ASinh}, {"acosh", Math::ACosh}, {"atanh", Math::ATanh},
        {"log2", Math::Log2},   {"log10", Math::Log10}, {"log", Math::Log},
        {"ln", Math::Log},      {"exp", Math::Exp},     {"sqrt", Math::Sqrt},
        {"sign", Math::Sign},   {"rint", Math::Rint},   {"abs", Math::Abs},
    };
    for (const auto& [name, function] : oneArgument) set.DefineFunction(name, function);
    set.DefineFunction(QStringLiteral("atan2"), TermFunctions::Function2(Math::ATan2));
    const std::pair<const char*, TermFunctions::FunctionN> anyArguments[] = {
        {"sum", Math::Sum}, {"avg", Math::Avg}, {"min", Math::Min}, {"max", Math::Max}};
    for (const auto& [name, function] : anyArguments) set.DefineFunction(name, function);
    set.DefineConstant(QStringLiteral("_pi"), Math::CONST_PI);
    set.DefineConstant(QStringLiteral("_e"), Math::CONST_E);
    return set;
  }();
  return standard;
}
