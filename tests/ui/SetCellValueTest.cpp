#include <QLocale>
#include <QSignalSpy>
#include <cmath>

#include "UiTestSupport.h"
#include "base/TorqletError.h"
#include "core/ErrorCodes.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"
#include "ui/sheet/CarGrid.h"
#include "ui/sheet/frmCars.h"

namespace {

class SetCellValueTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    sheet = NewDocument();
    ASSERT_NE(sheet, nullptr);
  }
  NycGciCar& Car(int row) { return sheet->CarFile().Car(row); }
  int ErrorOf(int row, int col, const QString& text) {
    try {
      sheet->SetCellValue(row, col, text);
    } catch (const TorqletError& error) {
      return error.Number();
    }
    return 0;
  }

  frmCars* sheet = nullptr;
};

TEST_F(SetCellValueTest, StoresThroughTheRecordAndRewritesTheCellFromIt) {
  QSignalSpy changes(sheet->flexCars()->model(), &QAbstractItemModel::dataChanged);
  EXPECT_FALSE(sheet->Changed());
  sheet->SetCellValue(3, 9, QStringLiteral("0.1234"));
  EXPECT_EQ(Car(3).TurnIn(), 0.1234f);
  EXPECT_EQ(sheet->GetCellText(3, 9), QStringLiteral("0.123"));
  EXPECT_TRUE(sheet->Changed());
  EXPECT_TRUE(sheet->CarFile().IsChanged());
  ASSERT_EQ(changes.size(), 1);
  const QModelIndex cell = changes[0][0].toModelIndex();
  EXPECT_EQ(cell, changes[0][1].toModelIndex());
  EXPECT_EQ(cell.row(), 2);
  EXPECT_EQ(cell.column(), 7);
  EXPECT_EQ(cell.data().toString(), QStringLiteral("0.123"));
}

TEST_F(SetCellValueTest, IntegerColumnsRoundAHalfToTheEvenNeighbour) {
  const struct {
    const char* text;
    std::int32_t stored;
  } cases[] = {{"2.5", 2}, {"3.5", 4},   {"-2.5", -2},
               {"-7", -7}, {" 12 ", 12}, {"2147483647", 2147483647}};
  for (const auto& c : cases) {
    sheet->SetCellValue(1, 2, QString::fromLatin1(c.text));
    EXPECT_EQ(Car(1).Turbo(), c.stored) << c.text;
    EXPECT_EQ(sheet->GetCellText(1, 2), QString::number(c.stored)) << c.text;
  }
  sheet->SetCellValue(2, 4, QStringLiteral("1e3"));
  EXPECT_EQ(Car(2).Pad(), 1000);
}

TEST_F(SetCellValueTest, RefusesTextsThatAreNoNumberOrOutOfRangeAndChangesNothing) {
  const struct {
    int col;
    const char* text;
    std::int32_t error;
  } cases[] = {{5, "abc", ErrTypeMismatch},     {5, "", ErrTypeMismatch},
               {5, "   ", ErrTypeMismatch},     {2, "12abc", ErrTypeMismatch},
               {5, "nan", ErrTypeMismatch},     {5, "1e39", ErrOverflow},
               {5, "1e999", ErrOverflow},       {2, "2147483648", ErrOverflow},
               {3, "-2147483649", ErrOverflow}, {2, "2147483647.5", ErrOverflow},
               {5, "16,5", ErrTypeMismatch}};
  for (const auto& c : cases) {
    const QString before = sheet->GetCellText(1, c.col);
    QSignalSpy changes(sheet->flexCars()->model(), &QAbstractItemModel::dataChanged);
    EXPECT_EQ(ErrorOf(1, c.col, QString::fromLatin1(c.text)), c.error) << c.text;
    EXPECT_EQ(sheet->GetCellText(1, c.col), before) << c.text;
    EXPECT_FALSE(sheet->Changed()) << c.text;
    EXPECT_FALSE(sheet->CarFile().IsChanged()) << c.text;
    EXPECT_EQ(changes.size(), 0) << c.text;
  }
  EXPECT_EQ(Car(1).Mass(), 16.5f);
}

TEST_F(SetCellValueTest, StoringTheShownTextRoundsHiddenDecimalsAway) {
  Car(1).SetMass(16.2875f);
  sheet->SetChanged(false);
  sheet->SetCellValue(1, 5, sheet->GetCellText(1, 5));
  EXPECT_EQ(Car(1).Mass(), 16.288f);
  EXPECT_TRUE(sheet->Changed());
}

TEST_F(SetCellValueTest, NameAndModelColumnsAreNeverWritten) {
  const QByteArray name = Car(1).Name();
  const std::int32_t model = Car(1).Model();
  sheet->SetCellValue(1, 0, QStringLiteral("Other"));
  sheet->SetCellValue(1, 1, QStringLiteral("5"));
  EXPECT_EQ(Car(1).Name(), name);
  EXPECT_EQ(Car(1).Model(), model);
  EXPECT_FALSE(sheet->CarFile().IsChanged());
  EXPECT_EQ(ErrorOf(0, 5, QStringLiteral("1")), ErrBadCall);
  EXPECT_EQ(ErrorOf(84, 5, QStringLiteral("1")), ErrBadCall);
}

TEST_F(SetCellValueTest, ReadsTheGermanDecimalComma) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  sheet->SetCellValue(1, 5, QStringLiteral("1,5"));
  const float comma = Car(1).Mass();
  sheet->SetCellValue(1, 6, QStringLiteral("1.234,5"));
  const float grouped = Car(1).FrontDriveBias();
  const QString shown = sheet->GetCellText(1, 6);
  const int refused = ErrorOf(1, 7, QStringLiteral("0.5"));
  sheet->SetCellValue(1, 2, QStringLiteral("2,5"));
  QLocale::setDefault(QLocale::system());
  EXPECT_EQ(comma, 1.5f);
  EXPECT_EQ(grouped, 1234.5f);
  EXPECT_EQ(shown, QStringLiteral("1234,500"));
  EXPECT_EQ(refused, ErrTypeMismatch);
  EXPECT_EQ(Car(1).Turbo(), 2);
}

}  // namespace
