#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "TestSupport.h"
#include "core/AppInfo.h"
#include "core/ErrorCodes.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"

namespace {

class CarFileLoad : public ::testing::Test {
 protected:
  QString Write(const QByteArray& bytes, const char* name = "cars.gci") {
    return folder.Write(bytes, name);
  }
  std::int32_t LoadError(const QByteArray& bytes) {
    return ErrorNumberOf([&] { file.LoadFile(Write(bytes)); });
  }

  FileFolder folder;
  RecordingDisplay display;
  NycGciCars file{&display};
  const QByteArray a = MakeBlock("Alpha", 0), b = MakeBlock("Beta", 1);
};

TEST_F(CarFileLoad, AnUnfilledFileHasNoCars) {
  EXPECT_EQ(file.Count(), 0);
  EXPECT_EQ(ErrorNumberOf([&] { file.Car(0); }), ErrBadCall);
  EXPECT_EQ(ErrorOf([&] { file.Car(1); }).Source(), "Torqlet11.NycGciCars");
  EXPECT_EQ(ErrorNumberOf([&] { file.SetCar(1, std::make_shared<NycGciCar>()); }), ErrBadCall);
}

TEST_F(CarFileLoad, TheStockCopyHas83CarsAndAFiveLineHeader) {
  file.NewFile();
  EXPECT_EQ(file.Count(), 83);
  EXPECT_FALSE(file.IsChanged());
  const QList<QByteArray> header = file.MainComment().split('\n');
  ASSERT_EQ(header.size(), 5);
  EXPECT_EQ(header[0], QByteArray(22, '*') + "\r");
  EXPECT_EQ(header[4], QByteArray(22, '*'));
  EXPECT_EQ(file.Car(1).Block(), MakeBlock("Romero", 0));
  EXPECT_EQ(file.Car(2).Name(), "Wellard");
  QList<int> models;
  for (int i = 1; i <= file.Count(); ++i) models << file.Car(i).Model();
  QList<int> expected;
  for (int m = 0; m <= 86; ++m) {
    if (m != 9 && m != 15 && m != 20 && m != 43) expected << m;
  }
  EXPECT_EQ(models, expected);
  EXPECT_EQ(NycGciCars::StockContent().size(), 38672);
  EXPECT_TRUE(NycGciCars::StockContent().endsWith(QByteArray(3, '\0')));
  EXPECT_EQ(file.FileTitle(), "Untitled");
}

TEST_F(CarFileLoad, IndicesRunFromOneToCount) {
  file.LoadFile(Write(MakeFile("head", {a, b})));
  EXPECT_EQ(file.Count(), 2);
  EXPECT_EQ(file.Car(1).Name(), "Alpha");
  EXPECT_EQ(file.Car(2).Name(), "Beta");
  EXPECT_EQ(ErrorNumberOf([&] { file.Car(0); }), ErrBadCall);
  EXPECT_EQ(ErrorNumberOf([&] { file.Car(3); }), ErrBadCall);
  EXPECT_EQ(ErrorNumberOf([&] { file.SetCar(1, nullptr); }), ErrBadCall);
  EXPECT_FALSE(file.IsChanged());
  EXPECT_EQ(file.FileTitle(), "cars.gci");
}

TEST_F(CarFileLoad, CarsReturnsACopyOfTheListOfTheSameCars) {
  file.LoadFile(Write(MakeFile("head", {a, b})));
  auto cars = file.Cars();
  cars[0] = std::make_shared<NycGciCar>();
  EXPECT_EQ(file.Car(1).Name(), "Alpha");
  cars[1]->SetPad(4);
  EXPECT_EQ(file.Car(2).Pad(), 4);
  EXPECT_TRUE(file.IsChanged());
}

TEST_F(CarFileLoad, TheEndOfTheFileIsLenient) {
  const QByteArray exact = MakeFile("head", {a, b});
  const QList<QByteArray> variants = {
      exact.chopped(4),             // no empty line at the end
      exact + "\r\n\r\n\r\n\r\n",   // extra empty lines
      exact + "xyz",                // short rubbish after the last separator
      exact + QByteArray(3, '\0'),  // the stock file's NUL bytes
      exact + QByteArray(4, '\0'),  // the longest rubbish that is dropped
      exact.chopped(2),             // a single CR LF at the end
  };
  for (const QByteArray& bytes : variants) {
    NycGciCars other;
    other.LoadFile(Write(bytes));
    ASSERT_EQ(other.Count(), 2);
    EXPECT_EQ(other.Car(2).Block(), b);
    EXPECT_EQ(other.MainComment(), "head");
  }
}

TEST_F(CarFileLoad, ContentWithoutCarsIsRefused) {
  EXPECT_EQ(LoadError(""), ErrBadFileContent);
  EXPECT_EQ(LoadError("{only the header}\r\n\r\n"), ErrBadFileContent);
  QByteArray lfOnly = MakeFile("head", {a, b});
  lfOnly.replace("\r\n", "\n");
  EXPECT_EQ(LoadError(lfOnly), ErrBadFileContent);
  // A last section of five characters is a section of its own, and no block.
  EXPECT_EQ(LoadError(MakeFile("head", {a}) + "abcde"), ErrBadPropertyValue);
}

TEST_F(CarFileLoad, EmptyLinesInsideOrBetweenBlocksAreNotTolerated) {
  QByteArray split = a;
  split.replace("0 {pad}\r\n", "0 {pad}\r\n\r\n");
  EXPECT_EQ(LoadError(MakeFile("head", {split})), ErrBadPropertyValue);
  QByteArray oneExtra = MakeFile("head", {a, b});
  oneExtra.replace("\r\n\r\n{Beta}", "\r\n\r\n\r\n{Beta}");
  EXPECT_EQ(LoadError(oneExtra), ErrInvalidArgument);  // its first line is empty
  QByteArray twoExtra = MakeFile("head", {a, b});
  twoExtra.replace("\r\n\r\n{Beta}", "\r\n\r\n\r\n\r\n{Beta}");
  EXPECT_EQ(LoadError(twoExtra), ErrBadPropertyValue);  // an empty section
}

TEST_F(CarFileLoad, AFailedBlockKeepsTheCarsBeforeIt) {
  QByteArray bad = b;
  bad.replace("f16.500 {mass}", "f16.500 mass");
  EXPECT_EQ(LoadError(MakeFile("new head", {a, bad, a})), ErrInvalidArgument);
  EXPECT_EQ(file.MainComment(), "new head");
  EXPECT_EQ(file.Count(), 2);
  EXPECT_EQ(file.Car(2).Name(), "Beta");
  EXPECT_EQ(display.Caption(), ApplicationTitle());
  EXPECT_FALSE(display.ProgressVisible());
}

TEST_F(CarFileLoad, TheHeaderKeepsOnlyTheTextBetweenItsBraces) {
  file.LoadFile(Write("before {the comment} after\r\n\r\n" + a + "\r\n\r\n"));
  EXPECT_EQ(file.MainComment(), "the comment");
}

TEST_F(CarFileLoad, AFileThatCannotBeReadLeavesTheCarsAlone) {
  file.LoadFile(Write(MakeFile("head", {a, b})));
  display.events.clear();
  EXPECT_EQ(ErrorNumberOf([&] { file.LoadFile(folder.filePath("missing.gci")); }),
            ErrUnexpectedInternal);
  EXPECT_EQ(ErrorNumberOf([&] { file.LoadFile(folder.path()); }), ErrUnexpectedInternal);
  EXPECT_EQ(file.Count(), 2);
  EXPECT_EQ(file.MainComment(), "head");
  const QString title = ApplicationTitle();
  EXPECT_EQ(display.events.mid(0, 4), QStringList({"caption " + title + " - loading data...",
                                                   "visible 1", "visible 0", "caption " + title}));
}

TEST_F(CarFileLoad, ProgressRunsOverTheBytesThenOverTheCars) {
  const QByteArray bytes = MakeFile("head", {a, b, a});
  file.LoadFile(Write(bytes));
  const QString title = ApplicationTitle();
  const QString length = QString::number(bytes.size());
  EXPECT_EQ(display.Folded(),
            QStringList({"caption " + title + " - loading data...", "visible 1", "max " + length,
                         "value 0.." + length, "caption " + title + " - processing data...",
                         "max 3", "value 0..3", "visible 0", "caption " + title}));
}

}  // namespace
