#pragma once

#include <QString>
#include <cstdio>

#include "helperlib/UserDialogs.h"

// Answers every file dialog with one path and every input box with one text,
// and prints any message, so that a benchmark runs without a person.
class BenchDialogs final : public UserDialogs {
 public:
  explicit BenchDialogs(QString path, QString input = QString())
      : path_(std::move(path)), input_(std::move(input)) {
    UserDialogs::Install(this);
  }
  ~BenchDialogs() override { UserDialogs::Install(nullptr); }

  Answer MessageBox(const QString& text, Buttons, Icon, const QString& title) override {
    std::fprintf(stderr, "message [%s]: %s\n", qPrintable(title), qPrintable(text));
    return Answer::Cancel;
  }
  int PickFromList(const QString&, const QString&, const QStringList&, const QString&) override {
    return -1;
  }
  int Choose(const QString& text, Icon, const QString& title, const QStringList&, int) override {
    std::fprintf(stderr, "message [%s]: %s\n", qPrintable(title), qPrintable(text));
    return -1;
  }
  QString InputBox(const QString&, const QString&, const QString&) override { return input_; }
  void AboutBox(const QString&, const QIcon&, const QString&, const QStringList&) override {}
  std::optional<QString> AskFileName(const FileRequest&) override {
    if (path_.isEmpty()) return std::nullopt;
    return path_;
  }

 private:
  QString path_;
  QString input_;
};
