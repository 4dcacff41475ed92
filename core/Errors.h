#pragma once

#include <QString>
#include <cstdint>

// Raising and describing errors. RaiseError is the only way the program raises
// its own errors; it writes two diagnostic lines and throws a TorqletError whose
// source is "Torqlet11" followed by "." and the given source.
[[noreturn]] void RaiseError(std::int32_t number);
[[noreturn]] void RaiseError(std::int32_t number, const QString& source);

// The text of an own error number in the interface language (German for a
// German interface, English otherwise); never fails.
QString ErrDescr(std::int32_t number);

// Throws one of the runtime's errors (invalid argument, overflow, type
// mismatch, file errors) with its standard text and an optional detail.
[[noreturn]] void RaiseRuntimeError(std::int32_t number, const QString& detail = QString());

// The runtime's own text of a runtime error number.
QString RuntimeErrorText(std::int32_t number);

// The project name that every error source starts with.
inline constexpr const char* ProjectName = "Torqlet11";
