#pragma once

#include <QString>
#include <cstdint>
#include <exception>
#include <memory>
#include <string>

// A numbered error: every failure of the program travels as one of these, with
// the number that callers act on, the place it was raised and a readable text.
// An error raised because of another one keeps that one as its cause, so that
// the user can be told why, while callers still act on the outer number.
class TorqletError : public std::exception {
 public:
  TorqletError(std::int32_t number, QString source, QString description,
               std::shared_ptr<const TorqletError> cause = nullptr);

  std::int32_t Number() const { return number_; }
  const QString& Source() const { return source_; }
  const QString& Description() const { return description_; }
  // The error this one was raised for, or nullptr.
  const TorqletError* Cause() const { return cause_.get(); }
  // The innermost cause: the error that says why.
  const TorqletError& Reason() const { return cause_ ? cause_->Reason() : *this; }
  // Where in its input the error was found and what was wrong there
  // ("line 23: ..."), or an empty text.
  const QString& Detail() const { return detail_; }
  // The same error, telling where and why.
  TorqletError WithDetail(QString detail) const;
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  std::int32_t number_;
  QString source_;
  QString description_;
  std::shared_ptr<const TorqletError> cause_;
  QString detail_;
  std::string what_;
};
