#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <vector>

// A table separated by TAB characters as spreadsheets save it: lines end in
// LF or CR LF (the last one may lack it), a UTF-8 byte-order mark may lead,
// empty lines at the end are dropped. A field in double quotes may hold TAB
// characters and line breaks, and a doubled quote in it stands for one quote;
// any other field is taken as it is. Fields keep their bytes.
// Rows are read one at a time, so that a table costs little more memory than
// its bytes whatever it holds.
class TabTable {
 public:
  struct Row {
    int line = 0;  // 1-based line number in the table where the row starts
    // The row's fields, at most as many as the reader was asked to keep.
    QList<QByteArray> fields;
    qsizetype count = 0;  // how many fields the row has
  };

  TabTable(QByteArrayView bytes, QString tableName);
  // The next row, keeping at most maxFields of its fields; false after the
  // last. Raises the invalid argument error, naming the table, the line and
  // the field, for a quoted field that does not end at its closing quote.
  bool Next(Row& row, qsizetype maxFields);

  // The text as a field of a table line: in double quotes, with its quotes
  // doubled, when it holds a TAB or a line break or begins with a quote, as
  // spreadsheets write it; else as it is.
  static QByteArray Field(const QByteArray& text);
  // All rows with all their fields.
  static std::vector<Row> Read(QByteArrayView bytes, const QString& tableName);

 private:
  QByteArray QuotedField(int field);
  bool LineEndsAt(qsizetype at) const;
  qsizetype Find(char c) const;

  QByteArrayView bytes_;
  QString tableName_;
  qsizetype at_ = 0;
  int line_ = 1;
  int rowLine_ = 1;
  qsizetype nextTab_ = -1;
  qsizetype nextLineFeed_ = -1;
};
