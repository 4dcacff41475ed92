#include "helperlib/DataHandler.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

#include "base/RuntimeErrors.h"

namespace {

float Percentage(std::int64_t count, std::int64_t length) {
  return length > 0 ? float(double(count) * 100.0 / double(length)) : 100.0f;
}

// Maps the system's error of a failed file operation to a numbered error whose
// text names the file and the system's reason.
[[noreturn]] void RaiseFileError(int systemError, const QString& fileName, const QString& why) {
  std::int32_t number = ErrPathFileAccess;
  switch (systemError) {
    case ENOENT:
      number = ErrFileNotFound;
      break;
    case ENOSPC:
    case EFBIG:
    case EDQUOT:
      number = ErrDiskFull;
      break;
    case EACCES:
    case EPERM:
    case EROFS:
      number = ErrPermissionDenied;
      break;
    default:
      break;
  }
  RaiseRuntimeError(number, QStringLiteral("'%1' (%2)").arg(fileName, why));
}

// Asks the system to back a large buffer with huge pages where it can, so that
// reading a large file into it costs a few page faults per 2 MiB instead of
// one per 4 KiB. Only a hint: where the system does not take it, nothing
// changes. It covers every page of the buffer, so that the buffer's mapping is
// not split and can still grow in place.
void AdviseHugePages(char* data, qsizetype length) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  constexpr std::uintptr_t huge = std::uintptr_t(2) << 20;
  if (std::uintptr_t(length) < 2 * huge) return;
  const auto page = std::uintptr_t(sysconf(_SC_PAGESIZE));
  const auto start = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t begin = start & ~(page - 1);
  const std::uintptr_t end = (start + std::uintptr_t(length) + page) & ~(page - 1);
  madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
  (void)data;
  (void)length;
#endif
}

}  // namespace

QString DataHandler::FileTitle() const {
  return fileName_.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(fileName_).fileName();
}

void DataHandler::Close() {
  data_.Clear();
  fileName_.clear();
  hasData_ = false;
}

void DataHandler::NewData() {
  data_.Clear();
  fileName_.clear();
  hasData_ = true;
}

void DataHandler::LoadFile(const QString& fileName) {
  const QFileInfo info(fileName);
  if (!info.exists()) RaiseFileError(ENOENT, fileName, QStringLiteral("no such file"));
  if (info.isDir()) RaiseFileError(EISDIR, fileName, QStringLiteral("it is a folder"));
  // Devices and pipes can block or never end; only regular files are read.
  if (!info.isFile()) RaiseFileError(EINVAL, fileName, QStringLiteral("not a regular file"));
  // Too large to read is a file access error, not the full disk that EFBIG
  // stands for when writing.
  if (info.size() > MaxFileSize) {
    RaiseFileError(EOVERFLOW, fileName,
                   QStringLiteral("files of 2 GiB and more are not supported"));
  }

  QFile file(fileName);
  errno = 0;
  if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
    RaiseFileError(errno, fileName, file.errorString());
  }
  const qint64 size = file.size();
  if (size > MaxFileSize) {
    RaiseFileError(EOVERFLOW, fileName,
                   QStringLiteral("files of 2 GiB and more are not supported"));
  }
  const auto length = static_cast<std::int32_t>(size);
  QByteArray content(length, Qt::Uninitialized);
  AdviseHugePages(content.data(), length);
  emit FilePartlyRead(length, 0, Percentage(0, length));
  std::int32_t done = 0;
  while (done < length) {
    const std::int32_t want = std::min(ChunkSize, length - done);
    errno = 0;
    const qint64 got = file.read(content.data() + done, want);
    if (got < 0) RaiseFileError(errno, fileName, file.errorString());
    if (got == 0) break;  // the file shrank while it was read
    done += static_cast<std::int32_t>(got);
    emit FilePartlyRead(length, done, Percentage(done, length));
  }
  content.truncate(done);

  data_.SetBytes(std::move(content));
  fileName_ = fileName;
  hasData_ = true;
}

void DataHandler::Save() {
  if (fileName_.isEmpty()) {
    RaiseRuntimeError(ErrPathFileAccess, QStringLiteral("the content has no file name yet"));
  }
  WriteTo(fileName_);
}

void DataHandler::SaveAs(const QString& fileName) {
  WriteTo(fileName);
  fileName_ = fileName;
}

void DataHandler::WriteTo(const QString& fileName) {
  const QByteArray& content = data_.Text();
  if (content.size() > MaxFileSize) {
    RaiseFileError(EFBIG, fileName, QStringLiteral("content of 2 GiB and more is not supported"));
  }
  const auto length = static_cast<std::int32_t>(content.size());

  QSaveFile file(fileName);
  file.setDirectWriteFallback(false);
  errno = 0;
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
    RaiseFileError(errno, fileName, file.errorString());
  }
  emit FilePartlyWritten(length, 0, Percentage(0, length));
  std::int32_t done = 0;
  while (done < length) {
    const std::int32_t want = std::min(ChunkSize, length - done);
    errno = 0;
    // A short count without an error flag means a full disk: never commit then.
    const qint64 written = file.write(content.constData() + done, want);
    if (written != want) {
      const int systemError = errno ? errno : ENOSPC;
      const QString why = file.errorString();
      file.cancelWriting();
      RaiseFileError(systemError, fileName, why);
    }
    done += want;
    emit FilePartlyWritten(length, done, Percentage(done, length));
  }
  errno = 0;
  if (!file.commit()) RaiseFileError(errno, fileName, file.errorString());
}
