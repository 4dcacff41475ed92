#pragma once

#include <QIcon>
#include <QStringList>
#include <deque>
#include <vector>

#include "helperlib/UserDialogs.h"

// Plays back the user's answers in order and records every question asked;
// installed while it lives. A question whose kind does not match the next
// scripted answer (or with none left) is answered with Cancel and counted in
// Unexpected().
class ScriptedDialogs final : public UserDialogs {
 public:
  struct Question {
    QString kind;  // "message", "input", "open", "save" or "about"
    QString title;
    QString text;  // the message, the prompt or the about box's heading
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::Exclamation;
    FileRequest file;
    QString defaultText;  // of an input box
    QStringList lines;    // of the about box
    QIcon picture;        // of the about box
  };

  ScriptedDialogs() { Install(this); }
  ~ScriptedDialogs() override { Install(nullptr); }

  void AnswerMessage(Answer answer) { answers_.push_back({"message", answer, {}}); }
  void ChooseFile(const QString& path) { answers_.push_back({"file", Answer::Ok, path}); }
  void CancelFile() { answers_.push_back({"file", Answer::Cancel, {}}); }
  void EnterText(const QString& text) { answers_.push_back({"input", Answer::Ok, text}); }
  int Unexpected() const { return unexpected_; }
  bool AllUsed() const { return answers_.empty(); }
  std::vector<Question> asked;

  Answer MessageBox(const QString& text, Buttons buttons, Icon icon,
                    const QString& title) override {
    asked.push_back({"message", title, text, buttons, icon});
    return Next("message").answer;
  }
  QString InputBox(const QString& prompt, const QString& title, const QString& text) override {
    asked.push_back({"input", title, prompt});
    asked.back().defaultText = text;
    return Next("input").text;
  }
  std::optional<QString> AskFileName(const FileRequest& request) override {
    asked.push_back({request.save ? "save" : "open"});
    asked.back().file = request;
    const QString path = Next("file").text;
    return path.isNull() ? std::nullopt : std::optional<QString>(path);
  }
  void AboutBox(const QString& title, const QIcon& icon, const QString& heading,
                const QStringList& lines) override {
    asked.push_back({"about", title, heading});
    asked.back().lines = lines;
    asked.back().picture = icon;
  }

 private:
  struct Scripted {
    QString kind;
    Answer answer = Answer::Cancel;
    QString text;  // null when the answer carries none
  };
  Scripted Next(const QString& kind) {
    if (answers_.empty() || answers_.front().kind != kind) {
      ++unexpected_;
      return {};
    }
    Scripted next = answers_.front();
    answers_.pop_front();
    return next;
  }

  std::deque<Scripted> answers_;
  int unexpected_ = 0;
};
