// The fuzz target: runs any bytes through the car file library the way the
// editor does, from a file on disk, and checks what it promises for every input:
// - loading either succeeds or raises one of the errors of a bad file;
// - a loaded file saved without an edit is written back byte for byte;
// - the rebuilt content is the header comment and the car blocks, each
//   followed by an empty line, and loads back to the same header comment and
//   blocks (each float as the text it was written as), so that rebuilding it
//   again gives the same bytes;
// - every load and save, failed or not, leaves the caption at the title and
//   the progress bar hidden;
// - the other ways of loading and saving agree with the plain one: two threads
//   (over a size lowered for the fuzzer), content kept only in part, the copy
//   written while the file is read, and a save into a file with two names.
// A broken promise or a crash stops the run, with the input saved by libFuzzer.
#include <unistd.h>

#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "FuzzCheck.h"
#include "RecordingDisplay.h"
#include "base/ErrorReport.h"
#include "base/TorqletError.h"
#include "core/AppInfo.h"
#include "core/ErrorCodes.h"
#include "model/LineCodec.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"

static RecordingDisplay display;

// Expects the display at rest after each step.
static void Step(const char* promise, const std::function<void()>& step) {
  step();
  Expect(display.caption == ApplicationTitle() && !display.visible, promise);
}

static QString Path(const char* name) {
  static const QTemporaryDir folder;
  return folder.filePath(QLatin1String(name));
}

static QByteArray Read(const QString& path) {
  QFile file(path);
  Expect(file.open(QIODevice::ReadOnly), "every file can be read");
  return file.readAll();
}

// Saves the file rebuilt from its header comment and cars, the way the editor
// does after an edit, and checks the layout of what was written.
static QByteArray Rebuild(NycGciCars& file, const char* name) {
  file.SetMainComment(file.MainComment());
  Step("a save ends at rest", [&] { file.SaveAs(Path(name)); });
  QByteArray expected = FormatLine(LineValue::Empty(), file.MainComment()) + "\r\n\r\n";
  for (std::int32_t i = 1; i <= file.Count(); ++i) expected += file.Car(i).Block() + "\r\n\r\n";
  Expect(!file.IsChanged() && Read(Path(name)) == expected, "a rebuilt file is header and blocks");
  return expected;
}

// Loads the input in the other ways, which must succeed exactly where the
// plain load did (rebuilt is null where it failed), save it unchanged byte for
// byte and rebuild it to the same bytes.
static void CheckOtherWays(QByteArrayView input, const QByteArray* rebuilt) {
  const bool loads = rebuilt != nullptr;
  const qsizetype parallel = NycGciCars::ParallelMinimumBytes();
  NycGciCars::SetParallelMinimumBytes(64);
  const auto restore = qScopeGuard([parallel] { NycGciCars::SetParallelMinimumBytes(parallel); });
  NycGciCars lean(&display), copied(&display);
  lean.SetKeepWholeContent(false);
  QFile::remove(Path("copy.gci"));
  for (const auto& load : std::initializer_list<std::function<void()>>{
           [&] { lean.LoadFile(Path("input.gci")); },
           [&] { copied.LoadFileAndCopy(Path("input.gci"), Path("copy.gci")); }}) {
    bool loaded = true;
    try {
      Step("a load ends at rest", load);
    } catch (const TorqletError&) {
      loaded = false;
    }
    Expect(loaded == loads, "every way of loading succeeds where the plain one does");
  }
  Expect(QFile::exists(Path("copy.gci")) == loads, "a copy is written only of a loaded file");
  if (!loads) return;
  Expect(Read(Path("copy.gci")) == input, "a copy is the bytes read");
  // A file with two names is written into, and both names show the content.
  QFile::remove(Path("linked.gci"));
  QFile::remove(Path("linked2.gci"));
  Expect(QFile::copy(Path("copy.gci"), Path("linked.gci")) &&
             ::link(QFile::encodeName(Path("linked.gci")),
                    QFile::encodeName(Path("linked2.gci"))) == 0,
         "a file with two names can be made");
  Step("an unchanged save ends at rest", [&] { lean.SaveAs(Path("linked.gci")); });
  Expect(Read(Path("linked2.gci")) == input,
         "an unchanged save of part of the content writes it all");
  Expect(Rebuild(lean, "lean.gci") == *rebuilt, "every way of rebuilding gives the same bytes");
}

static void Check(QByteArrayView input) {
  QFile file(Path("input.gci"));
  Expect(file.open(QIODevice::WriteOnly) && file.write(input.data(), input.size()) == input.size(),
         "the input can be written");
  file.close();
  display.events.clear();
  NycGciCars loaded(&display), again(&display);
  try {
    Step("a load ends at rest", [&] { loaded.LoadFile(Path("input.gci")); });
  } catch (const TorqletError& error) {
    // No car after the header, a block of fewer than 22 lines, a line without
    // its blank or brace, a number out of range.
    const std::int32_t n = error.Number();
    Expect(n == ErrBadFileContent || n == ErrBadPropertyValue || n == ErrInvalidArgument ||
               n == ErrOverflow,
           "a load fails only with an error of a bad file");
    Step("a failed load ends at rest", [] {});
    CheckOtherWays(input, nullptr);
    return;
  }
  Expect(loaded.Count() >= 1 && !loaded.IsChanged(), "a load gives cars and no change");
  Step("an unchanged save ends at rest", [&] { loaded.SaveAs(Path("unchanged.gci")); });
  Expect(Read(Path("unchanged.gci")) == input, "an unchanged save writes the loaded bytes");
  const QByteArray rebuilt = Rebuild(loaded, "rebuilt.gci");
  CheckOtherWays(input, &rebuilt);
  Step("loading a rebuilt file ends at rest", [&] { again.LoadFile(Path("rebuilt.gci")); });
  // Rebuilt again, it gives the same bytes only with the same header comment and blocks.
  Expect(Rebuild(again, "again.gci") == rebuilt, "a rebuilt file loads back to the same cars");
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return RunFuzzCheck(data, size, Check);
}
