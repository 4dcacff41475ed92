#pragma once

#include "helperlib/UserDialogs.h"

// Shows Qt's own message boxes, input boxes and (non-native) file dialogs over
// the active window.
class QtUserDialogs final : public UserDialogs {
 public:
  Answer MessageBox(const QString& text, Buttons buttons, Icon icon, const QString& title) override;
  QString InputBox(const QString& prompt, const QString& title,
                   const QString& defaultText) override;
  std::optional<QString> AskFileName(const FileRequest& request) override;

  // "desc|pattern|desc|pattern" as Qt's "desc (pattern);;desc (pattern)".
  static QString QtFilter(const QString& pairs);
};
