#pragma once

#include <QIcon>
#include <QString>
#include <QStringList>
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
    QString kind;  // "message", "input", "open", "save" or "about"
    QString title;
    QString text;  // the message, the prompt or the about box's heading
    Buttons buttons = Buttons::Ok;
    FileRequest file;
    Icon icon = Icon::Exclamation;
    QString defaultText;  // of an input box
    QStringList lines;    // of the about box
    QIcon picture;        // of the about box
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
  // Needs no answer: it is only recorded.
  void AboutBox(const QString& title, const QIcon& icon, const QString& heading,
                const QStringList& lines) override;

 private:
  enum class Kind { Message, File, Input };
  struct Scripted {
    Kind kind;
    Answer answer = Answer::Cancel;
    QString text;  // null when the answer carries none
  };
  std::optional<Scripted> Next(Kind kind);
  Question& Record(const QString& kind, const QString& title, const QString& text);

  std::deque<Scripted> answers_;
  int unexpected_ = 0;
};
