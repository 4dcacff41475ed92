#include "tools/CliDispatcher.h"

#include <cerrno>
#include <cstring>
#include <exception>

#include "base/ErrorReport.h"
#include "base/RuntimeErrors.h"
#include "base/TorqletError.h"
#include "core/ErrorCodes.h"
#include "core/Version.h"
#include "tools/ApplyCommand.h"
#include "tools/DiffCommand.h"
#include "tools/MergeCommand.h"
#include "tools/PatchCommand.h"
#include "tools/ExportCommand.h"
#include "tools/ImportCommand.h"
#include "tools/InfoCommand.h"
#include "tools/RewriteCommand.h"

namespace {

// The line that reports a failed work. A file that could not be read reaches
// the tool as the unexpected internal error of the car file, which the editor
// acts on; the tool names the file operation's own error instead, so that a
// missing or unreadable file reads alike in every command.
QString FailureLine(const std::exception& error) {
  const auto* numbered = dynamic_cast<const TorqletError*>(&error);
  if (numbered && numbered->Number() == ErrUnexpectedInternal && numbered->Cause()) {
    return ErrorLineText(*numbered->Cause());
  }
  return ErrorLineText(error);
}

QString TopUsage() { return CliDispatcher::tr("torqlet-cli COMMAND [options] ARGUMENTS"); }

void Print(std::FILE* file, const QString& text) {
  std::fputs(text.toLocal8Bit().constData(), file);
}

}  // namespace

CliDispatcher::CliDispatcher() {
  commands_.push_back(std::make_unique<InfoCommand>());
  commands_.push_back(std::make_unique<ExportCommand>());
  commands_.push_back(std::make_unique<RewriteCommand>());
  commands_.push_back(std::make_unique<ApplyCommand>());
  commands_.push_back(std::make_unique<ImportCommand>());
  commands_.push_back(std::make_unique<DiffCommand>());
  commands_.push_back(std::make_unique<PatchCommand>());
  commands_.push_back(std::make_unique<MergeCommand>());
}

CliDispatcher::~CliDispatcher() = default;

CliCommand* CliDispatcher::Find(const QString& name) const {
  for (const auto& command : commands_) {
    if (command->Name() == name) return command.get();
  }
  return nullptr;
}

QString CliDispatcher::HelpText() const {
  QString text = CliDispatcher::tr(
                     "Usage: %1\nReads, changes and compares car-information files "
                     "(nyc.gci).\n\nCommands:\n")
                     .arg(TopUsage());
  for (const auto& command : commands_) {
    text += QStringLiteral("  %1 %2\n").arg(command->Name(), -9).arg(command->Description());
  }
  return text + CliDispatcher::tr(
                    "\nOptions:\n  -h, --help  Print this help and exit.\n"
                    "  --version   Print the version and exit.\n"
                    "  --lang CODE Write messages in this language: de or en.\n\n"
                    "'torqlet-cli COMMAND --help' tells a command's options and "
                    "arguments.\n");
}

int CliDispatcher::Run(const QStringList& arguments, std::FILE* out, std::FILE* err) {
  const QString first = arguments.value(0);
  CliCommand* command = Find(first);
  const QString caller =
      command ? QStringLiteral("torqlet-cli ") + first : QStringLiteral("torqlet-cli");
  QString message;
  int status = UsageStatus;
  try {
    status = command ? command->Run(arguments.mid(1), out) : Dispatch(arguments, out);
    if (std::fflush(out) != 0 || std::ferror(out)) {
      if (errno == EPIPE) throw CliCommand::PipeClosed{};
      RaiseRuntimeError(ErrPathFileAccess, CliDispatcher::tr("cannot write the output"));
    }
    return status;
  } catch (const CliCommand::PipeClosed&) {
    if (!command || !command->Saved()) return BrokenPipe;
    message = CliDispatcher::tr(
                  "%1: warning: the file is saved, but the report cannot be "
                  "printed: %2\n")
                  .arg(caller, QString::fromLocal8Bit(std::strerror(EPIPE)));
    status = 0;
  } catch (const CliCommand::UsageError& error) {
    message = QStringLiteral("%1: %2\n").arg(caller, error.text);
    message += (command ? command->UsageLine() : CliDispatcher::tr("Usage: %1").arg(TopUsage())) +
               QLatin1Char('\n');
    message += CliDispatcher::tr("Try '%1 --help'.\n").arg(caller);
  } catch (const std::exception& error) {
    if (command && command->Saved()) {
      // A script that took this for a failure would do the work again.
      message = CliDispatcher::tr(
                    "%1: warning: the file is saved, but the report cannot be "
                    "printed: %2\n")
                    .arg(caller, FailureLine(error));
      status = 0;
    } else {
      message = FailureLine(error) + QLatin1Char('\n');
      status = command ? command->FailureStatus() : 1;
    }
  }
  Print(err, message);
  std::fflush(err);
  return status;
}

// What is not a command: --help, --version, or wrong usage.
int CliDispatcher::Dispatch(const QStringList& arguments, std::FILE* out) {
  if (arguments.isEmpty()) throw CliCommand::UsageError{CliDispatcher::tr("no command given")};
  const QString& first = arguments[0];
  const bool help = first == QLatin1String("--help") || first == QLatin1String("-h");
  const bool version = first == QLatin1String("--version");
  if (!help && !version) {
    throw CliCommand::UsageError{(first.startsWith(QLatin1Char('-'))
                                      ? CliDispatcher::tr("unknown option '%1'")
                                      : CliDispatcher::tr("unknown command '%1'"))
                                     .arg(first)};
  }
  if (arguments.size() > 1) {
    throw CliCommand::UsageError{CliDispatcher::tr("unexpected argument '%1'").arg(arguments[1])};
  }
  Print(out, help ? HelpText()
                  : QStringLiteral("torqlet-cli %1\n").arg(QLatin1String(VersionRecord::Text)));
  return 0;
}
