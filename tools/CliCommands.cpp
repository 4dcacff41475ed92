#include "tools/CliCommands.h"

#include <QByteArray>
#include <QLocale>
#include <exception>

#include "base/ErrorReport.h"
#include "core/ErrorCodes.h"
#include "model/ColumnTable.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"

namespace {

const char* const Usage = "usage: torqlet-cli info FILE | export FILE | rewrite [--rebuild] IN OUT";

void Write(std::FILE* out, const QByteArray& bytes) {
  if (std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), out) !=
      std::size_t(bytes.size())) {
    RaiseRuntimeError(ErrPathFileAccess, QStringLiteral("cannot write the output"));
  }
}

void Info(const QString& fileName, std::FILE* out) {
  NycGciCars file;
  file.LoadFile(fileName);
  QByteArray text = QByteArray::number(file.Count()) + " cars\n";
  QByteArray comment = file.MainComment();
  comment.replace("\r\n", "\n");
  text += comment + '\n';
  Write(out, text);
}

void Export(const QString& fileName, std::FILE* out) {
  NycGciCars file;
  file.LoadFile(fileName);
  const QLocale point = QLocale::c();
  QByteArray text;
  const NycGciCar& first = file.Car(1);
  for (int k = 0; k < CarFieldCount; ++k) text += '\t' + first.Comment(FieldAt(k));
  text += '\n';
  for (std::int32_t i = 1; i <= file.Count(); ++i) {
    const NycGciCar& car = file.Car(i);
    text += car.Name();
    for (int col = ColumnTable::ModelColumn; col < ColumnTable::ColumnCount; ++col) {
      text += '\t';
      text += ColumnTable::CellText(car, col, point).toLatin1();
    }
    text += '\n';
    if (text.size() > (1 << 20)) {
      Write(out, text);
      text.clear();
    }
  }
  Write(out, text);
}

void Rewrite(const QString& in, const QString& outName, bool rebuild) {
  NycGciCars file;
  file.LoadFile(in);
  // Storing the header comment again marks the file changed, so the save
  // rebuilds the content from the cars.
  if (rebuild) file.SetMainComment(file.MainComment());
  file.SaveAs(outName);
}

int Dispatch(const QStringList& args, std::FILE* out) {
  const QString command = args.value(0);
  if (command == QLatin1String("info") && args.size() == 2) {
    Info(args[1], out);
  } else if (command == QLatin1String("export") && args.size() == 2) {
    Export(args[1], out);
  } else if (command == QLatin1String("rewrite") && args.size() == 3) {
    Rewrite(args[1], args[2], false);
  } else if (command == QLatin1String("rewrite") && args.size() == 4 &&
             args[1] == QLatin1String("--rebuild")) {
    Rewrite(args[2], args[3], true);
  } else {
    RaiseRuntimeError(ErrInvalidArgument, QLatin1String(Usage));
  }
  if (std::fflush(out) != 0 || std::ferror(out)) {
    RaiseRuntimeError(ErrPathFileAccess, QStringLiteral("cannot write the output"));
  }
  return 0;
}

}  // namespace

int RunCli(const QStringList& arguments, std::FILE* out, std::FILE* err) {
  QString message;
  try {
    return Dispatch(arguments, out);
  } catch (const std::exception& error) {
    message = ErrorLineText(error);
  }
  std::fprintf(err, "%s\n", message.toLocal8Bit().constData());
  std::fflush(err);
  return 1;
}
