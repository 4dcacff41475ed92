#include "model/NycGciCars.h"

#include <QCoreApplication>
#include <QFile>
#include <QScopeGuard>
#include <algorithm>
#include <utility>

#include "base/TorqletError.h"
#include "core/AppInfo.h"
#include "core/ErrorCodes.h"
#include "core/Errors.h"
#include "helperlib/DataHandler.h"
#include "helperlib/SaveBackup.h"
#include "helperlib/ThreadJoiner.h"
#include "model/CarContentSource.h"
#include "model/CarParse.h"
#include "model/CarRebuild.h"
#include "model/NycGciCar.h"
#include "model/QuietDisplay.h"
#include "model/StatusDisplay.h"

namespace {

const char* const Source = "NycGciCars";

// Stands in where nobody watches.
StatusDisplay& Silent() {
  static QuietDisplay silent;
  return silent;
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

void NycGciCars::SetCars(std::vector<std::shared_ptr<NycGciCar>> cars) {
  for (const auto& car : cars) {
    if (!car) RaiseError(ErrBadCall, Source);
  }
  cars_ = std::move(cars);
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

qsizetype NycGciCars::ParallelMinimumBytes() { return CarParse::ParallelMinimumBytes(); }

void NycGciCars::SetParallelMinimumBytes(qsizetype bytes) {
  CarParse::SetParallelMinimumBytes(bytes);
}

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
    pobjDH->LoadFile(fileName, CarParse::UseTwoThreads);
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

// The content is taken from the data handler where it is not to be kept
// whole; a content that fails is out of step with the cars (and may be partly
// gone), so nothing is left to save then. The caller puts the steps at rest.
void NycGciCars::ParseContent(bool keepWhole) {
  SetStep(QT_TRANSLATE_NOOP("NycGciCars", " - processing data..."));
  QByteArray content = keepWhole ? pobjDH->Data().Text() : pobjDH->Data().Take();
  char* const own = keepWhole ? nullptr : content.data();
  auto failed = qScopeGuard([this] {
    pobjDH->Close();
    lean_ = false;
    kept_ = KeptBytes();
  });
  KeptBytes kept = CarParse(this, status_).Parse(content, own, cars_, mainComment_);
  failed.dismiss();
  lean_ = !keepWhole;
  kept_ = std::move(kept);
  pblnChanged = false;
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
                .Build(std::move(content), estimate, CarParse::UseTwoThreads(estimate) && Count() >= 2);
  SetStep(QT_TRANSLATE_NOOP("NycGciCars", " - writing data..."));
  pobjDH->Data().SetText(std::move(content));
  pblnChanged = false;
}
