#include <QApplication>
#include <QHeaderView>
#include <QMdiArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "UiTestSupport.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"
#include "ui/sheet/CarGrid.h"
#include "ui/sheet/CellEditor.h"
#include "ui/sheet/frmCars.h"

namespace {

using Answer = UserDialogs::Answer;

class CellEditorTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    sheet = NewDocument();
    ASSERT_NE(sheet, nullptr);
    grid = sheet->flexCars();
    editor = sheet->txtEdit();
    beeps = std::make_unique<QSignalSpy>(editor, &CellEditor::Refused);
  }

  NycGciCar& Car(int row) { return sheet->CarFile().Car(row); }
  QPoint Centre(int row, int col) const { return grid->CellRect(row, col).center(); }
  void Click(int row, int col) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, Centre(row, col));
  }
  // A click first, as a user's double click starts with one.
  void DoubleClick(int row, int col) {
    Click(row, col);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, Centre(row, col));
  }
  // Keys go where the focus is, as the user's would.
  static void Key(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
  static void Type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
  bool Open() const { return editor->IsEditing() && editor->isVisible(); }

  frmCars* sheet = nullptr;
  CarGrid* grid = nullptr;
  CellEditor* editor = nullptr;
  std::unique_ptr<QSignalSpy> beeps;
};

TEST_F(CellEditorTest, DoubleClickOpensOverTheCellAndEnterStoresEvenAnUntouchedText) {
  Car(2).SetMass(16.2875f);
  sheet->SetChanged(false);
  DoubleClick(2, 5);
  ASSERT_TRUE(Open());
  EXPECT_EQ(editor->geometry(), grid->CellRect(2, 5));
  EXPECT_TRUE(editor->hasFocus());
  EXPECT_EQ(editor->text(), QStringLiteral("16.288"));
  EXPECT_EQ(editor->selectedText(), editor->text());

  Key(Qt::Key_Return);
  EXPECT_FALSE(Open());
  EXPECT_TRUE(editor->isHidden());
  EXPECT_TRUE(grid->hasFocus());
  EXPECT_EQ(Car(2).Mass(), 16.288f);
  EXPECT_TRUE(sheet->Changed());
  EXPECT_EQ(beeps->size(), 0);
}

TEST_F(CellEditorTest, CharacterKeysOnTheGridOpenTheEditorWithoutPassingTheKeyOn) {
  grid->SetRow(3);
  grid->SetCol(3);
  const QString old = sheet->GetCellText(3, 3);
  for (Qt::Key key : {Qt::Key_7, Qt::Key_Return, Qt::Key_Escape, Qt::Key_Backspace}) {
    grid->setFocus();
    Key(key);
    ASSERT_TRUE(Open()) << key;
    EXPECT_EQ(editor->text(), old) << key;
    EXPECT_EQ(editor->selectedText(), old) << key;
    Key(Qt::Key_Escape);
    EXPECT_FALSE(Open()) << key;
  }
  EXPECT_FALSE(sheet->Changed());

  // The first key typed in the editor replaces the old value.
  grid->setFocus();
  Key(Qt::Key_1);
  Type(QStringLiteral("42"));
  Key(Qt::Key_Enter);
  EXPECT_EQ(Car(3).Value(), 42);
  EXPECT_EQ(sheet->GetCellText(3, 3), QStringLiteral("42"));
}

TEST_F(CellEditorTest, EnterRefusesAnUnconvertibleTextWithABeepAndEscapeAbandonsIt) {
  const struct {
    int col;
    const char* text;
  } refused[] = {{5, "abc"}, {2, "2147483648"}};
  for (const auto& c : refused) {
    DoubleClick(1, c.col);
    Type(QString::fromLatin1(c.text));
    Key(Qt::Key_Return);
    EXPECT_TRUE(Open()) << c.text;
    EXPECT_TRUE(editor->hasFocus()) << c.text;
    EXPECT_EQ(editor->text(), QString::fromLatin1(c.text));
    // The refusal shows without sound too, and the whole text shows.
    EXPECT_EQ(editor->toolTip(), CellEditor::RefusalText());
    EXPECT_GE(editor->width(), editor->fontMetrics().horizontalAdvance(editor->text()));
    Key(Qt::Key_Escape);
    EXPECT_FALSE(Open()) << c.text;
    EXPECT_TRUE(editor->toolTip().isEmpty());
    EXPECT_TRUE(grid->hasFocus()) << c.text;
  }
  EXPECT_EQ(beeps->size(), 2);
  // Escape after a good text drops it just the same.
  DoubleClick(1, 5);
  Type(QStringLiteral("99"));
  Key(Qt::Key_Escape);
  EXPECT_EQ(sheet->GetCellText(1, 5), QStringLiteral("16.500"));
  EXPECT_EQ(Car(1).Turbo(), 0);
  EXPECT_FALSE(sheet->Changed());
  EXPECT_FALSE(sheet->CarFile().IsChanged());
}

