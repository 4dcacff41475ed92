#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

#include "base/TorqletError.h"
#include "model/StatusDisplay.h"

// Records what the car file does to the main window, one line per call:
// "caption <text>", "visible 0|1", "max <n>", "value <n>", "show".
class RecordingDisplay final : public StatusDisplay {
 public:
  QString Caption() const override { return caption_; }
  void SetCaption(const QString& text) override;
  void SetProgressVisible(bool visible) override;
  void SetProgressMax(float max) override;
  void SetProgressValue(float value) override;
  void Show() override { events << QStringLiteral("show"); }

  bool ProgressVisible() const { return visible_; }
  // The events with runs of "value" lines folded into "value a..b".
  QStringList Folded() const;

  QStringList events;

 private:
  QString caption_;
  bool visible_ = false;
};

// Captures the diagnostic lines written while it lives.
class DiagnosticsCapture {
 public:
  DiagnosticsCapture();
  ~DiagnosticsCapture();
  QStringList lines;
};

// Runs the call and returns the number of the TorqletError it raised; fails
// the test when it raises nothing or something else.
std::int32_t ErrorNumberOf(const std::function<void()>& call);
TorqletError ErrorOf(const std::function<void()>& call);

QByteArray ReadFileBytes(const QString& path);
void WriteFileBytes(const QString& path, const QByteArray& bytes);
QByteArray StockBytes();

// A test's own folder of files; Write puts bytes into a file there.
class FileFolder {
 public:
  QString Path(const char* name) const { return folder_.filePath(QLatin1String(name)); }
  QString Write(const QByteArray& bytes, const char* name = "cars.gci") const;
  QString path() const { return folder_.path(); }
  QString filePath(const QString& name) const { return folder_.filePath(name); }

 private:
  QTemporaryDir folder_;
};
QString SourcePath(const QString& relative);

// A car block in the stock layout, with the given name and model number.
QByteArray MakeBlock(const QByteArray& name, int model);
// A file: header comment and blocks, every section followed by an empty line.
QByteArray MakeFile(const QByteArray& comment, const QList<QByteArray>& blocks);

// Runs a program and returns its exit code; out and err receive its output.
int RunProgram(const QString& program, const QStringList& arguments, QByteArray* out = nullptr,
               QByteArray* err = nullptr);
