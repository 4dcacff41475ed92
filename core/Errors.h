#pragma once

#include <QString>
#include <cstdint>
#include <exception>

// Raising and describing the program's own errors. RaiseError is the only way
// the program raises them; it writes two diagnostic lines and throws a
// TorqletError whose source is "Torqlet11" followed by "." and the given
// source. Given the error that led to it, the new error keeps it as its cause.
[[noreturn]] void RaiseError(std::int32_t number);
[[noreturn]] void RaiseError(std::int32_t number, const QString& source);
[[noreturn]] void RaiseError(std::int32_t number, const QString& source,
                             const std::exception& cause);
// With where in its input the error was found and what was wrong there.
[[noreturn]] void RaiseErrorAt(std::int32_t number, const QString& source, const QString& detail);

// The text of an own error number in the interface language (German for a
// German interface, English otherwise); never fails.
QString ErrDescr(std::int32_t number);
