#pragma once

#include <cstdint>

#include "base/RuntimeErrors.h"

// The program's own error numbers: the base for errors of objects (0x80040000)
// plus 0x500, then one code after another. Their texts have the ids 1001 + k.
// The runtime's errors that pass through unchanged come with this header.
inline constexpr std::int32_t OwnErrorBase = static_cast<std::int32_t>(0x80040500u);
inline constexpr std::int32_t ErrUnexpectedInternal = OwnErrorBase + 0;
inline constexpr std::int32_t ErrBadCall = OwnErrorBase + 1;
inline constexpr std::int32_t ErrBadCallContext = OwnErrorBase + 2;
inline constexpr std::int32_t ErrBadPropertyValue = OwnErrorBase + 3;
inline constexpr std::int32_t ErrAwaitingTermination = OwnErrorBase + 4;
inline constexpr std::int32_t ErrBadFileContent = OwnErrorBase + 5;
