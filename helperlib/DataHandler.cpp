#include "helperlib/DataHandler.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "base/RuntimeErrors.h"
#include "helperlib/SaveBackup.h"
#include "helperlib/ThreadJoiner.h"

namespace {

constexpr std::int32_t WritebackBytes = 8 << 20;

// The system error that stands for content or a file beyond MaxFileSize: a
// limit of this program, not a full disk.
constexpr int TooLarge = EOVERFLOW;

float Percentage(std::int64_t count, std::int64_t length) {
  return length > 0 ? float(double(count) * 100.0 / double(length)) : 100.0f;
}

// The numbered error that stands for the system's error of a file operation.
std::int32_t ErrorNumberOf(int systemError) {
  switch (systemError) {
    case ENOENT:
      return ErrFileNotFound;
    case ENOSPC:
    case EFBIG:
    case EDQUOT:
      return ErrDiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
      return ErrPermissionDenied;
    default:
      return ErrPathFileAccess;
  }
}

// Raises the numbered error of a failed file operation; its text names the
// file and the reason.
[[noreturn]] void RaiseFileError(int systemError, const QString& fileName, const QString& why) {
  RaiseRuntimeError(ErrorNumberOf(systemError), QStringLiteral("'%1' (%2)").arg(fileName, why));
}

// The system's own text for its error, or Qt's when the system left none.
QString Reason(int systemError, const QFileDevice* file = nullptr) {
  if (systemError == 0 && file) return file->errorString();
  if (systemError == TooLarge) return DataHandler::tr("files of 2 GiB and more are not supported");
  return QString::fromLocal8Bit(std::strerror(systemError));
}

[[noreturn]] void RaiseSystemError(int systemError, const QString& fileName,
                                   const QFileDevice* file = nullptr) {
  RaiseFileError(systemError, fileName, Reason(systemError, file));
}

// Only regular files are read or written: reading a pipe or device can block
// or never end, and a save would put a regular file in its place.
void RefuseIrregularFile(const struct stat& status, const QString& fileName) {
  if (S_ISDIR(status.st_mode)) RaiseFileError(EISDIR, fileName, DataHandler::tr("it is a folder"));
  if (!S_ISREG(status.st_mode)) {
    RaiseFileError(EINVAL, fileName, DataHandler::tr("not a regular file"));
  }
}

std::int64_t SystemWrite(int descriptor, const char* data, std::int64_t size) {
  return ::write(descriptor, data, std::size_t(size));
}

// An open file descriptor, closed when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int descriptor) : descriptor_(descriptor) {}
  ~Descriptor() {
    if (descriptor_ >= 0) ::close(descriptor_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return descriptor_; }
  // Closes now; returns 0 or the system's error.
  int Close() {
    const int result = ::close(descriptor_);
    descriptor_ = -1;
    return result == 0 ? 0 : errno;
  }

 private:
  int descriptor_;
};

// Puts back the modification time of a file whose old content was written
// back into it, so that it is not taken for another program's change.
void KeepModificationTime(int descriptor, const struct stat& old) {
  const timespec times[2] = {{0, UTIME_OMIT}, old.st_mtim};
  (void)::futimens(descriptor, times);
}

// Asks the system to start writing a range of a file to the disk; only a hint.
void StartWriteback(int descriptor, std::int64_t offset, std::int64_t size) {
#if defined(__linux__)
  (void)::sync_file_range(descriptor, off_t(offset), off_t(size), SYNC_FILE_RANGE_WRITE);
#else
  (void)descriptor;
  (void)offset;
  (void)size;
#endif
}

// What the second thread read: the sizes of its reads, one after another from
// where it started, up to the first that failed or found the end of the file.
// The first thread repeats that one itself, so that errors come from it.
void ReadQuietly(int descriptor, char* data, std::int32_t from, std::int32_t length,
                 std::vector<std::int32_t>& reads) {
  for (std::int32_t done = from; done < length;) {
    const std::int32_t want = std::min(DataHandler::ChunkSize, length - done);
    const ssize_t got = ::pread(descriptor, data + done, std::size_t(want), off_t(done));
    if (got <= 0) return;
    reads.push_back(std::int32_t(got));
    done += std::int32_t(got);
  }
}

// Content held whole, given as one piece.
class WholeContent final : public ContentSource {
 public:
  explicit WholeContent(QByteArray bytes) : bytes_(std::move(bytes)) {}
  QByteArrayView Next() override {
    return std::exchange(given_, true) ? QByteArrayView() : QByteArrayView(bytes_);
  }
  void Rewind() override { given_ = false; }

