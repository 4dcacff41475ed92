#include "tools/CliCommand.h"

#include <cerrno>
#include <cmath>
#include <map>

#include "base/RuntimeErrors.h"
#include "model/CarDocument.h"
#include "model/ColumnTable.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"
#include "tools/CarTable.h"

CliCommand::CliCommand(QString name, QString description)
    : name_(std::move(name)),
      description_(std::move(description)),
      help_({QStringLiteral("h"), QStringLiteral("help")},
            CliCommand::tr("Print this help and exit.")),
      status_(QStringLiteral("torqlet-cli ") + name_) {
  parser_.setApplicationDescription(description_);
  parser_.addOption(help_);
}

CliCommand::~CliCommand() = default;

void CliCommand::AddArgument(const QString& name, const QString& description) {
  argumentNames_ << name;
  parser_.addPositionalArgument(name, description);
}

QString CliCommand::UsageLine() const {
  return CliCommand::tr("Usage: torqlet-cli %1 [options] %2").arg(name_, argumentNames_.join(' '));
}

// Qt's help begins with a usage line that names the program's path and no
// command: ours takes its place.
QString CliCommand::HelpText() const {
  const QString text = parser_.helpText();
  return UsageLine() + text.mid(text.indexOf(QLatin1Char('\n')));
}

int CliCommand::Run(const QStringList& arguments, std::FILE* out) {
  if (!parser_.parse(QStringList(name_) + arguments)) throw UsageError{parser_.errorText()};
  if (parser_.isSet(help_)) {
    Write(out, HelpText().toLocal8Bit());
    return 0;
  }
  const QStringList given = parser_.positionalArguments();
  if (given.size() < argumentNames_.size()) {
    throw UsageError{CliCommand::tr("missing %1").arg(argumentNames_.mid(given.size()).join(' '))};
  }
  if (given.size() > argumentNames_.size()) {
    throw UsageError{CliCommand::tr("unexpected argument '%1'").arg(given[argumentNames_.size()])};
  }
  return Execute(given, out);
}

QString CliCommand::SingleValue(const QCommandLineOption& option) const {
  const QStringList values = parser_.values(option);
  if (values.size() > 1) {
    throw UsageError{CliCommand::tr("option '%1' given more than once").arg(option.names().last())};
  }
  return values.value(0);
}

void CliCommand::Write(std::FILE* out, const QByteArray& bytes) {
  if (std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), out) !=
      std::size_t(bytes.size())) {
    if (errno == EPIPE) throw PipeClosed{};
    RaiseRuntimeError(ErrPathFileAccess, CliCommand::tr("cannot write the output"));
  }
}

QByteArray CliCommand::CellCount(std::int64_t count) {
  return QByteArray::number(count) + (count == 1 ? " cell" : " cells");
}

void CliCommand::WarnOfLargeFactors(const NycGciCars& file, const std::vector<CellValue>& cells) {
  std::map<int, std::int64_t> counts;
  for (const CellValue& cell : cells) {
    const double before = NumberOf(file.Car(cell.row).ValueOf(ColumnTable::Field(cell.col)));
    const double after = NumberOf(cell.value);
    if (before == 0 || after == 0) continue;
    const double factor = std::fabs(after / before);
    if (factor >= 100 || factor <= 0.01) ++counts[cell.col];
  }
  for (const auto& [col, count] : counts) {
    const QString heading = QString::fromLatin1(CarTable::Heading(file, col));
    Status()->Warn(
        count == 1 ? CliCommand::tr("1 value of column '%1' changed by a factor of 100 or more")
                         .arg(heading)
                   : CliCommand::tr("%1 values of column '%2' changed by a factor of 100 or more")
                         .arg(count)
                         .arg(heading));
  }
}

