#include "model/RecoveryJournal.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QUndoStack>
#include <QUuid>
#include <bit>
#include <cerrno>
#include <cstring>
#include <optional>

#include "helperlib/DataHandler.h"
#include "model/CarDocument.h"
#include "model/CarField.h"
#include "model/ColumnTable.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"

RecoveryJournal::RecoveryJournal(CarDocument& document, const QString& folder, QObject* parent)
    : QObject(parent),
      document_(document),
      folder_(folder),
      path_(QDir(folder).filePath(QUuid::createUuid().toString(QUuid::WithoutBraces) + Suffix())) {
  delay_.setSingleShot(true);
  delay_.setInterval(DelayMilliseconds);
  connect(&delay_, &QTimer::timeout, this, &RecoveryJournal::Start);
  // The first step after a pause starts the delay; steps during it do not
  // push the write further out.
  connect(&document_.History(), &QUndoStack::indexChanged, this, [this] {
    if (!delay_.isActive()) delay_.start();
  });
  connect(&document_, &CarDocument::ChangedChanged, this, [this](bool changed) {
    if (!changed) Remove();
  });
  connect(&document_, &CarDocument::Reloaded, this, &RecoveryJournal::Remove);
}

RecoveryJournal::~RecoveryJournal() { Remove(); }

QString RecoveryJournal::DefaultFolder() {
  QString state = qEnvironmentVariable("XDG_STATE_HOME");
  if (state.isEmpty() || QDir::isRelativePath(state)) {
    state = QDir::homePath() + QStringLiteral("/.local/state");
  }
  return state + QStringLiteral("/torqlet");
}

JournalText::Content RecoveryJournal::Snapshot() const {
  JournalText::Content content;
  const NycGciCars& file = document_.CarFile();
  content.fileName = document_.FileName();
  if (!content.fileName.isEmpty()) content.identity = file.Data().DiskIdentity();
  content.carCount = file.Count();
  if (document_.CarsReplacedSinceSave()) {
    content.blocks.reserve(std::size_t(file.Count()));
    for (std::int32_t car = 1; car <= file.Count(); ++car) {
      content.blocks.push_back(file.Car(car).Block());
    }
    return content;
  }
  for (const CarDocument::UnsavedCell& cell : document_.UnsavedCells()) {
    if (content.cars.empty() || content.cars.back().row != cell.row) {
      content.cars.push_back({cell.row, file.Car(cell.row).Name(), {}});
    }
    const bool integer = IsIntegerField(ColumnTable::Field(cell.col));
    content.cars.back().values.emplace_back(
        cell.col, integer ? LineValue::FromInteger(std::bit_cast<std::int32_t>(cell.current))
                          : LineValue::FromFloat(std::bit_cast<float>(cell.current)));
  }
  return content;
}

// Waits for a write in flight, so that it cannot recreate what is removed or
// cross a newer one.
void RecoveryJournal::Wait() {
  if (writer_.joinable()) writer_.join();
}

// What to write now, with the lock taken; nothing when the journal was
// removed instead (no unsaved edits) or cannot be locked.
std::optional<JournalText::Content> RecoveryJournal::Prepare() {
  JournalText::Content content = Snapshot();
  if (!document_.Changed() || (content.cars.empty() && content.blocks.empty())) {
    Remove();
    return std::nullopt;
  }
  if (!Lock()) return std::nullopt;
  return content;
}

void RecoveryJournal::Start() {
  if (writer_.joinable()) {
    again_ = true;
    return;
  }
  std::optional<JournalText::Content> content = Prepare();
  if (!content) return;
  writer_ = std::thread([this, content = std::move(*content)] {
    const QString error = WriteFile(path_, JournalText::Write(content));
    QMetaObject::invokeMethod(
        this, [this, error] { Finished(error); }, Qt::QueuedConnection);
  });
}

void RecoveryJournal::Finished(const QString& error) {
  Wait();
  Report(error);
  if (again_) {
    again_ = false;
    Start();
  }
}

// Tells of a failure once, until the journal has been written again.
void RecoveryJournal::Report(const QString& error) {
  if (!error.isEmpty() && error != lastError_) emit WriteFailed(error);
  lastError_ = error;
}

bool RecoveryJournal::WriteNow() {
  delay_.stop();
  again_ = false;
  Wait();
  std::optional<JournalText::Content> content = Prepare();
  if (!content) return lastError_.isEmpty();
  Report(WriteFile(path_, JournalText::Write(*content)));
  return lastError_.isEmpty();
}

// The lock is taken before the journal is first written, so that no other
// process ever sees the journal without it.
bool RecoveryJournal::Lock() {
  if (lock_) return true;
  if (!QDir().mkpath(folder_)) {
    Report(QCoreApplication::translate("RecoveryJournal", "the folder \"%1\" cannot be made")
               .arg(folder_));
    return false;
  }
  auto lock = std::make_unique<QLockFile>(path_ + QStringLiteral(".lock"));
  lock->setStaleLockTime(0);
  if (!lock->tryLock(0)) {
    Report(QCoreApplication::translate("RecoveryJournal", "the journal \"%1\" cannot be locked")
               .arg(path_));
    return false;
  }
  lock_ = std::move(lock);
  return true;
}

void RecoveryJournal::Remove() {
  delay_.stop();
  again_ = false;
  Wait();
  lastError_.clear();
  if (!lock_) return;
  QFile::remove(path_);
  lock_.reset();  // unlocks, which removes the lock file
}

// Runs on the writer thread: a new file beside the journal, synced, renamed
// over it. An empty result means success.
QString RecoveryJournal::WriteFile(const QString& path, const QByteArray& bytes) {
  const QByteArray target = QFile::encodeName(path);
  const QByteArray fresh = target + ".new";
  const int fd = ::open(fresh.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  int error = fd < 0 ? errno : 0;
  for (qsizetype done = 0; error == 0 && done < bytes.size();) {
    const ssize_t n = ::write(fd, bytes.constData() + done, std::size_t(bytes.size() - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error = n < 0 ? errno : ENOSPC;
    } else {
      done += n;
    }
  }
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (fd >= 0 && ::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(fresh.constData(), target.constData()) != 0) error = errno;
  if (error == 0) return {};
  ::unlink(fresh.constData());
  return QCoreApplication::translate("RecoveryJournal", "the journal \"%1\" cannot be written: %2")
      .arg(path, QString::fromLocal8Bit(std::strerror(error)));
}
