#pragma once

#include <QString>
#include <QStringList>

class QIcon;
class TermFunctions;

// The helper library's global object: one instance, made on first use.
class GlobalFunctions {
 public:
  static GlobalFunctions& Instance();

  // Writes one diagnostic line (to the category torqlet.diagnostics, silent
  // unless a logging rule switches it on); the user never sees it.
  void DebugOutput(const QString& text);

  // Shows an about box with the caption, the picture, a heading (the version
  // text) and the lines below it, through the program's dialogs.
  void ShowAboutBox(const QString& caption, const QIcon& icon, const QString& heading,
                    const QStringList& lines);

  // The standard functions and constants of terms: sin cos tan asin acos atan
  // atan2 sinh cosh tanh asinh acosh atanh log2 log10 log ln exp sqrt sign rint
  // abs sum avg min max, _pi and _e. The set is shared; Copy() it to change it.
  const TermFunctions& DefaultTermFunctions() const;

 private:
  GlobalFunctions() = default;
};
