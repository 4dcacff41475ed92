#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

#include "model/LineValue.h"

// Values as texts that read back bit for bit, for the texts that programs
// read: diffs, patches and recovery journals.
class ExactValue {
 public:
  // An integer in decimals; a float in the file's "0.000" form where that
  // reads back as exactly this float, else in its shortest exact text.
  static QByteArray Text(const LineValue& value);
  // A value of a column of the given kind from such a text (or any decimal
  // text, rounded to the nearest float); nothing when it is none.
  static std::optional<LineValue> Read(QByteArrayView text, bool integer);
};
