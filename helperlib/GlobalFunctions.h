#pragma once

#include <QLoggingCategory>
#include <QString>

// Diagnostics go to this category, which is silent unless a logging rule
// (QT_LOGGING_RULES="torqlet.diagnostics.debug=true") switches it on.
Q_DECLARE_LOGGING_CATEGORY(lcDiagnostics)

class TermFunctions;

// The helper library's global object: one instance, made on first use.
class GlobalFunctions {
 public:
  static GlobalFunctions& Instance();

  // Writes one diagnostic line; the user never sees it.
  void DebugOutput(const QString& text, int flags);

  // The standard functions and constants of terms: sin cos tan asin acos atan
  // atan2 sinh cosh tanh asinh acosh atanh log2 log10 log ln exp sqrt sign rint
  // abs sum avg min max, _pi and _e. The set is shared; Copy() it to change it.
  const TermFunctions& DefaultTermFunctions() const;

 private:
  GlobalFunctions() = default;
};
