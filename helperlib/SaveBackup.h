#pragma once

#include <sys/types.h>

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <cstdint>

// The copy of a file's old content that a save into the file itself (a file
// with several names keeps its inode) keeps beside it, named "NAME~", from
// before the first byte of the file changes until the new content is on the
// disk; and what a save that was killed can leave beside a file.
class SaveBackup {
  Q_DECLARE_TR_FUNCTIONS(SaveBackup)

 public:
  // Every write goes through this function (the data handler's write seam).
  using WriteFunction = std::int64_t (*)(int descriptor, const char* data, std::int64_t size);

  // The backup's name: beside the file itself where the name is a link.
  static QString NameFor(const QString& fileName);
  // Copies the content of the open file into a new backup with these
  // permission bits and brings it to the disk; 0 or the system's error
  // (EEXIST where something has the backup's name already). A backup that
  // cannot be completed is removed again.
  static int Make(int file, const QString& backupName, mode_t mode, WriteFunction write);
  // Puts the backup's content back into the open file from its first byte,
  // cuts the file there and brings it to the disk; 0 or the system's error.
  static int Restore(const QString& backupName, int file, WriteFunction write);

  // The names of the backups and temporary files that interrupted saves left
  // beside the file: its backup, and names of the file followed by a point
  // and six random letters and digits (the temporary files of the saves that
  // replace the file).
  static QStringList Leftovers(const QString& fileName);
  // The warning that names one of them.
  static QString LeftoverWarning(const QString& leftover);
};
