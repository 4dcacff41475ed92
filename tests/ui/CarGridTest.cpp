#include <QFontInfo>
#include <QImage>

#include "UiTestSupport.h"
#include "core/ErrorCodes.h"
#include "ui/sheet/CarGridCorner.h"

namespace {

using CarGridTest = FrameTest;

// One row per car in a fixed-pitch font of 8.25 points. The grid paints the
// names and models itself, in fixed columns that can never be current; a
// maximized window shows the grid without its border.
TEST_F(CarGridTest, StockCopyShowsOneRowPerCarBesideFixedNameAndModelColumns) {
  NewDocument();
  EXPECT_EQ(Texts(0, 0, 0, 5), QStringList({"", "model", "turbo", "value", "pad", "mass"}));
  EXPECT_EQ(Texts(1, 0, 1, 5), QStringList({"Romero", "0", "0", "50", "0", "16.500"}));
  EXPECT_EQ(Texts(83, 0, 83, 0), QStringList({"Arlow Cab"}));
  EXPECT_THROW(sheet->GetCellText(84, 2), TorqletError);
  EXPECT_EQ(Cursor(), QList<int>({1, 2, 1, 2}));
  EXPECT_THROW(grid->SetCol(1), TorqletError);
  EXPECT_THROW(grid->SetRow(0), TorqletError);
  EXPECT_TRUE(grid->font().pointSizeF() == 8.25 && QFontInfo(grid->font()).fixedPitch());
  const QImage image = grid->verticalHeader()->viewport()->grab().toImage();
  int dark[2] = {0, 0};  // in the name column and the model column
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qGray(image.pixel(x, y)) < 100) ++dark[x >= grid->ColWidth(0) * image.devicePixelRatio()];
    }
  }
  EXPECT_GT(dark[1], 0);
  EXPECT_GT(dark[0], 2 * dark[1]);
  sheet->showMaximized();
  EXPECT_EQ(grid->frameShape(), QFrame::NoFrame);
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
      {en, 1, 2, " 2.5 ", "2", 0},
      {en, 1, 6, "1,234.5", "1234.500", 0},
      {de, 1, 6, "1.234,25", "1234,250", 0},
      {de, 1, 3, "3,5", "4", 0},
      {de, 1, 7, "0.5", nullptr, ErrTypeMismatch},
      {en, 1, 5, "", nullptr, ErrTypeMismatch},
      {en, 1, 5, "1e39", nullptr, ErrOverflow},
      {en, 1, 2, "2147483648", nullptr, ErrOverflow},
      {en, 1, 0, "Other", nullptr, 0},
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
    const QModelIndex cell = grid->model()->index(0, c.col - 2);
    EXPECT_EQ(changes, c.shown
                           ? QList<QVariantList>(
                                 {{cell, cell, QVariant::fromValue(QList<int>({Qt::DisplayRole}))}})
                           : QList<QVariantList>());
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
// value cells with the current cell at a corner; a double click there then
// edits the current cell alone. The keys move without opening anything. A
// double click on a column's edge fits the column instead.
TEST_F(CarGridTest, HeadingsNamesAndCornerSelectAndKeysMove) {
  NewDocument();
  QHeaderView* header = grid->horizontalHeader();
  QWidget* columns = header->viewport();
  QWidget* rows = grid->verticalHeader()->viewport();
  const struct {
    QWidget* target;
    QPoint point;
    Qt::KeyboardModifiers modifiers;
    QList<int> cursor;
  } clicks[] = {
      {columns, Heading(5), {}, {1, 5, 83, 5}},
      {columns, Heading(3), Qt::ShiftModifier, {1, 3, 83, 5}},
      {rows, Name(3), {}, {3, 2, 3, 21}},
      {rows, Name(5), Qt::ShiftModifier, {5, 2, 3, 21}},
      {grid->findChild<CarGridCorner*>(), QPoint(5, 5), {}, {1, 2, 83, 21}},
  };
  for (const auto& c : clicks) {
    QTest::mouseClick(c.target, Qt::LeftButton, c.modifiers, c.point);
    EXPECT_EQ(Cursor(), c.cursor);
    if (c.target == columns || c.target == rows) {
      QTest::mouseDClick(c.target, Qt::LeftButton, {}, c.point);
      EXPECT_TRUE(editor->IsEditing());
      EXPECT_EQ(Cursor(), QList<int>({c.cursor[0], c.cursor[1], c.cursor[0], c.cursor[1]}));
      Key(Qt::Key_Escape);
    }
  }
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QList<int> cursor;
  } moves[] = {{Qt::Key_End, {}, {1, 21, 1, 21}},
               {Qt::Key_Home, {}, {1, 2, 1, 2}},
               {Qt::Key_Left, {}, {1, 2, 1, 2}},
               {Qt::Key_End, Qt::ControlModifier, {83, 2, 83, 2}},
               {Qt::Key_Home, Qt::ControlModifier, {1, 2, 1, 2}},
               {Qt::Key_Down, Qt::ShiftModifier, {2, 2, 1, 2}},
               {Qt::Key_Right, Qt::ShiftModifier, {2, 3, 1, 2}}};
  for (const auto& m : moves) {
    QTest::keyClick(grid, m.key, m.modifiers);
    EXPECT_EQ(Cursor(), m.cursor) << m.key;
  }
  QTest::keyClick(grid, Qt::Key_PageDown);
  EXPECT_GT(grid->Row(), 10);
  EXPECT_FALSE(editor->IsEditing());
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

}  // namespace
