#include "UiTestSupport.h"
#include "model/CarSortFilterModel.h"
#include "ui/sheet/CarGridCorner.h"
#include "ui/sheet/FilterBar.h"

namespace {

using CarGridTest = FrameTest;

// One row per car in a fixed-pitch font of 8.25 points. The grid paints the
// names and models itself, in fixed columns that can never be current.
TEST_F(CarGridTest, StockCopyShowsOneRowPerCarBesideFixedNameAndModelColumns) {
  NewDocument();
  EXPECT_EQ(Texts(0, 0, 0, 5), QStringList({"", "model", "turbo", "value", "pad", "mass"}));
  EXPECT_EQ(grid->model()->rowCount(), 83);
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
  sheet->showMaximized();  // over the whole area, the grid without its border
  EXPECT_TRUE(sheet->geometry() == frame->Area()->viewport()->rect() && !grid->frameWidth());
  // The corner shows the heading, not the first car's model.
  const QImage heading = grid->findChild<CarGridCorner*>()->grab().toImage();
  OpenDocument(WriteFile("model.gci", StockWith({{"0 {model}", "12345 {model}"}})));
  sheet->showMaximized();
  EXPECT_EQ(Car(1).Model(), 12345);
  EXPECT_EQ(grid->findChild<CarGridCorner*>()->grab().toImage(), heading);
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
  QLocale::setDefault(QLocale(QLocale::German));
  OpenDocument(WriteFile("wide.gci", content));
  ExpectEveryTextWhole(*sheet);
  const int before = grid->ColWidth(4);
  sheet->SetCellValue(3, 4, QStringLiteral("-2147483648"));
  EXPECT_GT(grid->ColWidth(4), before);
  ExpectEveryTextWhole(*sheet);
}

// Clicks on headings, names and the corner select whole columns and rows of
// value cells with the current cell at a corner; a double click there then
// edits the current cell alone. The keys move without opening anything.
TEST_F(CarGridTest, HeadingsNamesAndCornerSelectAndKeysMove) {
  NewDocument();
  // Only value cells are made current or corners of a selection.
  EXPECT_EQ(ErrorNumberOf([&] { grid->SetRow(84); }), ErrInvalidArgument);
  for (const auto& [row, col] : {std::pair(0, 3), std::pair(84, 3), std::pair(1, 1)}) {
    EXPECT_EQ(ErrorNumberOf([&] { grid->SelectRange(row, col, 2, 3); }), ErrInvalidArgument);
    EXPECT_EQ(ErrorNumberOf([&] { grid->SelectRange(2, 3, row, col); }), ErrInvalidArgument);
  }
  QWidget* columns = grid->horizontalHeader()->viewport();
  QWidget* rows = grid->verticalHeader()->viewport();
  const auto name = [this](int row) { return QPoint(10, Centre(row, 2).y()); };
  const std::tuple<QWidget*, QPoint, Qt::KeyboardModifiers, QList<int>> clicks[] = {
      {columns, Heading(5), {}, {1, 5, 83, 5}},
      {columns, Heading(3), Qt::ShiftModifier, {1, 3, 83, 5}},
      {rows, name(3), {}, {3, 2, 3, 21}},
      {rows, name(5), Qt::ShiftModifier, {5, 2, 3, 21}},
      {grid->findChild<CarGridCorner*>(), QPoint(5, 5), {}, {1, 2, 83, 21}}};
  for (const auto& [target, point, modifiers, cursor] : clicks) {
    QTest::mouseClick(target, Qt::LeftButton, modifiers, point);
    EXPECT_EQ(Cursor(), cursor);
    if (target == columns || target == rows) {
      QTest::mouseDClick(target, Qt::LeftButton, {}, point);
      EXPECT_TRUE(editor->IsEditing());
      EXPECT_EQ(Cursor(), QList<int>({cursor[0], cursor[1], cursor[0], cursor[1]}));
      Key(Qt::Key_Escape);
    }
  }
  const std::tuple<Qt::Key, Qt::KeyboardModifiers, QList<int>> moves[] = {
      {Qt::Key_End, {}, {1, 21, 1, 21}},
      {Qt::Key_Home, {}, {1, 2, 1, 2}},
      {Qt::Key_Left, {}, {1, 2, 1, 2}},
      {Qt::Key_End, Qt::ControlModifier, {83, 2, 83, 2}},
      {Qt::Key_Home, Qt::ControlModifier, {1, 2, 1, 2}},
      {Qt::Key_Down, Qt::ShiftModifier, {2, 2, 1, 2}},
      {Qt::Key_Right, Qt::ShiftModifier, {2, 3, 1, 2}},
      {Qt::Key_Space, Qt::ShiftModifier, {2, 2, 2, 21}},  // the car's cells
      {Qt::Key_Space, Qt::ControlModifier, {1, 2, 83, 2}}};  // the column's
  for (const auto& [key, modifiers, cursor] : moves) {
    QTest::keyClick(grid, key, modifiers);
    EXPECT_EQ(Cursor(), cursor) << key;
  }
  // A double click on a column's edge fits it: the edge right of a section,
  // and the same edge seen from the next section.
  QHeaderView* header = grid->horizontalHeader();
  for (const int section : {5, 0}) {
    const int fitted = header->sectionSize(section);
    header->resizeSection(section, 30);
    const int x = section == 0 ? header->sectionViewportPosition(1) + 1
                               : header->sectionViewportPosition(section) + 28;
    QTest::mouseDClick(columns, Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    EXPECT_EQ(header->sectionSize(section), fitted);
  }
  EXPECT_FALSE(editor->IsEditing());
}

// The View menu sorts and filters by keyboard; an edit, the column's keys,
// undo and the caption work on the rows as shown.
TEST_F(CarGridTest, ViewMenuSortsAndTheFilterBarFiltersWhatTheCommandsActOn) {
  NewDocument();
  Click(1, 5);
  Trigger("mnuViewSortDescending");
  const QHeaderView& headings = *grid->horizontalHeader();
  EXPECT_TRUE(headings.isSortIndicatorShown() && headings.sortIndicatorSection() == 3 &&
              headings.sortIndicatorOrder() == Qt::DescendingOrder);
  const std::int32_t heaviest = grid->CarOfRow(1);
  EXPECT_EQ(Car(heaviest).Mass(), 40.0f);  // the orders themselves are the model's
  grid->SetRow(1);
  grid->setFocus();
  Type(QStringLiteral("1"));
  Key(Qt::Key_Return);
  EXPECT_EQ(Car(heaviest).Mass(), 1.0f);
  EXPECT_EQ(grid->CarOfRow(1), heaviest);  // the row stays until sorted again

  Trigger("mnuViewFilter");
  FilterBar& bar = *sheet->filterBar();
  ASSERT_TRUE(bar.isVisible() && bar.txtFilterName()->hasFocus());
  Type(QStringLiteral("a"));
  bar.txtFilterTerm()->setFocus();
  Type(QStringLiteral("x >"));
  Key(Qt::Key_Return);
  EXPECT_FALSE(bar.lblFilterMessage()->text().isEmpty());  // the term's own message
  EXPECT_TRUE(bar.txtFilterTerm()->hasFocus());
  EXPECT_EQ(sheet->Shown().ShownCount(), 83);
  bar.txtFilterTerm()->setText(QStringLiteral("x >= 20"));
  Key(Qt::Key_Return);
  const int shown = sheet->Shown().ShownCount();
  ASSERT_GT(shown, 0);
  ASSERT_LT(shown, 83);
  EXPECT_TRUE(grid->hasFocus());
  EXPECT_TRUE(sheet->Caption().endsWith(QStringLiteral(" - %1 of 83 cars shown").arg(shown)));
  bar.txtFilterName()->setFocus();
  Key(Qt::Key_Escape);  // closes the bar, keeps the filter
  EXPECT_TRUE(bar.isHidden() && grid->hasFocus());
  EXPECT_EQ(sheet->Shown().ShownCount(), shown);

  Trigger("mnuEditUndo");  // the edit's car is hidden: its value comes back all the same
  EXPECT_GT(Car(heaviest).Mass(), 1.0f);
  Trigger("mnuViewShowAll");
  EXPECT_EQ(sheet->Shown().ShownCount(), 83);
  grid->SetRow(40);
  Trigger("mnuEditRedo");  // the step's cell is shown again, in its sorted row
  EXPECT_EQ(Cursor(), QList<int>({1, 5, 1, 5}));
  Trigger("mnuEditUndo");
  Trigger("mnuViewFileOrder");
  EXPECT_TRUE(sheet->Shown().InFileOrder() && !headings.isSortIndicatorShown());
  EXPECT_FALSE(sheet->Caption().contains(QStringLiteral("shown")));
  EXPECT_FALSE(sheet->Changed());
  Trigger("mnuViewSortByName");  // saved in the file's order, byte for byte
  dialogs.ChooseFile(Path("sorted.gci"));
  Trigger("mnuFileSaveAs");
  EXPECT_EQ(ReadFileBytes(Path("sorted.gci")), NycGciCars::StockContent());
}

}  // namespace
