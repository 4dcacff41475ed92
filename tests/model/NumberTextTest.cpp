#include <cmath>
#include <cstring>
#include <limits>
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

TEST(NumberText, ReadsLenientlyAndRaisesOnlyBeyondTheDoubleRange) {
  // Z stands for 5000 zeros, N for 5000 nines; NaN for the overflow error.
  const std::pair<QByteArray, double> cases[] = {
      {"16.500", 16.5}, {".5", 0.5},    {"5.", 5},         {"-0.25", -0.25}, {"+3", 3},
      {"1E3", 1000},    {"1e-2", 0.01}, {"1e", 1},         {"1e+", 1},       {"- 1\n2\t3", -123},
      {"", 0},          {"-", 0},       {"abc", 0},        {"1.2.3", 1.2},   {"0.1", 0.1},
      {"&Hff", 255},    {"&H", 0},      {"&O78", 7},       {"&X1", 0},       {"Z42", 42},
      {"2.5Z", 2.5},    {"1eZ3", 1000}, {"Z16.5Z1", 16.5}, {"0.Z1", 0},      {"1e-N", 0},
      {"1Z", NAN},      {"N", NAN},     {"1eN", NAN},      {"&HN", NAN}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first.constData());
    const QByteArray text =
        QByteArray(c.first).replace('Z', QByteArray(5000, '0')).replace('N', QByteArray(5000, '9'));
    if (std::isnan(c.second)) {
      EXPECT_EQ(ErrorNumberOf([&] { ReadNumber(text); }), ErrOverflow);
    } else {
      EXPECT_EQ(ReadNumber(text), c.second);
    }
  }
}

TEST(NumberText, ConvertsToTheTypesOfTheFile) {
  // Long texts, most of which read as a double halfway between two floats,
  // still give the float nearest to the text.
  // clang-format off
  const std::pair<const char*, float> singles[] = {
      {"0.145", 0.145f}, {"1150182.2450236735", 1150182.25f}, {"1.20633202791214", 1.20633209f},
      {"1.990870177745819", 1.99087012f}, {"1.0000000596046448", 1.00000012f},
      {"-1150182.18749999999", -1150182.125f}, {"3.4028235e38", 3.4028235e38f}};
  // clang-format on
  for (const auto& [text, single] : singles) EXPECT_EQ(ToSingle(ReadNumber(text)), single) << text;
  const std::pair<double, std::int32_t> integers[] = {
      {2.5, 2}, {3.5, 4}, {-3.5, -4}, {2147483647.4, 2147483647}, {-2147483648.5, -2147483647 - 1}};
  for (const auto& [value, integer] : integers) EXPECT_EQ(ToInteger(value), integer) << value;
  for (const double value : {2147483647.5, -2147483649.0}) {
    EXPECT_EQ(ErrorNumberOf([&] { ToInteger(value); }), ErrOverflow) << value;
  }
  for (const double value : {3.4028236e38, -1e39}) {
    EXPECT_EQ(ErrorNumberOf([&] { ToSingle(value); }), ErrOverflow) << value;
  }
}

TEST(NumberText, FormatsThreeDecimalsFromTheShortestText) {
  // 1.0005f is 1.000499..., its shortest text 1.0005; 123456789.0f is 1.2345679e8.
  // clang-format off
  const std::pair<float, const char*> cases[] = {
      {0.0f, "0.000"}, {-0.0f, "0.000"}, {-0.0004f, "0.000"}, {-0.0625f, "-0.063"},
      {1.0005f, "1.001"}, {0.1234f, "0.123"}, {16.2875f, "16.288"}, {9.9996f, "10.000"},
      {1234.5f, "1234.500"}, {123456789.0f, "123456790.000"}, {1e-10f, "0.000"}};
  // clang-format on
  for (const auto& [value, text] : cases) EXPECT_EQ(Three(value), text) << text;
  EXPECT_EQ(Three(3.4028235e38f), "340282350000000000000000000000000000000.000");
}

TEST(NumberText, ShortcutAgreesWithTheGeneralPath) {
  std::mt19937 random(12345);
  std::uniform_real_distribution<float> everyday(-20000.0f, 20000.0f);
  std::uniform_int_distribution<std::uint32_t> bits;
  char general[ThreeDecimalsBufferSize];
  for (int i = 0; i < 200000; ++i) {
    float value = everyday(random);
    if (i % 3 == 0) value = std::round(value * 1000.0f) / 1000.0f;
    if (i % 5 == 0) {
      const std::uint32_t pattern = bits(random);
      std::memcpy(&value, &pattern, sizeof value);
      if (!std::isfinite(value)) continue;
    }
    const int length = number_text_detail::FormatThreeDecimalsFromShortest(value, general);
    ASSERT_EQ(Three(value), std::string(general, std::size_t(length))) << "value " << value;
  }
}

TEST(NumberText, ThreeDecimalTextsReadBackUnchanged) {
  for (int thousandths = -20000; thousandths <= 20000; ++thousandths) {
    char text[32];
    std::snprintf(text, sizeof text, "%s%d.%03d", thousandths < 0 ? "-" : "",
                  std::abs(thousandths) / 1000, std::abs(thousandths) % 1000);
    ASSERT_EQ(Three(ToSingle(ReadNumber(text))), thousandths == 0 ? "0.000" : text);
  }
}

}  // namespace
