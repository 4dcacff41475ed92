#include <gtest/gtest.h>
#include <muParser.h>

#include "TestSupport.h"
#include "core/ErrorCodes.h"
#include "helperlib/GlobalFunctions.h"
#include "helperlib/Term.h"
#include "helperlib/TermFunctions.h"

namespace {

const TermFunctions& Default() { return GlobalFunctions::Instance().DefaultTermFunctions(); }

// Whether the term takes the text when it may use no names of its own.
bool Accepts(Term& term, const char* text) {
  term.Variables().SetOnlyAddedNames(true);
  try {
    term.SetText(text);
    return true;
  } catch (const TorqletError&) {
    return false;
  }
}

// Every built-in of the parser is in the set, with the same meaning.
TEST(TermFunctions, DefaultSetMeansWhatTheParsersBuiltInsMean) {
  mu::Parser parser;
  QStringList builtIn;
  for (const auto& entry : parser.GetFunDef()) builtIn << QString::fromStdString(entry.first);
  for (const auto& entry : parser.GetConst()) builtIn << QString::fromStdString(entry.first);
  EXPECT_EQ(Default().Count(), builtIn.size());
  Term term;
  term.SetFunctions(Default());
  double x = 0.5;
  parser.DefineVar("x", &x);
  term.Variables().Add("x").SetValue(x);
  for (const QString& name : builtIn) {
    const char* arguments = name == "atan2" ? "(x,2)" : name.startsWith('_') ? "" : "(x)";
    const std::string text = name.toStdString() + (name == "acosh" ? "(x+1)" : arguments);
    SCOPED_TRACE(text);
    parser.SetExpr(text);
    term.SetText(QString::fromStdString(text));
    EXPECT_EQ(term.Value(), parser.Eval());
  }
}

TEST(TermFunctions, ATermOffersExactlyTheSetItWasGiven) {
  TermFunctions own;
  own.DefineFunction("twice", TermFunctions::Function1([](double v) { return 2 * v; }));
  own.DefineFunction("diff", TermFunctions::Function2([](double a, double b) { return a - b; }));
  own.DefineFunction("count",
                     TermFunctions::FunctionN([](const double*, int n) { return 1.0 * n; }));
  own.DefineConstant("_g", 9.81);
  Term term;
  term.SetFunctions(own);
  ASSERT_TRUE(Accepts(term, "twice(_g)+diff(5,1)+count(1,2,3)*(1<2)"));
  EXPECT_DOUBLE_EQ(term.Value(), 2 * 9.81 + 4 + 3);
  EXPECT_FALSE(Accepts(term, "sin(1)"));
  EXPECT_FALSE(Accepts(term, "_pi"));
  for (const char* name : {"", "2x", "a-b", "\u00e4"}) {
    EXPECT_EQ(ErrorNumberOf([&] { own.DefineConstant(QString::fromUtf8(name), 1); }),
              ErrInvalidArgument);
  }
}

TEST(TermFunctions, CopiesAreIndependent) {
  TermFunctions copy = Default().Copy();
  copy.DefineConstant("_g", 9.81);
  EXPECT_FALSE(Default().Contains("_g"));
  EXPECT_EQ(copy.Count(), Default().Count() + 1);

  Term withCopy, withDefault;
  withCopy.SetFunctions(copy);
  withDefault.SetFunctions(Default());
  copy.DefineConstant("_h", 1);  // the term keeps the set as it was given
  EXPECT_FALSE(Accepts(withCopy, "_h"));
  EXPECT_TRUE(Accepts(withCopy, "cos(_g)"));
  EXPECT_TRUE(Accepts(withDefault, "sin(1)"));
  EXPECT_FALSE(Accepts(withDefault, "_g"));
}

TEST(TermFunctions, NewFunctionsAfterTheTextApplyAtTheNextValue) {
  Term term;
  term.SetText("sin(0)");
  term.SetFunctions(TermFunctions());
  EXPECT_EQ(ErrorNumberOf([&] { term.Value(); }), ErrInvalidArgument);
  term.SetFunctions(Default());
  EXPECT_EQ(term.Value(), 0);
}

}  // namespace
