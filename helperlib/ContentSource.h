#pragma once

#include <QByteArrayView>

// Content that is made piece by piece while it is written, for content too
// large to be held whole beside what it is made from. The writer starts it
// again before each time it asks for the content; it may ask twice (the
// length of content for a file with several names is counted first), and
// must get the same bytes again.
class ContentSource {
 public:
  virtual ~ContentSource() = default;
  // The next bytes, empty once all were given; valid until the next call.
  virtual QByteArrayView Next() = 0;
  // Goes back to the first byte.
  virtual void Rewind() = 0;
};
