#include "TestSupport.h"

const QByteArray Romero = MakeBlock("Romero", 0);

// The block with its lines (numbered from 1) replaced.
static QByteArray WithLines(const QByteArray& block, const QList<QPair<int, QByteArray>>& lines) {
  QList<QByteArray> all = block.split('\n');
  for (const auto& [number, line] : lines) all[number - 1] = line + (number < 22 ? "\r" : "");
  return all.join('\n');
}

// A block that does not read keeps what was read before the line that failed.
TEST(NycGciCar, ReadsTheFirst22LinesIntoFieldsOfTheirOwnType) {
  NycGciCar car;
  car.SetBlock(Romero + "\r\n\r\n" + MakeBlock("Other", 7));
  EXPECT_EQ(car.Block(), Romero);
  EXPECT_EQ(car.Name(), "Romero");
  EXPECT_EQ(car.TurnIn(), 0.145f);
  EXPECT_EQ(car.MaxSpeedComment(), "max_speed");
  car.SetBlock(WithLines(Romero, {{2, "f16.500 {mass}"}, {6, "50 {value}"}}));
  EXPECT_EQ(car.Model(), 16);  // 16.5 to the even neighbour
  EXPECT_EQ(car.Mass(), 50.0f);
  EXPECT_EQ(car.Block(), WithLines(Romero, {{2, "16 {mass}"}, {6, "f50.000 {value}"}}));
  car.SetBlock(Romero);
  // 21 lines change nothing.
  EXPECT_EQ(ErrorNumberOf([&] { car.SetBlock(MakeBlock("Other", 5).chopped(22)); }),
            ErrBadPropertyValue);
  EXPECT_EQ(car.Block(), Romero);
  const QByteArray overflow = WithLines(Romero, {{3, "f3e9 {turbo}"}});
  EXPECT_EQ(ErrorNumberOf([&] { car.SetBlock(overflow); }), ErrOverflow);
  // The value of line 5 is stored, its comment does not read.
  const QByteArray block = MakeBlock("Newname", 9),
                   open = WithLines(block, {{4, "7 {worth}"}, {5, "5 {pad"}});
  EXPECT_EQ(ErrorNumberOf([&] { car.SetBlock(open); }), ErrInvalidArgument);
  EXPECT_EQ(car.Block(), WithLines(block, {{4, "7 {worth}"}, {5, "5 {pad}"}}));
}

TEST(NycGciCar, SettersStoreWhatTheBlockShowsAndMarkTheFileChanged) {
  NycGciCars file;
  file.NewFile();
  NycGciCar& car = file.Car(1);
  ASSERT_EQ(car.Block(), Romero);
  constexpr float inf = std::numeric_limits<float>::infinity();
  for (const float bad : {inf, -inf, std::numeric_limits<float>::quiet_NaN()}) {
    EXPECT_EQ(ErrorNumberOf([&] { car.SetThrust(bad); }), ErrBadPropertyValue);
  }
  EXPECT_EQ(ErrorNumberOf([&] { car.SetInteger(CarField::Model, 4); }), ErrBadCall);
  EXPECT_EQ(ErrorNumberOf([&] { car.SetFloat(CarField::Turbo, 1); }), ErrBadCall);
  EXPECT_FALSE(file.IsChanged());
  FileFolder folder;
  // The same value, too, counts as an edit.
  const std::function<void()> setters[] = {
      [&] { car.SetMass(car.Mass()); }, [&] { car.SetMass(16.25f); }, [&] { car.SetTurbo(-3); },
      [&] { car.SetModelComment("kind"); }, [&] { car.SetBlock(car.Block()); }};
  for (const auto& set : setters) {
    set();
    EXPECT_TRUE(file.IsChanged());
    file.SaveAs(folder.Path("saved.gci"));  // rebuilds and clears the flag
    (void)car.Block();
    EXPECT_FALSE(file.IsChanged());
  }
  EXPECT_EQ(car.Block(),
            WithLines(Romero, {{2, "0 {kind}"}, {3, "-3 {turbo}"}, {6, "f16.250 {mass}"}}));
  // Cars share their comments until one of them changes its own.
  file.Car(2).SetMassComment("heavy");
  file.Car(3).SetBlock(file.Car(2).Block());
  file.Car(3).SetBlock(file.Car(1).Block());
  EXPECT_EQ(file.Car(1).MassComment(), "mass");
  EXPECT_EQ(file.Car(2).MassComment(), "heavy");
  EXPECT_EQ(file.Car(3).MassComment(), "mass");
}
