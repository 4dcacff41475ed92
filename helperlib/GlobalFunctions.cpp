#include "helperlib/GlobalFunctions.h"

Q_LOGGING_CATEGORY(lcDiagnostics, "torqlet.diagnostics", QtWarningMsg)

GlobalFunctions& GlobalFunctions::Instance() {
  static GlobalFunctions instance;
  return instance;
}

void GlobalFunctions::DebugOutput(const QString& text, int /*flags*/) {
  qCDebug(lcDiagnostics).noquote() << text;
}