TEST_F(CellEditorTest, ClickOnAnotherCellStoresIntoTheEditedCellThenMoves) {
  const QString target = sheet->GetCellText(4, 7);
  DoubleClick(1, 5);
  Type(QStringLiteral("3.25"));
  Click(4, 7);
  EXPECT_FALSE(Open());
  EXPECT_EQ(Car(1).Mass(), 3.25f);
  EXPECT_EQ(sheet->GetCellText(4, 7), target);
  EXPECT_EQ(grid->Row(), 4);
  EXPECT_EQ(grid->Col(), 7);
  EXPECT_TRUE(grid->hasFocus());
  EXPECT_TRUE(sheet->Changed());

  // A double click then opens a new edit over the clicked cell.
  QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, Centre(4, 7));
  ASSERT_TRUE(Open());
  EXPECT_EQ(editor->geometry(), grid->CellRect(4, 7));
}

TEST_F(CellEditorTest, ClicksAndDragsOnTheGridAreSwallowedWhileTheTextDoesNotConvert) {
  DoubleClick(1, 5);
  Type(QStringLiteral("x1"));
  Click(4, 7);
  EXPECT_EQ(beeps->size(), 1);
  QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, Centre(4, 7));
  QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, Centre(2, 6));
  QTest::mouseMove(grid->viewport(), Centre(5, 8));
  QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, Centre(5, 8));
  // A click on a heading would give the grid the focus all the same.
  QHeaderView* header = grid->horizontalHeader();
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                    QPoint(header->sectionViewportPosition(4) + header->sectionSize(4) / 2,
                           header->height() / 2));
  EXPECT_GE(beeps->size(), 3);
  ASSERT_TRUE(Open());
  EXPECT_TRUE(editor->hasFocus());
  EXPECT_EQ(editor->text(), QStringLiteral("x1"));
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_EQ(grid->Col(), 5);
  EXPECT_EQ(grid->selectionModel()->selectedIndexes().size(), 1);
  EXPECT_FALSE(sheet->Changed());

  // Mended, the text goes to its own cell with the next click.
  editor->setText(QStringLiteral("2"));
  Click(4, 7);
  EXPECT_FALSE(Open());
  EXPECT_EQ(Car(1).Mass(), 2.0f);
}

TEST_F(CellEditorTest, TabStoresLikeAnyFocusChangeButDoesNotMoveOnWhileRefused) {
  DoubleClick(2, 3);
  Type(QStringLiteral("oops"));
  Key(Qt::Key_Tab);
  Key(Qt::Key_Backtab);
  EXPECT_EQ(beeps->size(), 2);
  EXPECT_TRUE(editor->hasFocus());
  editor->setText(QStringLiteral("77"));
  Key(Qt::Key_Tab);
  EXPECT_FALSE(Open());
  EXPECT_TRUE(grid->hasFocus());
  EXPECT_EQ(Car(2).Value(), 77);
}

TEST_F(CellEditorTest, TheStoreGoesToTheEditedCellWhereverTheCurrentCellMoved) {
  DoubleClick(1, 4);
  // Keys the box has no use for stay with it.
  Key(Qt::Key_Down);
  Key(Qt::Key_PageDown);
  EXPECT_EQ(grid->Row(), 1);
  Type(QStringLiteral("5"));
  grid->SetRow(6);  // the current cell moves before the focus does
  grid->setFocus();
  EXPECT_FALSE(Open());
  EXPECT_EQ(Car(1).Pad(), 5);
  EXPECT_EQ(Car(6).Pad(), 0);
  EXPECT_EQ(beeps->size(), 0);
}

TEST_F(CellEditorTest, TheEditorFollowsItsCellWhenTheGridScrolls) {
  DoubleClick(2, 6);
  const QRect before = editor->geometry();
  grid->verticalScrollBar()->setValue(1);
  grid->horizontalScrollBar()->setValue(2);
  EXPECT_NE(editor->geometry(), before);
  EXPECT_EQ(editor->geometry(), grid->CellRect(2, 6));
  grid->horizontalHeader()->resizeSection(4 - 2, 200);
  EXPECT_EQ(editor->geometry(), grid->CellRect(2, 6));
  EXPECT_TRUE(Open());
  Type(QStringLiteral("0.75"));
  Key(Qt::Key_Return);
  EXPECT_EQ(Car(2).FrontDriveBias(), 0.75f);
}

TEST_F(CellEditorTest, OpeningReducesASelectionToTheCurrentCellAndAHeadingOpensThere) {
  grid->SetRow(5);
  grid->SetCol(6);
  QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
  QTest::keyClick(grid, Qt::Key_Right, Qt::ShiftModifier);
  ASSERT_EQ(grid->selectionModel()->selectedIndexes().size(), 4);
  QHeaderView* header = grid->horizontalHeader();
  const QPoint heading(header->sectionViewportPosition(1) + header->sectionSize(1) / 2,
                       header->height() / 2);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, heading);
  QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, heading);
  // The click on the heading selected its column, whose first cell is current.
  ASSERT_TRUE(Open());
  EXPECT_EQ(editor->EditRow(), 1);
  EXPECT_EQ(editor->EditCol(), 3);
  EXPECT_EQ(editor->geometry(), grid->CellRect(1, 3));
  EXPECT_EQ(grid->selectionModel()->selectedIndexes().size(), 1);
  EXPECT_EQ(grid->RowSel(), 1);
  EXPECT_EQ(grid->ColSel(), 3);
}

