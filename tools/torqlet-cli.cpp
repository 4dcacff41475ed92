// torqlet-cli: reads, changes and compares car files from the command line.
#include <QStringList>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "tools/CliDispatcher.h"

int main(int argc, char* argv[]) {
  // A closed pipe must end in a reported write error, not a silent signal.
  std::signal(SIGPIPE, SIG_IGN);
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  // The dispatcher and the files its command holds are left to the system,
  // which takes back a process's memory at once: freeing the cars of a large
  // file one by one first costs a tenth of a rewrite. Every file the command
  // wrote is closed, and Run has flushed and checked the output.
  auto* const dispatcher = new CliDispatcher;
  const int status = dispatcher->Run(arguments, stdout, stderr);
  std::fflush(nullptr);
  std::_Exit(status);
}
