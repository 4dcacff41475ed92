#include "model/CarParse.h"

#include <algorithm>
#include <chrono>
#include <future>
#include <thread>

#include "base/TorqletError.h"
#include "core/ErrorCodes.h"
#include "core/Errors.h"
#include "helperlib/PageReleaser.h"
#include "helperlib/ThreadJoiner.h"
#include "model/BlockLines.h"
#include "model/CarBatch.h"
#include "model/ContentFault.h"
#include "model/LineCodec.h"
#include "model/NycGciCar.h"
#include "model/SectionScan.h"
#include "model/StatusDisplay.h"

namespace {

const char* const Source = "NycGciCars";
constexpr QByteArrayView SectionSeparator = SectionScan::Separator;

// Splits the car block that starts at start into its first 22 lines (whole is
// false when there are fewer) and returns where its section ends: at the next
// separator, or at the end of the content. An empty line among them would be a
// separator: where there is none, the separator comes after them, and only the
// rest of the block is searched for it.
qsizetype SplitSection(QByteArrayView all, qsizetype start, BlockLines& lines, bool& whole) {
  whole = SplitBlockLines(all.sliced(start), lines);
  const auto empty = [](const BlockLine& line) { return line.text.isEmpty(); };
  qsizetype from = start;
  if (whole && std::none_of(lines.begin() + 1, lines.end(), empty)) {
    from = lines.back().text.data() + lines.back().text.size() - all.data();
  }
  const qsizetype hit = SectionScan::FindSeparator(all, from);
  const qsizetype end = hit < 0 ? all.size() : hit;
  if (from == start) whole = SplitBlockLines(all.sliced(start, end - start), lines);
  return end;
}

// The smallest block that parses: "}" and 21 lines " }", joined by CR LF.
constexpr qsizetype SmallestBlock = 1 + 21 * 2 + 21 * 2;

// Where the content is kept in part (own holds its bytes): checks each car
// against its piece of the content, keeping the piece where it differs, and
// gives the memory before the piece's end back. Without own, does nothing.
class PieceCheck {
 public:
  PieceCheck(char* own, qsizetype from) : release_(own, from), own_(own) {}
  void Check(KeptBytes& kept, std::int32_t car, const NycGciCar& record, QByteArrayView all,
             qsizetype from, qsizetype next, bool mayRelease) {
    if (!own_) return;
    kept.Check(car, record, all.sliced(from, next - from), scratch_);
    if (mayRelease) release_.ReleaseBefore(next);
  }

 private:
  PageReleaser release_;
  char* own_;
  QByteArray scratch_;  // the car's own text, memory reused from car to car
};

std::atomic<qsizetype> parallelMinimumBytes{qsizetype(2) << 20};

}  // namespace

CarParse::CarParse(NycGciCars* parent, StatusDisplay& status) : parent_(parent), status_(status) {}

bool CarParse::UseTwoThreads(qsizetype bytes) {
  return bytes >= parallelMinimumBytes.load() && std::thread::hardware_concurrency() > 1;
}

qsizetype CarParse::ParallelMinimumBytes() { return parallelMinimumBytes.load(); }

void CarParse::SetParallelMinimumBytes(qsizetype bytes) { parallelMinimumBytes = bytes; }

