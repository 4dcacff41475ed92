#include "model/LineCodec.h"

#include <charconv>
#include <cstring>

#include "core/ErrorCodes.h"
#include "core/Errors.h"
#include "model/ByteSearch.h"
#include "model/NumberText.h"

void AppendLine(TextWriter& out, const LineValue& value, QByteArrayView comment) {
  // Room for "f", the longest number, the blank, the braces and the comment.
  char* const start = out.Room(1 + ThreeDecimalsBufferSize + 3 + comment.size());
  char* p = start;
  switch (value.kind) {
    case LineValue::Kind::None:
      break;
    case LineValue::Kind::Integer:
      p = std::to_chars(p, p + ThreeDecimalsBufferSize, value.integer).ptr;
      *p++ = ' ';
      break;
    case LineValue::Kind::Float:
      *p++ = 'f';
      p += FormatThreeDecimals(value.real, p);
      *p++ = ' ';
      break;
    default:
      RaiseError(ErrBadCall);
  }
  *p++ = '{';
  if (!comment.isEmpty()) std::memcpy(p, comment.data(), std::size_t(comment.size()));
  p += comment.size();
  *p++ = '}';
  out.Commit(p - start);
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

void line_codec_detail::RaiseNoBlank() { RaiseRuntimeError(ErrInvalidArgument); }

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
