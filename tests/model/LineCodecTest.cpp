#include <random>
#include <string>

#include "TestSupport.h"
#include "core/ErrorCodes.h"
#include "model/BlockLines.h"
#include "model/LineCodec.h"

namespace {

// A line's value as FormatLine writes it, or "error N".
QByteArray Value(const char* line) {
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
  LineValue odd;
  odd.kind = static_cast<LineValue::Kind>(7);
  EXPECT_EQ(ErrorNumberOf([&] { FormatLine(odd, "x"); }), ErrBadCall);
  // Only a lower-case f marks a float; error 5 is the invalid argument, 6 the overflow.
  // clang-format off
  const std::pair<const char*, const char*> cases[] = {
      {"f0.5 {front mass bias}", "f0.500 {}"}, {"F16.500 {mass}", "0 {}"}, {"3.5 {x}", "4 {}"},
      {" 7 {x}", "0 {}"}, {"f {x}", "f0.000 {}"}, {"50{value with blank}", "50 {}"},
      {"50{value}", "error 5"}, {"", "error 5"}, {"2147483648 {x}", "error 6"},
      {"f3.5e38 {x}", "error 6"}};
  // clang-format on
  for (const auto& [line, value] : cases) EXPECT_EQ(Value(line), value) << line;
}

TEST(LineCodec, ReadsTheCommentBetweenTheFirstBraces) {
  // clang-format off
  const std::pair<QByteArray, const char*> cases[] = {
      {"0 {model}", "model"}, {"{}", ""}, {"{a} b}", "a"}, {"{a{b}", "a{b"}, {"text}", "text"},
      {"{line\r\nbreak}", "line\r\nbreak"}, {"1 {caf\xe9 \xff}", "caf\xe9 \xff"}};
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
  for (int round = 0; round < 3000; ++round) {
    std::string text;  // about 22 lines of up to 24 bytes, stray CR and LF among them
    for (int line = int(random() % 26); line >= 0; --line) {
      for (auto length = random() % 25; length > 0; --length) text += alphabet[random() % 11];
      text += "\r\n";
    }
    text.resize(text.size() - random() % 4);
    SCOPED_TRACE(::testing::PrintToString(text));

    std::vector<std::string> expected;  // each line with its marks
    std::size_t start = 0;
    while (expected.size() < BlockLineCount) {
      const std::size_t end = std::min(text.find("\r\n", start), text.size());
      const std::string line = text.substr(start, end - start);
      auto mark = [&](char c) { return std::to_string(qsizetype(line.find(c))); };
      expected.push_back(line + "|" + mark(' ') + mark('{') + mark('}'));
      if (end == text.size()) break;
      start = end + 2;
    }
    BlockLines lines;
    const bool enough = SplitBlockLines(QByteArrayView(text.data(), qsizetype(text.size())), lines);
    EXPECT_EQ(enough, expected.size() == BlockLineCount);
    if (enough) {
      for (int k = 0; k < BlockLineCount; ++k) {
        const BlockLine& line = lines[std::size_t(k)];
        auto mark = [](qsizetype at) { return std::to_string(at < 0 ? qsizetype(-1) : at); };
        EXPECT_EQ(line.text.toByteArray().toStdString() + "|" + mark(line.marks.blank) +
                      mark(line.marks.open) + mark(line.marks.close),
                  expected[std::size_t(k)]);
      }
    }
    const std::size_t empty = std::min(text.find("\r\n\r\n"), text.size());
    EXPECT_EQ(FindEmptyLine(text.data(), text.data() + text.size()) - text.data(),
              qsizetype(empty));
  }
}

}  // namespace
