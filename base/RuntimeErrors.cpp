#include "base/RuntimeErrors.h"

#include "base/TorqletError.h"

QString RuntimeErrorText(std::int32_t number) {
  static const struct {
    std::int32_t number;
    const char* text;
  } texts[] = {
      {ErrInvalidArgument, "Invalid procedure call or argument"},
      {ErrOverflow, "Overflow"},
      {ErrOutOfMemory, "Out of memory"},
      {ErrDivisionByZero, "Division by zero"},
      {ErrTypeMismatch, "Type mismatch"},
      {ErrFileNotFound, "File not found"},
      {ErrDiskFull, "Disk full"},
      {ErrPermissionDenied, "Permission denied"},
      {ErrPathFileAccess, "Path/File access error"},
  };
  for (const auto& entry : texts) {
    if (entry.number == number) return QLatin1String(entry.text);
  }
  return QStringLiteral("Application-defined or object-defined error");
}

void RaiseRuntimeError(std::int32_t number, const QString& detail) {
  QString description = RuntimeErrorText(number);
  if (!detail.isEmpty()) description += QStringLiteral(": ") + detail;
  throw TorqletError(number, QLatin1String(ProjectName), description);
}
