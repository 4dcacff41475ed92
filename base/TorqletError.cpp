#include "base/TorqletError.h"

TorqletError::TorqletError(std::int32_t number, QString source, QString description,
                           std::shared_ptr<const TorqletError> cause)
    : number_(number),
      source_(std::move(source)),
      description_(std::move(description)),
      cause_(std::move(cause)),
      what_(QStringLiteral("error %1: %2").arg(number_).arg(description_).toStdString()) {}

TorqletError TorqletError::WithDetail(QString detail) const {
  TorqletError error = *this;
  error.detail_ = std::move(detail);
  error.what_ += ": " + error.detail_.toStdString();
  return error;
}
