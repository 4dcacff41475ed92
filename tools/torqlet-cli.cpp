// torqlet-cli: reads, changes and compares car files from the command line.
#include <QCoreApplication>
#include <QStringList>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "core/InterfaceLanguage.h"
#include "tools/CliDispatcher.h"

int main(int argc, char* argv[]) {
  // A closed pipe is a write error first, so that a command that saved a file
  // can still say so; one that saved nothing then ends by the signal, as cat does.
  std::signal(SIGPIPE, SIG_IGN);
  if (!InterfaceLanguage::TakeOption(argc, argv)) {
    std::fputs("torqlet-cli: --lang takes de or en\n", stderr);
    return 2;
  }
  // Translations need an application; English, the texts' own language, needs
  // neither, and saves its start.
  if (InterfaceLanguage::IsGerman()) {
    InterfaceLanguage::InstallTranslations(*new QCoreApplication(argc, argv));
  }
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  // The dispatcher and the files its command holds are left to the system,
  // which takes back a process's memory at once: freeing the cars of a large
  // file one by one first costs a tenth of a rewrite. Every file the command
  // wrote is closed, and Run has flushed and checked the output.
  auto* const dispatcher = new CliDispatcher;
  const int status = dispatcher->Run(arguments, stdout, stderr);
  std::fflush(nullptr);
  if (status == CliDispatcher::BrokenPipe) {
    std::signal(SIGPIPE, SIG_DFL);
    std::raise(SIGPIPE);
  }
  std::_Exit(status);
}
