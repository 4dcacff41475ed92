#include "model/NycGciCar.h"

#include <cmath>
#include <cstring>

#include "core/ErrorCodes.h"
#include "core/Errors.h"
#include "model/CarBatch.h"
#include "model/LineCodec.h"
#include "model/NumberText.h"
#include "model/NycGciCars.h"

namespace {

const QSharedDataPointer<CarComments>& EmptyComments() {
  static const QSharedDataPointer<CarComments> empty(new CarComments);
  return empty;
}

// Compared inline: every car's 21 comments are compared with its neighbour's.
bool SameBytes(const QByteArray& kept, QByteArrayView read) {
  return kept.size() == read.size() &&
         (read.isEmpty() ||
          std::memcmp(kept.constData(), read.data(), std::size_t(read.size())) == 0);
}

}  // namespace

NycGciCar::NycGciCar() : comments_(EmptyComments()) {}

NycGciCar::~NycGciCar() { parent_ = nullptr; }

LineValue NycGciCar::ValueOf(CarField field) const {
  return IsIntegerField(field) ? LineValue::FromInteger(Integer(field))
                               : LineValue::FromFloat(Float(field));
}

void NycGciCar::NotifyParent() {
  if (parent_) parent_->MarkChanged();
}

void NycGciCar::SetInteger(CarField field, std::int32_t value) {
  if (field == CarField::Model || !IsIntegerField(field)) RaiseError(ErrBadCall, "NycGciCar");
  integers_[FieldIndex(field)] = value;
  NotifyParent();
}

void NycGciCar::SetFloat(CarField field, float value) {
  if (IsIntegerField(field) || FieldIndex(field) >= CarFieldCount) {
    RaiseError(ErrBadCall, "NycGciCar");
  }
  // The file has no text for infinity or NaN.
  if (!std::isfinite(value)) RaiseError(ErrBadPropertyValue, "NycGciCar");
  floats_[FieldIndex(field) - CarIntegerFieldCount] = value;
  NotifyParent();
}

void NycGciCar::SetComment(CarField field, QByteArray text) {
  if (FieldIndex(field) >= CarFieldCount) RaiseError(ErrBadCall, "NycGciCar");
  comments_->texts[FieldIndex(field)] = std::move(text);
  NotifyParent();
}

void NycGciCar::AppendBlock(TextWriter& out) const {
  const CarComments& comments = *comments_.constData();
  AppendLine(out, LineValue::Empty(), name_);
  for (int k = 0; k < CarIntegerFieldCount; ++k) {
    out.Write("\r\n", 2);
    AppendLine(out, LineValue::FromInteger(integers_[k]), comments.texts[k]);
  }
  for (int k = CarIntegerFieldCount; k < CarFieldCount; ++k) {
    out.Write("\r\n", 2);
    AppendLine(out, LineValue::FromFloat(floats_[k - CarIntegerFieldCount]), comments.texts[k]);
  }
}

QByteArray NycGciCar::Block() const {
  QByteArray block;
  {
    TextWriter writer(block, 512);
    AppendBlock(writer);
  }
  return block;
}

std::shared_ptr<NycGciCar> NycGciCar::Copy() const {
  auto copy = std::make_shared<NycGciCar>();
  copy->SetBlock(Block());
  copy->floats_ = floats_;
  return copy;
}

void NycGciCar::SetBlock(QByteArrayView text) {
  BlockLines lines;
  const bool split = SplitBlockLines(text, lines);
  SetLinesSharing(lines, split, nullptr, nullptr);
}

void NycGciCar::SetLinesSharing(const BlockLines& lines, bool split, const NycGciCar* neighbour,
                                CarBatch* batch) {
  if (!split) RaiseError(ErrBadPropertyValue, "NycGciCar");
  ReadLines(lines, neighbour, batch);
}

void NycGciCar::ReadLines(const BlockLines& lines, const NycGciCar* neighbour, CarBatch* batch) {
  // Comments are collected first and stored together, so that a file's cars
  // can share one set; on a failure the ones read so far are stored, as if
  // they had been stored line by line.
  std::array<QByteArrayView, CarFieldCount> comments;
  int read = 0;
  auto storeComments = [&] {
    for (int k = 0; k < read; ++k) {
      if (!SameBytes(comments_.constData()->texts[k], comments[k])) {
        comments_->texts[k] = comments[k].toByteArray();
      }
    }
  };
  try {
    const QByteArrayView name = CommentView(lines[0].text, lines[0].marks);
    name_ = batch ? batch->KeepName(name) : name.toByteArray();
    nameInBatch_ = batch != nullptr;
    for (int k = 0; k < CarFieldCount; ++k) {
      const BlockLine& line = lines[std::size_t(k) + 1];
      if (IsIntegerField(FieldAt(k))) {
        integers_[k] = ParseInteger(line.text, line.marks);
      } else {
        const LineValue value = ParseValue(line.text, line.marks);
        floats_[k - CarIntegerFieldCount] =
            value.kind == LineValue::Kind::Float ? value.real : float(value.integer);
      }
      comments[k] = CommentView(line.text, line.marks);
      read = k + 1;
    }
  } catch (...) {
    storeComments();
    throw;
  }
  auto sameAs = [&](const CarComments& set) {
    for (int k = 0; k < CarFieldCount; ++k) {
      if (!SameBytes(set.texts[k], comments[k])) return false;
    }
    return true;
  };
  if (neighbour && sameAs(*neighbour->comments_.constData())) {
    comments_ = neighbour->comments_;
  } else if (!sameAs(*comments_.constData())) {
    storeComments();
  }
  NotifyParent();
}
