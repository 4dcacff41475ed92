#include "model/NycGciCars.h"

#include <QCoreApplication>
#include <QFile>
#include <QScopeGuard>
#include <algorithm>
#include <chrono>
#include <future>
#include <thread>
#include <utility>

#include "base/TorqletError.h"
#include "core/AppInfo.h"
#include "core/ErrorCodes.h"
#include "core/Errors.h"
#include "helperlib/DataHandler.h"
#include "helperlib/PageReleaser.h"
#include "helperlib/SaveBackup.h"
#include "helperlib/ThreadJoiner.h"
#include "model/BlockLines.h"
#include "model/CarBatch.h"
#include "model/CarContentSource.h"
#include "model/CarRebuild.h"
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

// Stands in where nobody watches (the command-line tool): shows nothing.
class SilentDisplay final : public StatusDisplay {
 public:
  QString Caption() const override { return caption_; }
  void SetCaption(const QString& text) override { caption_ = text; }
  void SetProgressVisible(bool) override {}
  void SetProgressMax(float) override {}
  void SetProgressValue(float) override {}
  void Show() override {}
  void Warn(const QString&) override {}

 private:
  QString caption_;
};

StatusDisplay& Silent() {
  static SilentDisplay silent;
  return silent;
}

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

bool UseTwoThreads(qsizetype bytes) {
  return bytes >= parallelMinimumBytes.load() && std::thread::hardware_concurrency() > 1;
}

}  // namespace

// Resources of a static library must be registered by name, outside any namespace.
static void InitStockResources() {
  static const bool done = [] {
    Q_INIT_RESOURCE(torqlet_stock);
    return true;
  }();
  (void)done;
}

NycGciCars::NycGciCars(StatusDisplay* status)
    : status_(status ? *status : Silent()), pobjDH(std::make_unique<DataHandler>()) {
  QObject::connect(
      pobjDH.get(), &DataHandler::FilePartlyRead,
      [this](std::int32_t length, std::int32_t count, float) { OnProgress(length, count); });
  QObject::connect(
      pobjDH.get(), &DataHandler::FilePartlyWritten,
      [this](std::int32_t length, std::int32_t count, float) { OnProgress(length, count); });
  QObject::connect(pobjDH.get(), &DataHandler::Warning,
                   [this](const QString& text) { status_.Warn(text); });
}

NycGciCars::~NycGciCars() {
  if (pobjDH->HasData()) pobjDH->Close();
  // Cars that somebody still holds must not point back at a container that is gone.
  for (const auto& car : cars_) {
    if (car && car->Parent() == this) car->SetParent(nullptr);
  }
}

void NycGciCars::CheckIndex(std::int32_t index) const {
  if (index < 1 || index > Count()) RaiseError(ErrBadCall, Source);
}

const NycGciCar& NycGciCars::Car(std::int32_t index) const {
  CheckIndex(index);
  return *cars_[std::size_t(index - 1)];
}

NycGciCar& NycGciCars::Car(std::int32_t index) {
  CheckIndex(index);
  return *cars_[std::size_t(index - 1)];
}

void NycGciCars::SetCar(std::int32_t index, std::shared_ptr<NycGciCar> newValue) {
  CheckIndex(index);
  if (!newValue) RaiseError(ErrBadCall, Source);  // an empty place would break every reader
  cars_[std::size_t(index - 1)] = std::move(newValue);
  MarkChanged();
}

QString NycGciCars::FileTitle() const { return pobjDH->FileTitle(); }

bool NycGciCars::FileChangedOnDisk() const { return pobjDH->FileChangedOnDisk(); }

void NycGciCars::SetMainComment(QByteArray newValue) {
  mainComment_ = std::move(newValue);
  MarkChanged();
}

void NycGciCars::OnProgress(std::int32_t length, std::int32_t count) {
  if (count == 0) status_.SetProgressMax(float(length));
  status_.SetProgressValue(float(count));
}

void NycGciCars::SetStep(const char* suffix) {
  status_.SetCaption(ApplicationTitle() + QCoreApplication::translate("NycGciCars", suffix));
}

// Caption back to the title and the progress bar hidden.
void NycGciCars::EndSteps() {
  status_.SetProgressVisible(false);
  status_.SetCaption(ApplicationTitle());
}

