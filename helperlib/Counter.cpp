#include "helperlib/Counter.h"

#include <limits>

#include "base/RuntimeErrors.h"

void Counter::Increase(std::int32_t by) { Change(std::int64_t(value_) + by); }

void Counter::Decrease(std::int32_t by) { Change(std::int64_t(value_) - by); }

void Counter::Change(std::int64_t newValue) {
  if (newValue < std::numeric_limits<std::int32_t>::min() ||
      newValue > std::numeric_limits<std::int32_t>::max()) {
    RaiseRuntimeError(ErrOverflow);
  }
  const std::int32_t oldValue = value_;
  value_ = static_cast<std::int32_t>(newValue);
  emit ValueChanged(value_, oldValue);
}
