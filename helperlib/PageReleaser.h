#pragma once

#include <QtGlobal>

// Gives the memory pages of a buffer that is read from front to back back to
// the system behind the reader, so that a large buffer does not stay whole
// while what is read from it is built up elsewhere. The bytes of a released
// page are gone (they read as zero): only the sole owner of a buffer may
// release from it, and only what nobody reads again.
class PageReleaser {
 public:
  // Releases nothing without a buffer (data null); from is where the reader starts.
  PageReleaser(char* data, qsizetype from) : data_(data), done_(from) {}

  // The reader is done with everything before to: releases the whole pages
  // between the last such point and to, once they add up to a stride.
  void ReleaseBefore(qsizetype to);

 private:
  static constexpr qsizetype Stride = qsizetype(1) << 20;

  char* data_;
  qsizetype done_;
};
