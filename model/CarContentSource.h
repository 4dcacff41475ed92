#pragma once

#include <QByteArray>
#include <cstdint>
#include <memory>
#include <vector>

#include "helperlib/ContentSource.h"

class KeptBytes;
class NycGciCar;
class StatusDisplay;

// A car file's content made a piece at a time for writing: the kept header,
// each car as its kept piece or as its block and an empty line, the kept
// tail. After each piece it reports the cars made so far.
class CarContentSource final : public ContentSource {
 public:
  CarContentSource(const std::vector<std::shared_ptr<NycGciCar>>& cars, const KeptBytes& kept,
                   StatusDisplay& status)
      : cars_(cars), kept_(kept), status_(status) {}

  QByteArrayView Next() override;
  void Rewind() override { next_ = 0; }

 private:
  // Large enough that the writing is not slowed by many small writes, small
  // enough to matter nothing beside the cars.
  static constexpr qsizetype PieceSize = qsizetype(1) << 20;

  const std::vector<std::shared_ptr<NycGciCar>>& cars_;
  const KeptBytes& kept_;
  StatusDisplay& status_;
  // The car that comes next: 0 for the header, one past the last for the
  // tail, and past that when all was given.
  std::int32_t next_ = 0;
  std::size_t piece_ = 0;  // the kept piece that comes next
  QByteArray buffer_;
};
