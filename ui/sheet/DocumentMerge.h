#pragma once

#include <QCoreApplication>
#include <QString>

class frmCars;

// File > Merge into this document: asks for the file that this document and
// another version of it started from (BASE) and for that other version
// (THEIRS), and merges THEIRS' changes into the document as one step of its
// history, the way torqlet-cli merge does. Conflicts are listed in one
// message, which lets the user decide them for either side or cancel, or
// keep this document's values and compare it with THEIRS to see them marked.
class DocumentMerge {
  Q_DECLARE_TR_FUNCTIONS(DocumentMerge)

 public:
  struct Result {
    bool merged = false;  // the document took the merge
    QString compareWith;  // THEIRS, when the user asked to compare with it
  };
  static Result Run(frmCars& window);

  // A conflict line of the merge (car, column, base, ours, theirs, TAB
  // separated) as a line of the message.
  static QString ConflictText(const QByteArray& conflict);
};
