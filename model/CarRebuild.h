#pragma once

#include <QByteArray>
#include <cstdint>
#include <memory>
#include <vector>

class NycGciCar;
class StatusDisplay;
class TextWriter;

// Writes a car file's content afresh from its header comment and its cars:
// every section followed by an empty line. The new content is built in the
// old one's memory, so that a large file is never held twice and its pages,
// already there, need not be given anew. Reports each car as the progress
// value, in order.
class CarRebuild {
 public:
  CarRebuild(const std::vector<std::shared_ptr<NycGciCar>>& cars, const QByteArray& mainComment,
             StatusDisplay& status);

  // The header comment as a rebuild writes it, with the empty line after it.
  static QByteArray Head(const QByteArray& mainComment);

  // The rebuilt content, in the memory of old (whose bytes are dropped;
  // estimate is about the size the content will have). With twoThreads, a
  // second thread writes the second half of the cars meanwhile.
  QByteArray Build(QByteArray old, qsizetype estimate, bool twoThreads) const;

 private:
  bool BuildInTwoParts(QByteArray& content, qsizetype estimate, std::int32_t& reported) const;
  void AppendCars(TextWriter& out, std::int32_t first, std::int32_t last,
                  std::int32_t* reported) const;
  std::int32_t Count() const { return std::int32_t(cars_.size()); }

  const std::vector<std::shared_ptr<NycGciCar>>& cars_;
  const QByteArray& mainComment_;
  StatusDisplay& status_;
};
