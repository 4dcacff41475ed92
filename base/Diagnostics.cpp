#include "base/Diagnostics.h"

Q_LOGGING_CATEGORY(lcDiagnostics, "torqlet.diagnostics", QtWarningMsg)

void WriteDiagnostic(const QString& text) { qCDebug(lcDiagnostics).noquote() << text; }
