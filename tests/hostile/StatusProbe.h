#pragma once

#include <QString>

#include "model/StatusDisplay.h"

// Stands in for the main window while the car file is exercised, keeping only
// what must be back at rest after every load and save: the caption and whether
// the progress bar shows.
class StatusProbe final : public StatusDisplay {
 public:
  QString Caption() const override { return caption_; }
  void SetCaption(const QString& text) override { caption_ = text; }
  void SetProgressVisible(bool visible) override { visible_ = visible; }
  void SetProgressMax(float) override {}
  void SetProgressValue(float) override {}
  void Show() override {}

  bool ProgressVisible() const { return visible_; }

 private:
  QString caption_;
  bool visible_ = false;
};
