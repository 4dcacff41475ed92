#pragma once

#include <QByteArray>
#include <QSharedData>
#include <array>

#include "model/CarField.h"

// The comments of one car's 21 value lines. Cars of one file nearly always
// carry the same comments, so records share one set and copy it on a change.
struct CarComments : QSharedData {
  std::array<QByteArray, CarFieldCount> texts;
};
