#include <muParser.h>

#include "TestSupport.h"
#include "helperlib/GlobalFunctions.h"
#include "helperlib/Term.h"
#include "helperlib/TermFunctions.h"

// A term in x as the Manipulate command and torqlet-cli apply prepare it. The
// tests also run in a decimal-comma locale, where terms still take the point.
TEST(TermInX, GivesTheValueForEachXOrRaisesWhyThereIsNone) {
  Term term;
  TermVariable& x = term.PrepareInX();
  // error 5: invalid argument (also a NaN), 6: overflow, 11: division by zero.
  // clang-format off
  const std::tuple<const char*, double, const char*> cases[] = {
      {"x*1.1", 10, "11"}, {"x*1.1", -2.5, "-2.75"}, {"sin(_pi/2)*ln(_e)+x", 0, "1"},
      {"1/x", 0, "error 11"}, {"1/0+x", 5, "error 11"}, {"exp(x)", 1000, "error 6"},
      {"sqrt(x)", -1, "error 5"}, {"1/x", 4, "0.25"}};
  // clang-format on
  for (const auto& [text, value, expected] : cases) {
    term.SetText(text);
    x.SetValue(value);
    const bool fails = QByteArray(expected).startsWith("error");
    EXPECT_EQ(fails ? QString("error %1").arg(ErrorNumberOf([&] { term.Value(); }))
                    : QString::number(term.Value()),
              expected)
        << text;
  }
}

// Every built-in of the parser is in the default set, with the same meaning;
// a term offers exactly the set it was given.
TEST(TermFunctions, TheDefaultSetMeansWhatTheParsersBuiltInsMean) {
  const TermFunctions& functions = GlobalFunctions::Instance().DefaultTermFunctions();
  mu::Parser parser;
  QStringList builtIn;
  for (const auto& entry : parser.GetFunDef()) builtIn << QString::fromStdString(entry.first);
  for (const auto& entry : parser.GetConst()) builtIn << QString::fromStdString(entry.first);
  EXPECT_EQ(functions.Count(), builtIn.size());
  Term term;
  term.SetFunctions(functions);
  double x = 0.5;
  parser.DefineVar("x", &x);
  term.Variables().Add("x").SetValue(x);
  for (const QString& name : builtIn) {
    const char* arguments = name == "atan2" ? "(x,2)" : name.startsWith('_') ? "" : "(x)";
    const std::string text = name.toStdString() + (name == "acosh" ? "(x+1)" : arguments);
    parser.SetExpr(text);
    term.SetText(QString::fromStdString(text));
    EXPECT_EQ(term.Value(), parser.Eval()) << text;
  }
  TermFunctions own;
  own.DefineFunction("twice", TermFunctions::Function1([](double v) { return 2 * v; }));
  own.DefineConstant("_g", 9.81);
  for (const char* bad : {"2x", "a-b"}) {
    EXPECT_EQ(ErrorNumberOf([&] { own.DefineConstant(bad, 1); }), ErrInvalidArgument) << bad;
  }
  term.Variables().SetOnlyAddedNames(true);
  term.SetFunctions(own);
  own.DefineConstant("_h", 1);  // the term keeps the set as it was given
  term.SetText("twice(_g)+x");
  EXPECT_DOUBLE_EQ(term.Value(), 20.12);
  for (const char* text : {"_h", "sin(1)", "_pi"}) {
    EXPECT_EQ(ErrorNumberOf([&] { term.SetText(text); }), ErrInvalidArgument) << text;
  }
}
