#pragma once

#include <QString>
#include <cstdio>

#include "helperlib/UserDialogs.h"

// Answers every file dialog with one path and prints any message, so that a
// benchmark runs without a person.
class BenchDialogs final : public UserDialogs {
 public:
  explicit BenchDialogs(QString path) : path_(std::move(path)) { UserDialogs::Install(this); }
  ~BenchDialogs() override { UserDialogs::Install(nullptr); }

  Answer MessageBox(const QString& text, Buttons, Icon, const QString& title) override {
    std::fprintf(stderr, "message [%s]: %s\n", qPrintable(title), qPrintable(text));
    return Answer::Cancel;
  }
  QString InputBox(const QString&, const QString&, const QString&) override { return QString(); }
  std::optional<QString> AskFileName(const FileRequest&) override {
    if (path_.isEmpty()) return std::nullopt;
    return path_;
  }

 private:
  QString path_;
};
