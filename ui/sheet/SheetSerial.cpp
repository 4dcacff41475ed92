#include "ui/sheet/SheetSerial.h"

#include <limits>

#include "base/RuntimeErrors.h"

namespace {
std::int32_t sheetSerial = 0;
}

std::int32_t SheetSerial() { return sheetSerial; }

void IncrementSheetSerial() {
  if (sheetSerial == std::numeric_limits<std::int32_t>::max()) RaiseRuntimeError(ErrOverflow);
  ++sheetSerial;
}
