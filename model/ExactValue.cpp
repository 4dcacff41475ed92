#include "model/ExactValue.h"

#include <charconv>
#include <cmath>

#include "model/NumberText.h"

QByteArray ExactValue::Text(const LineValue& value) {
  if (value.kind == LineValue::Kind::Integer) return QByteArray::number(value.integer);
  char buffer[ThreeDecimalsBufferSize];
  const int length = FormatThreeDecimals(value.real, buffer);
  const QByteArrayView three(buffer, length);
  if (!std::isfinite(value.real) || ToSingle(ReadNumberForSingle(three)) == value.real) {
    return three.toByteArray();
  }
  const auto shortest = std::to_chars(buffer, buffer + sizeof buffer, value.real);
  return QByteArray(buffer, int(shortest.ptr - buffer));
}

std::optional<LineValue> ExactValue::Read(QByteArrayView text, bool integer) {
  const char* end = text.data() + text.size();
  if (integer) {
    std::int32_t number = 0;
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (text.isEmpty() || error != std::errc() || stop != end) return std::nullopt;
    return LineValue::FromInteger(number);
  }
  float number = 0;
  const auto [stop, error] = std::from_chars(text.data(), end, number);
  if (text.isEmpty() || error != std::errc() || stop != end) return std::nullopt;
  return LineValue::FromFloat(number);
}
