#pragma once

#include <QLoggingCategory>
#include <QString>

// Diagnostics go to this category, which is silent unless a logging rule
// (QT_LOGGING_RULES="torqlet.diagnostics.debug=true") switches it on.
Q_DECLARE_LOGGING_CATEGORY(lcDiagnostics)

// The helper library's global object: one instance, made on first use.
class GlobalFunctions {
 public:
  static GlobalFunctions& Instance();

  // Writes one diagnostic line; the user never sees it.
  void DebugOutput(const QString& text, int flags);

 private:
  GlobalFunctions() = default;
};
