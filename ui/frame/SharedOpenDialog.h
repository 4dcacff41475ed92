#pragma once

class FileDialog;

// The file dialog of the Open command, made and set up for car files on first
// use; it keeps what its last use left in it (the name chosen last).
FileDialog& SharedOpenDialog();
// Counts a user of the shared open dialog in (release false) or out (true);
// when the last user is gone the dialog goes, and the next use makes a new one.
void TrackDialogUser(bool release);
