#include "ScriptedDialogs.h"

ScriptedDialogs::ScriptedDialogs() { UserDialogs::Install(this); }

ScriptedDialogs::~ScriptedDialogs() { UserDialogs::Install(nullptr); }

void ScriptedDialogs::AnswerMessage(Answer answer) {
  answers_.push_back({Kind::Message, answer, std::nullopt});
}

void ScriptedDialogs::ChooseFile(const QString& path) {
  answers_.push_back({Kind::File, Answer::Ok, path});
}

void ScriptedDialogs::CancelFile() {
  answers_.push_back({Kind::File, Answer::Cancel, std::nullopt});
}

void ScriptedDialogs::EnterText(const QString& text) {
  answers_.push_back({Kind::Input, Answer::Ok, text});
}

std::optional<ScriptedDialogs::Scripted> ScriptedDialogs::Next(Kind kind) {
  if (answers_.empty() || answers_.front().kind != kind) {
    ++unexpected_;
    return std::nullopt;
  }
  Scripted next = answers_.front();
  answers_.pop_front();
  return next;
}

UserDialogs::Answer ScriptedDialogs::MessageBox(const QString& text, Buttons buttons, Icon,
                                                const QString& title) {
  asked.push_back({QStringLiteral("message"), title, text, buttons, {}});
  const auto next = Next(Kind::Message);
  return next ? next->answer : Answer::Cancel;
}

QString ScriptedDialogs::InputBox(const QString& prompt, const QString& title,
                                  const QString& defaultText) {
  asked.push_back({QStringLiteral("input"), title, prompt, Buttons::Ok, {}});
  asked.back().file.fileName = defaultText;
  const auto next = Next(Kind::Input);
  return next && next->text ? *next->text : QString();
}

std::optional<QString> ScriptedDialogs::AskFileName(const FileRequest& request) {
  asked.push_back({request.save ? QStringLiteral("save") : QStringLiteral("open"), QString(),
                   QString(), Buttons::Ok, request});
  const auto next = Next(Kind::File);
  return next ? next->text : std::nullopt;
}
