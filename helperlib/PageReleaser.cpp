#include "helperlib/PageReleaser.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

void PageReleaser::ReleaseBefore(qsizetype to) {
  if (!data_ || to - done_ < Stride) return;
#if defined(__linux__)
  static const auto page = std::uintptr_t(::sysconf(_SC_PAGESIZE));
  const auto base = reinterpret_cast<std::uintptr_t>(data_);
  const std::uintptr_t begin = (base + std::uintptr_t(done_) + page - 1) & ~(page - 1);
  const std::uintptr_t end = (base + std::uintptr_t(to)) & ~(page - 1);
  if (end <= begin) return;
  // Only a hint: where the system refuses, the pages simply stay.
  ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_DONTNEED);
  // The page that to falls into is still read; it goes with the next stride.
  done_ = qsizetype(end - base);
#else
  done_ = to;
#endif
}
