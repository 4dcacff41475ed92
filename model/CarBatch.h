#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class NycGciCar;

// Makes the cars of a file while it is read: many records in one allocation,
// and their names in blocks of bytes that belong to the same allocation,
// rather than two allocations for every car. Each car is handed out as a
// shared pointer that keeps its whole batch alive, so a car lives as long as
// anybody holds it. One maker serves one thread.
class CarBatch {
 public:
  // A new empty car.
  std::shared_ptr<NycGciCar> NewCar();
  // The name for the car made last, its bytes kept with that car's batch: a
  // QByteArray over them that the car must not hand out (see NycGciCar::Name).
  // Long names get an allocation of their own.
  QByteArray KeepName(QByteArrayView name);

 private:
  static constexpr std::int32_t CarsPerBatch = 2048;
  static constexpr std::size_t NameBlockSize = 16384;
  static constexpr qsizetype LongName = 256;

  struct Batch;
  std::shared_ptr<Batch> batch_;
  std::int32_t used_ = CarsPerBatch;
};
