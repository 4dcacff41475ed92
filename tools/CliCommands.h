#pragma once

#include <QStringList>
#include <cstdio>

// The commands of torqlet-cli, writing their results to out:
//   info FILE                      number of cars and the header comment
//   export FILE                    a TAB-separated table of the cars
//   rewrite [--rebuild] IN OUT     IN saved as OUT, unchanged or rebuilt
// Errors leave as TorqletError; Run turns them into one line on err and exit status 1.
int RunCli(const QStringList& arguments, std::FILE* out, std::FILE* err);
