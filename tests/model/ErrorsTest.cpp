#include <gtest/gtest.h>

#include <QLocale>

#include "TestSupport.h"
#include "core/ErrorCodes.h"
#include "core/Errors.h"

namespace {

class InterfaceLanguage {
 public:
  explicit InterfaceLanguage(QLocale::Language language) : saved_(QLocale()) {
    QLocale::setDefault(QLocale(language));
  }
  ~InterfaceLanguage() { QLocale::setDefault(saved_); }

 private:
  QLocale saved_;
};

TEST(Errors, OwnNumbersFollowTheObjectErrorBase) {
  EXPECT_EQ(ErrUnexpectedInternal, -2147220224);
  EXPECT_EQ(ErrBadFileContent, -2147220219);
}

TEST(Errors, DescriptionFollowsTheInterfaceLanguage) {
  {
    InterfaceLanguage english(QLocale::English);
    EXPECT_EQ(ErrDescr(ErrBadPropertyValue), "Bad property value");
    EXPECT_EQ(ErrDescr(ErrAwaitingTermination), "Awaiting termination");
  }
  {
    InterfaceLanguage german(QLocale::German);
    EXPECT_EQ(ErrDescr(ErrBadPropertyValue), "Falscher Eigenschafts-Wert");
    EXPECT_EQ(ErrDescr(ErrBadCallContext), "Falscher Aufrufs-Kontext");
  }
  {
    InterfaceLanguage french(QLocale::French);
    EXPECT_EQ(ErrDescr(ErrBadCall), "Bad call");
  }
}

TEST(Errors, UnknownNumbersHaveAFallbackText) {
  InterfaceLanguage english(QLocale::English);
  EXPECT_EQ(ErrDescr(OwnErrorBase + 6), "Description for error '-2147220218' not found");
  EXPECT_EQ(ErrDescr(0), "Description for error '0' not found");
  // Far from the base: the id must not wrap around onto a real text.
  EXPECT_EQ(ErrDescr(2147483647), "Description for error '2147483647' not found");
}

TEST(Errors, RaiseWritesTwoDiagnosticLinesAndCarriesTheSource) {
  InterfaceLanguage english(QLocale::English);
  DiagnosticsCapture capture;
  const TorqletError error = ErrorOf([] { RaiseError(ErrBadPropertyValue, "NycGciCar"); });
  EXPECT_EQ(error.Number(), -2147220221);
  EXPECT_EQ(error.Source(), "Torqlet11.NycGciCar");
  EXPECT_EQ(error.Description(), "Bad property value");
  EXPECT_EQ(capture.lines, QStringList({"* Error (Number:=-2147220221, Source:='.NycGciCar')",
                                        "* ErrDescr(Number:=-2147220221) [= Bad property value]"}));
}

TEST(Errors, RaiseWithoutSourceUsesTheProjectName) {
  DiagnosticsCapture capture;
  const TorqletError error = ErrorOf([] { RaiseError(ErrBadCall); });
  EXPECT_EQ(error.Source(), "Torqlet11");
  ASSERT_EQ(capture.lines.size(), 2);
  EXPECT_EQ(capture.lines[0], "* Error (Number:=-2147220223, Source:='')");
}

TEST(Errors, RuntimeErrorsCarryTheirOwnTextsWithoutDiagnostics) {
  DiagnosticsCapture capture;
  const TorqletError error = ErrorOf([] { RaiseRuntimeError(ErrTypeMismatch); });
  EXPECT_EQ(error.Number(), 13);
  EXPECT_EQ(error.Description(), "Type mismatch");
  EXPECT_TRUE(capture.lines.isEmpty());
}

}  // namespace
