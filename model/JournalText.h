#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "helperlib/FileIdentity.h"
#include "model/LineValue.h"

// The text of a recovery journal: what a document's unsaved edits were, so
// that they can be applied again after the program ended without saving. It
// is UTF-8 text, one record a line, fields separated by TAB:
//
//   torqlet recovery journal 1
//   file    /home/me/nyc.gci         (empty for a document never saved)
//   identity 2049 1311 46718 1733650000123456789   (device, inode, size,
//            modification time in nanoseconds; "none" without a file)
//   cars    88                       (cars in the document)
//   car     12    Romero             (the car's number in the file, its name)
//   value   3     1500               (its value line 2 to 21, the new value)
//   ...
//   end     5                        (the number of value lines)
//
// After edits that replaced the list of cars (a merge that added or removed
// cars), the journal holds every car whole instead of car and value lines:
//
//   cars    89
//   block   {Romero}\r\n0 {model}\r\n...   (a car's lines, one line a car)
//   ...
//   end     89                       (the number of block lines)
//
// Floats are written in their shortest exact form, so reading gives the same
// bits. In names and the file name a backslash, line feed and carriage return
// are written as \\, \n and \r. A journal without its end line, or with any
// line that does not read, is refused whole.
class JournalText {
 public:
  struct Car {
    std::int32_t row = 0;
    QByteArray name;  // the file's bytes (Latin-1)
    // The car's edited value lines (sheet columns 2 to 21) and their values.
    std::vector<std::pair<std::uint8_t, LineValue>> values;
  };
  struct Content {
    QString fileName;
    FileIdentity identity;
    std::int32_t carCount = 0;
    std::vector<Car> cars;  // by row, ascending
    // Every car's block in order, when the journal holds the cars whole (and
    // then no car above).
    std::vector<QByteArray> blocks;

    std::int64_t ValueCount() const;
  };

  static QByteArray Write(const Content& content);
  // The content, or nothing with fault saying which line is wrong and how.
  static std::optional<Content> Read(QByteArrayView text, QString& fault);
};
