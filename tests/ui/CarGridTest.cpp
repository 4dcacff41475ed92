#include <QFontInfo>
#include <QHeaderView>
#include <QImage>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "UiTestSupport.h"
#include "core/ErrorCodes.h"
#include "ui/sheet/CarGridCorner.h"

namespace {

using CarGridTest = FrameTest;

// One row per car; the name and model columns stay in place when the grid
// scrolls sideways and can never be current.
TEST_F(CarGridTest, StockCopyShowsOneRowPerCarBesideFixedNameAndModelColumns) {
  NewDocument();
  EXPECT_EQ(grid->model()->rowCount(), 83);
  EXPECT_EQ(grid->model()->columnCount(), 20);
  EXPECT_EQ(Texts(0, 0, 0, 5), QStringList({"", "model", "turbo", "value", "pad", "mass"}));
  EXPECT_EQ(Texts(1, 0, 1, 5), QStringList({"Romero", "0", "0", "50", "0", "16.500"}));
  EXPECT_EQ(Texts(83, 0, 83, 0), QStringList({"Arlow Cab"}));
  EXPECT_EQ(sheet->GetCellText(0, 21), QStringLiteral("gear3 speed"));
  EXPECT_THROW(sheet->GetCellText(84, 2), TorqletError);
  EXPECT_THROW(sheet->GetCellText(1, 22), TorqletError);
  EXPECT_EQ(QList<int>({grid->Row(), grid->Col()}), QList<int>({1, 2}));
  for (int col : {0, 1}) EXPECT_THROW(grid->SetCol(col), TorqletError);
  EXPECT_THROW(grid->SetRow(0), TorqletError);
  EXPECT_DOUBLE_EQ(grid->font().pointSizeF(), 8.25);
  EXPECT_TRUE(QFontInfo(grid->font()).fixedPitch());

  sheet->showMaximized();  // without the grid's border
  EXPECT_EQ(grid->frameShape(), QFrame::NoFrame);
  const int headerLeft = grid->verticalHeader()->geometry().left();
  const QRect before = grid->CellRect(1, 2);
  grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
  EXPECT_EQ(grid->verticalHeader()->geometry().left(), headerLeft);
  EXPECT_LT(grid->CellRect(1, 2).left(), before.left());
  EXPECT_TRUE(grid->CellRect(1, 1).isEmpty());
  sheet->showNormal();
  EXPECT_NE(grid->frameShape(), QFrame::NoFrame);
}

// The grid's conversions of typed texts in English and German; the numbers'
// own rules (rounding, ranges, three decimals) are the model's.
TEST_F(CarGridTest, ATypedTextIsStoredAsTheColumnsTypeOrChangesNothing) {
  NewDocument();
  const QLocale en(QLocale::English), de(QLocale::German);
  const struct {
    const QLocale& locale;
    int row, col;
    const char* text;
    const char* shown;  // null: nothing changes
    std::int32_t error;
  } cases[] = {
      {en, 1, 2, "2.5", "2", 0},
      {en, 1, 3, " -3.5 ", "-4", 0},
      {en, 1, 4, "1e3", "1000", 0},
      {en, 1, 6, "1,234.5", "1234.500", 0},
      {en, 1, 9, "0.1234", "0.123", 0},
      {de, 1, 5, "1,5", "1,500", 0},
      {de, 1, 6, "1.234,25", "1234,250", 0},
      {de, 1, 2, "3,5", "4", 0},
      {de, 1, 7, "0.5", nullptr, ErrTypeMismatch},
      {en, 1, 5, "16,5", nullptr, ErrTypeMismatch},
      {en, 1, 5, "", nullptr, ErrTypeMismatch},
      {en, 1, 2, "12abc", nullptr, ErrTypeMismatch},
      {en, 1, 5, "nan", nullptr, ErrTypeMismatch},
      {en, 1, 5, "1e39", nullptr, ErrOverflow},
      {en, 1, 2, "2147483648", nullptr, ErrOverflow},
      {en, 1, 0, "Other", nullptr, 0},
      {en, 1, 1, "5", nullptr, 0},
      {en, 0, 5, "1", nullptr, ErrBadCall},
      {en, 84, 5, "1", nullptr, ErrBadCall},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const LocaleScope scope(c.locale);
    QStringList expected = Texts(1, 0, 1, 21);
    if (c.shown) expected[c.col] = QString::fromLatin1(c.shown);
    QSignalSpy changes(grid->model(), &QAbstractItemModel::dataChanged);
    std::int32_t error = 0;
    try {
      sheet->SetCellValue(c.row, c.col, QString::fromLatin1(c.text));
    } catch (const TorqletError& raised) {
      error = raised.Number();
    }
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(Texts(1, 0, 1, 21), expected);
    EXPECT_EQ(sheet->Changed(), c.shown != nullptr);
    ASSERT_EQ(changes.size(), c.shown ? 1 : 0);
    const QModelIndex cell = grid->model()->index(0, c.col - 2);
    if (c.shown) EXPECT_EQ(changes[0].mid(0, 2), QVariantList({cell, cell}));
    sheet->SetChanged(false);
  }
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
    OpenDocument(WriteFile("wide.gci", content));
    ExpectEveryTextWhole(*sheet);
    const int before = grid->ColWidth(4);
    sheet->SetCellValue(3, 4, QStringLiteral("-2147483648"));
    EXPECT_GT(grid->ColWidth(4), before);
    ExpectEveryTextWhole(*sheet);
  }
}

