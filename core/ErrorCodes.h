#pragma once

#include <cstdint>

// The program's own error numbers: the base for errors of objects (0x80040000)
// plus 0x500, then one code after another. Their texts have the ids 1001 + k.
inline constexpr std::int32_t OwnErrorBase = static_cast<std::int32_t>(0x80040500u);
inline constexpr std::int32_t ErrUnexpectedInternal = OwnErrorBase + 0;
inline constexpr std::int32_t ErrBadCall = OwnErrorBase + 1;
inline constexpr std::int32_t ErrBadCallContext = OwnErrorBase + 2;
inline constexpr std::int32_t ErrBadPropertyValue = OwnErrorBase + 3;
inline constexpr std::int32_t ErrAwaitingTermination = OwnErrorBase + 4;
inline constexpr std::int32_t ErrBadFileContent = OwnErrorBase + 5;

// Runtime errors that pass through the program unchanged.
inline constexpr std::int32_t ErrInvalidArgument = 5;
inline constexpr std::int32_t ErrOverflow = 6;
inline constexpr std::int32_t ErrOutOfMemory = 7;
inline constexpr std::int32_t ErrDivisionByZero = 11;
inline constexpr std::int32_t ErrTypeMismatch = 13;
inline constexpr std::int32_t ErrFileNotFound = 53;
inline constexpr std::int32_t ErrDiskFull = 61;
inline constexpr std::int32_t ErrPermissionDenied = 70;
inline constexpr std::int32_t ErrPathFileAccess = 75;
