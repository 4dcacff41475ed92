#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>

#include "TestSupport.h"
#include "core/ErrorCodes.h"
#include "model/NumberText.h"

namespace {

std::string Three(float value) {
  char buffer[ThreeDecimalsBufferSize];
  return std::string(buffer, std::size_t(FormatThreeDecimals(value, buffer)));
}

std::string ThreeFromShortest(float value) {
  char buffer[ThreeDecimalsBufferSize];
  return std::string(
      buffer, std::size_t(number_text_detail::FormatThreeDecimalsFromShortest(value, buffer)));
}

TEST(NumberText, ReadsNumbersLikeTheFileReader) {
  EXPECT_EQ(ReadNumber("16.500"), 16.5);
  EXPECT_EQ(ReadNumber(".5"), 0.5);
  EXPECT_EQ(ReadNumber("5."), 5.0);
  EXPECT_EQ(ReadNumber("-0.25"), -0.25);
  EXPECT_EQ(ReadNumber("+3"), 3.0);
  EXPECT_EQ(ReadNumber("1E3"), 1000.0);
  EXPECT_EQ(ReadNumber("1e-2"), 0.01);
  EXPECT_EQ(ReadNumber("1e"), 1.0);  // an exponent without digits is not read
  EXPECT_EQ(ReadNumber("1e+"), 1.0);
  EXPECT_EQ(ReadNumber("- 1\n2\t3"), -123.0);
  EXPECT_EQ(ReadNumber(""), 0.0);
  EXPECT_EQ(ReadNumber("-"), 0.0);
  EXPECT_EQ(ReadNumber("abc"), 0.0);
  EXPECT_EQ(ReadNumber("1.2.3"), 1.2);
  EXPECT_EQ(ReadNumber("0.1"), 0.1);  // correctly rounded
  EXPECT_EQ(ReadNumber("&Hff"), 255.0);
  EXPECT_EQ(ReadNumber("&H"), 0.0);
  EXPECT_EQ(ReadNumber("&O78"), 7.0);
  EXPECT_EQ(ReadNumber("&X1"), 0.0);
}

TEST(NumberText, ReadsVeryLongNumbersAndBoundsTheRange) {
  EXPECT_EQ(ReadNumber(std::string(5000, '0') + "42"), 42.0);
  EXPECT_EQ(ReadNumber("0." + std::string(5000, '0') + "1"), 0.0);  // underflow reads as 0
  EXPECT_EQ(ReadNumber("1e-99999999999999999999"), 0.0);
  EXPECT_EQ(ReadNumber("1" + std::string(300, '0')), 1e300);
  EXPECT_EQ(ErrorNumberOf([] { ReadNumber("1" + std::string(400, '0')); }), ErrOverflow);
  EXPECT_EQ(ErrorNumberOf([] { ReadNumber("1e99999999999999999999"); }), ErrOverflow);
  EXPECT_EQ(ErrorNumberOf([] { ReadNumber("&H" + std::string(300, 'F')); }), ErrOverflow);
}

TEST(NumberText, LongNumbersReadAsTheNearestSingle) {
  // 15 to 18 digits; all but the first read as a double halfway between two floats.
  EXPECT_EQ(ToSingle(ReadNumber("1150182.2450236735")), 1150182.25f);
  EXPECT_EQ(ToSingle(ReadNumber("1.20633202791214")), 1.20633209f);
  EXPECT_EQ(ToSingle(ReadNumber("1.990870177745819")), 1.99087012f);
  EXPECT_EQ(ToSingle(ReadNumber("1.0000000596046448")), 1.00000012f);
  EXPECT_EQ(ToSingle(ReadNumber("-1150182.18749999999")), -1150182.125f);
}

TEST(NumberText, ConvertsToTheTypesOfTheFile) {
  EXPECT_EQ(ToInteger(2.5), 2);
  EXPECT_EQ(ToInteger(3.5), 4);
  EXPECT_EQ(ToInteger(-3.5), -4);
  EXPECT_EQ(ToInteger(2147483647.4), 2147483647);
  EXPECT_EQ(ErrorNumberOf([] { ToInteger(2147483647.5); }), ErrOverflow);
  EXPECT_EQ(ErrorNumberOf([] { ToInteger(-2147483649.0); }), ErrOverflow);
  EXPECT_EQ(ToSingle(0.145), 0.145f);
  EXPECT_EQ(ToSingle(3.4028235e38), std::numeric_limits<float>::max());
  EXPECT_EQ(ErrorNumberOf([] { ToSingle(3.4028236e38); }), ErrOverflow);
  EXPECT_EQ(ErrorNumberOf([] { ToSingle(-1e39); }), ErrOverflow);
}

TEST(NumberText, FormatsThreeDecimalsFromTheShortestText) {
  EXPECT_EQ(Three(0.0f), "0.000");
  EXPECT_EQ(Three(-0.0f), "0.000");
  EXPECT_EQ(Three(-0.25f), "-0.250");
  EXPECT_EQ(Three(0.0625f), "0.063");
  EXPECT_EQ(Three(-0.0625f), "-0.063");
  EXPECT_EQ(Three(1.0005f), "1.001");  // the float is 1.000499..., its shortest text 1.0005
  EXPECT_EQ(Three(0.145f), "0.145");
  EXPECT_EQ(Three(0.1234f), "0.123");
  EXPECT_EQ(Three(16.2875f), "16.288");
  EXPECT_EQ(Three(1234.5f), "1234.500");
  EXPECT_EQ(Three(9.9996f), "10.000");
  EXPECT_EQ(Three(-0.0004f), "0.000");
  EXPECT_EQ(Three(123456789.0f), "123456790.000");  // shortest text 1.2345679e8
  EXPECT_EQ(Three(1e20f), "100000000000000000000.000");
  EXPECT_EQ(Three(std::numeric_limits<float>::max()),
            "340282350000000000000000000000000000000.000");
  EXPECT_EQ(Three(1e-10f), "0.000");
}

TEST(NumberText, ShortcutAgreesWithTheGeneralPath) {
  std::mt19937 random(12345);
  std::uniform_real_distribution<float> everyday(-20000.0f, 20000.0f);
  std::uniform_int_distribution<std::uint32_t> bits;
  for (int i = 0; i < 200000; ++i) {
    float value = everyday(random);
    if (i % 3 == 0) value = std::round(value * 1000.0f) / 1000.0f;
    if (i % 5 == 0) {
      const std::uint32_t pattern = bits(random);
      std::memcpy(&value, &pattern, sizeof value);
      if (!std::isfinite(value)) continue;
    }
    ASSERT_EQ(Three(value), ThreeFromShortest(value)) << "value " << value;
  }
}

TEST(NumberText, ThreeDecimalTextsReadBackUnchanged) {
  for (int thousandths = -20000; thousandths <= 20000; ++thousandths) {
    char text[32];
    std::snprintf(text, sizeof text, "%s%d.%03d", thousandths < 0 ? "-" : "",
                  std::abs(thousandths) / 1000, std::abs(thousandths) % 1000);
    const std::string expected = thousandths == 0 ? "0.000" : text;
    ASSERT_EQ(Three(ToSingle(ReadNumber(text))), expected);
  }
}

}  // namespace
