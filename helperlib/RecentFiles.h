#pragma once

#include <QString>
#include <QStringList>

// The files the user opened or saved last, newest first, kept in the
// program's settings: each once (by its absolute path), at most MaxCount.
class RecentFiles {
 public:
  static constexpr int MaxCount = 8;

  QStringList List() const;
  // Puts the file first.
  void Add(const QString& path);
  void Remove(const QString& path);
  void Clear();

 private:
  void Store(const QStringList& files);
};