// Clicks on headings, names and the corner select whole columns and rows of
// value cells with the current cell at a corner; the keys move without opening
// anything; a double click on a heading or a name edits the current cell, on
// a column's edge it fits that column instead.
TEST_F(CarGridTest, HeadingsNamesAndCornerSelectAndKeysMove) {
  NewDocument();
  QHeaderView* header = grid->horizontalHeader();
  QWidget* columns = header->viewport();
  QWidget* rows = grid->verticalHeader()->viewport();
  const struct {
    QWidget* target;
    QPoint point;
    Qt::KeyboardModifiers modifiers;
    int row, col, rowSel, colSel;
  } clicks[] = {
      {columns, Heading(5), {}, 1, 5, 83, 5},
      {columns, Heading(3), Qt::ShiftModifier, 1, 3, 83, 5},
      {rows, Name(3), {}, 3, 2, 3, 21},
      {rows, Name(5), Qt::ShiftModifier, 5, 2, 3, 21},
  };
  for (const auto& c : clicks) {
    QTest::mouseClick(c.target, Qt::LeftButton, c.modifiers, c.point);
    EXPECT_EQ(QList<int>({grid->Row(), grid->Col(), grid->RowSel(), grid->ColSel()}),
              QList<int>({c.row, c.col, c.rowSel, c.colSel}));
  }
  QTest::mouseClick(grid->findChild<CarGridCorner*>(), Qt::LeftButton);
  EXPECT_EQ(grid->selectionModel()->selectedIndexes().size(), 83 * 20);
  EXPECT_EQ(QList<int>({grid->Row(), grid->Col()}), QList<int>({1, 2}));

  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int row, col, rowSel, colSel;
  } moves[] = {{Qt::Key_End, {}, 1, 21, 1, 21},
               {Qt::Key_Home, {}, 1, 2, 1, 2},
               {Qt::Key_Left, {}, 1, 2, 1, 2},
               {Qt::Key_End, Qt::ControlModifier, 83, 2, 83, 2},
               {Qt::Key_Home, Qt::ControlModifier, 1, 2, 1, 2},
               {Qt::Key_Down, Qt::ShiftModifier, 2, 2, 1, 2},
               {Qt::Key_Right, Qt::ShiftModifier, 2, 3, 1, 2},
               {Qt::Key_PageDown, {}, 0, 3, 0, 3}};
  for (const auto& m : moves) {
    SCOPED_TRACE(m.key);
    QTest::keyClick(grid, m.key, m.modifiers);
    EXPECT_EQ(QList<int>({grid->Col(), grid->ColSel()}), QList<int>({m.col, m.colSel}));
    if (m.row > 0)
      EXPECT_EQ(QList<int>({grid->Row(), grid->RowSel()}), QList<int>({m.row, m.rowSel}));
  }
  EXPECT_GT(grid->Row(), 10);  // a screen down
  EXPECT_FALSE(editor->IsEditing());

  QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
  const struct {
    QWidget* target;
    QPoint point;
    int row, col;
  } edits[] = {{columns, Heading(4), 1, 4}, {rows, Name(6), 6, 2}};
  for (const auto& e : edits) {
    QTest::mouseClick(e.target, Qt::LeftButton, {}, e.point);
    QTest::mouseDClick(e.target, Qt::LeftButton, {}, e.point);
    ASSERT_TRUE(editor->IsEditing());
    EXPECT_EQ(QList<int>({editor->EditRow(), editor->EditCol(), grid->RowSel(), grid->ColSel()}),
              QList<int>({e.row, e.col, e.row, e.col}));
    Key(Qt::Key_Escape);
  }
  // The edge to the right of a section, and the same edge seen from the next.
  for (const int section : {5, 0}) {
    const int fitted = header->sectionSize(section);
    header->resizeSection(section, 30);
    const int x = section == 0 ? header->sectionViewportPosition(1) + 1
                               : header->sectionViewportPosition(section) + 28;
    QTest::mouseDClick(columns, Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    EXPECT_EQ(header->sectionSize(section), fitted);
    EXPECT_FALSE(editor->IsEditing());
  }
}

// The fixed columns are painted by the grid itself: names beside the shorter
// model numbers.
TEST_F(CarGridTest, TheFixedColumnsPaintNamesAndModels) {
  NewDocument();
  const QImage image = grid->verticalHeader()->viewport()->grab().toImage();
  const double nameWidth = grid->ColWidth(0) * image.devicePixelRatio();
  int dark[2] = {0, 0};
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qGray(image.pixel(x, y)) < 100) ++dark[x < nameWidth ? 0 : 1];
    }
  }
  EXPECT_GT(dark[1], 0);
  EXPECT_GT(dark[0], 2 * dark[1]);
}

}  // namespace
