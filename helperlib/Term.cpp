#include "helperlib/Term.h"

#include <muParser.h>

#include <QStringList>
#include <cfenv>
#include <cmath>

#include "base/RuntimeErrors.h"
#include "base/TorqletError.h"
#include "helperlib/GlobalFunctions.h"
#include "helperlib/TermFunctions.h"

namespace {

[[noreturn]] void RaiseBadTerm(const QString& reason) {
  throw TorqletError(ErrInvalidArgument, QLatin1String(ProjectName), Term::tr("Bad term"))
      .WithDetail(reason);
}

// The parser's messages that a user can meet, as the parser words them in
// English, for the translations to find ($TOK$ the token, $POS$ the place).
[[maybe_unused]] const char* const ParserMessages[] = {
    QT_TRANSLATE_NOOP("muParser", "Unexpected operator \"$TOK$\" found at position $POS$"),
    QT_TRANSLATE_NOOP("muParser", "Unexpected token \"$TOK$\" found at position $POS$."),
    QT_TRANSLATE_NOOP("muParser", "Unexpected end of expression at position $POS$"),
    QT_TRANSLATE_NOOP("muParser", "Unexpected argument separator at position $POS$"),
    QT_TRANSLATE_NOOP("muParser", "Function arguments used without a function (position: $POS$)"),
    QT_TRANSLATE_NOOP("muParser", "Unexpected value \"$TOK$\" found at position $POS$"),
    QT_TRANSLATE_NOOP("muParser", "Unexpected variable \"$TOK$\" found at position $POS$"),
    QT_TRANSLATE_NOOP("muParser", "Unexpected parenthesis \"$TOK$\" at position $POS$"),
    QT_TRANSLATE_NOOP("muParser", "Unexpected string token found at position $POS$."),
    QT_TRANSLATE_NOOP("muParser", "Missing parenthesis"),
    QT_TRANSLATE_NOOP("muParser", "Unexpected function \"$TOK$\" at position $POS$"),
    QT_TRANSLATE_NOOP("muParser", "Unterminated string starting at position $POS$."),
    QT_TRANSLATE_NOOP("muParser",
                      "Too many parameters for function \"$TOK$\" at expression position $POS$"),
    QT_TRANSLATE_NOOP("muParser",
                      "Too few parameters for function \"$TOK$\" at expression position $POS$"),
    QT_TRANSLATE_NOOP("muParser", "Invalid function-, variable- or constant name: \"$TOK$\"."),
    QT_TRANSLATE_NOOP("muParser", "Expression is empty."),
    QT_TRANSLATE_NOOP("muParser", "Domain error"),
    QT_TRANSLATE_NOOP("muParser", "Divide by zero"),
    QT_TRANSLATE_NOOP("muParser", "If-then-else operator is missing an else clause"),
    QT_TRANSLATE_NOOP("muParser", "Misplaced colon at position $POS$"),
    QT_TRANSLATE_NOOP("muParser", "Identifier too long."),
    QT_TRANSLATE_NOOP("muParser", "Expression too long."),
    QT_TRANSLATE_NOOP("muParser",
                      "Invalid non printable characters found in expression/identifer!"),
};

// The parser's message in the interface language: its own English one, or
// the translation of its wording with the token and the place put in.
QString MessageOf(const mu::Parser::exception_type& error) {
  const std::string wording = mu::ParserErrorMsg::Instance()[unsigned(error.GetCode())];
  const QString translated = QCoreApplication::translate("muParser", wording.c_str());
  if (translated == QString::fromStdString(wording)) return QString::fromStdString(error.GetMsg());
  return QString(translated)
      .replace(QLatin1String("$TOK$"), QString::fromStdString(error.GetToken()))
      .replace(QLatin1String("$POS$"), QString::number(error.GetPos()));
}

}  // namespace

