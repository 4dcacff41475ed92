#pragma once

#include <QCoreApplication>
#include <QString>

class frmCars;

// File > Merge into this document: asks for the file that this document and
// another version of it started from (BASE) and for that other version
// (THEIRS), and merges THEIRS' changes into the document as one step of its
// history, the way torqlet-cli merge does. Conflicts are listed in one
// message, which lets the user decide them for either side or cancel.
class DocumentMerge {
  Q_DECLARE_TR_FUNCTIONS(DocumentMerge)

 public:
  // True when the document took the merge.
  static bool Run(frmCars& window);

  // A conflict line of the merge (car, column, base, ours, theirs, TAB
  // separated) as a line of the message.
  static QString ConflictText(const QByteArray& conflict);
};
