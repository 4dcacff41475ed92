#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <optional>

#include "helperlib/FileIdentity.h"

class CarDocument;

// Watches the file of a document, and its folder, for what other programs do
// to it. The signals of one change (a save that truncates, writes and renames)
// settle for SettleMilliseconds; then the file's identity is compared with
// the one the document last read or wrote, so the document's own saves are
// never reported, and each change is reported once. The watch is set again
// after every load and save, as an atomic save replaces the watched file.
class FileWatch : public QObject {
  Q_OBJECT

 public:
  static constexpr int SettleMilliseconds = 250;

  explicit FileWatch(CarDocument& document, QObject* parent = nullptr);

  // Compares the file with the document's now (the watch does it by itself
  // once a change has settled).
  void Check();

 signals:
  // Another program changed or replaced the file, or deleted it.
  void ChangedOnDisk(bool deleted);

 private:
  void Arm();

  CarDocument& document_;
  QFileSystemWatcher watcher_;
  QTimer settle_;
  // The file's identity last reported, or found to be the document's own.
  std::optional<FileIdentity> seen_;
};
