#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "model/KeptBytes.h"

class NycGciCar;
class NycGciCars;
class StatusDisplay;

// Splits the content at every empty line (CR LF CR LF): the first section is
// the header comment, every further one a car block. Trailing sections of at
// most four characters are dropped (the empty one after the final separator,
// and short rubbish such as NUL bytes). The sections are walked in place, so
// memory does not grow with their number.
//
// A large content is parsed by two threads: this one takes the cars before the
// middle, a second one those after it, quietly, stopping before the first car
// whose block fails. Once this one has reached the middle, it stops the second
// one, takes over its cars with their progress and carries on where it
// stopped, so that a failing car raises its error here, after the cars before
// it, as with one thread; and a second thread that got little time on a busy
// machine is never waited for.
//
// Where the content is not kept whole (own holds its bytes), each thread
// checks its cars against their pieces of the content, keeps the pieces that
// differ and gives the memory behind them back.
class CarParse {
 public:
  // The cars get parent as their car file and report their progress to status.
  CarParse(NycGciCars* parent, StatusDisplay& status);

  // Parses the content into its header comment and its cars (cars is emptied
  // first). own is the content's own memory where it is kept only in part,
  // else null. Returns the bytes to keep beside the cars (none without own).
  // A content that fails raises the bad file content error with the place
  // and what is wrong there; the cars read before the failing one stay.
  KeptBytes Parse(QByteArrayView all, char* own, std::vector<std::shared_ptr<NycGciCar>>& cars,
                  QByteArray& mainComment);

  // Whether a content of so many bytes is read and parsed on two threads (a
  // second core, and at least ParallelMinimumBytes; tests lower it).
  static bool UseTwoThreads(qsizetype bytes);
  static qsizetype ParallelMinimumBytes();
  static void SetParallelMinimumBytes(qsizetype bytes);

 private:
  // Cars parsed on a second thread, from the section at start on.
  struct ParsedCars {
    std::vector<std::shared_ptr<NycGciCar>> cars;
    qsizetype next = 0;  // where the section after the last of them starts
    KeptBytes kept;      // their pieces that differ, numbered from 0
  };
  // Where the content is not kept whole, own holds its bytes, which the parse
  // then checks against the cars and releases behind it once allowed to.
  struct QuietParse {
    QByteArrayView content;
    qsizetype start;
    std::int32_t count;
    char* own;
    const std::atomic<bool>& mayRelease;
  };
  static void ParseCarsQuietly(const QuietParse& what, const std::atomic<bool>& stop,
                               ParsedCars& parsed);

  NycGciCars* parent_;
  StatusDisplay& status_;
};
