#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <vector>

// A table separated by TAB characters as spreadsheets save it: lines end in
// LF or CR LF (the last one may lack it), a UTF-8 byte-order mark may lead,
// empty lines at the end are dropped. A field in double quotes may hold TAB
// characters, and a doubled quote in it stands for one quote; any other field
// is taken as it is. Fields keep their bytes.
class TabTable {
 public:
  struct Row {
    int line;  // 1-based line number in the table
    QList<QByteArray> fields;
  };

  // Raises the invalid argument error, naming the table, the line and the
  // field, for a quoted field that does not end at its closing quote.
  static std::vector<Row> Read(QByteArrayView bytes, const QString& tableName);
};
