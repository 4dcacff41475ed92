#include "model/SectionScan.h"

#include <algorithm>

#include "model/BlockLines.h"

qsizetype SectionScan::FindSeparator(QByteArrayView text, qsizetype from) {
  const char* const end = text.data() + text.size();
  const char* hit = FindEmptyLine(text.data() + std::min(from, text.size()), end);
  return hit == end ? -1 : hit - text.data();
}

qsizetype SectionScan::SplitPoint(QByteArrayView all) {
  qsizetype at = all.size() / 2;
  while (at < all.size() && (all[at] == '\r' || all[at] == '\n')) ++at;
  return at;
}

SectionScan SectionScan::Of(QByteArrayView all, qsizetype from, qsizetype to) {
  SectionScan scan;
  scan.lastEnd = from;
  scan.to = to;
  const QByteArrayView part = all.first(to);
  for (qsizetype start = from;;) {
    const qsizetype hit = FindSeparator(part, start);
    if (hit < 0) return scan;
    if (scan.first < 0) scan.first = hit;
    ++scan.separators;
    if (hit - start > Separator.size()) scan.longest = scan.separators;
    start = hit + Separator.size();
    scan.lastEnd = start;
  }
}

std::int32_t SectionScan::Cars() const {
  if (separators > 0 && to - lastEnd > Separator.size())
    return static_cast<std::int32_t>(separators);
  return static_cast<std::int32_t>(std::max<std::int64_t>(longest - 1, 0));
}

// The section that reaches across the split point starts where the first
// scan's last separator ends and is counted after the first scan's sections.
std::int64_t SectionScan::KeptSections(QByteArrayView all, const SectionScan& before,
                                       const SectionScan& after) {
  const std::int64_t across = before.separators + 1;
  const qsizetype acrossEnd = after.separators > 0 ? after.first : all.size();
  if (after.Cars() > 0) return across + after.Cars();
  if (acrossEnd - before.lastEnd > Separator.size()) return across;
  return before.longest;
}
