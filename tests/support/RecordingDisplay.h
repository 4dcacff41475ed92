#pragma once

#include <QStringList>

#include "model/StatusDisplay.h"

// Stands in for the main window and records what the car file shows on it, one
// line per call: "caption TEXT", "visible 0|1", "max N", "value N", "show".
// Header only: the fuzz target uses it too.
class RecordingDisplay final : public StatusDisplay {
 public:
  QString Caption() const override { return caption; }
  void SetCaption(const QString& text) override { events << "caption " + (caption = text); }
  void SetProgressVisible(bool on) override {
    events << QStringLiteral("visible %1").arg(int(visible = on));
  }
  void SetProgressMax(float max) override { events << QStringLiteral("max %1").arg(max); }
  void SetProgressValue(float value) override { events << QStringLiteral("value %1").arg(value); }
  void Show() override { events << QStringLiteral("show"); }
  void Warn(const QString& text) override { events << "warn " + text; }

  QStringList events;
  QString caption;
  bool visible = false;
};
