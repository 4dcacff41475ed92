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

static void Check(QByteArrayView input) {
  Term term;
  TermVariable& x = term.PrepareInX();
  term.SetText(QStringLiteral("x*2"));  // a refusal drops the term before it too
  try {
    term.SetText(QString::fromUtf8(input));
  } catch (const TorqletError& error) {
    Expect(error.Number() == ErrInvalidArgument && error.Description() == "Bad term" &&
               !error.Detail().isEmpty(),
           "a refused term is a bad term that says why");
    Expect(term.Text().isEmpty() && !term.FiniteValue(), "a refused term leaves no text to use");
    try {
      term.Value();
    } catch (const TorqletError& after) {
      Expect(after.Number() == ErrInvalidArgument, "a refused term has no value");
      return;
    }
    Expect(false, "a refused term has no value");
  }
  for (const double value : {0.0, 1.0, -2.5, 1e-300, 3e38, -1e308}) {
    x.SetValue(value);
    const std::optional<double> finite = term.FiniteValue();
    try {
      const double result = term.Value();
      Expect(std::isfinite(result) && finite &&
                 std::bit_cast<std::uint64_t>(*finite) == std::bit_cast<std::uint64_t>(result),
             "a value is finite and FiniteValue gives it");
    } catch (const TorqletError& error) {
      const std::int32_t n = error.Number();
      Expect(!finite, "FiniteValue gives nothing where Value raises");
      Expect(n == ErrDivisionByZero || n == ErrOverflow || n == ErrInvalidArgument,
             "a value fails with an error of a value");
    }
  }
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return RunFuzzCheck(data, size, Check);
}
