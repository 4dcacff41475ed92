#pragma once

#include <QByteArrayView>
#include <cstdint>

// The empty lines (CR LF CR LF) that separate the sections of a car file's
// content, counted between two points that no separator reaches across, so
// that two threads can each count one part of a large content.
struct SectionScan {
  static constexpr QByteArrayView Separator{"\r\n\r\n"};

  // Position of the next separator at or after from, or -1.
  static qsizetype FindSeparator(QByteArrayView text, qsizetype from);
  // Where a second part starts: the first byte from the middle on that is
  // neither CR nor LF, so that a scan from it finds the separators that a scan
  // from the start finds; the end when there is none.
  static qsizetype SplitPoint(QByteArrayView all);
  // The separators between from and to.
  static SectionScan Of(QByteArrayView all, qsizetype from, qsizetype to);
  // How many sections remain once the short trailing ones are gone, from the
  // scans before and after the split point.
  static std::int64_t KeptSections(QByteArrayView all, const SectionScan& before,
                                   const SectionScan& after);

  // How many cars there are after the first separator, up to the last section
  // longer than a separator (the one after the last separator included).
  std::int32_t Cars() const;

  std::int64_t separators = 0;
  qsizetype first = -1;   // where the first separator starts
  qsizetype lastEnd = 0;  // where the section after the last starts; from without any
  // The number of the last section longer than a separator among those that
  // end at one, counted from the one at from.
  std::int64_t longest = 0;
  qsizetype to = 0;
};
