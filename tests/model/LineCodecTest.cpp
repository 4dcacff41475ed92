// The texts of the car file's lines: numbers read and written with three
// decimals, values and comments of lines, and blocks split into lines.

#include "TestSupport.h"
#include "model/BlockLines.h"
#include "model/LineCodec.h"
#include "model/NumberText.h"

static std::string Three(float value) {
  char buffer[ThreeDecimalsBufferSize];
  return std::string(buffer, std::size_t(FormatThreeDecimals(value, buffer)));
}

TEST(NumberText, ReadsLenientlyAndRaisesOnlyBeyondTheDoubleRange) {
  // Z stands for 5000 zeros, N for 5000 nines; NaN for the overflow error.
  const std::pair<QByteArray, double> cases[] = {
      {"16.500", 16.5}, {".5", 0.5},    {"5.", 5},     {"-0.25", -0.25}, {"+3", 3},
      {"1E3", 1000},    {"1e-2", 0.01}, {"1e", 1},     {"1e+", 1},       {"- 1\n2\t3", -123},
      {"", 0},          {"-", 0},       {"abc", 0},    {"1.2.3", 1.2},   {"0.1", 0.1},
      {"&Hff", 255},    {"&H", 0},      {"&O78", 7},   {"&X1", 0},       {"Z42", 42},
      {"2ex", 2},       {"2e+x", 2},    {"2.5Z", 2.5}, {"1eZ3", 1000},   {"Z16.5Z1", 16.5},
      {"0.Z1", 0},      {"1e-N", 0},    {"1Z", NAN},   {"N", NAN},       {"1eN", NAN},
      {"&HN", NAN}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first.constData());
    // Read from a view that a digit follows, which is not the number's.
    const QByteArray padded = QByteArray(c.first)
                                  .replace('Z', QByteArray(5000, '0'))
                                  .replace('N', QByteArray(5000, '9')) +
                              '7';
    const QByteArrayView text = QByteArrayView(padded).chopped(1);
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
  for (const auto& [text, single] : singles) {
    EXPECT_EQ(ToSingle(ReadNumberForSingle(text)), single) << text;
  }
  const std::pair<double, std::int32_t> integers[] = {
      {2.5, 2}, {3.5, 4}, {-3.5, -4}, {2147483647.4, 2147483647}, {-2147483648.5, -2147483647 - 1}};
  for (const auto& [value, integer] : integers) EXPECT_EQ(ToInteger(value), integer) << value;
  // An integer field's text, with or without its "f", is read to the nearest
  // double, which is then rounded half to even.
  const std::pair<QByteArrayView, std::int32_t> integerLines[] = {
      {"2.50000000000000001 {x}", 2},
      {"8388608.50000000000000000001 {x}", 8388608},
      {"f8388608.50000000000000000001 {x}", 8388608},
      {"f2.5 {x}", 2},
      {"f3.5 {x}", 4}};
  for (const auto& [line, integer] : integerLines) {
    EXPECT_EQ(ParseInteger(line, {line.indexOf(' '), -1, -1}), integer) << line.data();
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

TEST(NumberText, TheShortcutAgreesWithTheGeneralPathAndThreeDecimalsReadBackUnchanged) {
  std::mt19937 random(12345);
  std::uniform_real_distribution<float> everyday(-20000.0f, 20000.0f);
  std::uniform_int_distribution<std::uint32_t> bits;
  char general[ThreeDecimalsBufferSize];
  for (int i = 0; i < 200000; ++i) {
    float value = everyday(random);
    if (i % 3 == 0) value = std::round(value * 1000.0f) / 1000.0f;
    if (i % 5 == 0) value = std::bit_cast<float>(bits(random));
    if (!std::isfinite(value)) continue;
    const int length = number_text_detail::FormatThreeDecimalsFromShortest(value, general);
    ASSERT_EQ(Three(value), std::string(general, std::size_t(length))) << "value " << value;
  }
  for (int thousandths = -20000; thousandths <= 20000; ++thousandths) {
    char text[32];
    std::snprintf(text, sizeof text, "%s%d.%03d", thousandths < 0 ? "-" : "",
                  std::abs(thousandths) / 1000, std::abs(thousandths) % 1000);
    ASSERT_EQ(Three(ToSingle(ReadNumberForSingle(text))), thousandths == 0 ? "0.000" : text);
  }
}

// A line's value as FormatLine writes it, or "error N".
static QByteArray Value(const char* line) {
  try {
    return FormatLine(ParseValue(line), {});
  } catch (const TorqletError& error) {
    return "error " + QByteArray::number(error.Number());
  }
}

TEST(LineCodec, WritesTheThreeKindsOfLineAndReadsTheTextBeforeTheFirstBlank) {
  EXPECT_EQ(FormatLine(LineValue::Empty(), "a}b{"), "{a}b{}");  // comments as they are
  EXPECT_EQ(FormatLine(LineValue::FromInteger(-3), "pad"), "-3 {pad}");
  EXPECT_EQ(FormatLine(LineValue::FromFloat(16.5f), "mass"), "f16.500 {mass}");
  // Only a lower-case f marks a float; error 5 is the invalid argument, 6 the overflow.
  // clang-format off
  const std::pair<const char*, const char*> cases[] = {
      {"f0.5 {front mass bias}", "f0.500 {}"}, {"F16.500 {mass}", "0 {}"}, {"3.5 {x}", "4 {}"},
      {" 7 {x}", "0 {}"}, {"f {x}", "f0.000 {}"}, {"50{value with blank}", "50 {}"},
      {"50{value}", "error 5"}, {"", "error 5"}, {"2147483648 {x}", "error 6"},
      {"f3.5e38 {x}", "error 6"}, {"2147483647.5 {x}", "error 6"}};
  // clang-format on
  for (const auto& [line, value] : cases) EXPECT_EQ(Value(line), value) << line;
}

TEST(LineCodec, ReadsTheCommentBetweenTheFirstBraces) {
  // clang-format off
  const std::pair<QByteArray, const char*> cases[] = {
      {"0 {model}", "model"}, {"{}", ""}, {"{a} b}", "a"}, {"{a{b}", "a{b"}, {"text}", "text"},
      {"}", ""}, {"{line\r\nbreak}", "line\r\nbreak"}, {"1 {caf\xe9 \xff}", "caf\xe9 \xff"}};
  // clang-format on
  for (const auto& [line, comment] : cases) EXPECT_EQ(ParseComment(line), comment);
  for (const char* line : {"{open", "} before {", "plain"}) {
    EXPECT_EQ(ErrorNumberOf([&] { ParseComment(line); }), ErrInvalidArgument) << line;
  }
}

// Blocks and lines are found 16 bytes at a time; compared with a plain search
// on random texts of the bytes that matter, so that every place of a line
// break, blank and brace against those 16 bytes comes up.
TEST(BlockLines, SplitAndEmptyLinesAsAPlainSearchFindsThem) {
  std::mt19937 random(11);
  const std::string alphabet = "\r\n {}aaaaa";
  auto at = [](auto index) { return std::to_string(index < 0 ? -1 : qsizetype(index)); };
  for (int round = 0; round < 3000; ++round) {
    std::string text;  // about 22 lines of up to 24 bytes, stray CR and LF among them
    for (int line = int(random() % 26); line >= 0; --line) {
      for (auto length = random() % 25; length > 0; --length) text += alphabet[random() % 11];
      text += "\r\n";
    }
    text.resize(text.size() - random() % 4);
    SCOPED_TRACE(::testing::PrintToString(text));
    std::vector<std::string> expected;  // each line with the places of its blank and braces
    for (std::size_t start = 0, end = 0; end < text.size() && expected.size() < BlockLineCount;
         start = end + 2) {
      end = std::min(text.find("\r\n", start), text.size());
      const std::string line = text.substr(start, end - start);
      expected.push_back(line + "|" + at(qsizetype(line.find(' '))) +
                         at(qsizetype(line.find('{'))) + at(qsizetype(line.find('}'))));
    }
    BlockLines lines;
    const bool enough = SplitBlockLines(QByteArrayView(text.data(), qsizetype(text.size())), lines);
    EXPECT_EQ(enough, expected.size() == BlockLineCount);
    for (std::size_t k = 0; enough && k < BlockLineCount; ++k) {
      const BlockLine& line = lines[k];
      EXPECT_EQ(line.text.toByteArray().toStdString() + "|" + at(line.marks.blank) +
                    at(line.marks.open) + at(line.marks.close),
                expected[k]);
    }
    EXPECT_EQ(FindEmptyLine(text.data(), text.data() + text.size()) - text.data(),
              qsizetype(std::min(text.find("\r\n\r\n"), text.size())));
  }
}
