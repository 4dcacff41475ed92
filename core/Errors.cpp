#include "core/Errors.h"

#include "core/ErrorCodes.h"
#include "core/StringTable.h"
#include "core/TorqletError.h"
#include "helperlib/GlobalFunctions.h"

namespace {

[[noreturn]] void Raise(std::int32_t number, const QString& suffix) {
  GlobalFunctions::Instance().DebugOutput(
      QStringLiteral("* Error (Number:=%1, Source:='%2')").arg(number).arg(suffix), 0);
  const QString description = ErrDescr(number);
  throw TorqletError(number, QLatin1String(ProjectName) + suffix, description);
}

}  // namespace

void RaiseError(std::int32_t number) { Raise(number, QString()); }

void RaiseError(std::int32_t number, const QString& source) {
  Raise(number, QLatin1Char('.') + source);
}

QString ErrDescr(std::int32_t number) {
  // Computed in 64 bits: numbers far from the base must not wrap onto a text.
  const std::int64_t id = std::int64_t(number) - std::int64_t(OwnErrorBase) + 1001;
  QString description = StringTable::Lookup(id);
  if (description.isNull()) {
    description = QStringLiteral("Description for error '%1' not found").arg(number);
  }
  GlobalFunctions::Instance().DebugOutput(
      QStringLiteral("* ErrDescr(Number:=%1) [= %2]").arg(number).arg(description), 0);
  return description;
}

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
