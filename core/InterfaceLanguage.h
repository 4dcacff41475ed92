#pragma once

#include <QString>

class QCoreApplication;

// The language of the program's interface: German or English. It follows the
// user's interface languages (the system locale, as LANG or LANGUAGE set
// it): German where the first of them is German, English for every other.
// One choice picks the translation of the windows and messages and the
// program's own error texts alike.
class InterfaceLanguage {
 public:
  static bool IsGerman();
  // Overrides the user's choice with "de" or "en"; false, with nothing
  // changed, for another code.
  static bool Set(const QString& code);
  // Removes "--lang CODE" (or "--lang=CODE") from the arguments and sets the
  // language from it; false for a code that is neither "de" nor "en".
  static bool TakeOption(int& argc, char* argv[]);
  // Installs the program's translation and Qt's own (its buttons and
  // dialogs) for the language into the application; English needs none.
  static void InstallTranslations(QCoreApplication& application);
};
