#pragma once

#include <QString>
#include <optional>

// The one way the program talks to the user in a modal box: message boxes,
// input boxes and file dialogs. The editor installs an implementation that
// shows Qt's dialogs; tests install one that plays back scripted answers.
// Without an installed implementation every question is answered as if the
// user had cancelled it.
class UserDialogs {
 public:
  enum class Buttons { Ok, YesNoCancel };
  enum class Icon { Exclamation, Question };
  enum class Answer { Ok, Yes, No, Cancel };

  // What a file dialog proposes: a name (a bare name or a full path), the
  // filter in the pair form "description|pattern|...", and the extension that
  // a typed name without one gets (".gci").
  struct FileRequest {
    bool save = false;
    QString fileName;
    QString filter;
    QString defaultExt;
  };

  virtual ~UserDialogs() = default;

  virtual Answer MessageBox(const QString& text, Buttons buttons, Icon icon,
                            const QString& title) = 0;
  // The entered text, or an empty text when the user cancels.
  virtual QString InputBox(const QString& prompt, const QString& title,
                           const QString& defaultText) = 0;
  // The chosen full path, or nothing when the user cancels.
  virtual std::optional<QString> AskFileName(const FileRequest& request) = 0;

  static UserDialogs& Current();
  // Installs an implementation (not owned); nullptr goes back to cancelling.
  static void Install(UserDialogs* dialogs);
};
