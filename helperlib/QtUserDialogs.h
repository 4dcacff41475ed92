#pragma once

#include "helperlib/UserDialogs.h"

// Shows Qt's own message boxes, input boxes, (non-native) file dialogs and an
// about box over the active window.
class QtUserDialogs final : public UserDialogs {
 public:
  Answer MessageBox(const QString& text, Buttons buttons, Icon icon, const QString& title) override;
  int PickFromList(const QString& prompt, const QString& title, const QStringList& items,
                   const QString& otherButton) override;
  int Choose(const QString& text, Icon icon, const QString& title, const QStringList& choices,
             int defaultChoice) override;
  QString InputBox(const QString& prompt, const QString& title,
                   const QString& defaultText) override;
  std::optional<QString> AskFileName(const FileRequest& request) override;
  void AboutBox(const QString& title, const QIcon& icon, const QString& heading,
                const QStringList& lines) override;

  // "desc|pattern|desc|pattern" as Qt's "desc (pattern);;desc (pattern)".
  static QString QtFilter(const QString& pairs);
};
