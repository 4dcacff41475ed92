#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include "model/LineValue.h"
#include "model/NumberText.h"
#include "model/TextWriter.h"

// Conversion between one value with its comment and one line of the car file
// (without its line break). Lines are bytes, one character per byte.
//   nothing:  "{comment}"
//   integer:  "50 {value}"
//   float:    "f16.500 {mass}"  (always a point and exactly three decimals)

QByteArray FormatLine(const LineValue& value, QByteArrayView comment);
// Same as FormatLine, appended to out.
void AppendLine(TextWriter& out, const LineValue& value, QByteArrayView comment);

namespace line_codec_detail {
[[noreturn]] void RaiseNoBlank();
}  // namespace line_codec_detail

// Where the first blank and the first braces of a line stand (-1 where there
// is none): what ParseValue and CommentView look for. A reader of whole blocks
// notes them while it looks for the line's end.
struct LineMarks {
  qsizetype blank = -1;
  qsizetype open = -1;
  qsizetype close = -1;
};

// The value of a value line: the text before the first blank, read as a float
// when it starts with "f", else as an integer. Raises the invalid-argument error
// for a line without a blank, the overflow error beyond the type's range.
LineValue ParseValue(QByteArrayView line);
// Same as ParseValue, with the line's marks found already. Inline: a car's 21
// values are read in one loop, and a value handed back through memory would
// cost more than reading it.
inline LineValue ParseValue(QByteArrayView line, const LineMarks& marks) {
  if (marks.blank < 0) line_codec_detail::RaiseNoBlank();
  const QByteArrayView token = line.first(marks.blank);
  if (!token.isEmpty() && token.front() == 'f') {
    return LineValue::FromFloat(ToSingle(ReadNumberForSingle(token.sliced(1))));
  }
  return LineValue::FromInteger(ToInteger(ReadNumber(token)));
}
// The value of a value line of an integer field, with or without its "f":
// read to the nearest double and rounded half to the even neighbour, so that
// a text gives the same integer either way. Raises as ParseValue does.
inline std::int32_t ParseInteger(QByteArrayView line, const LineMarks& marks) {
  if (marks.blank < 0) line_codec_detail::RaiseNoBlank();
  QByteArrayView token = line.first(marks.blank);
  if (!token.isEmpty() && token.front() == 'f') token = token.sliced(1);
  return ToInteger(ReadNumber(token));
}

// The text between the first "{" and the first "}" (from the line's start when
// there is no "{"). Raises the invalid-argument error when there is no "}" or
// the first "}" stands before the first "{".
QByteArray ParseComment(QByteArrayView line);
// Same as ParseComment, as a view into line.
QByteArrayView CommentView(QByteArrayView line);
// Same as CommentView, with the line's marks found already.
QByteArrayView CommentView(QByteArrayView line, const LineMarks& marks);
