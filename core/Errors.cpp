#include "core/Errors.h"

#include <memory>

#include "base/Diagnostics.h"
#include "base/TorqletError.h"
#include "core/ErrorCodes.h"
#include "core/StringTable.h"

namespace {

[[noreturn]] void Raise(std::int32_t number, const QString& suffix,
                        std::shared_ptr<const TorqletError> cause = nullptr,
                        const QString& detail = QString()) {
  WriteDiagnostic(QStringLiteral("* Error (Number:=%1, Source:='%2')").arg(number).arg(suffix));
  const QString description = ErrDescr(number);
  const TorqletError error(number, QLatin1String(ProjectName) + suffix, description,
                           std::move(cause));
  if (detail.isEmpty()) throw error;
  throw error.WithDetail(detail);
}

}  // namespace

void RaiseError(std::int32_t number) { Raise(number, QString()); }

void RaiseError(std::int32_t number, const QString& source) {
  Raise(number, QLatin1Char('.') + source);
}

void RaiseError(std::int32_t number, const QString& source, const std::exception& cause) {
  std::shared_ptr<const TorqletError> kept;
  if (const auto* numbered = dynamic_cast<const TorqletError*>(&cause)) {
    kept = std::make_shared<TorqletError>(*numbered);
  }
  Raise(number, QLatin1Char('.') + source, std::move(kept));
}

void RaiseErrorAt(std::int32_t number, const QString& source, const QString& detail) {
  Raise(number, QLatin1Char('.') + source, nullptr, detail);
}

QString ErrDescr(std::int32_t number) {
  // Computed in 64 bits: numbers far from the base must not wrap onto a text.
  const std::int64_t id = std::int64_t(number) - std::int64_t(OwnErrorBase) + 1001;
  QString description = StringTable::Lookup(id);
  if (description.isNull()) {
    description = QStringLiteral("Description for error '%1' not found").arg(number);
  }
  WriteDiagnostic(QStringLiteral("* ErrDescr(Number:=%1) [= %2]").arg(number).arg(description));
  return description;
}
