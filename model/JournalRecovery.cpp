#include "model/JournalRecovery.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <algorithm>

#include "helperlib/DataHandler.h"
#include "model/CarDocument.h"
#include "model/CarNames.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"
#include "model/RecoveryJournal.h"

namespace {

// A journal is a few bytes per edited cell; anything far larger is no journal.
constexpr qint64 MaxJournalBytes = qint64(1) << 30;

}  // namespace

JournalRecovery::JournalRecovery(const QString& folder) {
  const QDir dir(folder);
  const QStringList names =
      dir.entryList({QLatin1Char('*') + RecoveryJournal::Suffix()}, QDir::Files, QDir::Name);
  for (const QString& name : names) {
    const QString path = dir.filePath(name);
    auto lock = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
    // Only a lock whose process has ended is stale, however old it is.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) journals_.push_back({path, std::move(lock)});
  }
}

JournalRecovery::~JournalRecovery() = default;

std::optional<JournalText::Content> JournalRecovery::Read(int index, QString& fault) const {
  QFile file(Path(index));
  if (!file.open(QIODevice::ReadOnly)) {
    fault = file.errorString();
    return std::nullopt;
  }
  if (file.size() > MaxJournalBytes) {
    fault = QCoreApplication::translate("JournalRecovery", "the journal is too large");
    return std::nullopt;
  }
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    fault = file.errorString();
    return std::nullopt;
  }
  return JournalText::Read(bytes, fault);
}

void JournalRecovery::Discard(int index) {
  Journal& journal = journals_[std::size_t(index)];
  QFile::remove(journal.path);
  if (journal.lock) journal.lock.reset();
}

JournalRecovery::Outcome JournalRecovery::Apply(CarDocument& document,
                                                const JournalText::Content& content,
                                                const QString& stepName) {
  const NycGciCars& file = document.CarFile();
  Outcome outcome;
  if (!content.blocks.empty()) {
    // The cars whole: they take the place of the file's.
    CarDocument::Cars cars;
    cars.reserve(content.blocks.size());
    for (const QByteArray& block : content.blocks) {
      cars.push_back(std::make_shared<NycGciCar>());
      cars.back()->SetBlock(block);
    }
    outcome.changed = std::int64_t(cars.size());
    document.ReplaceCars(std::move(cars), stepName);
    return outcome;
  }
  outcome.byName =
      file.Count() != content.carCount ||
      (!content.fileName.isEmpty() && file.Data().DiskIdentity() != content.identity) ||
      std::any_of(content.cars.begin(), content.cars.end(), [&file](const JournalText::Car& car) {
        return car.row > file.Count() || file.Car(car.row).NameView() != car.name;
      });
  std::vector<CellValue> cells;
  cells.reserve(std::size_t(content.ValueCount()));
  CarNames names(file);
  for (const JournalText::Car& car : content.cars) {
    std::int32_t row = car.row;
    if (outcome.byName) {
      row = names.Take(car.name);
      if (row <= 0) {
        outcome.missingCars << QString::fromLatin1(car.name);
        continue;
      }
    }
    for (const auto& [col, value] : car.values) cells.push_back({row, col, value});
  }
  outcome.changed = document.SetCells(cells, [&stepName](std::int64_t) { return stepName; });
  return outcome;
}
