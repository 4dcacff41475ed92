#pragma once

#include <QCoreApplication>
#include <QString>
#include <cstdio>

#include "model/StatusDisplay.h"

// What torqlet-cli shows of a car file's steps: nothing but its warnings, each
// at once as one line "torqlet-cli COMMAND: warning: TEXT" on standard error.
class CliStatus final : public StatusDisplay {
  Q_DECLARE_TR_FUNCTIONS(CliStatus)

 public:
  explicit CliStatus(QString caller, std::FILE* err = stderr)
      : caller_(std::move(caller)), err_(err) {}

  QString Caption() const override { return caption_; }
  void SetCaption(const QString& text) override { caption_ = text; }
  void SetProgressVisible(bool) override {}
  void SetProgressMax(float) override {}
  void SetProgressValue(float) override {}
  void Show() override {}
  void Warn(const QString& text) override;

 private:
  QString caller_;
  std::FILE* err_;
  QString caption_;
};
