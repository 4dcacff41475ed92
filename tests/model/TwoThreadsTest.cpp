#include <gtest/gtest.h>

#include <QDir>
#include <limits>

#include "TestSupport.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"

namespace {

// Large files are loaded by two threads. This test lowers the size from which
// that happens and compares with one thread on a table of files, failing
// ones among them: the same cars, progress and error, and the
// same first failing car.
class TwoThreads : public ::testing::Test {
 protected:
  ~TwoThreads() override { NycGciCars::SetParallelMinimumBytes(threshold_); }

  static void UseTwoThreads(bool two) {
    NycGciCars::SetParallelMinimumBytes(two ? 0 : std::numeric_limits<qsizetype>::max());
  }

  // Everything a load leaves behind, as text.
  static QStringList Load(const QString& path, bool two) {
    UseTwoThreads(two);
    RecordingDisplay display;
    NycGciCars file(&display);
    QStringList outcome;
    try {
      file.LoadFile(path);
    } catch (const TorqletError& error) {
      outcome << QStringLiteral("error %1 %2 %3")
                     .arg(error.Number())
                     .arg(error.Source(), error.Reason().Description());
    }
    outcome << display.events;
    outcome << QString::fromLatin1(file.MainComment()) << QString::number(file.Count())
            << QString::number(file.IsChanged());
    for (std::int32_t i = 1; i <= file.Count(); ++i) {
      outcome << QString::fromLatin1(file.Car(i).Block().toHex());
    }
    return outcome;
  }

  // Files of 40 cars with faults in various cars, and the hostile corpus.
  QStringList Files() {
    QList<QByteArray> cars;
    for (int i = 1; i <= 40; ++i) {
      QByteArray block = MakeBlock("Car " + QByteArray::number(i), i);
      if (i % 7 == 0) block.replace("{mass}", "{heavy}");  // comment sets that differ
      cars << block;
    }
    auto broken = [&](std::initializer_list<int> numbers, const QByteArray& from,
                      const QByteArray& to) {
      QList<QByteArray> copy = cars;
      for (const int i : numbers) copy[i - 1].replace(from, to);
      return MakeFile("head", copy);
    };
    const QByteArray good = MakeFile("head", cars);
    QList<QByteArray> inputs = {good, good + "\r\n\r\n\r\nxyz",
                                broken({5, 30}, "0 {pad}", "0{pad}"),
                                MakeFile(QByteArray(20000, 'h'), cars.mid(0, 2))};
    // The second thread starts near car 21: faults around it and after it.
    const std::pair<QByteArray, QByteArray> faults[] = {
        {"f16.500 {mass}", "f16.500 mass"},  // no brace
        {"\r\n0 {pad}", ""},                 // 21 lines (the error writes diagnostics)
        {"f16.500 {mass}", "f3e99 {mass}"},  // overflow
        {"0 {pad}\r\n", "0 {pad}\r\n\r\n"},  // an empty line splits the block
    };
    for (const auto& [from, to] : faults) {
      for (const int car : {20, 21, 22, 23, 24, 40}) inputs << broken({car}, from, to);
    }
    QStringList paths;
    for (int k = 0; k < inputs.size(); ++k) {
      paths << folder_.Write(inputs[k], QByteArray("file" + QByteArray::number(k) + ".gci"));
    }
    const QDir corpus(QStringLiteral(TORQLET_SOURCE_DIR "/tests/hostile/corpus"));
    for (const QString& name : corpus.entryList(QDir::Files)) paths << corpus.filePath(name);
    return paths;
  }

 private:
  const qsizetype threshold_ = NycGciCars::ParallelMinimumBytes();
  FileFolder folder_;
};

TEST_F(TwoThreads, LoadingGivesWhatOneThreadGives) {
  for (const QString& path : Files()) {
    SCOPED_TRACE(path.toStdString());
    const QStringList one = Load(path, false);
    EXPECT_EQ(Load(path, true), one);
  }
}

}  // namespace