KeptBytes CarParse::Parse(QByteArrayView all, char* own,
                          std::vector<std::shared_ptr<NycGciCar>>& cars,
                          QByteArray& mainComment) {

  // First pass: how many sections remain once the short trailing ones are
  // gone. With two threads, the second scans the part from the middle on and
  // goes on to parse the cars that start there, while this one scans the part
  // before. Both parts are about as long: should this one be done first, it
  // waits for the second scan as long as its own took, and only then scans
  // the second part itself, so that a second thread that got little time on a
  // busy machine costs little.
  const qsizetype middle = SectionScan::SplitPoint(all);
  ParsedCars parsed;
  std::atomic<bool> secondMayRelease{false};
  std::promise<SectionScan> secondScan;
  std::future<SectionScan> secondScanned = secondScan.get_future();
  ThreadJoiner second;  // joined before what it writes to is gone
  const bool twoThreads =
      middle < all.size() && UseTwoThreads(all.size()) && second.Start([&, middle] {
        const SectionScan scan = SectionScan::Of(all, middle, all.size());
        secondScan.set_value(scan);
        if (scan.Cars() > 0) {
          ParseCarsQuietly(
              {all, scan.first + SectionSeparator.size(), scan.Cars(), own, secondMayRelease},
              second.Stopping(), parsed);
        }
      });
  const auto scanStart = std::chrono::steady_clock::now();
  const SectionScan before = SectionScan::Of(all, 0, middle);
  const auto scanTime = std::chrono::steady_clock::now() - scanStart;
  const SectionScan after =
      twoThreads && secondScanned.wait_for(scanTime) == std::future_status::ready
          ? secondScanned.get()
          : SectionScan::Of(all, middle, all.size());
  const std::int64_t sections = SectionScan::KeptSections(all, before, after);
  if (sections < 2) RaiseErrorAt(ErrBadFileContent, Source, ContentFault::NoCar(all));
  // Section i is car i: the second thread takes the cars from middleSection on.
  const std::int64_t middleSection = before.separators + 1;

  qsizetype start = 0;
  auto nextSection = [&] {
    const qsizetype hit = SectionScan::FindSeparator(all, start);
    const qsizetype end = hit < 0 ? all.size() : hit;
    const QByteArrayView section = all.sliced(start, end - start);
    start = end + SectionSeparator.size();
    return section;
  };

  try {
    mainComment = ParseComment(nextSection());
  } catch (const TorqletError& error) {
    throw error.WithDetail(ContentFault::Header());
  }
  KeptBytes kept;
  if (own) kept.SetHead(all.first(start));
  PieceCheck pieces(own, 0);
  cars.clear();
  const auto carCount = static_cast<std::int32_t>(sections - 1);
  cars.reserve(std::size_t(std::min<qsizetype>(carCount, all.size() / SmallestBlock + 1)));
  status_.SetProgressMax(float(carCount));
  status_.SetProgressValue(0);

  CarBatch batch;
  BlockLines lines;
  auto split = std::int64_t(carCount) + 1;
  if (twoThreads && middleSection >= 2 && middleSection <= carCount) split = middleSection;
  // The second thread's cars are taken over: what it has read is its own to
  // give back. Otherwise they are not needed.
  if (split <= carCount) {
    secondMayRelease = true;
  } else {
    second.Stop();
  }
  for (std::int32_t i = 1; i <= carCount; ++i) {
    if (i == split) {
      second.Stop();
      kept.Append(parsed.kept, split, std::int32_t(parsed.cars.size()));
      for (std::shared_ptr<NycGciCar>& car : parsed.cars) {
        car->SetParent(parent_);
        cars.push_back(std::move(car));
        status_.SetProgressValue(float(i++));
      }
      if (!parsed.cars.empty()) start = parsed.next;
      if (i > carCount) break;
    }
    auto car = batch.NewCar();
    car->SetParent(parent_);
    const NycGciCar* neighbour = cars.empty() ? nullptr : cars.back().get();
    cars.push_back(car);  // a car whose block fails stays, as far as it was read
    bool whole = false;
    const qsizetype from = start;
    const qsizetype end = SplitSection(all, start, lines, whole);
    start = end + SectionSeparator.size();
    try {
      car->SetLinesSharing(lines, whole, neighbour, &batch);
    } catch (const TorqletError& error) {
      throw error.WithDetail(ContentFault::Block(all, from, end));
    }
    pieces.Check(kept, i, *car, all, from, std::min(start, all.size()), true);
    status_.SetProgressValue(float(i));
  }
  if (own) kept.SetTail(all.sliced(std::min(start, all.size())));
  return kept;
}

// Parses count car blocks from the section at start on, without a parent and
// without raising: stops before a block that fails (or when told to stop).
void CarParse::ParseCarsQuietly(const QuietParse& what, const std::atomic<bool>& stop,
                                ParsedCars& parsed) {
  try {
    const QByteArrayView content = what.content;
    qsizetype start = what.start;
    CarBatch batch;
    BlockLines lines;
    PieceCheck pieces(what.own, start);
    parsed.cars.reserve(
        std::size_t(std::min<qsizetype>(what.count, (content.size() - start) / SmallestBlock + 1)));
    for (std::int32_t i = 0; i < what.count && !stop; ++i) {
      bool whole = false;
      const qsizetype end = SplitSection(content, start, lines, whole);
      if (!whole) return;
      auto car = batch.NewCar();
      const NycGciCar* neighbour = parsed.cars.empty() ? nullptr : parsed.cars.back().get();
      car->ReadLines(lines, neighbour, &batch);
      pieces.Check(parsed.kept, i, *car, content, start,
                   std::min(end + SectionSeparator.size(), content.size()), what.mayRelease);
      parsed.cars.push_back(std::move(car));
      start = end + SectionSeparator.size();
      parsed.next = start;
    }
  } catch (...) {
    // The first thread reads this block again and raises its error.
  }
}

