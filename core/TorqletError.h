#pragma once

#include <QString>
#include <cstdint>
#include <exception>
#include <string>

// A numbered error: every failure of the program travels as one of these, with
// the number that callers act on, the place it was raised and a readable text.
class TorqletError : public std::exception {
 public:
  TorqletError(std::int32_t number, QString source, QString description);

  std::int32_t Number() const { return number_; }
  const QString& Source() const { return source_; }
  const QString& Description() const { return description_; }
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  std::int32_t number_;
  QString source_;
  QString description_;
  std::string what_;
};
