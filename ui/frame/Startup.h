#pragma once

class mdfMain;

// The program's start: shows the frame, lets it draw once and runs the Open
// command, so that the user is asked for a file at once.
void Main(mdfMain& frame);
