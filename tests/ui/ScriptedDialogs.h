#pragma once

#include <QString>
#include <deque>
#include <vector>

#include "helperlib/UserDialogs.h"

// Plays back the user's answers in order and records every question asked.
// It installs itself while it lives. A question whose kind does not match the
// next scripted answer (or with none left) is answered with Cancel and counted
// in Unexpected().
class ScriptedDialogs final : public UserDialogs {
 public:
  struct Question {
    QString kind;  // "message", "input", "open" or "save"
    QString title;
    QString text;
    Buttons buttons = Buttons::Ok;
    FileRequest file;
  };

  ScriptedDialogs();
  ~ScriptedDialogs() override;

  void AnswerMessage(Answer answer);
  void ChooseFile(const QString& path);
  void CancelFile();
  void EnterText(const QString& text);

  int Unexpected() const { return unexpected_; }
  bool AllUsed() const { return answers_.empty(); }
  std::vector<Question> asked;

  Answer MessageBox(const QString& text, Buttons buttons, Icon icon, const QString& title) override;
  QString InputBox(const QString& prompt, const QString& title,
                   const QString& defaultText) override;
  std::optional<QString> AskFileName(const FileRequest& request) override;

 private:
  enum class Kind { Message, File, Input };
  struct Scripted {
    Kind kind;
    Answer answer = Answer::Cancel;
    std::optional<QString> text;
  };
  std::optional<Scripted> Next(Kind kind);

  std::deque<Scripted> answers_;
  int unexpected_ = 0;
};
