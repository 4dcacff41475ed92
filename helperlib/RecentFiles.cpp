#include "helperlib/RecentFiles.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const QString Key = QStringLiteral("files/recent");

QString Absolute(const QString& path) { return QFileInfo(path).absoluteFilePath(); }

}  // namespace

QStringList RecentFiles::List() const {
  QStringList files = QSettings().value(Key).toStringList();
  files.removeAll(QString());
  if (files.size() > MaxCount) files.resize(MaxCount);
  return files;
}

void RecentFiles::Add(const QString& path) {
  QStringList files = List();
  const QString absolute = Absolute(path);
  files.removeAll(absolute);
  files.prepend(absolute);
  Store(files);
}

void RecentFiles::Remove(const QString& path) {
  QStringList files = List();
  files.removeAll(Absolute(path));
  Store(files);
}

void RecentFiles::Clear() { Store({}); }

void RecentFiles::Store(const QStringList& files) {
  QSettings().setValue(Key, files.mid(0, MaxCount));
}
