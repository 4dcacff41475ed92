#pragma once

#include <QString>
#include <cstdint>

// Errors of the runtime that pass through the program unchanged, with their
// standard texts. Every layer raises them; the program's own numbered errors
// live with the program (core/).
inline constexpr std::int32_t ErrInvalidArgument = 5;
inline constexpr std::int32_t ErrOverflow = 6;
inline constexpr std::int32_t ErrOutOfMemory = 7;
inline constexpr std::int32_t ErrDivisionByZero = 11;
inline constexpr std::int32_t ErrTypeMismatch = 13;
inline constexpr std::int32_t ErrFileNotFound = 53;
inline constexpr std::int32_t ErrDiskFull = 61;
inline constexpr std::int32_t ErrPermissionDenied = 70;
inline constexpr std::int32_t ErrPathFileAccess = 75;

// The project name that every error source starts with.
inline constexpr const char* ProjectName = "Torqlet11";

// Throws one of the runtime's errors with its standard text and an optional
// detail after it ("Overflow: ...").
[[noreturn]] void RaiseRuntimeError(std::int32_t number, const QString& detail = QString());

// The runtime's own text of a runtime error number.
QString RuntimeErrorText(std::int32_t number);
