#pragma once

#include <cstdint>

class FileDialog;
class StatusDisplay;

// The one main window, as the car file sees it. The frame installs itself when
// it is created and removes itself when it ends; until then (and in the
// command-line tool) a display that shows nothing stands in.
StatusDisplay& MainWindow();
void SetMainWindow(StatusDisplay* window);

// Running number of car sheet windows made in this run; it never goes down.
std::int32_t SheetSerial();
void IncrementSheetSerial();

// The file dialog of the Open command, made and set up for car files on first
// use; it keeps what its last use left in it (the name chosen last).
FileDialog& SharedOpenDialog();
// Counts a user of the shared open dialog in (release false) or out (true);
// when the last user is gone the dialog goes, and the next use makes a new one.
void TrackDialogUser(bool release);