 private:
  QByteArray bytes_;
  bool given_ = false;
};

}  // namespace

DataHandler::WriteFunction DataHandler::writeFunction = SystemWrite;

QString DataHandler::FileTitle() const {
  return fileName_.isEmpty() ? tr("Untitled") : QFileInfo(fileName_).fileName();
}

void DataHandler::Close() {
  data_.Clear();
  fileName_.clear();
  hasData_ = false;
  identity_ = FileIdentity();
}

void DataHandler::NewData() {
  data_.Clear();
  fileName_.clear();
  hasData_ = true;
  identity_ = FileIdentity();
}

bool DataHandler::FileChangedOnDisk() const {
  return !fileName_.isEmpty() && identity_.IsValid() && FileIdentity::Of(fileName_) != identity_;
}

void DataHandler::LoadFile(const QString& fileName, TwoThreadsFor twoThreads) {
  struct stat status {};
  if (::stat(QFile::encodeName(fileName).constData(), &status) != 0) {
    RaiseSystemError(errno, fileName);
  }
  RefuseIrregularFile(status, fileName);
  if (status.st_size > MaxFileSize) RaiseSystemError(TooLarge, fileName);

  QFile file(fileName);
  errno = 0;
  if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
    RaiseSystemError(errno, fileName, &file);
  }
  // Size and identity of the file that was opened, which is the one read.
  if (::fstat(file.handle(), &status) != 0) RaiseSystemError(errno, fileName);
  RefuseIrregularFile(status, fileName);
  if (status.st_size > MaxFileSize) RaiseSystemError(TooLarge, fileName);
  const auto length = static_cast<std::int32_t>(status.st_size);
  QByteArray content(length, Qt::Uninitialized);
  emit FilePartlyRead(length, 0, Percentage(0, length));

  // A large file is read by two threads: the second reads the chunks from the
  // middle on, the first those before, then waits for the second, reports its
  // reads as if they had been its own and reads on where it stopped. The pages
  // of new memory are given faster to two threads than to one.
  std::vector<std::int32_t> secondReads;
  ThreadJoiner second;  // joined before what it writes to is gone
  std::int32_t middle = length / 2 / ChunkSize * ChunkSize;
  if (middle == 0 || !twoThreads || !twoThreads(length) ||
      !second.Start([&, from = middle, descriptor = file.handle(), data = content.data()] {
        ReadQuietly(descriptor, data, from, length, secondReads);
      })) {
    middle = length;
  }
  std::int32_t done = 0;
  while (done < length) {
    if (done == middle) {
      second.Join();
      for (const std::int32_t got : secondReads) {
        done += got;
        emit FilePartlyRead(length, done, Percentage(done, length));
      }
      if (!file.seek(done)) RaiseSystemError(errno, fileName, &file);
      middle = length;
      continue;
    }
    const std::int32_t want = std::min(ChunkSize, middle - done);
    errno = 0;
    const qint64 got = file.read(content.data() + done, want);
    if (got < 0) RaiseSystemError(errno, fileName, &file);
    if (got == 0) break;  // the file shrank while it was read
    done += static_cast<std::int32_t>(got);
    emit FilePartlyRead(length, done, Percentage(done, length));
  }
  content.truncate(done);

  data_.SetBytes(std::move(content));
  fileName_ = fileName;
  hasData_ = true;
  identity_ = FileIdentity::FromStatus(status);
}

