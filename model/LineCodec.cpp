#include "model/LineCodec.h"

#include <charconv>

#include "core/ErrorCodes.h"
#include "core/Errors.h"
#include "model/NumberText.h"

void AppendLine(QByteArray& out, const LineValue& value, QByteArrayView comment) {
  char number[ThreeDecimalsBufferSize];
  int length = 0;
  switch (value.kind) {
    case LineValue::Kind::None:
      out += '{';
      out += comment;
      out += '}';
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
  out.append(number, length);
  out += " {";
  out += comment;
  out += '}';
}

QByteArray FormatLine(const LineValue& value, QByteArrayView comment) {
  QByteArray line;
  line.reserve(comment.size() + 24);
  AppendLine(line, value, comment);
  return line;
}

LineValue ParseValue(QByteArrayView line) {
  const qsizetype blank = line.indexOf(' ');
  if (blank < 0) RaiseRuntimeError(ErrInvalidArgument);
  const QByteArrayView token = line.first(blank);
  if (!token.isEmpty() && token.front() == 'f') {
    return LineValue::FromFloat(ToSingle(ReadNumber(token.sliced(1))));
  }
  return LineValue::FromInteger(ToInteger(ReadNumber(token)));
}

QByteArrayView CommentView(QByteArrayView line) {
  const qsizetype open = line.indexOf('{');  // -1 when there is none
  const qsizetype close = line.indexOf('}');
  const qsizetype length = close - open - 1;
  if (close < 0 || length < 0) RaiseRuntimeError(ErrInvalidArgument);
  return line.sliced(open + 1, length);
}

QByteArray ParseComment(QByteArrayView line) { return CommentView(line).toByteArray(); }
