#pragma once

#include <QCoreApplication>
#include <QString>
#include <cstdio>

#include "model/QuietDisplay.h"

// What torqlet-cli shows of a car file's steps: nothing but its warnings, each
// at once as one line "torqlet-cli COMMAND: warning: TEXT" on standard error.
class CliStatus final : public QuietDisplay {
  Q_DECLARE_TR_FUNCTIONS(CliStatus)

 public:
  explicit CliStatus(QString caller, std::FILE* err = stderr)
      : caller_(std::move(caller)), err_(err) {}

  void Warn(const QString& text) override;

 private:
  QString caller_;
  std::FILE* err_;
};