const QString& DataHandler::NameToSave() const {
  if (fileName_.isEmpty()) {
    RaiseRuntimeError(ErrPathFileAccess, QStringLiteral("the content has no file name yet"));
  }
  return fileName_;
}

void DataHandler::Save() { WriteTo(NameToSave()); }

void DataHandler::SaveAs(const QString& fileName) {
  WriteTo(fileName);
  fileName_ = fileName;
}

void DataHandler::Save(ContentSource& source) { WriteTo(NameToSave(), source, -1); }

void DataHandler::SaveAs(const QString& fileName, ContentSource& source) {
  WriteTo(fileName, source, -1);
  fileName_ = fileName;
}

void DataHandler::WriteTo(const QString& fileName) { WriteWhole(fileName, data_.Text()); }

void DataHandler::WriteWhole(const QString& fileName, const QByteArray& content) {
  if (content.size() > MaxFileSize) RaiseSystemError(TooLarge, fileName);
  WholeContent whole(content);
  WriteTo(fileName, whole, content.size());
}

void DataHandler::WriteTo(const QString& fileName, ContentSource& source, ReportLength length) {
  struct stat target {};
  if (::stat(QFile::encodeName(fileName).constData(), &target) != 0) {
    if (errno != ENOENT) RaiseSystemError(errno, fileName);
    ReplaceFile(fileName, nullptr, source, length);
    return;
  }
  RefuseIrregularFile(target, fileName);
  if (target.st_nlink > 1) {
    OverwriteLinkedFile(fileName, source, length);
  } else {
    ReplaceFile(fileName, &target, source, length);
  }
}

// Writes the content from the start of the file through the write seam,
// reporting it against length unless that is -1; returns 0 or the system's
// error (a write that makes no progress without an error counts as a full
// disk, content past MaxFileSize as TooLarge, content of another length than
// the one reported as EIO), and with total the count written. Every caller syncs the file
// afterwards: the system is asked to start writing each few MiB to the disk at once, so that the
// sync waits only for the rest.
int DataHandler::WriteAll(int descriptor, ContentSource& source, ReportLength length,
                          std::int64_t* total) {
  const auto reported = static_cast<std::int32_t>(length);
  if (length >= 0) emit FilePartlyWritten(reported, 0, Percentage(0, length));
  std::int64_t done = 0, started = 0;
  source.Rewind();
  for (QByteArrayView piece = source.Next(); !piece.isEmpty(); piece = source.Next()) {
    for (qsizetype at = 0; at < piece.size();) {
      if (done - started >= WritebackBytes) {
        StartWriteback(descriptor, started, done - started);
        started = done;
      }
      const std::int64_t want = std::min<std::int64_t>(ChunkSize, piece.size() - at);
      if (done + want > MaxFileSize) return TooLarge;
      errno = 0;
      const std::int64_t written = writeFunction(descriptor, piece.data() + at, want);
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) return written < 0 && errno != 0 ? errno : ENOSPC;
      at += qsizetype(written);
      done += written;
      if (length >= 0) {
        emit FilePartlyWritten(reported, std::int32_t(done), Percentage(done, length));
      }
    }
  }
  if (total) *total = done;
  return length >= 0 && done != length ? EIO : 0;
}

// WriteAll, then the file to the disk; 0 or the system's error.
int DataHandler::WriteAndSync(int descriptor, ContentSource& source, ReportLength length,
                              std::int64_t* total) {
  const int systemError = WriteAll(descriptor, source, length, total);
  if (systemError != 0) return systemError;
  return ::fsync(descriptor) == 0 ? 0 : errno;
}

