#include "model/CarBatch.h"

#include <cstring>

#include "model/NycGciCar.h"

struct CarBatch::Batch {
  // The names go first, so that they outlive the cars that point into them.
  std::vector<std::unique_ptr<char[]>> names;
  std::size_t nameSpace = 0;  // free bytes at the end of the last name block
  std::unique_ptr<NycGciCar[]> cars{new NycGciCar[CarsPerBatch]};
};

std::shared_ptr<NycGciCar> CarBatch::NewCar() {
  if (used_ == CarsPerBatch) {
    batch_ = std::make_shared<Batch>();
    used_ = 0;
  }
  return std::shared_ptr<NycGciCar>(batch_, &batch_->cars[used_++]);
}

QByteArray CarBatch::KeepName(QByteArrayView name) {
  if (!batch_ || name.isEmpty() || name.size() > LongName) return name.toByteArray();
  Batch& batch = *batch_;
  const auto size = std::size_t(name.size());
  if (size > batch.nameSpace) {
    batch.names.emplace_back(new char[NameBlockSize]);
    batch.nameSpace = NameBlockSize;
  }
  char* kept = batch.names.back().get() + (NameBlockSize - batch.nameSpace);
  std::memcpy(kept, name.data(), size);
  batch.nameSpace -= size;
  return QByteArray::fromRawData(kept, qsizetype(size));
}
