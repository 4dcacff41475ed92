#pragma once

#include <cstddef>
#include <cstring>

// Finds a byte in [begin, end) and returns its position or end.
inline const char* FindByte(const char* begin, const char* end, char wanted) {
  if (begin >= end) return end;
  const void* hit = std::memchr(begin, wanted, std::size_t(end - begin));
  return hit ? static_cast<const char*>(hit) : end;
}

// Finds CR LF in [begin, end) and returns the position of the CR, or end.
inline const char* FindLineBreak(const char* begin, const char* end) {
  for (const char* p = begin; p < end; ++p) {
    p = FindByte(p, end, '\r');
    if (p == end) return end;
    if (p + 1 < end && p[1] == '\n') return p;
  }
  return end;
}
