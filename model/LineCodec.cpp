#include "model/LineCodec.h"

#include <charconv>

#include "core/ErrorCodes.h"
#include "core/Errors.h"
#include "model/ByteSearch.h"
#include "model/NumberText.h"

void AppendLine(TextWriter& out, const LineValue& value, QByteArrayView comment) {
  char number[ThreeDecimalsBufferSize];
  int length = 0;
  switch (value.kind) {
    case LineValue::Kind::None:
      out.Write('{');
      out.Write(comment);
      out.Write('}');
      return;
    case LineValue::Kind::Integer:
      length = int(std::to_chars(number, number + sizeof number, value.integer).ptr - number);
      break;
    case LineValue::Kind::Float:
      number[0] = 'f';
      length = 1 + FormatThreeDecimals(value.real, number + 1);
      break;
    default:
      RaiseError(ErrBadCall);
  }
  out.Write(number, length);
  out.Write(" {", 2);
  out.Write(comment);
  out.Write('}');
}

QByteArray FormatLine(const LineValue& value, QByteArrayView comment) {
  QByteArray line;
  {
    TextWriter writer(line, comment.size() + 24);
    AppendLine(writer, value, comment);
  }
  return line;
}

namespace {

// Position of the first c in line, or -1.
qsizetype Find(QByteArrayView line, char c) {
  const char* end = line.data() + line.size();
  const char* hit = FindByte(line.data(), end, c);
  return hit == end ? -1 : hit - line.data();
}

}  // namespace

LineValue ParseValue(QByteArrayView line) {
  LineMarks marks;
  marks.blank = Find(line, ' ');
  return ParseValue(line, marks);
}

LineValue ParseValue(QByteArrayView line, const LineMarks& marks) {
  if (marks.blank < 0) RaiseRuntimeError(ErrInvalidArgument);
  const QByteArrayView token = line.first(marks.blank);
  if (!token.isEmpty() && token.front() == 'f') {
    return LineValue::FromFloat(ToSingle(ReadNumber(token.sliced(1))));
  }
  return LineValue::FromInteger(ToInteger(ReadNumber(token)));
}

QByteArrayView CommentView(QByteArrayView line) {
  LineMarks marks;
  marks.open = Find(line, '{');
  marks.close = Find(line, '}');
  return CommentView(line, marks);
}

QByteArrayView CommentView(QByteArrayView line, const LineMarks& marks) {
  const qsizetype length = marks.close - marks.open - 1;  // open is -1 when there is none
  if (marks.close < 0 || length < 0) RaiseRuntimeError(ErrInvalidArgument);
  return line.sliced(marks.open + 1, length);
}

QByteArray ParseComment(QByteArrayView line) { return CommentView(line).toByteArray(); }
