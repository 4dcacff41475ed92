#pragma once

#include <QObject>
#include <cstdint>

// A counter that reports every change with its new and its old value.
class Counter : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

  std::int32_t Value() const { return value_; }
  void Increase(std::int32_t by);
  void Decrease(std::int32_t by);

 signals:
  void ValueChanged(std::int32_t newValue, std::int32_t oldValue);

 private:
  void Change(std::int64_t newValue);

  std::int32_t value_ = 0;
};
