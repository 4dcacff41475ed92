#include "model/ContentFault.h"


#include <QLocale>
#include <algorithm>

#include "model/BlockLines.h"
#include "model/CarField.h"
#include "model/LineCodec.h"

namespace {

// The number of the line in which the byte at offset lies.
QString LineAt(QByteArrayView all, qsizetype offset) {
  const QByteArrayView before = all.first(std::min(offset, all.size()));
  return QLocale().toString(qlonglong(std::count(before.begin(), before.end(), '\n') + 1));
}

// Whether reading the line raises an error.
template <typename Read>
bool Fails(Read read) {
  try {
    read();
    return false;
  } catch (const std::exception&) {
    return true;
  }
}

}  // namespace

QString ContentFault::NoCar(QByteArrayView all) {
  return all.isEmpty() ? tr("the file is empty") : tr("no car follows the header comment");
}

QString ContentFault::Header() {
  return tr("line 1: the header comment in braces is missing");
}

QString ContentFault::Block(QByteArrayView all, qsizetype from, qsizetype end) {
  const QByteArrayView section = all.sliced(from, end - from);
  BlockLines lines;
  if (section.isEmpty()) {
    return tr("line %1: an empty line too many between two cars")
        .arg(LineAt(all, from));
  }
  if (!SplitBlockLines(section, lines)) {
    if (end >= all.size()) {
      return tr("the file ends inside the car that starts at line %1")
          .arg(LineAt(all, from));
    }
    const qsizetype count = section.count(QByteArrayView("\r\n")) + 1;
    return tr("the car that starts at line %1 has %2 lines instead of %3")
        .arg(LineAt(all, from))
        .arg(count)
        .arg(BlockLineCount);
  }
  for (int k = 0; k < BlockLineCount; ++k) {
    const BlockLine& line = lines[std::size_t(k)];
    const QString where = LineAt(all, line.text.data() - all.data());
    if (k == 0) {
      if (Fails([&] { CommentView(line.text, line.marks); })) {
        return tr("line %1: the car's name is not in braces").arg(where);
      }
      continue;
    }
    if (line.marks.blank < 0) {
      return tr("line %1: a value line has no blank between its number and its comment")
          .arg(where);
    }
    const bool integer = IsIntegerField(FieldAt(k - 1));
    if (Fails([&] {
          integer ? ParseInteger(line.text, line.marks) : ParseValue(line.text, line.marks).integer;
        })) {
      return tr("line %1: the number is beyond the range of its value").arg(where);
    }
    if (Fails([&] { CommentView(line.text, line.marks); })) {
      return tr("line %1: a value line has no comment in braces").arg(where);
    }
  }
  return tr("the car that starts at line %1 cannot be read").arg(LineAt(all, from));
}
