#pragma once

#include <QMdiSubWindow>
#include <QString>
#include <cstdint>
#include <memory>

class CarDocument;
class CarGrid;
class CellEditor;
class Counter;
class FileDialog;
class NycGciCars;
class StatusDisplay;
class Term;

// A car sheet window: one car document in the grid flexCars. It counts itself
// in the frame's window counter while it exists, takes a running number for
// its caption ("1: ", "2: ", ...) and asks before a close drops unsaved edits.
// Right after creating it the frame calls exactly one of NewFile or OpenFile.
// Every change of values goes through its document, which keeps the history.
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
  // Loads the file; on failure the window closes itself and tells the user.
  void OpenFile(const QString& fileName);
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

  // Recomputes every cell of the grid's selection from the term, in which the
  // variable "x" (which the term must have) stands for the cell's shown value,
  // as one step of the history. A cell for which the term or the store fails
  // keeps its value; nothing is raised for it. Returns the number of cells
  // that got a value (also one equal to their old value).
  std::int64_t ManipulateSelection(Term& Expr);

  // The selected cells as text for the clipboard: one line per row, each
  // ended by a line feed, the cells separated by TAB, each as the grid shows it.
  QString SelectionText() const;
  // Pastes a TAB-separated block at the current cell, right and down, or a
  // single value into every selected cell when more than one is selected, as
  // one step of the history. Each text is read as typed into its cell; a text
  // equal to the cell's shown text leaves the cell alone. Everything is
  // checked first: a text that does not convert, or a block reaching past the
  // last car or column, changes nothing and is shown in one message. False
  // then.
  bool PasteText(const QString& text);
  // Makes the next car whose name contains the text, ignoring case, the
  // current row, searching down from the row after the current one and
  // wrapping around. False when no car's name contains it.
  bool FindCar(const QString& text);

  // The text of a cell exactly as shown.
  QString GetCellText(int row, int col) const;
  // Stores a text, read in the user's locale, into the car record behind a
  // value cell, as one step of the history. A text that is no number raises
  // the type mismatch error, one beyond the column's range the overflow
  // error; then nothing changes. The name and model columns are never written.
  void SetCellValue(int row, int col, const QString& text);

  // Large enough to show ten cars and the first value columns.
  QSize UsefulSize() const;

  CarGrid* flexCars() const { return flexCars_; }
  CellEditor* txtEdit() const { return txtEdit_; }
  const QString& FileName() const;
  const QString& CaptionPrefix() const { return pstrCaptionPrefix; }
  // The caption without the modified mark: "1: /path/nyc.gci".
  QString Caption() const;
  const FileDialog& SaveDialog() const { return *pobjFileDialog; }
  const NycGciCars& CarFile() const;
  CarDocument& Document() const { return *document_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void ShowCaption(const QString& name);
  void FillGrid();
  void ReleaseFrameShortcuts();
  void DoSaveAs();
  bool ConfirmOverwrite() const;
  void ReportSaveFailure(const QString& fileName, const QString& reason);
  // The text of a step of the history that changed count cells.
  static QString CellCountText(std::int64_t count);
  // The selection's rectangle, corners ordered.
  QRect SelectionRect() const;
  void ShowMessage(const QString& text) const;

  Counter& childCount_;
  CarGrid* flexCars_;
  CellEditor* txtEdit_;
  QString pstrCaptionPrefix;
  std::unique_ptr<FileDialog> pobjFileDialog;
  std::unique_ptr<CarDocument> document_;
};
