#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <optional>
#include <thread>

#include "model/JournalText.h"

class CarDocument;
class QLockFile;

// Keeps a document's unsaved edits in a journal file (JournalText) in the
// user's state folder, so that they survive a crash, a kill or a power cut.
// After each step of the history (an edit, an undo, a redo) the journal is
// written within DelayMilliseconds, atomically (a new file renamed over the
// old), on a thread of its own so that typing never waits for it. It goes
// when the document has no unsaved edits any more (saved, undone, reloaded)
// and when the document goes without a crash. A lock file beside it tells
// other processes that the journal is this one's.
class RecoveryJournal : public QObject {
  Q_OBJECT

 public:
  static constexpr int DelayMilliseconds = 400;

  RecoveryJournal(CarDocument& document, const QString& folder, QObject* parent = nullptr);
  ~RecoveryJournal() override;

  // $XDG_STATE_HOME/torqlet, by default ~/.local/state/torqlet.
  static QString DefaultFolder();
  // The suffix of journal files in the folder; the lock file adds ".lock".
  static QString Suffix() { return QStringLiteral(".journal"); }

  // The journal's file; it exists while the document has unsaved edits that
  // were written.
  const QString& Path() const { return path_; }
  // Writes the journal now, or removes it when nothing is unsaved, and waits
  // until that is done. False when the write failed.
  bool WriteNow();
  const CarDocument& Document() const { return document_; }
  // What the journal would hold now.
  JournalText::Content Snapshot() const;

 signals:
  // A write failed (the folder cannot be made, the disk is full): the edits
  // are not safe from a crash until a later write succeeds.
  void WriteFailed(const QString& reason);

 private:
  std::optional<JournalText::Content> Prepare();
  void Start();
  void Finished(const QString& error);
  void Report(const QString& error);
  void Remove();
  bool Lock();
  void Wait();
  static QString WriteFile(const QString& path, const QByteArray& bytes);

  CarDocument& document_;
  QString folder_;
  QString path_;
  std::unique_ptr<QLockFile> lock_;
  QTimer delay_;
  std::thread writer_;
  bool again_ = false;
  QString lastError_;
};
