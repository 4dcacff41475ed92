#include <gtest/gtest.h>

#include <QLocale>
#include <clocale>
#include <locale>
#include <string>

#include "TestSupport.h"
#include "core/ErrorCodes.h"
#include "helperlib/GlobalFunctions.h"
#include "helperlib/Term.h"
#include "helperlib/TermFunctions.h"

namespace {

// A term prepared the way the Manipulate command prepares it: the standard
// functions, only the added name "x", then the text.
class ManipulationTerm : public ::testing::Test {
 protected:
  ManipulationTerm() {
    term.SetFunctions(GlobalFunctions::Instance().DefaultTermFunctions().Copy());
    term.Variables().SetOnlyAddedNames(true);
    term.Variables().Add("x");
  }
  double ValueAt(double value) {
    term.Variables().Item("x").SetValue(value);
    return term.Value();
  }
  Term term;
};

struct Case {
  const char* text;
  double x;
  double expected;
};

TEST_F(ManipulationTerm, AcceptedTermsGiveTheirValues) {
  const Case cases[] = {
      {"x", 16.288, 16.288},
      {"x*2", 50, 100},
      {"x*2", 0.145, 0.29},
      {"  x * 1.5 ", 2, 3},
      {"x/3", 1, 1.0 / 3},
      {"-x+1.5e3", 2, 1498},
      {"x^2", -3, 9},
      {"sin(_pi/2)*ln(_e)", 0, 1},
      {"sum(1,2,x)/max(1,3)", 3, 2},
      {"x>1 ? 10 : 20", 2, 10},
      {"x>1 ? 10 : 20", 0, 20},
      {"x>=1 && x<3 || x==-1", -1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    term.SetText(c.text);
    EXPECT_EQ(term.Text(), c.text);
    EXPECT_DOUBLE_EQ(ValueAt(c.x), c.expected);
  }
}

TEST_F(ManipulationTerm, EachValueSeesTheVariablesNewValue) {
  TermVariable& x = term.Variables().Item("x");
  term.SetText("x*1.1");
  for (double value : {0.0, 1.0, -2.5, 16.288, 1e6}) {
    x.SetValue(value);
    EXPECT_DOUBLE_EQ(term.Value(), value * 1.1);
  }
  EXPECT_EQ(&term.Variables().Item("x"), &x);
}

TEST_F(ManipulationTerm, RefusesTextsThatAreNoSingleTermInX) {
  term.SetText("x*2");
  const char* texts[] = {
      "",   "   ",     "\t",     "x*",  "*x",       "(x",    "x)",    "x 2",
      "y",  "x*y",     "foo(x)", "sin", "sin(1,2)", "min()", "1e400", "\"abc\"",
      "x$", "x\u00e4", "x*1,5",  "1,2", "x=3",      "x=x*2",
  };
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    const TorqletError error = ErrorOf([&] { term.SetText(QString::fromUtf8(text)); });
    EXPECT_EQ(error.Number(), ErrInvalidArgument);
    EXPECT_TRUE(error.Description().startsWith("Bad term: ")) << error.what();
    // A refused text leaves no usable term behind, not the one before it.
    EXPECT_EQ(term.Text(), "");
    EXPECT_EQ(ErrorNumberOf([&] { term.Value(); }), ErrInvalidArgument);
  }
  EXPECT_EQ(ErrorNumberOf([&] { term.SetText(QString::fromLatin1("x\0+1", 4)); }),
            ErrInvalidArgument);
  EXPECT_EQ(ErrorOf([&] { term.SetText("x*y"); }).Description(),
            "Bad term: Unexpected token \"y\" found at position 2.");
  EXPECT_TRUE(ErrorOf([&] { term.SetText("x*1,5"); }).Description().contains("x*1.5"));
  term.SetText("x+1");
  EXPECT_DOUBLE_EQ(ValueAt(1), 2);
}

struct NotFinite {
  const char* text;
  double x;
  std::int32_t number;
};

TEST_F(ManipulationTerm, ValuesThatAreNotFiniteRaiseInsteadOfReturning) {
  const NotFinite cases[] = {
      {"1/x", 0, ErrDivisionByZero},     {"1/0+x", 5, ErrDivisionByZero},
      {"-1/x", -0.0, ErrDivisionByZero}, {"ln(x)", 0, ErrDivisionByZero},
      {"x^1000", 10, ErrOverflow},       {"exp(x)", 1000, ErrOverflow},
      {"x*10", 1e308, ErrOverflow},      {"sqrt(x)", -1, ErrInvalidArgument},
      {"0/x", 0, ErrInvalidArgument},    {"acosh(x)", 0.5, ErrInvalidArgument},
  };
  for (const NotFinite& c : cases) {
    SCOPED_TRACE(c.text);
    term.SetText(c.text);
    EXPECT_EQ(ErrorNumberOf([&] { ValueAt(c.x); }), c.number);
    EXPECT_FALSE(term.FiniteValue().has_value());  // the quiet form for many values
  }
  // The term stays usable for the next value.
  term.SetText("1/x");
  EXPECT_EQ(ErrorNumberOf([&] { ValueAt(0); }), ErrDivisionByZero);
  EXPECT_DOUBLE_EQ(ValueAt(4), 0.25);
  EXPECT_EQ(term.FiniteValue(), 0.25);
  Term empty;
  EXPECT_FALSE(empty.FiniteValue().has_value());
}

TEST(TermVariables, AddItemAndClear) {
  Term term;
  TermVariables& variables = term.Variables();
  EXPECT_FALSE(variables.OnlyAddedNames());
  TermVariable& a = variables.Add("a");
  for (const char* name : {"a", "", "1x", "a b", "\u00e4", "_pi"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(ErrorNumberOf([&] { variables.Add(QString::fromUtf8(name)); }), ErrInvalidArgument);
  }
  EXPECT_EQ(ErrorNumberOf([&] { variables.Item("A"); }), ErrInvalidArgument);
  // Unless only added names are allowed, a text adds the names it uses.
  term.SetText("a*b_2");
  a.SetValue(3);
  variables.Item("b_2").SetValue(4);
  EXPECT_EQ(variables.Count(), 2);
  EXPECT_DOUBLE_EQ(term.Value(), 12);
  // After Clear the term must not read the variables that are gone.
  variables.Clear();
  EXPECT_EQ(variables.Count(), 0);
  EXPECT_EQ(ErrorNumberOf([&] { variables.Item("a"); }), ErrInvalidArgument);
  EXPECT_EQ(ErrorNumberOf([&] { term.Value(); }), ErrInvalidArgument);
  variables.Add("a").SetValue(5);
  variables.Add("b_2").SetValue(2);
  EXPECT_DOUBLE_EQ(term.Value(), 10);
}

// Sets a German default for Qt and, when installed, for the C and C++ libraries.
class GermanLocale {
 public:
  GermanLocale()
      : savedQt_(QLocale()), savedC_(std::setlocale(LC_ALL, nullptr)), savedCpp_(std::locale()) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    if (std::setlocale(LC_ALL, "de_DE.UTF-8")) std::locale::global(std::locale("de_DE.UTF-8"));
  }
  ~GermanLocale() {
    std::locale::global(savedCpp_);
    std::setlocale(LC_ALL, savedC_.c_str());
    QLocale::setDefault(savedQt_);
  }

 private:
  QLocale savedQt_;
  std::string savedC_;
  std::locale savedCpp_;
};

TEST_F(ManipulationTerm, PointIsTheDecimalSeparatorInEveryLocale) {
  GermanLocale german;
  term.SetText("x*1.5+2.5e-1");
  EXPECT_DOUBLE_EQ(ValueAt(2), 3.25);
  EXPECT_EQ(ErrorNumberOf([&] { term.SetText("x*1,5"); }), ErrInvalidArgument);
}

}  // namespace