TEST_F(CellEditorTest, ConvertsIntegerAndFloatColumnsInEnglishAndGerman) {
  {
    const LocaleScope english(QLocale(QLocale::English, QLocale::UnitedStates));
    DoubleClick(1, 2);
    Type(QStringLiteral("2.5"));
    Key(Qt::Key_Return);
    EXPECT_EQ(Car(1).Turbo(), 2);
    EXPECT_EQ(sheet->GetCellText(1, 2), QStringLiteral("2"));
    DoubleClick(1, 6);
    Type(QStringLiteral("1,234.5"));
    Key(Qt::Key_Return);
    EXPECT_EQ(Car(1).FrontDriveBias(), 1234.5f);
    EXPECT_EQ(sheet->GetCellText(1, 6), QStringLiteral("1234.500"));
  }
  const LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
  DoubleClick(1, 5);
  EXPECT_EQ(editor->text(), QStringLiteral("16,500"));
  Type(QStringLiteral("0.5"));  // a point is no decimal separator here
  Key(Qt::Key_Return);
  EXPECT_EQ(beeps->size(), 1);
  editor->setText(QStringLiteral("0,5"));
  Key(Qt::Key_Return);
  EXPECT_FALSE(Open());
  EXPECT_EQ(Car(1).Mass(), 0.5f);
  EXPECT_EQ(sheet->GetCellText(1, 5), QStringLiteral("0,500"));
  DoubleClick(2, 3);
  Type(QStringLiteral("3,5"));
  Key(Qt::Key_Return);
  EXPECT_EQ(Car(2).Value(), 4);
}

TEST_F(CellEditorTest, FocusTakenByAnotherWindowNeitherFailsNorStores) {
  // Another application's window: the edit waits as it is, good text or bad.
  for (const QString text : {QStringLiteral("bad"), QStringLiteral("7")}) {
    DoubleClick(1, 5);
    Type(text);
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_TRUE(editor->IsEditing());
    EXPECT_EQ(editor->text(), text);
    other.close();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    EXPECT_TRUE(editor->hasFocus());
    EXPECT_EQ(beeps->size(), 0);
    EXPECT_FALSE(sheet->Changed());
    Key(Qt::Key_Escape);
  }

  // Another document taking the focus: a good text is stored, a bad one
  // stays in its editor, stored nowhere.
  DoubleClick(1, 5);
  Type(QStringLiteral("bad"));
  frmCars* second = NewDocument();
  ASSERT_NE(second, sheet);
  EXPECT_TRUE(editor->IsEditing());
  EXPECT_EQ(Car(1).Mass(), 16.5f);
  frame->Area()->setActiveSubWindow(sheet);
  editor->setFocus();
  editor->setText(QStringLiteral("8"));
  frame->Area()->setActiveSubWindow(second);
  EXPECT_FALSE(editor->IsEditing());
  EXPECT_EQ(Car(1).Mass(), 8.0f);
}

TEST_F(CellEditorTest, ClosingStoresTheTextBeingTypedOrStaysOpenWhenItDoesNotConvert) {
  DoubleClick(1, 5);
  Type(QStringLiteral("-"));
  EXPECT_FALSE(sheet->close());
  EXPECT_EQ(beeps->size(), 1);
  EXPECT_TRUE(dialogs.asked.empty());
  EXPECT_TRUE(Open());
  EXPECT_TRUE(editor->hasFocus());
  EXPECT_EQ(Car(1).Mass(), 16.5f);
  EXPECT_EQ(frame->CarWindows().size(), 1);

  // Exit stops there too.
  frame->close();
  EXPECT_TRUE(frame->isVisible());
  EXPECT_TRUE(dialogs.asked.empty());

  Type(QStringLiteral("4"));
  dialogs.AnswerMessage(Answer::Cancel);
  EXPECT_FALSE(sheet->close());
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0].text, QStringLiteral("Loaded file changed, but not saved. Save now?"));
  EXPECT_FALSE(Open());
  EXPECT_EQ(Car(1).Mass(), -4.0f);
  EXPECT_TRUE(sheet->Changed());
}

TEST_F(CellEditorTest, SavingStoresTheTextBeingTypedFirst) {
  const QString path = Path("saved.gci");
  DoubleClick(1, 3);
  Type(QStringLiteral("12x"));
  Trigger("mnuFileSave");
  EXPECT_EQ(beeps->size(), 1);
  EXPECT_TRUE(Open());
  editor->setText(QStringLiteral("12"));
  dialogs.ChooseFile(path);
  Trigger("mnuFileSave");
  EXPECT_FALSE(Open());
  EXPECT_FALSE(sheet->Changed());
  EXPECT_TRUE(ReadFileBytes(path).contains("12 {value}"));
}

}  // namespace
