#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <algorithm>
#include <cstring>

// Appends bytes to a QByteArray through a raw pointer. Writing a large file
// line by line through QByteArray::append costs several times the formatting
// itself; this keeps the buffer's size at its capacity while writing and cuts
// it to what was written when done (or when the writer ends).
//
// A writer may instead fill a fixed range of memory, which it never grows:
// writing past its end throws Full. Two such writers can fill two ranges of
// one buffer at once.
class TextWriter {
 public:
  struct Full {};

  explicit TextWriter(QByteArray& target, qsizetype expected = 0) : target_(&target) {
    written_ = target.size();
    Reserve(expected);
    data_ = target.data();
    end_ = target.size();
  }
  // Fills data from from on, up to end.
  TextWriter(char* data, qsizetype from, qsizetype end) : data_(data), written_(from), end_(end) {}
  ~TextWriter() { Finish(); }
  TextWriter(const TextWriter&) = delete;
  TextWriter& operator=(const TextWriter&) = delete;

  void Write(const char* data, qsizetype length) {
    if (length <= 0) return;
    std::memcpy(Room(length), data, std::size_t(length));
    written_ += length;
  }
  void Write(QByteArrayView text) { Write(text.data(), text.size()); }
  void Write(char c) { Write(&c, 1); }

  // Where the next bytes go, with room for at least length of them; Commit
  // tells how many were put there.
  char* Room(qsizetype length) {
    if (written_ + length > end_) {
      if (!target_) throw Full();
      Reserve(length);
      data_ = target_->data();
      end_ = target_->size();
    }
    return data_ + written_;
  }
  void Commit(qsizetype length) { written_ += length; }
  // Where the next bytes go, counted from the start of the buffer.
  qsizetype Written() const { return written_; }

  // Cuts the target to what was written; further writes go on from there.
  void Finish() {
    if (!target_) return;
    target_->truncate(written_);
    end_ = written_;
  }

 private:
  void Reserve(qsizetype more) {
    const qsizetype needed = written_ + more;
    if (needed <= target_->size()) return;
    target_->resize(std::max(needed, target_->size() * 2 + 256));
  }

  QByteArray* target_ = nullptr;  // none for a fixed range
  char* data_ = nullptr;          // the target's bytes, while its size stays
  qsizetype written_;
  qsizetype end_;  // of the room: the target's size, or the range's end
};