qsizetype NycGciCars::ParallelMinimumBytes() { return parallelMinimumBytes.load(); }

void NycGciCars::SetParallelMinimumBytes(qsizetype bytes) { parallelMinimumBytes = bytes; }

QByteArray NycGciCars::StockContent() {
  InitStockResources();
  QFile stock(QStringLiteral(":/stock/nyc.gci"));
  if (!stock.open(QIODevice::ReadOnly)) RaiseError(ErrUnexpectedInternal, Source);
  return stock.readAll();
}

void NycGciCars::LoadFile(const QString& fileName) {
  const auto atRest = qScopeGuard([this] { EndSteps(); });
  ReadFile(fileName);
  ParseContent(keepWhole_);
}

// A file that fails to load is never copied: the copy is dropped unless every
// car was read.
void NycGciCars::LoadFileAndCopy(const QString& fileName, const QString& copyName) {
  const auto atRest = qScopeGuard([this] { EndSteps(); });
  ReadFile(fileName);
  pobjDH->StartSaveAs(copyName);
  auto dropCopy = qScopeGuard([this] { pobjDH->CancelSaveAs(); });
  ParseContent(true);
  dropCopy.dismiss();
  SetStep(QT_TRANSLATE_NOOP("NycGciCars", " - writing data..."));
  // Only the copy is wanted now: the cars and the content are let go on a
  // second thread while the copy is put in place (its writer holds the
  // content as long as it needs it), and nothing is left to save.
  const auto closed = qScopeGuard([this] { pobjDH->Close(); });
  ThreadJoiner release;
  release.Start([cars = std::exchange(cars_, {}), content = pobjDH->Data().Take()]() mutable {
    cars.clear();
    content.clear();
  });
  pobjDH->FinishSaveAs();
}

// Every failed read is the unexpected internal error, which callers act on;
// the data handler's error stays with it as the reason. The caller puts the
// steps at rest.
void NycGciCars::ReadFile(const QString& fileName) {
  SetStep(QT_TRANSLATE_NOOP("NycGciCars", " - loading data..."));
  status_.SetProgressVisible(true);
  for (const QString& leftover : SaveBackup::Leftovers(fileName)) {
    status_.Warn(SaveBackup::LeftoverWarning(leftover));
  }
  try {
    pobjDH->LoadFile(fileName, UseTwoThreads);
  } catch (const std::exception& error) {
    RaiseError(ErrUnexpectedInternal, Source, error);
  }
}

void NycGciCars::NewFile() {
  const auto atRest = qScopeGuard([this] { EndSteps(); });
  SetStep(QT_TRANSLATE_NOOP("NycGciCars", " - loading data..."));
  status_.SetProgressVisible(true);
  pobjDH->NewData();
  pobjDH->Data().SetBytes(StockContent());
  ParseContent(keepWhole_);
}

// Splits the content at every empty line (CR LF CR LF): the first section is
// the header comment, every further one a car block. Trailing sections of at
// most four characters are dropped (the empty one after the final separator,
// and short rubbish such as NUL bytes). The sections are walked in place, so
// memory does not grow with their number. The caller puts the steps at rest.
//
// A large content is parsed by two threads: this one takes the cars before the
// middle, a second one those after it, quietly, stopping before the first car
// whose block fails. Once this one has reached the middle, it stops the second
// one, takes over its cars with their progress and carries on where it
// stopped, so that a failing car raises its error here, after the cars before
// it, as with one thread; and a second thread that got little time on a busy
// machine is never waited for.
//
// Where the content is not to be kept whole, it is taken from the data
// handler: each thread checks its cars against their pieces of the content,
// copies the pieces that differ and gives the memory behind it back.
void NycGciCars::ParseContent(bool keepWhole) {
  SetStep(QT_TRANSLATE_NOOP("NycGciCars", " - processing data..."));
  QByteArray content = keepWhole ? pobjDH->Data().Text() : pobjDH->Data().Take();
  char* const own = keepWhole ? nullptr : content.data();
  const QByteArrayView all(content);
  // A content that fails is out of step with the cars (and may be partly
  // gone): nothing is left to save.
  auto failed = qScopeGuard([this] {
    pobjDH->Close();
    lean_ = false;
    kept_ = KeptBytes();
  });

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
    mainComment_ = ParseComment(nextSection());
  } catch (const TorqletError& error) {
    throw error.WithDetail(ContentFault::Header());
  }
  KeptBytes kept;
  if (own) kept.SetHead(all.first(start));
  PieceCheck pieces(own, 0);
  cars_.clear();
  const auto carCount = static_cast<std::int32_t>(sections - 1);
  cars_.reserve(std::size_t(std::min<qsizetype>(carCount, all.size() / SmallestBlock + 1)));
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
        car->SetParent(this);
        cars_.push_back(std::move(car));
        status_.SetProgressValue(float(i++));
      }
      if (!parsed.cars.empty()) start = parsed.next;
      if (i > carCount) break;
    }
    auto car = batch.NewCar();
    car->SetParent(this);
    const NycGciCar* neighbour = cars_.empty() ? nullptr : cars_.back().get();
    cars_.push_back(car);  // a car whose block fails stays, as far as it was read
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
  failed.dismiss();
  lean_ = !keepWhole;
  if (lean_) kept.SetTail(all.sliced(std::min(start, all.size())));
  kept_ = std::move(kept);
  pblnChanged = false;
}

