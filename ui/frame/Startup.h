#pragma once

#include <QStringList>

class mdfMain;

// The program's start: shows the frame and lets it draw once, and offers the
// unsaved edits that an earlier run left in recovery journals. Then it opens
// the files named on the command line, each in a window of its own, or, when
// there are none and nothing was recovered, runs the Open command, so that
// the user is asked for a file at once.
void Main(mdfMain& frame, const QStringList& files = {});
