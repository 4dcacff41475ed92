#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>

#include "helperlib/ContentSource.h"
#include "helperlib/DataBuffer.h"
#include "helperlib/FileIdentity.h"

class QSaveFile;
struct stat;

// Holds the content of one file and moves it between disk and memory in
// chunks, reporting progress after every chunk (the first report has count 0).
// A save never damages its target: only a regular file (or nothing) is
// written, a folder, pipe, device or socket is refused before anything is
// written. A file with one name is replaced by a temporary file beside it once
// every byte is written; a file with several names (hard links) is written
// into, so all its names still show one file, with its old content kept in a
// backup beside it (SaveBackup) until the new content is on the disk and put
// back from there should the write fail. After a failed save the file holds
// its old content. Owner and group (where the process may set them), the
// mode and symbolic links are kept.
// The handler remembers the identity of its file as it last loaded or saved
// it, but never asks anybody anything: the editor calls FileChangedOnDisk()
// before a save and lets the user decide whether to overwrite the change.
class DataHandler : public QObject {
  Q_OBJECT

 public:
  // Chunk size for reading and writing; small enough for a smooth progress bar.
  static constexpr std::int32_t ChunkSize = 256 * 1024;
  // Progress counts are 32-bit, so larger files are refused before reading.
  static constexpr std::int64_t MaxFileSize = 0x7fffffff;

  // Test seam: every write of file content goes through this function, which
  // is the system's write(2) unless a test puts one here that fails like a full
  // disk. Returns the count written, or -1 with errno set.
  using WriteFunction = std::int64_t (*)(int descriptor, const char* data, std::int64_t size);
  static WriteFunction writeFunction;

  explicit DataHandler(QObject* parent = nullptr);
  ~DataHandler() override;

  void Close();
  DataBuffer& Data() { return data_; }
  const DataBuffer& Data() const { return data_; }
  // The file's name without its folder, or "Untitled" for content without a file.
  QString FileTitle() const;
  const QString& FileName() const { return fileName_; }
  void NewData();
  bool HasData() const { return hasData_; }
  // Whether a file of this many bytes is read by two threads.
  using TwoThreadsFor = bool (*)(qsizetype bytes);
  // Reads the whole file into Data; raises a numbered error if it cannot, and
  // then keeps its former content and file. Where twoThreads says so, a second
  // thread reads the part from the middle on, with the same content, progress
  // and errors as one thread.
  void LoadFile(const QString& fileName, TwoThreadsFor twoThreads = nullptr);
  void Save();
  // The name becomes this handler's file once the content is written there; a
  // failed write leaves the handler's file as it was.
  void SaveAs(const QString& fileName);
  // Save and SaveAs of content made while it is written instead of Data, with
  // the same care for the target. Progress is the source's to report; content
  // that grows past MaxFileSize fails as a full disk, with the target as it was.
  void Save(ContentSource& source);
  void SaveAs(const QString& fileName, ContentSource& source);

  // SaveAs in two steps, so that the writing can go on while the caller does
  // other work: StartSaveAs writes the content as it is now to a temporary file
  // beside the target on a second thread and brings it to the disk;
  // FinishSaveAs waits for that, raises what it met, and only then puts the
  // file in the target's place. A handler that ends first, or starts another
  // such save, drops the temporary file. Where the target is not a missing or
  // plain file with a single name, or no thread can be made, FinishSaveAs does
  // all of SaveAs, with its errors.
  void StartSaveAs(const QString& fileName);
  void FinishSaveAs();
  void CancelSaveAs();

  // The file as this handler last read or wrote it; invalid without one.
  const FileIdentity& DiskIdentity() const { return identity_; }
  // True when the file was rewritten, replaced or deleted since this handler
  // last read or wrote it; false without a file name or a recorded identity.
  bool FileChangedOnDisk() const;

 signals:
  void FilePartlyRead(std::int32_t fileLength, std::int32_t bytesRead, float percentageRead);
  void FilePartlyWritten(std::int32_t contentLength, std::int32_t bytesWritten,
                         float percentageWritten);
  // A save that succeeded left something behind that the user should know of.
  void Warning(const QString& text);

 private:
  struct PendingSave;

  // Where content of a known length is reported as it is written; -1 for none.
  using ReportLength = std::int64_t;
  // The file name for Save; the path error without one.
  const QString& NameToSave() const;
  void WriteTo(const QString& fileName);
  void WriteWhole(const QString& fileName, const QByteArray& content);
  void WriteTo(const QString& fileName, ContentSource& source, ReportLength length);
  void ReplaceFile(const QString& fileName, const struct stat* old, ContentSource& source,
                   ReportLength length);
  void OverwriteLinkedFile(const QString& fileName, ContentSource& source, ReportLength length);
  static std::int64_t LengthOf(ContentSource& source);
  int WriteAll(int descriptor, ContentSource& source, ReportLength length, std::int64_t* total);
  int WriteAndSync(int descriptor, ContentSource& source, ReportLength length, std::int64_t* total);
  void CommitReplacement(QSaveFile& file, int systemError, const QString& fileName);

  DataBuffer data_;
  QString fileName_;
  bool hasData_ = false;
  FileIdentity identity_;
  std::unique_ptr<PendingSave> pending_;
};
