#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "model/JournalText.h"

class CarDocument;
class QLockFile;

// The recovery journals that ended processes left in a folder: those whose
// lock no running process holds. They are locked while this lives, so that
// no other process takes them meanwhile; what is neither applied nor
// discarded stays for a later start.
class JournalRecovery {
 public:
  explicit JournalRecovery(const QString& folder);
  ~JournalRecovery();

  int Count() const { return int(journals_.size()); }
  const QString& Path(int index) const { return journals_[std::size_t(index)].path; }
  // The journal's content, or nothing with fault saying why it cannot be used.
  std::optional<JournalText::Content> Read(int index, QString& fault) const;
  // Deletes the journal and its lock.
  void Discard(int index);

  struct Outcome {
    std::int64_t changed = 0;
    // The file is not the one the journal was written for (or its cars are
    // not), so the edits were matched by car name and column.
    bool byName = false;
    QStringList missingCars;  // names the file no longer has
  };
  // Applies the journal's edits to the document, which holds the journal's
  // file as it is now (or a new document), as one step of its history named
  // stepName; a journal of whole cars puts them in place of the file's.
  // Raises, with nothing changed, for a value or a car the document refuses.
  static Outcome Apply(CarDocument& document, const JournalText::Content& content,
                       const QString& stepName);

 private:
  struct Journal {
    QString path;
    std::unique_ptr<QLockFile> lock;
  };
  std::vector<Journal> journals_;
};
