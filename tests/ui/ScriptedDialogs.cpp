#include "ScriptedDialogs.h"

ScriptedDialogs::ScriptedDialogs() { UserDialogs::Install(this); }

ScriptedDialogs::~ScriptedDialogs() { UserDialogs::Install(nullptr); }

void ScriptedDialogs::AnswerMessage(Answer answer) {
  answers_.push_back({Kind::Message, answer, QString()});
}

void ScriptedDialogs::ChooseFile(const QString& path) {
  answers_.push_back({Kind::File, Answer::Ok, path});
}

void ScriptedDialogs::CancelFile() { answers_.push_back({Kind::File, Answer::Cancel, QString()}); }

void ScriptedDialogs::EnterText(const QString& text) {
  answers_.push_back({Kind::Input, Answer::Ok, text});
}

ScriptedDialogs::Question& ScriptedDialogs::Record(const QString& kind, const QString& title,
                                                   const QString& text) {
  Question question;
  question.kind = kind;
  question.title = title;
  question.text = text;
  asked.push_back(question);
  return asked.back();
}

std::optional<ScriptedDialogs::Scripted> ScriptedDialogs::Next(Kind kind) {
  if (answers_.empty() || answers_.front().kind != kind) {
    ++unexpected_;
    return std::nullopt;
  }
  std::optional<Scripted> next(std::move(answers_.front()));
  answers_.pop_front();
  return next;
}

UserDialogs::Answer ScriptedDialogs::MessageBox(const QString& text, Buttons buttons, Icon icon,
                                                const QString& title) {
  Question& question = Record(QStringLiteral("message"), title, text);
  question.buttons = buttons;
  question.icon = icon;
  const auto next = Next(Kind::Message);
  return next ? next->answer : Answer::Cancel;
}

QString ScriptedDialogs::InputBox(const QString& prompt, const QString& title,
                                  const QString& defaultText) {
  Record(QStringLiteral("input"), title, prompt).defaultText = defaultText;
  const auto next = Next(Kind::Input);
  return next ? next->text : QString();
}

std::optional<QString> ScriptedDialogs::AskFileName(const FileRequest& request) {
  Record(request.save ? QStringLiteral("save") : QStringLiteral("open"), QString(), QString())
      .file = request;
  const auto next = Next(Kind::File);
  if (!next || next->text.isNull()) return std::nullopt;
  return next->text;
}

void ScriptedDialogs::AboutBox(const QString& title, const QIcon& icon, const QString& heading,
                               const QStringList& lines) {
  Question& question = Record(QStringLiteral("about"), title, heading);
  question.lines = lines;
  question.picture = icon;
}
