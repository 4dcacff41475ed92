#include "CarFileChecks.h"

#include <QFile>
#include <algorithm>
#include <array>
#include <exception>

#include "base/TorqletError.h"
#include "core/AppInfo.h"
#include "core/ErrorCodes.h"
#include "model/LineCodec.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"

namespace {

// What loading arbitrary bytes may raise: no car after the header, a block of
// fewer than 22 lines, a line without its blank or brace, a number out of range.
constexpr std::array<std::int32_t, 4> LoadErrors = {ErrBadFileContent, ErrBadPropertyValue,
                                                    ErrInvalidArgument, ErrOverflow};

struct CheckFailure {
  QString text;
};

void Expect(bool holds, const QString& text) {
  if (!holds) throw CheckFailure{text};
}

QString Describe(const TorqletError& error) {
  return QStringLiteral("error %1 (%2)").arg(error.Number()).arg(error.Description());
}

void WriteBytes(const QString& path, QByteArrayView bytes) {
  QFile file(path);
  Expect(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
             file.write(bytes.data(), bytes.size()) == bytes.size(),
         QStringLiteral("cannot write the input to ") + path);
}

QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  Expect(file.open(QIODevice::ReadOnly), QStringLiteral("cannot read back ") + path);
  return file.readAll();
}

// A float as it comes back from the file: written with three decimals, read again.
float AsWritten(float value) {
  return ParseValue(FormatLine(LineValue::FromFloat(value), {})).real;
}

// Header comment, names and comments and integers the same; floats the same
// after one trip through the file's text when rounded is set, else exactly.
void ExpectSameCars(const NycGciCars& before, const NycGciCars& after, bool rounded,
                    const char* what) {
  const QString prefix = QLatin1String(what) + QLatin1String(": ");
  Expect(after.MainComment() == before.MainComment(), prefix + "the header comment differs");
  Expect(after.Count() == before.Count(),
         prefix + QStringLiteral("%1 cars instead of %2").arg(after.Count()).arg(before.Count()));
  for (std::int32_t i = 1; i <= before.Count(); ++i) {
    const NycGciCar& a = before.Car(i);
    const NycGciCar& b = after.Car(i);
    const QString car = prefix + QStringLiteral("car %1: ").arg(i);
    if (!rounded) {
      Expect(a.Block() == b.Block(), car + "the block differs");
      continue;
    }
    Expect(a.Name() == b.Name(), car + "the name differs");
    for (int k = 0; k < CarFieldCount; ++k) {
      const CarField field = FieldAt(k);
      const QString line = car + QStringLiteral("line %1: ").arg(k + 2);
      Expect(a.Comment(field) == b.Comment(field), line + "the comment differs");
      if (IsIntegerField(field)) {
        Expect(a.Integer(field) == b.Integer(field), line + "the integer differs");
      } else {
        Expect(AsWritten(a.Float(field)) == b.Float(field), line + "the float differs");
      }
    }
  }
}

}  // namespace

CarFileChecks::CarFileChecks() { Expect(folder_.isValid(), QStringLiteral("no temporary folder")); }

QString CarFileChecks::Check(QByteArrayView input) {
  try {
    Run(input);
  } catch (const CheckFailure& failure) {
    return failure.text;
  } catch (const TorqletError& error) {
    return QStringLiteral("unexpected ") + Describe(error);
  } catch (const std::exception& error) {
    return QStringLiteral("unexpected exception: ") + QLatin1String(error.what());
  }
  return {};
}

void CarFileChecks::ExpectAtRest(const char* step) const {
  Expect(display_.Caption() == ApplicationTitle() && !display_.ProgressVisible(),
         QLatin1String(step) + QLatin1String(" left the caption or the progress bar busy"));
}

void CarFileChecks::LoadRebuilt(NycGciCars& file, const QString& path) const {
  try {
    file.LoadFile(path);
  } catch (const TorqletError& error) {
    throw CheckFailure{QStringLiteral("a rebuilt file does not load: ") + Describe(error)};
  }
  ExpectAtRest("loading a rebuilt file");
}

// Saves the file rebuilt from its header comment and cars, the way the editor
// does after an edit, and checks the layout of what was written.
QByteArray CarFileChecks::Rebuild(NycGciCars& file, const QString& path) const {
  file.SetMainComment(file.MainComment());
  file.SaveAs(path);
  ExpectAtRest("a save");
  Expect(!file.IsChanged(), QStringLiteral("a save left the file marked changed"));
  QByteArray expected = FormatLine(LineValue::Empty(), file.MainComment()) + "\r\n\r\n";
  for (std::int32_t i = 1; i <= file.Count(); ++i) expected += file.Car(i).Block() + "\r\n\r\n";
  const QByteArray written = ReadBytes(path);
  Expect(written == expected, QStringLiteral("the rebuilt file is not header and blocks"));
  return written;
}

void CarFileChecks::Run(QByteArrayView input) {
  const QString original = Path("input.gci");
  WriteBytes(original, input);
  NycGciCars loaded(&display_);
  try {
    loaded.LoadFile(original);
  } catch (const TorqletError& error) {
    Expect(std::find(LoadErrors.begin(), LoadErrors.end(), error.Number()) != LoadErrors.end(),
           QStringLiteral("loading raised ") + Describe(error));
    ExpectAtRest("a failed load");
    return;
  }
  ExpectAtRest("a load");
  Expect(loaded.Count() >= 1 && !loaded.IsChanged(),
         QStringLiteral("a load gave no car or left the file marked changed"));

  loaded.SaveAs(Path("unchanged.gci"));
  ExpectAtRest("an unchanged save");
  Expect(ReadBytes(Path("unchanged.gci")) == input,
         QStringLiteral("an unchanged save did not write the loaded bytes"));

  Rebuild(loaded, Path("rebuilt1.gci"));
  NycGciCars once(&display_);
  LoadRebuilt(once, Path("rebuilt1.gci"));
  ExpectSameCars(loaded, once, true, "loading the rebuilt file");

  const QByteArray second = Rebuild(once, Path("rebuilt2.gci"));
  NycGciCars twice(&display_);
  LoadRebuilt(twice, Path("rebuilt2.gci"));
  ExpectSameCars(once, twice, false, "loading the file rebuilt twice");
  Expect(Rebuild(twice, Path("rebuilt3.gci")) == second,
         QStringLiteral("rebuilding a rebuilt file changed its bytes"));
}
