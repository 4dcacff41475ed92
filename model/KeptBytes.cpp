#include "model/KeptBytes.h"

#include "model/NycGciCar.h"
#include "model/SectionScan.h"
#include "model/TextWriter.h"

void KeptBytes::Check(std::int32_t car, const NycGciCar& record, QByteArrayView piece,
                      QByteArray& scratch) {
  scratch.truncate(0);
  {
    TextWriter out(scratch, piece.size() + 64);
    WriteRebuilt(out, record);
  }
  if (QByteArrayView(scratch) == piece) return;
  const qsizetype offset = bytes_.size();
  bytes_.append(piece);
  pieces_.push_back({car, offset, piece.size()});
}

void KeptBytes::Append(const KeptBytes& other, std::int32_t offset, std::int32_t count) {
  const qsizetype base = bytes_.size();
  bytes_.append(other.bytes_);
  for (const Kept& kept : other.pieces_) {
    if (kept.car < count) pieces_.push_back({kept.car + offset, kept.offset + base, kept.size});
  }
}

void KeptBytes::WriteCar(TextWriter& out, std::size_t& at, std::int32_t car,
                         const NycGciCar& record) const {
  if (at < pieces_.size() && pieces_[at].car == car) {
    out.Write(QByteArrayView(bytes_).sliced(pieces_[at].offset, pieces_[at].size));
    ++at;
  } else {
    WriteRebuilt(out, record);
  }
}

void KeptBytes::WriteRebuilt(TextWriter& out, const NycGciCar& record) {
  record.AppendBlock(out);
  out.Write(SectionScan::Separator);
}
