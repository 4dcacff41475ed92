#include "core/TorqletError.h"

TorqletError::TorqletError(std::int32_t number, QString source, QString description)
    : number_(number),
      source_(std::move(source)),
      description_(std::move(description)),
      what_(QStringLiteral("error %1: %2").arg(number_).arg(description_).toStdString()) {}
