#include "TestSupport.h"
#include "core/ErrorCodes.h"
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

}  // namespace
