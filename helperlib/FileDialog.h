#pragma once

#include <QString>

// A file dialog that remembers its settings between uses: the proposed name,
// the filter and the default extension. After ShowOpen or ShowSave, Cancelled
// tells whether the user cancelled; otherwise FileName is the chosen path and
// is proposed again next time. The dialog itself comes from UserDialogs.
class FileDialog {
 public:
  bool Cancelled() const { return cancelled_; }
  const QString& DefaultExt() const { return defaultExt_; }
  void SetDefaultExt(QString ext) { defaultExt_ = std::move(ext); }
  const QString& FileName() const { return fileName_; }
  void SetFileName(QString name) { fileName_ = std::move(name); }
  const QString& Filter() const { return filter_; }
  void SetFilter(QString filter) { filter_ = std::move(filter); }

  // The dialog's caption; empty for the usual one.
  void SetTitle(QString title) { title_ = std::move(title); }
  void ShowOpen() { Show(false); }
  void ShowSave() { Show(true); }

  // The settings that the Open command and every document's Save dialog use.
  void SetUpForCarFiles();

 private:
  void Show(bool save);

  bool cancelled_ = false;
  QString defaultExt_;
  QString fileName_;
  QString filter_;
  QString title_;
};
