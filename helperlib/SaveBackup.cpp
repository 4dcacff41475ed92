#include "helperlib/SaveBackup.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <vector>

namespace {

constexpr std::int64_t CopyChunk = 1 << 20;

// Copies everything from one open file, from its first byte, to another at its
// current position; 0 or the system's error.
int CopyContent(int from, int to, SaveBackup::WriteFunction write) {
  std::vector<char> chunk(CopyChunk);
  for (off_t at = 0;;) {
    const ssize_t got = ::pread(from, chunk.data(), chunk.size(), at);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return errno;
    if (got == 0) return 0;
    for (ssize_t done = 0; done < got;) {
      errno = 0;
      const std::int64_t written = write(to, chunk.data() + done, got - done);
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) return written < 0 && errno != 0 ? errno : ENOSPC;
      done += ssize_t(written);
    }
    at += got;
  }
}

// Six letters and digits of more than one kind, as the system's and Qt's
// temporary names have them, unlike a word a user gives a file.
bool LooksRandom(const QString& suffix) {
  static const QRegularExpression sixAlphanumerics(QStringLiteral("^[A-Za-z0-9]{6}$"));
  if (!sixAlphanumerics.match(suffix).hasMatch()) return false;
  int kinds = 0;
  for (const auto& kind :
       {QStringLiteral("[a-z]"), QStringLiteral("[A-Z]"), QStringLiteral("[0-9]")}) {
    if (suffix.contains(QRegularExpression(kind))) ++kinds;
  }
  return kinds > 1;
}

}  // namespace

QString SaveBackup::NameFor(const QString& fileName) {
  const QString real = QFileInfo(fileName).canonicalFilePath();
  return (real.isEmpty() ? fileName : real) + QLatin1Char('~');
}

int SaveBackup::Make(int file, const QString& backupName, mode_t mode, WriteFunction write) {
  const QByteArray name = QFile::encodeName(backupName);
  const int backup = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (backup < 0) return errno;
  int systemError = CopyContent(file, backup, write);
  // The backup may be read by whoever may read the file, no one else.
  if (systemError == 0) (void)::fchmod(backup, mode & 0777);
  if (systemError == 0 && ::fsync(backup) != 0) systemError = errno;
  if (::close(backup) != 0 && systemError == 0) systemError = errno;
  if (systemError != 0) ::unlink(name.constData());
  return systemError;
}

int SaveBackup::Restore(const QString& backupName, int file, WriteFunction write) {
  const int backup = ::open(QFile::encodeName(backupName).constData(), O_RDONLY | O_CLOEXEC);
  if (backup < 0) return errno;
  int systemError = ::lseek(file, 0, SEEK_SET) == 0 ? CopyContent(backup, file, write) : errno;
  struct stat status {};
  if (systemError == 0 && ::fstat(backup, &status) != 0) systemError = errno;
  if (systemError == 0 && ::ftruncate(file, status.st_size) != 0) systemError = errno;
  if (systemError == 0 && ::fsync(file) != 0) systemError = errno;
  ::close(backup);
  return systemError;
}

QStringList SaveBackup::Leftovers(const QString& fileName) {
  const QFileInfo file(NameFor(fileName).chopped(1));
  QStringList found;
  const QString backup = NameFor(fileName);
  if (QFileInfo(backup).isFile()) found << backup;
  // Compared by hand: the file's own name may hold wildcard characters.
  const QString prefix = file.fileName() + QLatin1Char('.');
  for (const QString& name : file.dir().entryList(QDir::Files | QDir::Hidden | QDir::System)) {
    if (name.startsWith(prefix) && LooksRandom(name.mid(prefix.size()))) {
      found << file.dir().filePath(name);
    }
  }
  return found;
}

QString SaveBackup::LeftoverWarning(const QString& leftover) {
  return tr("an interrupted save left %1; the file itself may be incomplete")
      .arg(leftover);
}
