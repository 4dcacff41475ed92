#include "model/CarContentSource.h"

#include <algorithm>

#include "model/KeptBytes.h"
#include "model/NycGciCar.h"
#include "model/StatusDisplay.h"
#include "model/TextWriter.h"

QByteArrayView CarContentSource::Next() {
  const auto count = static_cast<std::int32_t>(cars_.size());
  if (next_ > count + 1) return {};
  buffer_.truncate(0);
  {
    TextWriter out(buffer_, PieceSize + 4096);
    if (next_ == 0) {
      out.Write(kept_.Head());
      next_ = 1;
      piece_ = 0;
    }
    for (; next_ <= count && out.Written() < PieceSize; ++next_) {
      kept_.WriteCar(out, piece_, next_, *cars_[std::size_t(next_ - 1)]);
    }
    if (next_ == count + 1 && out.Written() < PieceSize) {
      out.Write(kept_.Tail());
      ++next_;
    }
  }
  status_.SetProgressValue(float(std::min(next_ - 1, count)));
  return buffer_;
}
