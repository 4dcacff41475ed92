// The fuzz target: every input goes through the car file checks; a broken
// promise or a crash stops the run with the input saved by libFuzzer.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "CarFileChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static CarFileChecks checks;
  const QString fault =
      checks.Check(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
  if (!fault.isEmpty()) {
    std::fprintf(stderr, "car file check failed: %s\n", fault.toLocal8Bit().constData());
    std::abort();
  }
  return 0;
}
