#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "base/ErrorReport.h"

// What every fuzz target shares: a broken promise stops the run naming it, and
// so does an exception that escapes the code under test.

inline void Expect(bool holds, const char* promise) {
  if (holds) return;
  std::fprintf(stderr, "check failed: %s\n", promise);
  std::abort();
}

template <typename Check>
int RunFuzzCheck(const std::uint8_t* data, std::size_t size, Check check) {
  try {
    check(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "unexpected %s\n", qPrintable(ErrorLineText(error)));
    std::abort();
  }
  return 0;
}
