#pragma once

#include <QStringList>

class mdfMain;

// The program's start: shows the frame and lets it draw once. Then it opens
// the files named on the command line, each in a window of its own, or, when
// there are none, runs the Open command, so that the user is asked for a file
// at once.
void Main(mdfMain& frame, const QStringList& files = {});
