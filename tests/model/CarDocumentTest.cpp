#include <gtest/gtest.h>

#include <QSignalSpy>
#include <limits>

#include "TestSupport.h"
#include "core/ErrorCodes.h"
#include "model/CarDocument.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"

namespace {

// A file a rebuild would change: text outside the header's braces is dropped.
const QByteArray Odd =
    MakeFile("head} kept only as loaded", {MakeBlock("Alpha", 0), MakeBlock("Beta", 1)});

class CarDocumentTest : public ::testing::Test {
 protected:
  void SetUp() override { document.LoadFile(path); }
  const NycGciCar& Car(int row) const { return document.CarFile().Car(row); }
  std::int64_t Set(std::vector<CellValue> cells) {
    return document.SetCells(cells,
                             [](std::int64_t n) { return QStringLiteral("step %1").arg(n); });
  }

  FileFolder folder;
  QString path = folder.Write(Odd);
  CarDocument document;
};

TEST_F(CarDocumentTest, OnlyRealChangesMakeAStepAndBadValuesChangeNothing) {
  QSignalSpy changes(&document, &CarDocument::CellsChanged);
  const float mass = Car(1).Mass();
  EXPECT_EQ(Set({{1, 5, LineValue::FromFloat(mass)}}), 0);
  EXPECT_EQ(document.History().count(), 0);
  EXPECT_FALSE(document.Changed());
  EXPECT_EQ(changes.size(), 0);

  const float nan = std::numeric_limits<float>::quiet_NaN();
  const struct {
    CellValue bad;
    std::int32_t error;
  } refused[] = {{{1, 1, LineValue::FromInteger(3)}, ErrBadCall},  // the model column
                 {{1, 5, LineValue::FromInteger(3)}, ErrBadCall},  // an integer for a float
                 {{3, 5, LineValue::FromFloat(1)}, ErrBadCall},    // no such car
                 {{2, 6, LineValue::FromFloat(nan)}, ErrBadPropertyValue}};
  for (const auto& r : refused) {
    EXPECT_EQ(ErrorNumberOf([&] { Set({{1, 2, LineValue::FromInteger(9)}, r.bad}); }), r.error);
  }
  EXPECT_EQ(Car(1).Turbo(), 0);
  EXPECT_EQ(document.History().count(), 0);

  EXPECT_EQ(Set({{1, 2, LineValue::FromInteger(9)},
                 {2, 6, LineValue::FromFloat(2)},
                 {1, 5, LineValue::FromFloat(mass)}}),
            2);
  ASSERT_EQ(changes.size(), 1);  // one signal for the rectangle of the changed cells
  EXPECT_EQ(changes[0], QVariantList({1, 2, 2, 6}));
  EXPECT_EQ(document.History().undoText(), QStringLiteral("step 2"));
  EXPECT_TRUE(document.Changed());
}

TEST_F(CarDocumentTest, UndoAndRedoPutBackTheExactValuesAndTheSavedState) {
  NycGciCar& car = document.CarFile().Car(2);
  car.SetMass(16.2875f);  // more than the file's three decimals can hold
  Set({{2, 5, LineValue::FromFloat(1.5f)}, {2, 4, LineValue::FromInteger(-7)}});
  QSignalSpy replays(&document, &CarDocument::StepReplayed);
  document.History().undo();
  EXPECT_EQ(car.Mass(), 16.2875f);
  EXPECT_EQ(car.Pad(), 0);
  document.History().redo();
  EXPECT_EQ(car.Mass(), 1.5f);
  EXPECT_EQ(car.Pad(), -7);
  EXPECT_EQ(replays.size(), 2);

  document.Save();
  EXPECT_FALSE(document.Changed());
  document.History().undo();
  EXPECT_TRUE(document.Changed());
  document.History().redo();
  EXPECT_FALSE(document.Changed());
}

// Back at the content the car file holds, a save writes it byte for byte; a
// new step after an undo never counts as that content.
TEST_F(CarDocumentTest, UndoingToTheLoadedStateSavesTheLoadedBytes) {
  Set({{1, 2, LineValue::FromInteger(5)}});
  document.History().undo();
  EXPECT_FALSE(document.CarFile().IsChanged());
  document.Save();
  EXPECT_EQ(ReadFileBytes(path), Odd);

  Set({{1, 2, LineValue::FromInteger(5)}});
  document.Save();  // rebuilt: the header's loose text is gone
  const QByteArray saved = ReadFileBytes(path);
  EXPECT_NE(saved, Odd);
  document.History().undo();
  Set({{1, 2, LineValue::FromInteger(6)}});  // a new step where the saved one was
  EXPECT_TRUE(document.CarFile().IsChanged());
  document.Save();
  NycGciCars again;
  again.LoadFile(path);
  EXPECT_EQ(again.Car(1).Turbo(), 6);
}

TEST_F(CarDocumentTest, AFailedSaveAsKeepsTheNameAndTheChangedState) {
  Set({{1, 2, LineValue::FromInteger(5)}});
  EXPECT_THROW(document.SaveAs(folder.Path("none/new.gci")), TorqletError);
  EXPECT_EQ(document.FileName(), path);
  EXPECT_TRUE(document.Changed());
  document.SaveAs(folder.Path("new.gci"));
  EXPECT_EQ(document.FileName(), folder.Path("new.gci"));
  EXPECT_FALSE(document.Changed());
}

}  // namespace
