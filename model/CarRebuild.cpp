#include "model/CarRebuild.h"

#include <cstring>

#include "helperlib/ThreadJoiner.h"
#include "model/KeptBytes.h"
#include "model/LineCodec.h"
#include "model/NycGciCar.h"
#include "model/SectionScan.h"
#include "model/StatusDisplay.h"
#include "model/TextWriter.h"

CarRebuild::CarRebuild(const std::vector<std::shared_ptr<NycGciCar>>& cars,
                       const QByteArray& mainComment, StatusDisplay& status)
    : cars_(cars), mainComment_(mainComment), status_(status) {}

QByteArray CarRebuild::Build(QByteArray content, qsizetype estimate, bool twoThreads) const {
  content.truncate(0);        // keeps the memory unless somebody else holds the old content
  std::int32_t reported = 0;  // the cars whose progress was reported
  if (!twoThreads || !BuildInTwoParts(content, estimate, reported)) {
    content.truncate(0);
    // Room beyond the estimate for the writer's bound of a line; should the
    // old memory be too small, it grows in place where the system can.
    const QByteArray head = Head(mainComment_);
    TextWriter writer(content, estimate + head.size() + 4096);
    writer.Write(head);
    AppendCars(writer, 1, Count(), &reported);
  }
  return content;
}

// Builds a large content in two parts of the same memory at once: this thread
// writes the header and the first half of the cars from the start, a second
// thread the other cars from where the first half's share of the estimate
// ends, with a margin; then the second part moves down to join the first. The
// old content's pages are used again, so the second thread needs no memory of
// its own. False when either part outgrows its room (cars of very different
// lengths) or no thread can be made: the caller builds the content again on
// one thread and reports the cars after those reported here.
bool CarRebuild::BuildInTwoParts(QByteArray& content, qsizetype estimate,
                                 std::int32_t& reported) const {
  const std::int32_t count = Count();
  const std::int32_t firstOfSecond = count / 2 + 1;
  const qsizetype margin = estimate / 32 + 4096;
  const QByteArray head = Head(mainComment_);
  const qsizetype header = head.size();
  const qsizetype secondStart = header + estimate / count * (firstOfSecond - 1) + margin;
  content.resize(header + estimate + 2 * margin);
  char* const data = content.data();
  const qsizetype room = content.size();

  bool secondFailed = false;
  qsizetype secondEnd = secondStart;
  ThreadJoiner second;  // joined before what it writes to is gone
  const bool started = second.Start([&] {
    try {
      TextWriter writer(data, secondStart, room);
      AppendCars(writer, firstOfSecond, count, nullptr);
      secondEnd = writer.Written();
    } catch (...) {
      secondFailed = true;  // the caller's build meets the same error
    }
  });
  if (!started) return false;
  qsizetype firstEnd = 0;
  try {
    TextWriter writer(data, 0, secondStart);
    writer.Write(head);
    AppendCars(writer, 1, firstOfSecond - 1, &reported);
    firstEnd = writer.Written();
  } catch (const TextWriter::Full&) {
    return false;
  }
  second.Join();
  if (secondFailed) return false;
  std::memmove(data + firstEnd, data + secondStart, std::size_t(secondEnd - secondStart));
  content.truncate(firstEnd + (secondEnd - secondStart));
  for (std::int32_t i = firstOfSecond; i <= count; ++i)
    status_.SetProgressValue(float(reported = i));
  return true;
}

QByteArray CarRebuild::Head(const QByteArray& mainComment) {
  return FormatLine(LineValue::Empty(), mainComment).append(SectionScan::Separator);
}

// Writes the cars first to last, each followed by an empty line; with
// reported, reports each car after those reported already.
void CarRebuild::AppendCars(TextWriter& out, std::int32_t first, std::int32_t last,
                            std::int32_t* reported) const {
  for (std::int32_t i = first; i <= last; ++i) {
    KeptBytes::WriteRebuilt(out, *cars_[std::size_t(i - 1)]);
    if (reported && i > *reported) status_.SetProgressValue(float(*reported = i));
  }
}
