#include <QSignalSpy>

#include "TestSupport.h"
#include "model/CarDocument.h"

// A file a rebuild would change: text outside the header's braces is dropped.
const QByteArray Odd =
    MakeFile("head} kept only as loaded", {MakeBlock("Alpha", 0), MakeBlock("Beta", 1)});

class CarDocumentTest : public ::testing::Test {
 protected:
  void SetUp() override { document.LoadFile(path); }
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
  const float mass = document.CarFile().Car(1).Mass();
  EXPECT_EQ(Set({{1, 5, LineValue::FromFloat(mass)}}), 0);
  EXPECT_EQ(document.History().count(), 0);
  EXPECT_FALSE(document.Changed());
  EXPECT_EQ(changes.size(), 0);

  const float nan = std::numeric_limits<float>::quiet_NaN();
  // The model column, an integer for a float, no such car, a NaN.
  const std::pair<CellValue, std::int32_t> refused[] = {
      {{1, 1, LineValue::FromInteger(3)}, ErrBadCall},
      {{1, 5, LineValue::FromInteger(3)}, ErrBadCall},
      {{3, 5, LineValue::FromFloat(1)}, ErrBadCall},
      {{2, 6, LineValue::FromFloat(nan)}, ErrBadPropertyValue}};
  for (const auto& [bad, error] : refused) {
    const CellValue cell = bad;  // clang 14 lambdas cannot take a structured binding
    EXPECT_EQ(ErrorNumberOf([&] { Set({{1, 2, LineValue::FromInteger(9)}, cell}); }), error);
  }
  EXPECT_EQ(document.CarFile().Car(1).Turbo(), 0);
  EXPECT_EQ(document.History().count(), 0);

  EXPECT_EQ(Set({{1, 2, LineValue::FromInteger(9)},
                 {2, 6, LineValue::FromFloat(2)},
                 {1, 5, LineValue::FromFloat(mass)}}),
            2);
  // One signal for the rectangle of the changed cells.
  EXPECT_EQ(changes, QList<QVariantList>({{1, 2, 2, 6}}));
  EXPECT_EQ(document.History().undoText(), QStringLiteral("step 2"));
  EXPECT_TRUE(document.Changed());
}

// Back at the content the car file holds, a save writes it byte for byte; a
// new step after an undo never counts as the saved content.
TEST_F(CarDocumentTest, UndoAndRedoPutBackTheExactValuesTheLoadedBytesAndTheSavedState) {
  Set({{1, 2, LineValue::FromInteger(5)}});
  document.History().undo();
  EXPECT_FALSE(document.CarFile().IsChanged());
  document.Save();
  EXPECT_EQ(ReadFileBytes(path), Odd);
  const NycGciCar& car = document.CarFile().Car(2);
  Set({{2, 5, LineValue::FromFloat(16.2875f)}});  // more than the file's three decimals can hold
  Set({{2, 5, LineValue::FromFloat(1.5f)}, {2, 4, LineValue::FromInteger(-7)}});
  QSignalSpy replays(&document, &CarDocument::StepReplayed);
  document.History().undo();
  EXPECT_EQ(std::pair(car.Mass(), car.Pad()), std::pair(16.2875f, 0));
  document.History().redo();
  EXPECT_EQ(std::pair(car.Mass(), car.Pad()), std::pair(1.5f, -7));
  EXPECT_EQ(replays.size(), 2);
  document.Save();  // rebuilt: the header's loose text is gone
  EXPECT_NE(ReadFileBytes(path), Odd);
  for (const bool changed : {true, false}) {
    changed ? document.History().undo() : document.History().redo();
    EXPECT_EQ(document.Changed(), changed);
  }
  document.History().undo();
  Set({{2, 4, LineValue::FromInteger(6)}});  // a new step where the saved one was
  EXPECT_TRUE(document.CarFile().IsChanged());
  document.Save();
  EXPECT_TRUE(ReadFileBytes(path).contains("\r\n6 {pad}\r\n"));
}

TEST_F(CarDocumentTest, AFailedSaveAsKeepsTheNameAndTheChangedState) {
  Set({{1, 2, LineValue::FromInteger(5)}});
  document.LoadFile(path);  // the history starts afresh
  EXPECT_EQ(document.History().count(), 0);
  Set({{1, 2, LineValue::FromInteger(5)}});
  EXPECT_THROW(document.SaveAs(folder.Path("none/new.gci")), TorqletError);
  EXPECT_EQ(document.FileName(), path);
  EXPECT_TRUE(document.Changed());
  document.SaveAs(folder.Path("new.gci"));
  EXPECT_EQ(document.FileName(), folder.Path("new.gci"));
  EXPECT_FALSE(document.Changed());
}
