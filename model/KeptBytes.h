#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>
#include <vector>

class NycGciCar;
class TextWriter;

// The bytes of a car file's content that its cars do not write back by
// themselves, so that the file can be written back byte for byte without
// holding all of its content: the header section with the empty line after
// it, every car's piece (its block and the empty line after it, or whatever
// ends the content there) that differs from what the car writes, and whatever
// follows the last car. The pieces are kept in one run of bytes, in the order
// of their cars.
class KeptBytes {
 public:
  KeptBytes() = default;
  // Nothing kept beside the cars but a header and its empty line.
  explicit KeptBytes(QByteArray head) : head_(std::move(head)) {}

  const QByteArray& Head() const { return head_; }
  const QByteArray& Tail() const { return tail_; }
  void SetHead(QByteArrayView bytes) { head_ = bytes.toByteArray(); }
  void SetTail(QByteArrayView bytes) { tail_ = bytes.toByteArray(); }

  // Keeps the piece of content that stands for a car when the car writes
  // anything else; scratch is the memory that the car's writing reuses.
  void Check(std::int32_t car, const NycGciCar& record, QByteArrayView piece,
             QByteArray& scratch);
  // Takes over the pieces of another part's first cars (up to count), their
  // car numbers moved by offset.
  void Append(const KeptBytes& other, std::int32_t offset, std::int32_t count);

  // Writes car number car as its kept piece, or as its block and an empty
  // line; at is the index of the kept piece that comes next, 0 for car 1.
  void WriteCar(TextWriter& out, std::size_t& at, std::int32_t car,
                const NycGciCar& record) const;
  // A car's block and the empty line after it.
  static void WriteRebuilt(TextWriter& out, const NycGciCar& record);

 private:
  struct Kept {
    std::int32_t car;
    qsizetype offset;
    qsizetype size;
  };

  QByteArray head_;
  QByteArray tail_;
  QByteArray bytes_;
  std::vector<Kept> pieces_;
};
