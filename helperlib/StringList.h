#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <vector>

// An ordered list of texts with a delimiter. Setting Text splits at every
// occurrence of the delimiter, left to right; getting Text joins the items with
// the delimiter between each two. Split items share the given text's memory.
class StringList {
 public:
  const QByteArray& Delimiter() const { return delimiter_; }
  void SetDelimiter(QByteArray delimiter) { delimiter_ = std::move(delimiter); }

  // Appends at the end when index is -1, else inserts before the 1-based index.
  void Add(QByteArray item, int index = -1);
  // Removes the last item when index is -1, else the item at the 1-based index.
  void Remove(int index = -1);

  int Count() const { return static_cast<int>(items_.size()); }
  // The item at a 1-based index.
  const QByteArray& Item(int index) const;

  QByteArray Text() const;
  void SetText(const QByteArray& text);

 private:
  std::size_t CheckedIndex(int index) const;

  QByteArray delimiter_;
  QByteArray source_;  // keeps the split text alive for the items that point into it
  std::vector<QByteArray> items_;
};
