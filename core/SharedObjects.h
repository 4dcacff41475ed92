#pragma once

#include <cstdint>

class StatusDisplay;

// The one main window, as the car file sees it. The frame installs itself when
// it is created and removes itself when it ends; until then (and in the
// command-line tool) a display that shows nothing stands in.
StatusDisplay& MainWindow();
void SetMainWindow(StatusDisplay* window);

// Running number of car sheet windows made in this run; it never goes down.
std::int32_t SheetSerial();
void IncrementSheetSerial();
