#include "model/TabTable.h"

#include <QCoreApplication>
#include <algorithm>
#include <limits>

#include "base/RuntimeErrors.h"

TabTable::TabTable(QByteArrayView bytes, QString tableName)
    : bytes_(bytes.startsWith("\xEF\xBB\xBF") ? bytes.sliced(3) : bytes),
      tableName_(std::move(tableName)) {}

// Where the next character c stands from at_ on, or the end.
qsizetype TabTable::Find(char c) const {
  const qsizetype found = bytes_.indexOf(c, at_);
  return found < 0 ? bytes_.size() : found;
}

bool TabTable::LineEndsAt(qsizetype at) const {
  return at >= bytes_.size() || bytes_[at] == '\n' ||
         (bytes_[at] == '\r' && at + 1 < bytes_.size() && bytes_[at + 1] == '\n');
}

// The field that starts with the quote at at_; at_ is then after its closing quote.
QByteArray TabTable::QuotedField(int field) {
  QByteArray text;
  for (qsizetype from = at_ + 1;;) {
    const qsizetype quote = bytes_.indexOf('"', from);
    if (quote < 0) break;
    const QByteArrayView part = bytes_.sliced(from, quote - from);
    line_ += int(std::count(part.begin(), part.end(), '\n'));
    text += part;
    if (quote + 1 < bytes_.size() && bytes_[quote + 1] == '"') {
      text += '"';
      from = quote + 2;
      continue;
    }
    at_ = quote + 1;
    if (at_ >= bytes_.size() || bytes_[at_] == '\t' || LineEndsAt(at_)) return text;
    break;
  }
  RaiseRuntimeError(ErrInvalidArgument,
                    QCoreApplication::translate("TabTable",
                                                "%1 line %2, field %3: a quoted field must end "
                                                "at its closing quote")
                        .arg(tableName_)
                        .arg(rowLine_)
                        .arg(field));
}

bool TabTable::Next(Row& row, qsizetype maxFields) {
  const QByteArrayView rest = bytes_.sliced(at_);
  if (std::all_of(rest.begin(), rest.end(), [](char c) { return c == '\r' || c == '\n'; })) {
    return false;
  }
  rowLine_ = line_;
  row.line = line_;
  row.fields.clear();
  row.count = 0;
  for (;;) {
    QByteArray text;
    const int field = int(std::min<qsizetype>(row.count + 1, std::numeric_limits<int>::max()));
    if (at_ < bytes_.size() && bytes_[at_] == '"') {
      text = QuotedField(field);
    } else {
      // Both searches are kept until passed: a line of millions of TABs or a
      // field of millions of bytes is searched once.
      if (nextTab_ < at_) nextTab_ = Find('\t');
      if (nextLineFeed_ < at_) nextLineFeed_ = Find('\n');
      const qsizetype lf = nextLineFeed_;
      const qsizetype end = std::min(nextTab_, lf);
      const qsizetype textEnd = end == lf && lf > at_ && bytes_[lf - 1] == '\r' ? lf - 1 : end;
      if (row.count < maxFields) text = bytes_.sliced(at_, textEnd - at_).toByteArray();
      at_ = textEnd;
    }
    if (row.count++ < maxFields) row.fields << text;
    if (at_ >= bytes_.size()) return true;
    if (bytes_[at_] == '\t') {
      ++at_;
      continue;
    }
    at_ += bytes_[at_] == '\r' ? 2 : 1;  // the line's end
    ++line_;
    return true;
  }
}

std::vector<TabTable::Row> TabTable::Read(QByteArrayView bytes, const QString& tableName) {
  TabTable table(bytes, tableName);
  std::vector<Row> rows;
  for (Row row; table.Next(row, std::numeric_limits<qsizetype>::max());) rows.push_back(row);
  return rows;
}

QByteArray TabTable::Field(const QByteArray& text) {
  const bool plain = !text.startsWith('"') && std::none_of(text.begin(), text.end(), [](char c) {
    return c == '\t' || c == '\n' || c == '\r';
  });
  if (plain) return text;
  QByteArray quoted = text;
  return '"' + quoted.replace('"', "\"\"") + '"';
}
