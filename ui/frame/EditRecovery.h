#pragma once

#include <QString>

class mdfMain;

// After the program ended without closing its documents (a crash, a kill, a
// power cut), offers the unsaved edits their journals kept: asks once whether
// to recover them (Yes), keep them for later (No) or delete them (Discard).
// Recovering opens each journal's file (or a new document) in a window of the
// frame and applies its edits as one step of the history, unsaved; a file
// that changed since gets them by car name and column, and the user is told.
// A journal that cannot be read or applied is reported and kept.
class EditRecovery {
 public:
  // True when documents were opened.
  static bool Offer(mdfMain& frame, const QString& folder);
};
