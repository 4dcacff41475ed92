#pragma once

#include <QMdiSubWindow>
#include <QString>
#include <memory>

class CarGrid;
class Counter;
class FileDialog;
class NycGciCars;

// A car sheet window: one car file in the grid flexCars. It counts itself in
// the frame's window counter while it exists, takes a running number for its
// caption ("1: ", "2: ", ...) and asks before a close drops unsaved edits.
// Right after creating it the frame calls exactly one of NewFile or OpenFile.
class frmCars : public QMdiSubWindow {
  Q_OBJECT

 public:
  explicit frmCars(Counter& childCount, QWidget* parent = nullptr);
  ~frmCars() override;

  // The document has edits that are not saved.
  bool Changed() const { return pblnChanged; }
  void SetChanged(bool changed) { pblnChanged = changed; }

  // Fills the window with a new document made from the stock copy.
  void NewFile();
  // Loads the file; on failure the window closes itself and tells the user.
  void OpenFile(const QString& fileName);
  // Saves under the document's name, or asks for one when it has none.
  void Save();
  // Asks for a name and saves under it; true when the document was saved.
  // A cancelled dialog is silent; a failed write is reported to the user.
  bool SaveAs();
  // The close prompt: true when the window may close.
  bool QueryUnload();

  // The text of a cell exactly as shown.
  QString GetCellText(int row, int col) const;
  // Stores a text, read in the user's locale, into the car record behind a
  // value cell, redraws the cell from the record and marks the document
  // changed. A text that is no number raises the type mismatch error, one
  // beyond the column's range the overflow error; then nothing changes.
  // The name and model columns are never written.
  void SetCellValue(int row, int col, const QString& text);

  CarGrid* flexCars() const { return flexCars_; }
  const QString& FileName() const { return pstrFileName; }
  const QString& CaptionPrefix() const { return pstrCaptionPrefix; }
  const FileDialog& SaveDialog() const { return *pobjFileDialog; }
  const NycGciCars& CarFile() const { return *pobjCarFile; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void FillGrid();
  void ReleaseFrameShortcuts();
  void DoSaveAs();
  // Stores what a control of the window still holds before the window closes;
  // false when that cannot be stored.
  bool ValidateActiveControl();
  void ReportSaveFailure(const QString& fileName, const QString& reason);

  Counter& childCount_;
  CarGrid* flexCars_;
  QString pstrCaptionPrefix;
  bool pblnChanged = false;
  std::unique_ptr<FileDialog> pobjFileDialog;
  QString pstrFileName;
  std::unique_ptr<NycGciCars> pobjCarFile;
};