namespace {

// Opens the temporary file that replaces a new file, or one with a single
// name, once every byte is written, and gives it the old file's owner, group
// and mode; false with errno set when it cannot be made.
bool OpenReplacement(QSaveFile& file, const struct stat* old) {
  file.setDirectWriteFallback(false);
  errno = 0;
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
  if (!old) return true;
  // The temporary file belongs to the saving user: give it the old owner and
  // group. An ordinary user may not give a file away; the group alone may still
  // be allowed. A refusal only loses the owner, so the save goes on.
  if (::fchown(file.handle(), old->st_uid, old->st_gid) != 0) {
    (void)::fchown(file.handle(), uid_t(-1), old->st_gid);
    // Without its owner the file keeps the plain permission bits that Qt
    // gave it, never a set-user or set-group bit of somebody else's file.
    return true;
  }
  // Giving a file away clears its set-user and set-group bits, and Qt copies
  // only the plain permission bits: the old mode comes back after the owner.
  (void)::fchmod(file.handle(), old->st_mode & 07777);
  return true;
}

}  // namespace

// A new file, or one with a single name: QSaveFile writes a temporary file
// and puts it in the target's place only once every byte is written.
// Should making the content fail, the temporary file goes with the QSaveFile.
void DataHandler::ReplaceFile(const QString& fileName, const struct stat* old,
                              ContentSource& source, ReportLength length) {
  QSaveFile file(fileName);
  if (!OpenReplacement(file, old)) RaiseSystemError(errno, fileName, &file);
  // QSaveFile's commit ignores a failed flush to disk, where some file systems
  // report a full disk: the file reaches the disk before it replaces the target.
  CommitReplacement(file, WriteAndSync(file.handle(), source, length, nullptr), fileName);
}

// Puts a replacement that was written with the given outcome in its target's
// place, or drops it and raises the error.
void DataHandler::CommitReplacement(QSaveFile& file, int systemError, const QString& fileName) {
  if (systemError != 0) {
    file.cancelWriting();
    RaiseSystemError(systemError, fileName);
  }
  const FileIdentity written = FileIdentity::OfDescriptor(file.handle());
  errno = 0;
  if (!file.commit()) RaiseSystemError(errno, fileName, &file);
  identity_ = written;
}

struct DataHandler::PendingSave {
  QString fileName;
  // The content as it was when the save started: the handler may let its own
  // go while the save goes on.
  QByteArray content;
  std::unique_ptr<QSaveFile> file;  // none when FinishSaveAs does all of SaveAs
  int systemError = 0;
  ThreadJoiner writer;  // joined before the file goes
};

DataHandler::DataHandler(QObject* parent) : QObject(parent) {}

DataHandler::~DataHandler() = default;

void DataHandler::StartSaveAs(const QString& fileName) {
  pending_.reset();
  auto pending = std::make_unique<PendingSave>();
  pending->fileName = fileName;
  pending->content = data_.Text();
  struct stat target {};
  const bool exists = ::stat(QFile::encodeName(fileName).constData(), &target) == 0;
  const bool plain = exists ? S_ISREG(target.st_mode) && target.st_nlink == 1 : errno == ENOENT;
  if (plain && data_.Text().size() <= MaxFileSize) {
    pending->file = std::make_unique<QSaveFile>(fileName);
    if (!OpenReplacement(*pending->file, exists ? &target : nullptr)) pending->file.reset();
  }
  if (pending->file) {
    PendingSave& save = *pending;
    const int descriptor = save.file->handle();
    const bool started = save.writer.Start([this, &save, descriptor] {
      WholeContent whole(save.content);
      save.systemError = WriteAndSync(descriptor, whole, -1, nullptr);
    });
    if (!started) pending->file.reset();
  }
  pending_ = std::move(pending);
}

void DataHandler::CancelSaveAs() { pending_.reset(); }

void DataHandler::FinishSaveAs() {
  const std::unique_ptr<PendingSave> pending = std::move(pending_);
  if (!pending) RaiseRuntimeError(ErrPathFileAccess, QStringLiteral("no save was started"));
  if (!pending->file) {
    WriteWhole(pending->fileName, pending->content);
    fileName_ = pending->fileName;
    return;
  }
  pending->writer.Join();
  CommitReplacement(*pending->file, pending->systemError, pending->fileName);
  fileName_ = pending->fileName;
}

