#include "helperlib/StringList.h"

#include <string_view>

#include "core/ErrorCodes.h"
#include "core/Errors.h"

std::size_t StringList::CheckedIndex(int index) const {
  if (index < 1 || index > Count()) RaiseRuntimeError(ErrInvalidArgument);
  return static_cast<std::size_t>(index - 1);
}

void StringList::Add(QByteArray item, int index) {
  if (index == -1) {
    items_.push_back(std::move(item));
    return;
  }
  if (index < 1 || index > Count() + 1) RaiseRuntimeError(ErrInvalidArgument);
  items_.insert(items_.begin() + (index - 1), std::move(item));
}

void StringList::Remove(int index) {
  if (items_.empty()) RaiseRuntimeError(ErrInvalidArgument);
  if (index == -1) {
    items_.pop_back();
    return;
  }
  items_.erase(items_.begin() + CheckedIndex(index));
}

const QByteArray& StringList::Item(int index) const { return items_[CheckedIndex(index)]; }

QByteArray StringList::Text() const {
  qsizetype total = 0;
  for (const QByteArray& item : items_) total += item.size() + delimiter_.size();
  QByteArray joined;
  joined.reserve(total);
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (i) joined += delimiter_;
    joined += items_[i];
  }
  return joined;
}

void StringList::SetText(const QByteArray& text) {
  items_.clear();
  source_ = text;
  if (delimiter_.isEmpty()) {
    items_.push_back(source_);
    return;
  }
  // std::string_view's search is a memchr loop, far quicker on short needles.
  const std::string_view all(source_.constData(), std::size_t(source_.size()));
  const std::string_view delimiter(delimiter_.constData(), std::size_t(delimiter_.size()));
  std::size_t start = 0;
  for (;;) {
    const std::size_t hit = all.find(delimiter, start);
    const std::size_t end = hit == std::string_view::npos ? all.size() : hit;
    items_.push_back(QByteArray::fromRawData(all.data() + start, qsizetype(end - start)));
    if (hit == std::string_view::npos) break;
    start = hit + delimiter.size();
  }
}
