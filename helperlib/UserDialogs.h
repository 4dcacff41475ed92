#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QIcon;

// The one way the program talks to the user in a modal box: message boxes,
// input boxes, file dialogs and the about box. The editor installs an implementation that
// shows Qt's dialogs; tests install one that plays back scripted answers.
// Without an installed implementation every question is answered as if the
// user had cancelled it.
class UserDialogs {
 public:
  // YesNo has No as its default answer, YesNoDiscard Yes.
  enum class Buttons { Ok, YesNo, YesNoCancel, YesNoDiscard };
  enum class Icon { Exclamation, Question };
  enum class Answer { Ok, Yes, No, Cancel, Discard };

  // What a file dialog proposes: a name (a bare name or a full path), the
  // filter in the pair form "description|pattern|...", and the extension that
  // a typed name without one gets (".gci").
  struct FileRequest {
    bool save = false;
    QString fileName;
    QString filter;
    QString defaultExt;
    QString title;  // the dialog's caption; empty for the usual one
  };

  virtual ~UserDialogs() = default;

  virtual Answer MessageBox(const QString& text, Buttons buttons, Icon icon,
                            const QString& title) = 0;
  // A message with buttons of the given texts; the index of the one the user
  // pressed (Enter presses the default one, Escape the last), or -1 when the
  // box was closed without.
  virtual int Choose(const QString& text, Icon icon, const QString& title,
                     const QStringList& choices, int defaultChoice) = 0;
  // A list to pick one item from (the first one preselected), with a button
  // of the given text beside OK and Cancel: the item's index, OtherChoice for
  // that button, or -1 when the user cancels.
  static constexpr int OtherChoice = -2;
  virtual int PickFromList(const QString& prompt, const QString& title, const QStringList& items,
                           const QString& otherButton) = 0;
  // The entered text, or an empty text when the user cancels.
  virtual QString InputBox(const QString& prompt, const QString& title,
                           const QString& defaultText) = 0;
  // The chosen full path, or nothing when the user cancels.
  virtual std::optional<QString> AskFileName(const FileRequest& request) = 0;
  // Shows the program's about box: its title, picture, heading and the lines
  // below the heading; returns when the user has closed it.
  virtual void AboutBox(const QString& title, const QIcon& icon, const QString& heading,
                        const QStringList& lines) = 0;

  static UserDialogs& Current();
  // Installs an implementation (not owned); nullptr goes back to cancelling.
  static void Install(UserDialogs* dialogs);
};
