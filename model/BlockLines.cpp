#include "model/BlockLines.h"

#include <algorithm>
#include <string_view>

#include "model/ByteSearch.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Notes the first blank and braces of the line that started at start among
// the bytes [from, to).
void NoteMarks(const char* start, const char* from, const char* to, LineMarks& marks) {
  for (const char* p = from; p < to; ++p) {
    if (*p == ' ') {
      if (marks.blank < 0) marks.blank = p - start;
    } else if (*p == '{') {
      if (marks.open < 0) marks.open = p - start;
    } else if (*p == '}') {
      if (marks.close < 0) marks.close = p - start;
    }
  }
}

// The plain way: each line's end and marks found with memchr.
bool SplitPlainly(const char* p, const char* end, BlockLines& lines, int k) {
  for (; k < BlockLineCount; ++k) {
    if (!p) return false;  // the text ended before this line
    const char* lineEnd = FindLineBreak(p, end);
    const QByteArrayView text(p, lineEnd - p);
    auto find = [&](char c) {
      const char* hit = FindByte(p, lineEnd, c);
      return hit == lineEnd ? qsizetype(-1) : hit - p;
    };
    lines[std::size_t(k)] = {text, {find(' '), find('{'), find('}')}};
    p = lineEnd == end ? nullptr : lineEnd + 2;
  }
  return true;
}

const char* FindEmptyLinePlainly(const char* begin, const char* end) {
  const std::string_view text(begin, std::size_t(end - begin));
  const std::size_t hit = text.find(std::string_view("\r\n\r\n", 4));
  return hit == std::string_view::npos ? end : begin + hit;
}

}  // namespace

#if defined(__SSE2__)

// Sixteen bytes at a time: bit masks of the line breaks (a CR whose next byte
// is LF), blanks and braces, taken in the order of the bytes. The bytes after
// the last full sixteen go the plain way.
bool SplitBlockLines(QByteArrayView text, BlockLines& lines) {
  const char* const end = text.data() + text.size();
  const char* start = text.data();  // of the current line
  LineMarks marks;                  // of the current line, so far
  int k = 0;
  const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n'), blank = _mm_set1_epi8(' '),
                open = _mm_set1_epi8('{'), close = _mm_set1_epi8('}');
  const auto mask = [](__m128i equal) { return unsigned(_mm_movemask_epi8(equal)); };
  const auto first = [](unsigned bits) { return __builtin_ctz(bits); };
  const char* chunk = text.data();
  for (; end - chunk >= 17; chunk += 16) {
    if (start >= chunk + 16) continue;  // the line starts in a later chunk
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(chunk));
    const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(chunk + 1));
    const unsigned breaks =
        mask(_mm_and_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(next, lf)));
    const unsigned blanks = mask(_mm_cmpeq_epi8(bytes, blank));
    const unsigned opens = mask(_mm_cmpeq_epi8(bytes, open));
    const unsigned closes = mask(_mm_cmpeq_epi8(bytes, close));
    unsigned live = start > chunk ? (0xffffu << (start - chunk)) & 0xffffu : 0xffffu;
    while (live != 0) {
      const unsigned ends = breaks & live;
      const unsigned line = ends != 0 ? ((ends & (0u - ends)) - 1) & live : live;
      if (marks.blank < 0 && (blanks & line)) marks.blank = chunk + first(blanks & line) - start;
      if (marks.open < 0 && (opens & line)) marks.open = chunk + first(opens & line) - start;
      if (marks.close < 0 && (closes & line)) marks.close = chunk + first(closes & line) - start;
      if (ends == 0) break;  // the line goes on in the next chunk
      const int at = first(ends);
      lines[std::size_t(k)] = {QByteArrayView(start, chunk + at - start), marks};
      if (++k == BlockLineCount) return true;
      start = chunk + at + 2;
      marks = LineMarks();
      live = at + 2 < 16 ? (0xffffu << (at + 2)) & 0xffffu : 0;
    }
  }
  // Every line break before chunk is found (a CR just before it had its LF
  // looked at); the current line ends at or after chunk, or where it started.
  const char* from = std::max(start, chunk);
  const char* lineEnd = FindLineBreak(from, end);
  NoteMarks(start, from, lineEnd, marks);
  lines[std::size_t(k)] = {QByteArrayView(start, lineEnd - start), marks};
  return SplitPlainly(lineEnd == end ? nullptr : lineEnd + 2, end, lines, k + 1);
}

const char* FindEmptyLine(const char* begin, const char* end) {
  const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
  const auto at = [](const char* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  };
  const char* p = begin;
  for (; end - p >= 19; p += 16) {
    const __m128i both =
        _mm_and_si128(_mm_and_si128(_mm_cmpeq_epi8(at(p), cr), _mm_cmpeq_epi8(at(p + 1), lf)),
                      _mm_and_si128(_mm_cmpeq_epi8(at(p + 2), cr), _mm_cmpeq_epi8(at(p + 3), lf)));
    const auto hits = unsigned(_mm_movemask_epi8(both));
    if (hits != 0) return p + __builtin_ctz(hits);
  }
  return FindEmptyLinePlainly(p, end);
}

#else

bool SplitBlockLines(QByteArrayView text, BlockLines& lines) {
  return SplitPlainly(text.data(), text.data() + text.size(), lines, 0);
}

const char* FindEmptyLine(const char* begin, const char* end) {
  return FindEmptyLinePlainly(begin, end);
}

#endif
