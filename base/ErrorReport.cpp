#include "base/ErrorReport.h"

#include <new>

#include "base/RuntimeErrors.h"
#include "base/TorqletError.h"

namespace {

QString NumberedText(const char* prefix, const std::exception& error,
                     const QString& detailSeparator) {
  if (const auto* numbered = dynamic_cast<const TorqletError*>(&error)) {
    QString text = QStringLiteral("%1 %2: %3")
                       .arg(QLatin1String(prefix))
                       .arg(numbered->Number())
                       .arg(numbered->Description());
    for (const TorqletError* cause = numbered->Cause(); cause; cause = cause->Cause()) {
      text += QStringLiteral(": ") + cause->Description();
    }
    if (!numbered->Detail().isEmpty()) text += detailSeparator + numbered->Detail();
    return text;
  }
  if (dynamic_cast<const std::bad_alloc*>(&error)) {
    return QStringLiteral("%1 %2: %3")
        .arg(QLatin1String(prefix))
        .arg(ErrOutOfMemory)
        .arg(RuntimeErrorText(ErrOutOfMemory));
  }
  return QStringLiteral("%1: %2").arg(QLatin1String(prefix), QString::fromLocal8Bit(error.what()));
}

}  // namespace

QString ErrorReportText(const std::exception& error) {
  return NumberedText("Error", error, QStringLiteral("\r\n"));
}

QString ErrorLineText(const std::exception& error) {
  return NumberedText("error", error, QStringLiteral(": "));
}
