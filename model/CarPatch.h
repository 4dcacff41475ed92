#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <cstdint>

class NycGciCar;
class NycGciCars;
struct LineValue;

// A mod as a patch: the changes that make one car file (B) of another (A),
// to be applied to any copy of the file that has A's values where the
// changes are. A patch is a TAB table in the car file's own bytes (Latin-1),
// fields with a TAB or a line break in double quotes, lines starting with #
// comments. Its first line is "torqlet patch 1"; then one line each:
//
//   value  CAR  N  COLUMN  OLD  NEW     a changed value
//   remove CAR  N                       a car only A has
//   add    CAR  N  AFTER  M  LINE...    a car only B has, after B's car AFTER
//                                       (M-th of its name; empty and 0: first),
//                                       with the 21 value lines of its block
//
// N tells cars of one name apart: 1 for the first car of the name, 2 for the
// second. COLUMN is the heading as export prints it (or the column's number
// where two columns share a heading); values are in their exact text, so
// that applying gives B's values bit for bit. Cars match as diff matches them.
class CarPatch {
 public:
  static QByteArray Make(const NycGciCars& a, const NycGciCars& b);

  struct Outcome {
    std::int64_t changed = 0;  // values changed, cars added and removed
    std::int64_t applied = 0;  // found as the patch would make them already
    // car<TAB>column<TAB>expected<TAB>found, for each value that has neither
    // the old nor the new value, each car missing, each added car that
    // differs; the patch then changes nothing.
    QList<QByteArray> conflicts;
  };
  // Applies the patch unless it conflicts anywhere, or with dryRun only
  // counts. Raises the invalid argument error, naming the patch and the line,
  // for a patch that does not read.
  static Outcome Apply(NycGciCars& file, QByteArrayView patch, const QString& patchName,
                       bool dryRun);

  // Sets a value of a sheet column 1 to 21, the model too (through the block).
  static void SetValue(NycGciCar& car, int col, const LineValue& value);
};
