// The fuzz target of terms: any bytes (as UTF-8) as the term in x that
// recomputes cells. A term is accepted, or refused as a bad term that says
// why and leaves no term to evaluate (not even the one before it); an
// accepted one, evaluated at a few values of x, gives a finite value or
// raises one of the errors of a value, and FiniteValue agrees with Value.
#include <bit>
#include <cmath>

#include "FuzzCheck.h"
#include "base/TorqletError.h"
#include "core/ErrorCodes.h"
#include "helperlib/Term.h"
#include "helperlib/TermVariable.h"

// The error Value raises, or 0 with the value in result.
static std::int32_t ValueError(const Term& term, double& result) {
  try {
    result = term.Value();
    return 0;
  } catch (const TorqletError& error) {
    return error.Number();
  }
}

static void Check(QByteArrayView input) {
  Term term;
  TermVariable& x = term.PrepareInX();
  term.SetText(QStringLiteral("x*2"));  // a refusal drops the term before it too
  double result = 0;
  try {
    term.SetText(QString::fromUtf8(input));
  } catch (const TorqletError& error) {
    Expect(error.Number() == ErrInvalidArgument && error.Description() == "Bad term" &&
               !error.Detail().isEmpty(),
           "a refused term is a bad term that says why");
    Expect(term.Text().isEmpty() && !term.FiniteValue() &&
               ValueError(term, result) == ErrInvalidArgument,
           "a refused term leaves no term to evaluate");
    return;
  }
  for (const double value : {0.0, 1.0, -2.5, 1e-300, 3e38, -1e308}) {
    x.SetValue(value);
    const std::optional<double> finite = term.FiniteValue();
    const std::int32_t n = ValueError(term, result);
    Expect(n == 0
               ? finite && std::isfinite(result) &&
                     std::bit_cast<std::uint64_t>(*finite) == std::bit_cast<std::uint64_t>(result)
               : !finite && (n == ErrDivisionByZero || n == ErrOverflow || n == ErrInvalidArgument),
           "a finite value, which FiniteValue gives, or an error of a value and nothing");
  }
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return RunFuzzCheck(data, size, Check);
}
