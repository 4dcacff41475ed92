#pragma once

#include <QObject>
#include <QRect>
#include <QString>
#include <QUndoStack>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "model/CellValue.h"
#include "model/CellValuesCommand.h"

class NycGciCar;
class NycGciCars;
class StatusDisplay;

// One car file as it is edited: the car file, the name of its file on disk and
// the history of its changes. Every change of values goes through SetCells,
// which makes one step of the history, stores through the record setters and
// reports the rectangle that changed in one signal; undoing and redoing a step
// report the same way. The document is Changed whenever its history stands
// away from the state last saved. When an undo or redo returns the cars to the
// content the car file last read or wrote, the car file counts as unchanged
// again, so saving then writes that content byte for byte.
class CarDocument : public QObject {
  Q_OBJECT

 public:
  explicit CarDocument(StatusDisplay* status = nullptr, QObject* parent = nullptr);
  ~CarDocument() override;

  const NycGciCars& CarFile() const { return *pobjCarFile; }
  // The file the document was opened from or last saved to; empty for a new
  // document until it is saved under a name.
  const QString& FileName() const { return pstrFileName; }

  // Fills the document from the stock copy, or from a file; the history starts
  // afresh. A failed load raises the car file's error and keeps the name.
  void NewFile();
  void LoadFile(const QString& fileName);
  // Writes to FileName, or to a new name that then becomes FileName. A failed
  // write raises and leaves the name and the Changed state as they were.
  void Save();
  void SaveAs(const QString& fileName);
  // Another program changed, replaced or deleted the file since the document
  // read or wrote it last.
  bool FileChangedOnDisk() const;

  bool Changed() const { return !history_->isClean(); }
  // Marks the current state as saved (false) or as never saved (true).
  void SetChanged(bool changed);

  // Stores the values in one step of the history, named by stepName from the
  // number of cells it changes. Cells whose value equals the current one are
  // left alone; when no cell changes, no step is made. Raises, with nothing
  // changed, for a cell that is not a value cell of the file, a value of
  // another type than its column's, or a float that is not finite. Returns the
  // number of cells changed.
  using StepName = std::function<QString(std::int64_t changedCells)>;
  std::int64_t SetCells(const std::vector<CellValue>& cells, const StepName& stepName);

  // Puts another list of cars (none empty, none shared with the current
  // list unless unchanged) in place of the current one as one step of the
  // history, named stepName, as a merge adds, removes and changes cars.
  // Returns false, making no step, when the list is the current one.
  using Cars = std::vector<std::shared_ptr<NycGciCar>>;
  bool ReplaceCars(Cars cars, const QString& stepName);

  QUndoStack& History() { return *history_; }
  const QUndoStack& History() const { return *history_; }

  // A value cell that differs from the file as it was last loaded or saved:
  // the bits of the value the file holds and of the current one.
  struct UnsavedCell {
    std::int32_t row;
    std::uint8_t col;
    std::uint32_t saved;
    std::uint32_t current;
  };
  // Every such cell, by row and column; empty when the cars are what the file
  // holds (also after edits that were undone or typed back). It is worked out
  // from the history, so edits cost no memory for it. Cells say nothing of a
  // list of cars replaced since the save: then it is empty, and the unsaved
  // state is the whole list.
  std::vector<UnsavedCell> UnsavedCells() const;
  // Whether the history has replaced the list of cars since the file was
  // last loaded or saved (ReplaceCars, not undone since).
  bool CarsReplacedSinceSave() const;

 signals:
  // The document holds other cars: a file was loaded (or failed to load) or
  // a new document was made.
  void Reloaded();
  // Values in the rectangle (sheet rows and columns, corners included) changed.
  void CellsChanged(int top, int left, int bottom, int right);
  // An undo or redo changed the values of these cells (row the car, col the
  // sheet column), which lie in the rectangle bounds (x the columns).
  void StepReplayed(const std::vector<CellValuesCommand::Cell>& cells, const QRect& bounds);
  // A step of ReplaceCars is about to put another list of cars in place, or
  // has just done so (done, undone or redone).
  void CarsAboutToBeReplaced();
  void CarsReplaced();
  void ChangedChanged(bool changed);
  // The document was written to FileName.
  void Saved();

 private:
  friend class CellValuesCommand;
  friend class CarsCommand;
  void PutCars(const Cars& cars);
  // Sets the cells to their values after (or before) their step.
  void Apply(const std::vector<CellValuesCommand::Cell>& cells, bool after, const QRect& bounds,
             bool replay);
  void ResetHistory();
  void ContentWritten();
  void OnIndexChanged(int index);

  std::unique_ptr<NycGciCars> pobjCarFile;
  QString pstrFileName;
  std::unique_ptr<QUndoStack> history_;
  // The history index at which the cars equal the content the car file holds
  // (as loaded, made or last written), or -1 when no index does.
  int contentIndex_ = 0;
  // What the file on disk holds: the cars as they were at this history index,
  // except the cells of savedCells_ (steps the saved state had that the history
  // no longer holds), with their values in the file.
  int savedIndex_ = 0;
  std::vector<CellValuesCommand::Cell> savedCells_;
  // A new step dropped a replacement of the cars that lay between the current
  // state and the saved one: the saved state is no longer in the history.
  bool savedCarsLost_ = false;
  void FileWritten();
  void KeepSavedCells();
};
