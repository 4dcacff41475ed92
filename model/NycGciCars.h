#pragma once

#include <QByteArray>
#include <QString>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "model/KeptBytes.h"

class DataHandler;
class NycGciCar;
class StatusDisplay;

// One car file: its header comment, its cars in file order and the data
// handler that holds the raw content and the file name. The change flag tells
// that the raw content is out of date and must be rebuilt from the cars before
// it is written; an unchanged file is written back byte for byte.
// The raw content is kept whole, or (to hold a large file in little more
// memory than its cars) only as far as the cars do not write it back by
// themselves; a save then makes it whole for the write and lets it go again.
// While it loads and saves it names the step in the status display's caption
// and drives its progress bar; without a display it shows nothing.
class NycGciCars {
 public:
  explicit NycGciCars(StatusDisplay* status = nullptr);
  ~NycGciCars();
  NycGciCars(const NycGciCars&) = delete;
  NycGciCars& operator=(const NycGciCars&) = delete;

  // The car at a 1-based index; the bad call error for any other index. A
  // car file that is read only hands out cars that are read only: an open
  // document changes its cars through its history alone.
  const NycGciCar& Car(std::int32_t index) const;
  NycGciCar& Car(std::int32_t index);
  // SetCar completes the container's interface for callers that swap whole
  // cars; it refuses an empty car with the bad call error.
  void SetCar(std::int32_t index, std::shared_ptr<NycGciCar> newValue);
  std::int32_t Count() const { return static_cast<std::int32_t>(cars_.size()); }
  // Every car in file order, and a new list of cars (none empty) in place of
  // it, as patches and merges add and remove cars; the content is rebuilt on
  // the next save.
  const std::vector<std::shared_ptr<NycGciCar>>& Cars() const { return cars_; }
  void SetCars(std::vector<std::shared_ptr<NycGciCar>> cars);
  QString FileTitle() const;

  // A failed load leaves nothing to save: the cars read so far stay, but a
  // save raises the bad call context error until a load or NewFile succeeds.
  void LoadFile(const QString& fileName);
  // LoadFile, then SaveAs(copyName) while the file is unchanged; the copy is
  // written while the cars are read, and takes copyName's place once they are.
  // Only the copy stays: the car file is left without cars and with nothing
  // to save, as after a failed load.
  void LoadFileAndCopy(const QString& fileName, const QString& copyName);
  void NewFile();
  void Save();
  void SaveAs(const QString& fileName);

  QByteArray MainComment() const { return mainComment_; }
  void SetMainComment(QByteArray newValue);

  // Whether the raw content must be rebuilt before it is written.
  bool IsChanged() const { return pblnChanged; }
  // Whether another program rewrote, replaced or deleted the file since it was
  // loaded or saved here; the editor asks before it overwrites such a change.
  bool FileChangedOnDisk() const;

  // The data handler that holds the file name, and the raw content while it
  // is kept whole.
  const DataHandler& Data() const { return *pobjDH; }

  // Whether the next loads keep the raw content whole (the default), or only
  // what the cars do not write back themselves, which reading then checks
  // car by car: less memory for more work in loads and unchanged saves.
  bool KeepWholeContent() const { return keepWhole_; }
  void SetKeepWholeContent(bool newValue) { keepWhole_ = newValue; }

  // The stock content of a new document, as the program carries it.
  static QByteArray StockContent();

  // Content of at least this many bytes is parsed by two threads where the
  // machine has two cores; the cars, the progress reported and the errors
  // raised are the same as with one. Tests lower it.
  static qsizetype ParallelMinimumBytes();
  static void SetParallelMinimumBytes(qsizetype bytes);

 private:
  friend class NycGciCar;
  // The document puts the flag back when an undo returns the cars to the
  // content the data handler holds.
  friend class CarDocument;
  void MarkChanged() { pblnChanged = true; }
  void CheckIndex(std::int32_t index) const;
  void ReadFile(const QString& fileName);
  void ParseContent(bool keepWhole);
  void WriteInPieces(const QString* newFileName);
  void BuildContent();
  void Write(const QString* newFileName);
  void OnProgress(std::int32_t length, std::int32_t count);
  void SetStep(const char* suffix);
  void EndSteps();

  StatusDisplay& status_;
  std::vector<std::shared_ptr<NycGciCar>> cars_;
  bool pblnChanged = false;
  bool keepWhole_ = true;
  // Whether the content is held as kept_ rather than by the data handler.
  bool lean_ = false;
  KeptBytes kept_;
  QByteArray mainComment_;
  std::unique_ptr<DataHandler> pobjDH;
};
