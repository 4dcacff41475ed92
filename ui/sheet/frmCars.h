#pragma once

#include <QMdiSubWindow>
#include <QString>
#include <cstdint>
#include <memory>

#include "ui/sheet/SheetCommands.h"

class CarCompare;
class CarDocument;
class CarGrid;
class CarSortFilterModel;
class CarTableModel;
class CellEditor;
class Counter;
class FileDialog;
class FileWatch;
class RecoveryJournal;
class FilterBar;
class SheetCommands;
class NycGciCars;
class StatusDisplay;
class Term;

// A car sheet window: one car document in the grid flexCars. It counts itself
// in the frame's window counter while it exists, takes a running number for
// its caption ("1: ", "2: ", ...) and asks before a close drops unsaved edits.
// Right after creating it the frame calls exactly one of NewFile or OpenFile.
// Every change of values goes through its document, which keeps the history;
// the grid shows the document's cars through a table model and a sort and
// filter model, and every command acts on the rows as shown.
class frmCars : public QMdiSubWindow {
  Q_OBJECT

 public:
  // The car file reports its steps to status while it loads and saves.
  frmCars(Counter& childCount, StatusDisplay& status, QWidget* parent = nullptr);
  ~frmCars() override;

  // The document has edits that are not saved. Setting it false marks the
  // current state as saved, true as never saved.
  bool Changed() const;
  void SetChanged(bool changed);

  // Fills the window with a new document made from the stock copy.
  void NewFile();
  // Loads the file; on failure the window closes itself and tells the user
  // (false).
  bool OpenFile(const QString& fileName);
  // Reads the document's file again, dropping its edits; the view keeps its
  // current cell, and its order and filter where the cars are the same. On
  // failure the window closes itself and tells the user.
  void Reload();
  // When another program changed the file since the window was last active,
  // asks whether to reload it: an unedited document with Yes or No, an edited
  // one offering to reload and lose the edits or to keep them. Asks once for
  // each change; the frame calls it whenever the window becomes active.
  void ShowDiskChange();
  // Saves under the document's name, or asks for one when it has none; when
  // another program changed the file meanwhile, asks before overwriting it.
  // True when the document was saved; a failed write raises.
  bool Save();
  // Asks for a name and saves under it; true when the document was saved.
  // A cancelled dialog is silent; a failed write is reported to the user and
  // leaves the document's name as it was.
  bool SaveAs();
  // The close prompt: true when the window may close.
  bool QueryUnload();
  // Stores what the cell editor still holds. False when that text does not
  // convert: the window then comes forward with the editor focused, and a
  // beep; nothing is stored.
  bool ValidateActiveControl();

  // Recomputes every cell of the grid's selection (of the cars shown) from the term, in which the
  // variable "x" (which the term must have) stands for the cell's shown value,
  // as one step of the history. A cell for which the term or the store fails
  // keeps its value; nothing is raised for it. Returns the number of cells
  // that got a value (also one equal to their old value).
  std::int64_t ManipulateSelection(Term& Expr);

  // The sheet's commands on its cells as shown: copy, paste, find, sort and
  // filter.
  SheetCommands& Commands() const { return *commands_; }
  // Shows the document's cars afresh (the table model starts again and the
  // grid fits its columns); the model does so by itself whenever the document
  // loads, so nothing else needs to call it.
  void FillGrid();

  // The text of a cell exactly as shown.
  QString GetCellText(int row, int col) const;
  // Stores a text, read in the user's locale, into the car record behind a
  // value cell (of the row as shown), as one step of the history. A text that is no number raises
  // the type mismatch error, one beyond the column's range the overflow
  // error; then nothing changes. The name and model columns are never written.
  void SetCellValue(int row, int col, const QString& text);

  // Large enough to show ten cars and the first value columns.
  QSize UsefulSize() const;

  CarGrid* flexCars() const { return flexCars_; }
  CellEditor* txtEdit() const { return txtEdit_; }
  FilterBar* filterBar() const { return filterBar_; }
  CarSortFilterModel& Shown() const { return *shown_; }
  const QString& FileName() const;
  const QString& CaptionPrefix() const { return pstrCaptionPrefix; }
  // The caption without the modified mark: "1: /path/nyc.gci", while a filter
  // is on followed by " - 12 of 88 cars shown".
  QString Caption() const;
  // The comparison this document is a side of (0 or 1), with the window of
  // the other side; null when it is compared with none. CompareWith ends any
  // comparison of either window first; StopComparing ends it on both sides,
  // and so does closing either.
  CarCompare* Compare() const { return compare_.get(); }
  int CompareSide() const { return compareSide_; }
  frmCars* CompareOther() const { return compareOther_; }
  void CompareWith(frmCars& other);
  void StopComparing();
  // Tells the user that a file cannot be opened, and why.
  void ReportOpenFailure(const QString& fileName, const std::exception& error);
  const FileDialog& SaveDialog() const { return *pobjFileDialog; }
  const NycGciCars& CarFile() const;
  CarDocument& Document() const { return *document_; }
  RecoveryJournal& Journal() const { return *journal_; }
  FileWatch& Watch() const { return *watch_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void ShowCaption(const QString& name);
  void ShowCaption();
  void ReleaseFrameShortcuts();
  void DoSaveAs();
  bool ConfirmOverwrite() const;
  void ReportSaveFailure(const QString& fileName, const QString& reason);
  void OnChangedOnDisk(bool deleted);

  Counter& childCount_;
  QString pstrCaptionPrefix;
  QString captionName_;
  std::unique_ptr<FileDialog> pobjFileDialog;
  std::unique_ptr<CarDocument> document_;
  CarTableModel* cars_ = nullptr;
  CarSortFilterModel* shown_ = nullptr;
  FilterBar* filterBar_ = nullptr;
  CarGrid* flexCars_ = nullptr;
  CellEditor* txtEdit_ = nullptr;
  SheetCommands* commands_ = nullptr;
  RecoveryJournal* journal_ = nullptr;
  FileWatch* watch_ = nullptr;
  // Another program changed the file and the user was not asked yet.
  bool diskChangePending_ = false;
  SheetCommands::View keptView_{};
  std::shared_ptr<CarCompare> compare_;
  int compareSide_ = 0;
  frmCars* compareOther_ = nullptr;
};
