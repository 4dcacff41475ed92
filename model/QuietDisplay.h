#pragma once

#include <QString>

#include "model/StatusDisplay.h"

// A display where nobody watches the steps: it keeps the caption and shows
// nothing, warnings included unless a subclass tells them.
class QuietDisplay : public StatusDisplay {
 public:
  QString Caption() const override { return caption_; }
  void SetCaption(const QString& text) override { caption_ = text; }
  void SetProgressVisible(bool) override {}
  void SetProgressMax(float) override {}
  void SetProgressValue(float) override {}
  void Show() override {}
  void Warn(const QString&) override {}

 private:
  QString caption_;
};
