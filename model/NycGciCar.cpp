#include "model/NycGciCar.h"

#include <cstring>

#include "core/ErrorCodes.h"
#include "core/Errors.h"
#include "helperlib/StringList.h"
#include "model/LineCodec.h"
#include "model/NumberText.h"
#include "model/NycGciCars.h"

namespace {

constexpr int BlockLineCount = 22;

const QSharedDataPointer<CarComments>& EmptyComments() {
  static const QSharedDataPointer<CarComments> empty(new CarComments);
  return empty;
}

// The first count lines of a block, without the line break after the last of
// them; the whole text when it has no more lines. Lines after these are never
// looked at, so they need not be split: a section of millions of lines would
// otherwise cost a list item each. A line break is an LF after a CR.
QByteArrayView FirstLines(QByteArrayView text, int count) {
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  const char* p = begin;
  for (int line = 0; line < count;) {
    if (p == end) return text;
    p = static_cast<const char*>(std::memchr(p, '\n', std::size_t(end - p)));
    if (!p) return text;
    if (p != begin && p[-1] == '\r') ++line;
    ++p;
  }
  return text.first(p - 2 - begin);
}

// Blocks up to this size are split whole; a car block is about 500 bytes.
constexpr qsizetype OrdinaryBlockSize = 4096;

}  // namespace

NycGciCar::NycGciCar() : comments_(EmptyComments()) {}

NycGciCar::~NycGciCar() { pobjParent = nullptr; }

LineValue NycGciCar::ValueOf(CarField field) const {
  return IsIntegerField(field) ? LineValue::FromInteger(Integer(field))
                               : LineValue::FromFloat(Float(field));
}

void NycGciCar::NotifyParent() {
  if (pobjParent) pobjParent->MarkChanged();
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
  floats_[FieldIndex(field) - CarIntegerFieldCount] = value;
  NotifyParent();
}

void NycGciCar::SetComment(CarField field, QByteArray text) {
  if (FieldIndex(field) >= CarFieldCount) RaiseError(ErrBadCall, "NycGciCar");
  comments_->texts[FieldIndex(field)] = std::move(text);
  NotifyParent();
}

void NycGciCar::AppendBlock(QByteArray& out) const {
  const CarComments& comments = *comments_.constData();
  AppendLine(out, LineValue::Empty(), pstrName);
  for (int k = 0; k < CarFieldCount; ++k) {
    out += "\r\n";
    AppendLine(out, ValueOf(FieldAt(k)), comments.texts[k]);
  }
}

QByteArray NycGciCar::Block() const {
  QByteArray block;
  block.reserve(512);
  AppendBlock(block);
  return block;
}

void NycGciCar::SetBlock(QByteArrayView text) { SetBlockSharing(text, nullptr); }

void NycGciCar::SetBlockSharing(QByteArrayView text, const NycGciCar* neighbour) {
  StringList lines;
  lines.SetDelimiter(QByteArrayLiteral("\r\n"));
  const QByteArrayView used =
      text.size() <= OrdinaryBlockSize ? text : FirstLines(text, BlockLineCount);
  lines.SetText(QByteArray::fromRawData(used.data(), used.size()));
  if (lines.Count() < BlockLineCount) RaiseError(ErrBadPropertyValue, "NycGciCar");

  // Comments are collected first and stored together, so that a file's cars
  // can share one set; on a failure the ones read so far are stored, as if
  // they had been stored line by line.
  std::array<QByteArrayView, CarFieldCount> comments;
  int read = 0;
  auto storeComments = [&] {
    for (int k = 0; k < read; ++k) {
      if (comments_.constData()->texts[k] != comments[k]) {
        comments_->texts[k] = comments[k].toByteArray();
      }
    }
  };
  try {
    pstrName = ParseComment(lines.Item(1));
    for (int k = 0; k < CarFieldCount; ++k) {
      const QByteArray& line = lines.Item(k + 2);
      const LineValue value = ParseValue(line);
      const CarField field = FieldAt(k);
      if (IsIntegerField(field)) {
        integers_[k] = value.kind == LineValue::Kind::Float ? ToInteger(value.real)
                                                             : value.integer;
      } else {
        floats_[k - CarIntegerFieldCount] =
            value.kind == LineValue::Kind::Float ? value.real : float(value.integer);
      }
      comments[k] = CommentView(line);
      read = k + 1;
    }
  } catch (...) {
    storeComments();
    throw;
  }
  auto sameAs = [&](const CarComments& set) {
    for (int k = 0; k < CarFieldCount; ++k) {
      if (set.texts[k] != comments[k]) return false;
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
