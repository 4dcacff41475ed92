#pragma once

#include <QByteArray>
#include <utility>

// The raw content of a file, one character per byte.
class DataBuffer {
 public:
  void SetBytes(QByteArray bytes) { bytes_ = std::move(bytes); }
  const QByteArray& Text() const { return bytes_; }
  void SetText(QByteArray text) { bytes_ = std::move(text); }
  void Clear() { bytes_ = QByteArray(); }
  // Hands the bytes over and holds none.
  QByteArray Take() { return std::exchange(bytes_, QByteArray()); }

 private:
  QByteArray bytes_;
};