// Parses count car blocks from the section at start on, without a parent and
// without raising: stops before a block that fails (or when told to stop).
void NycGciCars::ParseCarsQuietly(const QuietParse& what, const std::atomic<bool>& stop,
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

void NycGciCars::Save() { Write(nullptr); }

void NycGciCars::SaveAs(const QString& fileName) { Write(&fileName); }

void NycGciCars::Write(const QString* newFileName) {
  // A file that was never filled, or failed to load, has nothing to write:
  // refused before any step shows.
  if (!pobjDH->HasData() || (pblnChanged && cars_.empty())) {
    RaiseError(ErrBadCallContext, Source);
  }
  const auto atRest = qScopeGuard([this] { EndSteps(); });
  if (lean_) {
    WriteInPieces(newFileName);
    return;
  }
  if (pblnChanged) {
    BuildContent();
  } else {
    SetStep(QT_TRANSLATE_NOOP("NycGciCars", " - writing data..."));
    status_.SetProgressVisible(true);
  }
  if (newFileName) {
    pobjDH->SaveAs(*newFileName);
  } else {
    pobjDH->Save();
  }
}

// Content kept in part is written as it is made from the cars and the kept
// bytes, a piece at a time, so that it is never held whole. Changed cars are
// written afresh: from then on, also should the write fail, the content is
// theirs. The caller checks that there is something to write and puts the
// steps at rest.
void NycGciCars::WriteInPieces(const QString* newFileName) {
  if (pblnChanged) {
    kept_ = KeptBytes(CarRebuild::Head(mainComment_));
    pblnChanged = false;
  }
  SetStep(QT_TRANSLATE_NOOP("NycGciCars", " - writing data..."));
  status_.SetProgressMax(float(Count()));
  status_.SetProgressValue(0);
  status_.SetProgressVisible(true);
  status_.Show();
  CarContentSource source(cars_, kept_, status_);
  if (newFileName) {
    pobjDH->SaveAs(*newFileName, source);
  } else {
    pobjDH->Save(source);
  }
}

// Rebuilds the raw content from the header comment and the cars: every section
// followed by an empty line. The caller checks that there is something to
// build and puts the steps at rest.
void NycGciCars::BuildContent() {
  SetStep(QT_TRANSLATE_NOOP("NycGciCars", " - processing data..."));
  status_.SetProgressMax(float(Count()));
  status_.SetProgressValue(0);
  status_.SetProgressVisible(true);
  status_.Show();

  // Should building fail, the flag stays set and the next save builds again.
  const qsizetype estimate =
      std::min<qsizetype>(pobjDH->Data().Text().size(), qsizetype(cars_.size()) * 640) + 64;
  QByteArray content = pobjDH->Data().Text();
  pobjDH->Data().Clear();
  content = CarRebuild(cars_, mainComment_, status_)
                .Build(std::move(content), estimate, UseTwoThreads(estimate) && Count() >= 2);
  SetStep(QT_TRANSLATE_NOOP("NycGciCars", " - writing data..."));
  pobjDH->Data().SetText(std::move(content));
  pblnChanged = false;
}
