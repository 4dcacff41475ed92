#include <gtest/gtest.h>

#include <random>
#include <string>

#include "TestSupport.h"
#include "core/ErrorCodes.h"
#include "model/BlockLines.h"
#include "model/LineCodec.h"

namespace {

QByteArray Format(const LineValue& value, const char* comment) {
  return FormatLine(value, QByteArrayView(comment));
}

TEST(LineCodec, FormatsTheThreeKindsOfLine) {
  EXPECT_EQ(Format(LineValue::Empty(), "Romero"), "{Romero}");
  EXPECT_EQ(Format(LineValue::FromInteger(0), "model"), "0 {model}");
  EXPECT_EQ(Format(LineValue::FromInteger(-3), "pad"), "-3 {pad}");
  EXPECT_EQ(Format(LineValue::FromFloat(16.5f), "mass"), "f16.500 {mass}");
  EXPECT_EQ(Format(LineValue::FromFloat(0.5f), "front mass bias"), "f0.500 {front mass bias}");
  EXPECT_EQ(Format(LineValue::FromFloat(0.0625f), "x"), "f0.063 {x}");
  EXPECT_EQ(Format(LineValue::FromFloat(-0.5f), "x"), "f-0.500 {x}");
  EXPECT_EQ(Format(LineValue::FromFloat(1234.5f), "x"), "f1234.500 {x}");
  EXPECT_EQ(Format(LineValue::FromFloat(0.5f), ""), "f0.500 {}");
  // Comments are written as they are, braces included.
  EXPECT_EQ(Format(LineValue::Empty(), "a}b{"), "{a}b{}");
}

TEST(LineCodec, RefusesAnUnknownKindOfValue) {
  LineValue odd;
  odd.kind = static_cast<LineValue::Kind>(7);
  const TorqletError error = ErrorOf([&] { FormatLine(odd, "x"); });
  EXPECT_EQ(error.Number(), ErrBadCall);
  EXPECT_EQ(error.Source(), "Torqlet11");
}

struct ParsedValue {
  const char* line;
  LineValue::Kind kind;
  double value;
};

TEST(LineCodec, ParsesValuesLeniently) {
  const ParsedValue cases[] = {
      {"f0.500 {front mass bias}", LineValue::Kind::Float, 0.5},
      {"50 {value}", LineValue::Kind::Integer, 50},
      {"f16.500 {mass}", LineValue::Kind::Float, 16.5},
      {"F16.500 {mass}", LineValue::Kind::Integer, 0},  // only a lower-case f marks a float
      {"2.5 {x}", LineValue::Kind::Integer, 2},
      {"3.5 {x}", LineValue::Kind::Integer, 4},
      {"-2.5 {x}", LineValue::Kind::Integer, -2},
      {" 7 {x}", LineValue::Kind::Integer, 0},  // empty token
      {"f0,5 {x}", LineValue::Kind::Float, 0},  // reading stops at the comma
      {"f {x}", LineValue::Kind::Float, 0},
      {"12abc {x}", LineValue::Kind::Integer, 12},
      {"50{value with blank}", LineValue::Kind::Integer, 50},  // token runs to the first blank
      {"f1e2 {x}", LineValue::Kind::Float, 100},
      {"&H1F {x}", LineValue::Kind::Integer, 31},
      {"&O17 {x}", LineValue::Kind::Integer, 15},
      {"1\t2 {x}", LineValue::Kind::Integer, 12},  // tabs are skipped
      {"-2147483648 {x}", LineValue::Kind::Integer, -2147483648.0},
      {"f3.4028234e38 {x}", LineValue::Kind::Float, 3.4028234e38f},
  };
  for (const ParsedValue& c : cases) {
    SCOPED_TRACE(c.line);
    const LineValue value = ParseValue(c.line);
    EXPECT_EQ(value.kind, c.kind);
    if (c.kind == LineValue::Kind::Float) {
      EXPECT_EQ(value.real, float(c.value));
    } else {
      EXPECT_EQ(value.integer, std::int32_t(c.value));
    }
  }
}

TEST(LineCodec, RefusesLinesWithoutBlankAndOutOfRangeNumbers) {
  EXPECT_EQ(ErrorNumberOf([] { ParseValue("50{value}"); }), ErrInvalidArgument);
  EXPECT_EQ(ErrorNumberOf([] { ParseValue(""); }), ErrInvalidArgument);
  EXPECT_EQ(ErrorNumberOf([] { ParseValue("2147483648 {x}"); }), ErrOverflow);
  EXPECT_EQ(ErrorNumberOf([] { ParseValue("2147483647.5 {x}"); }), ErrOverflow);
  EXPECT_EQ(ErrorNumberOf([] { ParseValue("f3.5e38 {x}"); }), ErrOverflow);
  EXPECT_EQ(ErrorNumberOf([] { ParseValue("f1e400 {x}"); }), ErrOverflow);
  EXPECT_EQ(ParseValue("-2147483648.5 {x}").integer, -2147483647 - 1);  // half to even
}

TEST(LineCodec, ParsesCommentsBetweenTheFirstBraces) {
  EXPECT_EQ(ParseComment("0 {model}"), "model");
  EXPECT_EQ(ParseComment("{Romero}"), "Romero");
  EXPECT_EQ(ParseComment("{}"), "");
  EXPECT_EQ(ParseComment("{a} b}"), "a");
  EXPECT_EQ(ParseComment("{a{b}"), "a{b");
  EXPECT_EQ(ParseComment("text}"), "text");
  EXPECT_EQ(ParseComment("{line\r\nbreak}"), "line\r\nbreak");
  EXPECT_EQ(ErrorNumberOf([] { ParseComment("{open"); }), ErrInvalidArgument);
  EXPECT_EQ(ErrorNumberOf([] { ParseComment("} before {"); }), ErrInvalidArgument);
  EXPECT_EQ(ErrorNumberOf([] { ParseComment("plain"); }), ErrInvalidArgument);
}

TEST(LineCodec, BytesAbove127PassUnchanged) {
  const QByteArray comment("caf\xe9 \xff", 6);
  const QByteArray line = FormatLine(LineValue::FromInteger(1), comment);
  EXPECT_EQ(ParseComment(line), comment);
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
