#include "base/RuntimeErrors.h"

#include <QCoreApplication>

#include "base/TorqletError.h"

QString RuntimeErrorText(std::int32_t number) {
  static const struct {
    std::int32_t number;
    const char* text;
  } texts[] = {
      {ErrInvalidArgument, QT_TRANSLATE_NOOP("RuntimeErrors", "Invalid procedure call or argument")},
      {ErrOverflow, QT_TRANSLATE_NOOP("RuntimeErrors", "Overflow")},
      {ErrOutOfMemory, QT_TRANSLATE_NOOP("RuntimeErrors", "Out of memory")},
      {ErrDivisionByZero, QT_TRANSLATE_NOOP("RuntimeErrors", "Division by zero")},
      {ErrTypeMismatch, QT_TRANSLATE_NOOP("RuntimeErrors", "Type mismatch")},
      {ErrFileNotFound, QT_TRANSLATE_NOOP("RuntimeErrors", "File not found")},
      {ErrDiskFull, QT_TRANSLATE_NOOP("RuntimeErrors", "Disk full")},
      {ErrPermissionDenied, QT_TRANSLATE_NOOP("RuntimeErrors", "Permission denied")},
      {ErrPathFileAccess, QT_TRANSLATE_NOOP("RuntimeErrors", "Path/File access error")},
  };
  for (const auto& entry : texts) {
    if (entry.number == number) return QCoreApplication::translate("RuntimeErrors", entry.text);
  }
  return QCoreApplication::translate("RuntimeErrors", "Application-defined or object-defined error");
}

void RaiseRuntimeError(std::int32_t number, const QString& detail) {
  QString description = RuntimeErrorText(number);
  if (!detail.isEmpty()) description += QStringLiteral(": ") + detail;
  throw TorqletError(number, QLatin1String(ProjectName), description);
}
