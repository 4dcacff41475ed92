// The fuzz target of the patch reader: any bytes as a patch of a few stock
// cars. A patch either does not read (an error naming the patch), or it is
// counted the same way with and without --dry-run; a dry run, a patch that
// conflicts and a patch that does not read leave the cars as they were. What
// an applied patch made is what the patch of the original cars to it makes of
// them (the same cars: a patch does not move cars, so a patch that removes
// one of two equal namesakes may leave the other in its place), and that
// patch finds itself applied already.
#include <algorithm>

#include "FuzzCars.h"
#include "FuzzCheck.h"
#include "base/TorqletError.h"
#include "model/CarPatch.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"

// The cars as text: the header and each block with its name, in order or
// sorted.
static QByteArrayList Blocks(const NycGciCars& file, bool sorted = false) {
  QByteArrayList blocks{file.MainComment()};
  for (std::int32_t i = 1; i <= file.Count(); ++i) blocks << file.Car(i).Block();
  if (sorted) std::sort(blocks.begin(), blocks.end());
  return blocks;
}

static CarPatch::Outcome Apply(NycGciCars& file, QByteArrayView patch, bool dryRun,
                               const char* promise) {
  const QByteArrayList before = Blocks(file);
  try {
    CarPatch::Outcome outcome = CarPatch::Apply(file, patch, QStringLiteral("mod.patch"), dryRun);
    if (dryRun || !outcome.conflicts.isEmpty()) {
      Expect(Blocks(file) == before, "a dry run or a conflict changes nothing");
    }
    return outcome;
  } catch (const TorqletError& error) {
    Expect(error.Description().contains(QLatin1String("mod.patch line")), promise);
    Expect(Blocks(file) == before, "a patch that does not read changes nothing");
    throw;
  }
}

// The small file's cars afresh: copies, since a patch changes cars in place.
static void Fresh(NycGciCars& file, const NycGciCars& original) {
  std::vector<std::shared_ptr<NycGciCar>> cars;
  for (const auto& car : original.Cars()) cars.push_back(car->Copy());
  file.SetCars(std::move(cars));
}

static void Check(QByteArrayView input) {
  static NycGciCars original;
  if (original.Count() == 0) original.LoadFile(SmallCarFile());
  NycGciCars file;
  Fresh(file, original);
  CarPatch::Outcome dry;
  try {
    dry = Apply(file, input, true, "a patch that does not read is named in its error");
  } catch (const TorqletError&) {
    return;
  }
  const CarPatch::Outcome done = Apply(file, input, false, "a patch reads as its dry run did");
  Expect(
      done.changed == dry.changed && done.applied == dry.applied && done.conflicts == dry.conflicts,
      "a dry run counts what the patch does");
  if (!done.conflicts.isEmpty()) return;
  const QByteArray remade = CarPatch::Make(original, file);
  NycGciCars again;
  Fresh(again, original);
  const CarPatch::Outcome redone = Apply(again, remade, false, "a made patch reads");
  Expect(redone.conflicts.isEmpty() && Blocks(again, true) == Blocks(file, true),
         "the patch of the original cars to the result makes the result");
  const CarPatch::Outcome twice = Apply(file, remade, false, "a made patch reads");
  Expect(twice.conflicts.isEmpty() && twice.changed == 0, "a patch applied finds itself applied");
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return RunFuzzCheck(data, size, Check);
}