Term::Term() : parser_(std::make_unique<mu::Parser>()), variables_(*parser_) {
  // Without the optimizer every operation runs at each evaluation, so the
  // floating-point flags tell exactly why a value is not finite (a folded
  // constant such as "1/0" would otherwise hide its division by zero). The
  // parser still compiles the term to bytecode once.
  parser_->EnableOptimizer(false);
}

Term::~Term() = default;

void Term::SetText(const QString& text) {
  usable_ = false;
  text_.clear();
  if (text.trimmed().isEmpty()) RaiseBadTerm(tr("the term is empty"));
  // The parser would silently ignore everything after a null character.
  if (text.contains(QChar::Null))
    RaiseBadTerm(tr("the term contains a null character"));
  try {
    parser_->SetExpr(text.toStdString());
    if (!variables_.OnlyAddedNames()) {
      // Adding a variable resets the parser and with it the map of used names,
      // so the names are taken out of it first.
      QStringList unknown;
      for (const auto& used : parser_->GetUsedVar()) {
        const QString name = QString::fromStdString(used.first);
        if (!variables_.Contains(name)) unknown << name;
      }
      for (const QString& name : unknown) variables_.Add(name);
    }
    // The parser reports syntax errors only when it first evaluates.
    parser_->Eval();
  } catch (const mu::Parser::exception_type& error) {
    RaiseBadTerm(MessageOf(error));
  }
  if (parser_->GetNumResults() != 1) {
    RaiseBadTerm(
        tr("the term gives several values separated by commas; numbers take a decimal point "
           "(x*1.5, not x*1,5)"));
  }
  if (ContainsAssignment()) {
    RaiseBadTerm(tr("a term cannot assign to a variable (use == to compare)"));
  }
  text_ = text;
  usable_ = true;
}

bool Term::ContainsAssignment() const {
  const mu::ParserByteCode& code = parser_->GetByteCode();
  const mu::SToken* token = code.GetBase();
  for (std::size_t i = 0; i < code.GetSize() && token[i].Cmd != mu::cmEND; ++i) {
    if (token[i].Cmd == mu::cmASSIGN) return true;
  }
  return false;
}

double Term::Value() const {
  if (!usable_) RaiseBadTerm(tr("no term has been set"));
  double value;
  try {
    value = parser_->Eval();
  } catch (const mu::Parser::exception_type& error) {
    RaiseBadTerm(MessageOf(error));
  }
  if (!std::isfinite(value)) RaiseNotFinite(value);
  return value;
}

std::optional<double> Term::FiniteValue() const noexcept {
  if (!usable_) return std::nullopt;
  try {
    const double value = parser_->Eval();
    if (std::isfinite(value)) return value;
  } catch (...) {
  }
  return std::nullopt;
}

void Term::RaiseNotFinite(double value) const {
  if (std::isnan(value)) {
    RaiseRuntimeError(ErrInvalidArgument,
                      tr("the value of the term \"%1\" is not a number").arg(text_));
  }
  // Evaluates once more with clean flags to learn why the value is infinite;
  // the ordinary evaluation never touches the floating-point environment.
  std::feclearexcept(FE_DIVBYZERO | FE_OVERFLOW);
  parser_->Eval();
  if (std::fetestexcept(FE_DIVBYZERO)) {
    RaiseRuntimeError(ErrDivisionByZero,
                      tr("the value of the term \"%1\" is infinite").arg(text_));
  }
  RaiseRuntimeError(ErrOverflow,
                    tr("the value of the term \"%1\" is too large").arg(text_));
}

TermVariable& Term::PrepareInX() {
  SetFunctions(GlobalFunctions::Instance().DefaultTermFunctions().Copy());
  variables_.SetOnlyAddedNames(true);
  return variables_.Add(QStringLiteral("x"));
}

void Term::SetFunctions(const TermFunctions& functions) {
  try {
    functions.DefineIn(*parser_);
  } catch (const mu::Parser::exception_type& error) {
    RaiseRuntimeError(
        ErrInvalidArgument,
        QStringLiteral("cannot define the term's functions: %1").arg(MessageOf(error)));
  }
}
