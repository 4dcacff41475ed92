#pragma once

#include <QObject>
#include <QString>
#include <cstdint>

#include "helperlib/DataBuffer.h"

// Holds the content of one file and moves it between disk and memory in
// chunks, reporting progress after every chunk (the first report has count 0).
// Saving writes a temporary file beside the target and renames it over the
// target only when every byte was written, so a failed save never damages it.
class DataHandler : public QObject {
  Q_OBJECT

 public:
  // Chunk size for reading and writing; small enough for a smooth progress bar.
  static constexpr std::int32_t ChunkSize = 256 * 1024;
  // Progress counts are 32-bit, so larger files are refused before reading.
  static constexpr std::int64_t MaxFileSize = 0x7fffffff;

  using QObject::QObject;

  void Close();
  DataBuffer& Data() { return data_; }
  const DataBuffer& Data() const { return data_; }
  // The file's name without its folder, or "Untitled" for content without a file.
  QString FileTitle() const;
  const QString& FileName() const { return fileName_; }
  void NewData();
  bool HasData() const { return hasData_; }
  // Reads the whole file into Data; raises a numbered error if it cannot, and
  // then keeps its former content and file.
  void LoadFile(const QString& fileName);
  void Save();
  // The name becomes this handler's file once the content is written there; a
  // failed write leaves the handler's file as it was.
  void SaveAs(const QString& fileName);

 signals:
  void FilePartlyRead(std::int32_t fileLength, std::int32_t bytesRead, float percentageRead);
  void FilePartlyWritten(std::int32_t contentLength, std::int32_t bytesWritten,
                         float percentageWritten);

 private:
  void WriteTo(const QString& fileName);

  DataBuffer data_;
  QString fileName_;
  bool hasData_ = false;
};
