#include "model/FileWatch.h"

#include <QFileInfo>

#include "helperlib/DataHandler.h"
#include "model/CarDocument.h"
#include "model/NycGciCars.h"

FileWatch::FileWatch(CarDocument& document, QObject* parent)
    : QObject(parent), document_(document) {
  settle_.setSingleShot(true);
  settle_.setInterval(SettleMilliseconds);
  connect(&settle_, &QTimer::timeout, this, &FileWatch::Check);
  connect(&watcher_, &QFileSystemWatcher::fileChanged, &settle_, qOverload<>(&QTimer::start));
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, &settle_, qOverload<>(&QTimer::start));
  connect(&document_, &CarDocument::Reloaded, this, &FileWatch::Arm);
  connect(&document_, &CarDocument::Saved, this, &FileWatch::Arm);
  Arm();
}

void FileWatch::Arm() {
  if (!watcher_.files().isEmpty()) watcher_.removePaths(watcher_.files());
  if (!watcher_.directories().isEmpty()) watcher_.removePaths(watcher_.directories());
  seen_.reset();
  const QString& name = document_.FileName();
  if (name.isEmpty()) return;
  watcher_.addPath(QFileInfo(name).absolutePath());
  if (QFileInfo::exists(name)) watcher_.addPath(name);
}

void FileWatch::Check() {
  const QString& name = document_.FileName();
  if (name.isEmpty()) return;
  // A file replaced by a rename is no longer watched.
  if (!watcher_.files().contains(name) && QFileInfo::exists(name)) watcher_.addPath(name);
  const FileIdentity now = FileIdentity::Of(name);
  if (now == document_.CarFile().Data().DiskIdentity() || (seen_ && *seen_ == now)) {
    seen_ = now;
    return;
  }
  seen_ = now;
  emit ChangedOnDisk(!now.IsValid());
}
