#include "base/ErrorReport.h"

#include <QCoreApplication>
#include <new>

#include "base/RuntimeErrors.h"
#include "base/TorqletError.h"

namespace {

QString NumberedText(const QString& prefix, const std::exception& error,
                     const QString& detailSeparator) {
  if (const auto* numbered = dynamic_cast<const TorqletError*>(&error)) {
    QString text = QStringLiteral("%1 %2: %3")
                       .arg(prefix)
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
        .arg(prefix)
        .arg(ErrOutOfMemory)
        .arg(RuntimeErrorText(ErrOutOfMemory));
  }
  return QStringLiteral("%1: %2").arg(prefix, QString::fromLocal8Bit(error.what()));
}

}  // namespace

QString ErrorReportText(const std::exception& error) {
  // The message box's word is the interface language's; the command-line
  // tool's "error N:" stays as scripts read it.
  return NumberedText(QCoreApplication::translate("ErrorReport", "Error"), error,
                      QStringLiteral("\r\n"));
}

QString ErrorLineText(const std::exception& error) {
  return NumberedText(QStringLiteral("error"), error, QStringLiteral(": "));
}
