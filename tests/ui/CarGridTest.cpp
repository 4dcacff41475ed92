#include <QFontInfo>
#include <QHeaderView>
#include <QLocale>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "UiTestSupport.h"
#include "model/NycGciCars.h"
#include "ui/frame/mdfMain.h"
#include "ui/sheet/CarGrid.h"
#include "ui/sheet/CarGridCorner.h"
#include "ui/sheet/CarTableModel.h"
#include "ui/sheet/frmCars.h"

namespace {

using CarGridTest = FrameTest;

TEST_F(CarGridTest, StockCopyShowsOneRowPerCarAndTheColumnLayout) {
  frmCars* sheet = NewDocument();
  ASSERT_NE(sheet, nullptr);
  const CarGrid& grid = *sheet->flexCars();
  EXPECT_EQ(sheet->CarFile().Count(), 83);
  EXPECT_EQ(grid.model()->rowCount(), 83);
  EXPECT_EQ(grid.model()->columnCount(), 20);  // beside the name and model headings
  EXPECT_EQ(sheet->GetCellText(0, 0), QString());
  EXPECT_EQ(sheet->GetCellText(0, 1), QStringLiteral("model"));
  EXPECT_EQ(sheet->GetCellText(0, 5), QStringLiteral("mass"));
  EXPECT_EQ(sheet->GetCellText(0, 21), QStringLiteral("gear3 speed"));
  EXPECT_EQ(sheet->GetCellText(1, 0), QStringLiteral("Romero"));
  EXPECT_EQ(sheet->GetCellText(1, 1), QStringLiteral("0"));
  EXPECT_EQ(sheet->GetCellText(1, 3), QStringLiteral("50"));
  EXPECT_EQ(sheet->GetCellText(1, 5), QStringLiteral("16.500"));
  EXPECT_EQ(sheet->GetCellText(2, 0), QStringLiteral("Wellard"));
  // The table behind the view holds the value columns only.
  EXPECT_EQ(grid.model()->rowCount(), 83);
  EXPECT_EQ(grid.model()->columnCount(), 20);
  EXPECT_EQ(grid.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("turbo"));
  EXPECT_THROW(sheet->GetCellText(84, 2), TorqletError);
  EXPECT_THROW(sheet->GetCellText(1, 22), TorqletError);
  EXPECT_EQ(grid.Row(), 1);
  EXPECT_EQ(grid.Col(), 2);
}

TEST_F(CarGridTest, FloatCellsShowThreeDecimalsWithoutGroupingInTheUsersLocale) {
  frmCars* sheet = OpenDocument(WriteFile(
      "values.gci", StockWith({{"f16.500 {mass}", "f-0.250 {mass}"},
                               {"f1.000 {front drive bias}", "f1234.5 {front drive bias}"}})));
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(sheet->GetCellText(1, 5), QStringLiteral("-0.250"));
  EXPECT_EQ(sheet->GetCellText(1, 6), QStringLiteral("1234.500"));

  const LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
  frmCars* stock = NewDocument();
  EXPECT_EQ(stock->GetCellText(1, 5), QStringLiteral("16,500"));
  EXPECT_EQ(stock->GetCellText(1, 3), QStringLiteral("50"));
  EXPECT_EQ(sheet->GetCellText(1, 6), QStringLiteral("1234,500"));
}

TEST_F(CarGridTest, HeadingsAndNamesWithSeparatorsShowWholeAndNeverShift) {
  frmCars* sheet = OpenDocument(
      WriteFile("odd.gci", StockWith({{"{Romero}", "{Ro|me;ro}"}, {"{mass}", "{mass;kg|x}"}})));
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(sheet->GetCellText(1, 0), QStringLiteral("Ro|me;ro"));
  EXPECT_EQ(sheet->GetCellText(0, 5), QStringLiteral("mass;kg|x"));
  EXPECT_EQ(sheet->GetCellText(0, 4), QStringLiteral("pad"));
  EXPECT_EQ(sheet->GetCellText(0, 6), QStringLiteral("front drive bias"));
  EXPECT_EQ(sheet->GetCellText(2, 0), QStringLiteral("Wellard"));
}

// Every text shows whole, measured with the font: value cells within the
// style's text margins and the grid line, names and models within the
// heading margins. Float columns are at least 720 twips wide.
void ExpectEveryTextWhole(const frmCars& sheet) {
  const CarGrid& grid = *sheet.flexCars();
  const QFontMetrics cells(grid.font()), headings(grid.verticalHeader()->font());
  const int textMargin = grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1;
  const int headingMargin = grid.style()->pixelMetric(QStyle::PM_HeaderMargin);
  for (int row = 0; row <= sheet.CarFile().Count(); ++row) {
    for (int col = row == 0 ? 1 : 0; col < 22; ++col) {
      const QString text = sheet.GetCellText(row, col);
      const bool heading = row == 0 || col < 2;
      const int room = heading ? grid.ColWidth(col) - 2 * headingMargin
                               : grid.ColWidth(col) - 1 - 2 * textMargin;
      ASSERT_LE((heading ? headings : cells).horizontalAdvance(text), room)
          << row << " " << col << " " << text.toStdString();
    }
  }
  for (int col = 5; col < 22; ++col) EXPECT_GE(grid.ColWidth(col), grid.TwipsToPixels(720));
}

TEST_F(CarGridTest, NoTextIsCutOffAndAWiderValueWidensItsColumn) {
  const QByteArray content =
      StockWith({{"{Wellard}", "{A rather long car name in the middle of it all}"},
                 {"2 {model}", "2147483647 {model}"},
                 {"0 {pad}", "100 {pad}"},
                 {"f16.500 {mass}", "f3e38 {mass}"},
                 {"f1.000 {front drive bias}", "f-1234.5 {front drive bias}"}});
  for (const QLocale& locale : {QLocale(QLocale::English), QLocale(QLocale::German)}) {
    const LocaleScope scope(locale);
    frmCars* sheet = OpenDocument(WriteFile("wide.gci", content));
    ASSERT_NE(sheet, nullptr);
    ExpectEveryTextWhole(*sheet);
    const int before = sheet->flexCars()->ColWidth(4);
    sheet->SetCellValue(3, 4, QStringLiteral("-2147483648"));
    EXPECT_GT(sheet->flexCars()->ColWidth(4), before);
    ExpectEveryTextWhole(*sheet);
  }
}

TEST_F(CarGridTest, UsesAFixedPitchFontOfEightAndAQuarterPoints) {
  frmCars* sheet = NewDocument();
  const QFont font = sheet->flexCars()->font();
  EXPECT_DOUBLE_EQ(font.pointSizeF(), 8.25);
  EXPECT_TRUE(QFontInfo(font).fixedPitch());
}

TEST_F(CarGridTest, FixedColumnsStayInPlaceAndCanNeverBeCurrentOrSelected) {
  frmCars* sheet = NewDocument();
  sheet->showMaximized();
  CarGrid& grid = *sheet->flexCars();
  EXPECT_THROW(grid.SetCol(1), TorqletError);
  EXPECT_THROW(grid.SetCol(0), TorqletError);
  EXPECT_THROW(grid.SetRow(0), TorqletError);
  EXPECT_EQ(grid.Col(), 2);

  // Moving left or home from the first value column stays there.
  QTest::keyClick(&grid, Qt::Key_Left);
  QTest::keyClick(&grid, Qt::Key_Home);
  EXPECT_EQ(grid.Col(), 2);

  // Selecting everything selects value cells only.
  grid.selectAll();
  for (const QModelIndex& index : grid.selectionModel()->selectedIndexes()) {
    ASSERT_GE(index.column() + CarTableModel::ColumnOffset, 2);
  }

  // Scrolling sideways moves the value columns, not the row headings.
  const int headerLeft = grid.verticalHeader()->geometry().left();
  const QRect before = grid.CellRect(1, 2);
  grid.horizontalScrollBar()->setValue(grid.horizontalScrollBar()->maximum());
  EXPECT_GT(grid.horizontalScrollBar()->maximum(), 0);
  EXPECT_EQ(grid.verticalHeader()->geometry().left(), headerLeft);
  EXPECT_LT(grid.CellRect(1, 2).left(), before.left());
  EXPECT_TRUE(grid.CellRect(1, 1).isEmpty());
}

// Clicks on headings, names and the corner select whole columns and rows of
// value cells, with the current cell at a corner; the keys move without
// opening anything.
TEST_F(CarGridTest, HeadingsNamesAndCornerSelectAndKeysMove) {
  frmCars* sheet = NewDocument();
  CarGrid& grid = *sheet->flexCars();
  QHeaderView* columns = grid.horizontalHeader();
  QHeaderView* rows = grid.verticalHeader();
  const auto column = [&](int section) {
    return QPoint(columns->sectionViewportPosition(section) + columns->sectionSize(section) / 2,
                  columns->height() / 2);
  };
  const auto name = [&](int section) {
    return QPoint(10, rows->sectionViewportPosition(section) + rows->sectionSize(section) / 2);
  };
  const struct {
    QWidget* target;
    QPoint point;
    Qt::KeyboardModifiers modifiers;
    int row, col, rowSel, colSel;
  } clicks[] = {
      {columns->viewport(), column(3), {}, 1, 5, 83, 5},
      {columns->viewport(), column(1), Qt::ShiftModifier, 1, 3, 83, 5},
      {rows->viewport(), name(2), {}, 3, 2, 3, 21},
      {rows->viewport(), name(4), Qt::ShiftModifier, 5, 2, 3, 21},
  };
  for (const auto& c : clicks) {
    QTest::mouseClick(c.target, Qt::LeftButton, c.modifiers, c.point);
    EXPECT_EQ(QList<int>({grid.Row(), grid.Col(), grid.RowSel(), grid.ColSel()}),
              QList<int>({c.row, c.col, c.rowSel, c.colSel}));
  }
  QTest::mouseClick(grid.findChild<CarGridCorner*>(), Qt::LeftButton);
  EXPECT_EQ(grid.selectionModel()->selectedIndexes().size(), 83 * 20);
  EXPECT_EQ(QList<int>({grid.Row(), grid.Col()}), QList<int>({1, 2}));

  QSignalSpy keys(&grid, &CarGrid::KeyPress);
  const struct {
    int key;
    Qt::KeyboardModifiers modifiers;
    int row, col;
  } moves[] = {{Qt::Key_End, {}, 1, 21},
               {Qt::Key_Home, {}, 1, 2},
               {Qt::Key_End, Qt::ControlModifier, 83, 2},
               {Qt::Key_Home, Qt::ControlModifier, 1, 2},
               {Qt::Key_PageDown, {}, -1, 2}};
  for (const auto& m : moves) {
    QTest::keyClick(&grid, Qt::Key(m.key), m.modifiers);
    if (m.row > 0) EXPECT_EQ(grid.Row(), m.row) << m.key;
    EXPECT_EQ(grid.Col(), m.col) << m.key;
  }
  EXPECT_GT(grid.Row(), 2);  // a screen down
  EXPECT_EQ(keys.size(), 0);
}

TEST_F(CarGridTest, CurrentCellAndSelectionCornersUseSheetNumbering) {
  frmCars* sheet = NewDocument();
  CarGrid& grid = *sheet->flexCars();
  grid.SetRow(4);
  grid.SetCol(7);
  EXPECT_EQ(grid.RowSel(), 4);
  EXPECT_EQ(grid.ColSel(), 7);
  // Extend the selection with the keyboard: the current cell moves, the
  // other corner stays where the selection started.
  QTest::keyClick(&grid, Qt::Key_Down, Qt::ShiftModifier);
  QTest::keyClick(&grid, Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(grid.Row(), 5);
  EXPECT_EQ(grid.Col(), 8);
  EXPECT_EQ(grid.RowSel(), 4);
  EXPECT_EQ(grid.ColSel(), 7);
  // Setting the current cell reduces the selection to it.
  grid.SetCol(grid.Col());
  EXPECT_EQ(grid.RowSel(), 5);
  EXPECT_EQ(grid.ColSel(), 8);
  EXPECT_EQ(grid.selectionModel()->selectedIndexes().size(), 1);
  EXPECT_EQ(grid.CellRect(5, 8), grid.visualRect(grid.currentIndex()));
}

TEST_F(CarGridTest, ReportsCharacterKeysAndDoubleClicksToTheWindow) {
  frmCars* sheet = NewDocument();
  CarGrid& grid = *sheet->flexCars();
  QString keys;
  int doubleClicks = 0;
  QObject::connect(&grid, &CarGrid::KeyPress, [&](QChar c) { keys += c; });
  QObject::connect(&grid, &CarGrid::DblClick, [&] { ++doubleClicks; });
  QTest::keyClick(&grid, Qt::Key_7);
  QTest::keyClick(&grid, Qt::Key_Return);
  QTest::keyClick(&grid, Qt::Key_Escape);
  QTest::keyClick(&grid, Qt::Key_Backspace);
  QTest::keyClick(&grid, Qt::Key_Down);  // navigation, no character
  EXPECT_EQ(keys, QStringLiteral("7\r\x1b\b"));
  EXPECT_EQ(grid.Row(), 2);
  const QPoint centre = grid.CellRect(2, 3).center();
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, centre);
  QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, centre);
  EXPECT_EQ(doubleClicks, 1);
  EXPECT_EQ(grid.Col(), 3);
  // On a heading or a name: reported too.
  QHeaderView* header = grid.horizontalHeader();
  const QPoint headingCentre(header->sectionViewportPosition(5) + header->sectionSize(5) / 2,
                             header->height() / 2);
  QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, headingCentre);
  QTest::mouseDClick(grid.verticalHeader()->viewport(), Qt::LeftButton, {}, QPoint(10, 5));
  EXPECT_EQ(doubleClicks, 3);
  // On a column's edge it fits that column instead.
  const int fitted = grid.ColWidth(7);
  grid.setColumnWidth(5, 30);
  QTest::mouseDClick(header->viewport(), Qt::LeftButton, {},
                     QPoint(header->sectionViewportPosition(5) + 29, header->height() / 2));
  EXPECT_EQ(doubleClicks, 3);
  EXPECT_EQ(grid.ColWidth(7), fitted);
}

}  // namespace
