#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <limits>

#include "TestSupport.h"
#include "core/ErrorCodes.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"

namespace {

const QByteArray FirstStockBlock = MakeBlock("Romero", 0);

QByteArray WithLine(QByteArray block, int lineNumber, const QByteArray& line) {
  QList<QByteArray> lines = block.split('\n');
  lines[lineNumber - 1] = line + (lineNumber < 22 ? "\r" : "");
  return lines.join('\n');
}

TEST(NycGciCar, ANewRecordIsEmpty) {
  NycGciCar car;
  EXPECT_EQ(car.Name(), "");
  EXPECT_EQ(car.Model(), 0);
  EXPECT_EQ(car.Mass(), 0.0f);
  EXPECT_EQ(car.Gear3SpeedComment(), "");
  EXPECT_EQ(car.Parent(), nullptr);
}

TEST(NycGciCar, BlockRoundTripsByteForByte) {
  NycGciCar car;
  car.SetBlock(FirstStockBlock);
  EXPECT_EQ(car.Block(), FirstStockBlock);
  EXPECT_EQ(car.Name(), "Romero");
  EXPECT_EQ(car.Value(), 50);
  EXPECT_EQ(car.Mass(), 16.5f);
  EXPECT_EQ(car.TurnIn(), 0.145f);
  EXPECT_EQ(car.SkidThreshholdComment(), "skid threshhold");
  EXPECT_EQ(car.MaxSpeedComment(), "max_speed");
}

TEST(NycGciCar, LinesAfterTheTwentySecondAreIgnored) {
  NycGciCar car;
  car.SetBlock(FirstStockBlock + "\r\n\r\n" + MakeBlock("Other", 7));
  EXPECT_EQ(car.Block(), FirstStockBlock);
}

TEST(NycGciCar, ShortBlocksAreRefusedWithNothingChanged) {
  NycGciCar car;
  car.SetBlock(FirstStockBlock);
  const QByteArray shorter = FirstStockBlock.left(FirstStockBlock.lastIndexOf("\r\n"));
  const TorqletError error =
      ErrorOf([&] { car.SetBlock(MakeBlock("Changed", 5).left(shorter.size())); });
  EXPECT_EQ(error.Number(), ErrBadPropertyValue);
  EXPECT_EQ(error.Source(), "Torqlet11.NycGciCar");
  EXPECT_EQ(car.Block(), FirstStockBlock);
  QByteArray lfOnly = FirstStockBlock;
  lfOnly.replace("\r\n", "\n");
  EXPECT_EQ(ErrorNumberOf([&] { car.SetBlock(lfOnly); }), ErrBadPropertyValue);
  EXPECT_EQ(car.Block(), FirstStockBlock);
}

TEST(NycGciCar, ValuesAreConvertedToTheTypeOfTheirField) {
  NycGciCar car;
  car.SetBlock(WithLine(WithLine(FirstStockBlock, 2, "f16.500 {mass}"), 6, "50 {value}"));
  EXPECT_EQ(car.Model(), 16);  // 16.5 to the even neighbour
  EXPECT_EQ(car.ModelComment(), "mass");
  EXPECT_EQ(car.Mass(), 50.0f);
  EXPECT_TRUE(car.Block().contains("\r\n16 {mass}\r\n"));
  EXPECT_TRUE(car.Block().contains("\r\nf50.000 {value}\r\n"));
  EXPECT_EQ(ErrorNumberOf([&] { car.SetBlock(WithLine(FirstStockBlock, 3, "f3e9 {turbo}")); }),
            ErrOverflow);
}

TEST(NycGciCar, AFailingLineKeepsWhatWasReadBeforeIt) {
  NycGciCar car;
  car.SetBlock(FirstStockBlock);
  QByteArray block = MakeBlock("Newname", 9);
  block = WithLine(block, 4, "77 {worth}");
  block = WithLine(block, 5, "5 {pad");  // value readable, comment not
  EXPECT_EQ(ErrorNumberOf([&] { car.SetBlock(block); }), ErrInvalidArgument);
  EXPECT_EQ(car.Name(), "Newname");
  EXPECT_EQ(car.Model(), 9);
  EXPECT_EQ(car.Value(), 77);
  EXPECT_EQ(car.ValueComment(), "worth");
  EXPECT_EQ(car.Pad(), 5);             // stored before its comment failed
  EXPECT_EQ(car.PadComment(), "pad");  // the old comment
  EXPECT_EQ(car.Mass(), 16.5f);
}

TEST(NycGciCar, BlankLinesInsideABlockAreParsedNotTrimmed) {
  NycGciCar car;
  EXPECT_EQ(ErrorNumberOf([&] { car.SetBlock(WithLine(FirstStockBlock, 7, "")); }),
            ErrInvalidArgument);
  car.SetBlock(WithLine(FirstStockBlock, 7, " {front drive bias}"));
  EXPECT_EQ(car.FrontDriveBias(), 0.0f);
}

TEST(NycGciCar, WritesTheValueItHolds) {
  NycGciCar car;
  car.SetBlock(FirstStockBlock);
  car.SetMass(16.25f);
  EXPECT_TRUE(car.Block().contains("\r\nf16.250 {mass}\r\n"));
  car.SetTurbo(-3);
  EXPECT_TRUE(car.Block().contains("\r\n-3 {turbo}\r\n"));
  EXPECT_EQ(ErrorNumberOf([&] { car.SetInteger(CarField::Model, 4); }), ErrBadCall);
}

TEST(NycGciCar, FloatSettersRefuseInfinityAndNaN) {
  NycGciCars file;
  file.NewFile();
  NycGciCar& car = file.Car(1);
  constexpr float inf = std::numeric_limits<float>::infinity();
  for (const float bad : {inf, -inf, std::numeric_limits<float>::quiet_NaN()}) {
    const TorqletError error = ErrorOf([&] { car.SetThrust(bad); });
    EXPECT_EQ(error.Number(), ErrBadPropertyValue);
    EXPECT_EQ(error.Source(), "Torqlet11.NycGciCar");
  }
  EXPECT_EQ(car.Block(), FirstStockBlock);
  EXPECT_FALSE(file.IsChanged());
}

TEST(NycGciCar, EverySetterMarksTheFileChangedAndNoGetterDoes) {
  NycGciCars file;
  file.NewFile();
  NycGciCar& car = file.Car(2);
  EXPECT_EQ(car.Parent(), &file);
  const std::function<void()> setters[] = {
      [&] { car.SetTurbo(car.Turbo()); }, [&] { car.SetMass(car.Mass()); },
      [&] { car.SetGear3Speed(1.0f); },   [&] { car.SetModelComment(car.ModelComment()); },
      [&] { car.SetBlock(car.Block()); },
  };
  QTemporaryDir folder;
  for (const auto& set : setters) {
    file.SaveAs(folder.filePath("saved.gci"));  // rebuilds and clears the flag
    ASSERT_FALSE(file.IsChanged());
    (void)car.Block();
    (void)car.Mass();
    EXPECT_FALSE(file.IsChanged());
    set();
    EXPECT_TRUE(file.IsChanged());
  }
}

TEST(NycGciCar, CommentsOfOneCarNeverLeakIntoAnother) {
  NycGciCars file;
  file.NewFile();
  file.Car(2).SetMassComment("heavy");
  EXPECT_EQ(file.Car(1).MassComment(), "mass");
  EXPECT_EQ(file.Car(3).MassComment(), "mass");
  EXPECT_EQ(file.Car(2).MassComment(), "heavy");
  file.Car(3).SetBlock(file.Car(2).Block());
  file.Car(3).SetBlock(file.Car(1).Block());
  EXPECT_EQ(file.Car(2).MassComment(), "heavy");
  EXPECT_EQ(file.Car(3).MassComment(), "mass");
}

}  // namespace
