#include "model/TabTable.h"

#include "base/RuntimeErrors.h"

namespace {

// Reads one line's fields; returns false for a quoted field without its
// closing quote at its end, with field holding that field's number.
bool ReadFields(QByteArrayView line, QList<QByteArray>& fields, int& field) {
  qsizetype at = 0;
  for (field = 1;; ++field) {
    QByteArray text;
    if (at < line.size() && line[at] == '"') {
      for (++at;; ++at) {
        if (at >= line.size()) return false;
        if (line[at] != '"') {
          text += line[at];
        } else if (at + 1 < line.size() && line[at + 1] == '"') {
          text += '"';
          ++at;
        } else {
          break;
        }
      }
      ++at;
      if (at < line.size() && line[at] != '\t') return false;
    } else {
      const qsizetype tab = line.indexOf('\t', at);
      const qsizetype end = tab < 0 ? line.size() : tab;
      text = line.sliced(at, end - at).toByteArray();
      at = end;
    }
    fields << text;
    if (at >= line.size()) return true;
    ++at;  // the TAB
  }
}

}  // namespace

std::vector<TabTable::Row> TabTable::Read(QByteArrayView bytes, const QString& tableName) {
  if (bytes.startsWith("\xEF\xBB\xBF")) bytes = bytes.sliced(3);
  std::vector<Row> rows;
  int line = 0;
  qsizetype lastFilled = 0;
  for (qsizetype at = 0; at < bytes.size();) {
    const qsizetype lf = bytes.indexOf('\n', at);
    const qsizetype next = lf < 0 ? bytes.size() : lf + 1;
    QByteArrayView text = bytes.sliced(at, (lf < 0 ? bytes.size() : lf) - at);
    if (text.endsWith('\r')) text.chop(1);
    at = next;
    Row row{++line, {}};
    int field = 0;
    if (!ReadFields(text, row.fields, field)) {
      RaiseRuntimeError(ErrInvalidArgument,
                        QStringLiteral("%1 line %2, field %3: a quoted field must end at its "
                                       "closing quote")
                            .arg(tableName)
                            .arg(line)
                            .arg(field));
    }
    rows.push_back(std::move(row));
    if (!text.isEmpty()) lastFilled = qsizetype(rows.size());
  }
  rows.resize(std::size_t(lastFilled));
  return rows;
}