// A file with several names keeps its inode, so it is written into: its old
// content goes to a backup beside it first, and comes back from there should
// the new content fail to reach the disk whole; the backup goes once it has.
// Room for the new content is taken before the file is touched, so that a full
// disk shows then.
void DataHandler::OverwriteLinkedFile(const QString& fileName, ContentSource& source,
                                      ReportLength reportLength) {
  // Opened first: a file that may not be written is refused before anything is created.
  Descriptor target(::open(QFile::encodeName(fileName).constData(), O_RDWR | O_CLOEXEC));
  if (target.get() < 0) RaiseSystemError(errno, fileName);
  struct stat old {};
  if (::fstat(target.get(), &old) != 0) RaiseSystemError(errno, fileName);
  const std::int64_t length = reportLength >= 0 ? reportLength : LengthOf(source);
  if (length > MaxFileSize) RaiseSystemError(TooLarge, fileName);
  // A second descriptor of the file, to restore it through should the first
  // fail as it is closed.
  Descriptor spare(::fcntl(target.get(), F_DUPFD_CLOEXEC, 0));
  if (spare.get() < 0) RaiseSystemError(errno, fileName);
  const QString backup = SaveBackup::NameFor(fileName);
  int systemError = SaveBackup::Make(target.get(), backup, old.st_mode, writeFunction);
  if (systemError == EEXIST) {
    // Perhaps the only complete copy of the file: it is never overwritten.
    RaiseRuntimeError(ErrPathFileAccess, tr("'%1' (%2: move it away first)")
                                             .arg(fileName, SaveBackup::LeftoverWarning(backup)));
  }
  if (systemError != 0) RaiseSystemError(systemError, fileName);
  const QByteArray backupPath = QFile::encodeName(backup);
  if (length > old.st_size &&
      ::fallocate(target.get(), FALLOC_FL_KEEP_SIZE, 0, off_t(length)) != 0 &&
      errno != EOPNOTSUPP && errno != ENOSYS) {
    systemError = errno;
    // What was reserved beyond the end goes again; the size stays.
    (void)::ftruncate(target.get(), old.st_size);
    KeepModificationTime(target.get(), old);
    ::unlink(backupPath);
    RaiseSystemError(systemError, fileName);
  }

  std::int64_t written = 0;
  try {
    systemError = WriteAll(target.get(), source, reportLength, &written);
  } catch (...) {
    if (SaveBackup::Restore(backup, spare.get(), writeFunction) == 0) ::unlink(backupPath);
    throw;
  }
  // Content that came out otherwise the second time must not pass for the file.
  if (systemError == 0 && written != length) systemError = EIO;
  if (systemError == 0 && ::ftruncate(target.get(), off_t(length)) != 0) systemError = errno;
  // Writing into a file clears its set-user and set-group bits.
  if (systemError == 0) (void)::fchmod(target.get(), old.st_mode & 07777);
  if (systemError == 0 && ::fsync(target.get()) != 0) systemError = errno;
  if (systemError == 0) systemError = target.Close();
  if (systemError != 0) {
    if (SaveBackup::Restore(backup, spare.get(), writeFunction) != 0) {
      RaiseRuntimeError(ErrorNumberOf(systemError),
                        tr("'%1' (%2); the old content is in '%3'")
                            .arg(fileName, Reason(systemError), backup));
    }
    // The file holds its old content again, and shows it as it was.
    KeepModificationTime(spare.get(), old);
    ::unlink(backupPath);
    RaiseSystemError(systemError, fileName);
  }
  identity_ = FileIdentity::OfDescriptor(spare.get());
  if (::unlink(backupPath) != 0) {
    emit Warning(tr("the file is saved, but its backup %1 could not be removed (%2)")
                     .arg(backup, Reason(errno)));
  }
}

// The number of bytes the source gives, counted without writing them.
std::int64_t DataHandler::LengthOf(ContentSource& source) {
  std::int64_t length = 0;
  source.Rewind();
  for (QByteArrayView piece = source.Next(); !piece.isEmpty(); piece = source.Next()) {
    length += piece.size();
  }
  return length;
}
