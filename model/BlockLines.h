#pragma once

#include <QByteArrayView>
#include <array>

#include "model/LineCodec.h"

// The first lines of a car block, split at CR LF, each with the marks that
// reading its value and comment needs (see LineMarks).
struct BlockLine {
  QByteArrayView text;  // without the line break
  LineMarks marks;
};

inline constexpr int BlockLineCount = 22;
using BlockLines = std::array<BlockLine, BlockLineCount>;

// Splits off the first 22 lines of text: a line ends at the first CR LF from
// its start, or at the end of the text, after which there is no further line.
// False when the text holds fewer lines. Where the processor has SSE2 it looks
// at 16 bytes at a time for line breaks, blanks and braces together.
bool SplitBlockLines(QByteArrayView text, BlockLines& lines);

// Position of the first empty line, CR LF CR LF, in [begin, end), or end.
const char* FindEmptyLine(const char* begin, const char* end);
