#include "core/ErrorReport.h"

#include <new>

#include "core/ErrorCodes.h"
#include "core/Errors.h"
#include "core/TorqletError.h"

QString ErrorReportText(const std::exception& error) {
  if (const auto* numbered = dynamic_cast<const TorqletError*>(&error)) {
    return QStringLiteral("Error %1: %2").arg(numbered->Number()).arg(numbered->Description());
  }
  if (dynamic_cast<const std::bad_alloc*>(&error)) {
    return QStringLiteral("Error %1: %2").arg(ErrOutOfMemory).arg(RuntimeErrorText(ErrOutOfMemory));
  }
  return QStringLiteral("Error: %1").arg(QString::fromLocal8Bit(error.what()));
}
