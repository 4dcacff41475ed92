#pragma once

#include <cstdint>

// Running number of car sheet windows made in this run, for their captions
// ("1: ", "2: ", ...); it never goes down. Raising it past the 32-bit range
// is the overflow error, and the number keeps its value.
std::int32_t SheetSerial();
void IncrementSheetSerial();
