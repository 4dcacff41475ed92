#include <QApplication>
#include <QItemSelectionModel>
#include <QSignalSpy>
#include <QTest>

#include "UiTestSupport.h"
#include "helperlib/GlobalFunctions.h"
#include "helperlib/Term.h"
#include "helperlib/TermFunctions.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"
#include "ui/sheet/CarGrid.h"
#include "ui/sheet/CarTableModel.h"
#include "ui/sheet/CellEditor.h"
#include "ui/sheet/frmCars.h"

namespace {

const QString ManipulatePrompt = QStringLiteral(
    "Enter term to be used for calculating the new value \r\n"
    "of each selected cell. Use an \"x\" for the cells' old values:");

class ManipulateTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    sheet = NewDocument();
    ASSERT_NE(sheet, nullptr);
    grid = sheet->flexCars();
  }

  NycGciCar& Car(int row) { return sheet->CarFile().Car(row); }
  // Selects from the current cell (row, col) to the corner (rowSel, colSel).
  void Select(int row, int col, int rowSel, int colSel) {
    const auto index = [this](int r, int c) {
      return grid->model()->index(r - CarTableModel::RowOffset, c - CarTableModel::ColumnOffset);
    };
    grid->selectionModel()->setCurrentIndex(index(row, col), QItemSelectionModel::NoUpdate);
    grid->selectionModel()->select(QItemSelection(index(row, col), index(rowSel, colSel)),
                                   QItemSelectionModel::ClearAndSelect);
  }
  // Runs ManipulateSelection with a term in x, made as the command makes it.
  void Manipulate(const QString& text) {
    Term term;
    term.PrepareInX();
    term.SetText(text);
    sheet->ManipulateSelection(term);
  }
  QStringList Texts(frmCars* window, int row1, int col1, int row2, int col2) {
    QStringList texts;
    for (int r = row1; r <= row2; ++r) {
      for (int c = col1; c <= col2; ++c) texts << window->GetCellText(r, c);
    }
    return texts;
  }

  frmCars* sheet = nullptr;
  CarGrid* grid = nullptr;
};

TEST_F(ManipulateTest, ASingleCellIsRecomputedAndItsNeighboursStay) {
  const QStringList around = Texts(sheet, 1, 2, 3, 6);
  Select(2, 3, 2, 3);
  Manipulate(QStringLiteral("x*2"));
  QStringList expected = around;
  expected[6] = QString::number(around[6].toInt() * 2);  // row 2, column 3
  EXPECT_EQ(Texts(sheet, 1, 2, 3, 6), expected);
  EXPECT_TRUE(sheet->Changed());
}

TEST_F(ManipulateTest, MixedColumnsConvertEachResultToTheirOwnTypeWithOneChangeSignal) {
  QSignalSpy changes(grid->model(), &QAbstractItemModel::dataChanged);
  Select(1, 3, 2, 9);
  Manipulate(QStringLiteral("x*2"));
  EXPECT_EQ(Car(1).Value(), 100);
  EXPECT_EQ(sheet->GetCellText(1, 9), QStringLiteral("0.290"));
  EXPECT_EQ(Car(1).Mass(), 33.0f);
  ASSERT_EQ(changes.size(), 1);
  EXPECT_EQ(changes[0][0].toModelIndex(), grid->model()->index(0, 1));
  EXPECT_EQ(changes[0][1].toModelIndex(), grid->model()->index(1, 7));

  // Halves in integer columns go to the even neighbour.
  Select(1, 3, 1, 3);
  Manipulate(QStringLiteral("x+0.5"));
  EXPECT_EQ(Car(1).Value(), 100);
  Manipulate(QStringLiteral("x+1.5"));
  EXPECT_EQ(Car(1).Value(), 102);
}

TEST_F(ManipulateTest, ASelectionDraggedBackwardsGivesTheSameCells) {
  frmCars* other = NewDocument();
  const QStringList stock = Texts(sheet, 1, 2, 6, 9);
  Select(2, 4, 5, 8);
  Manipulate(QStringLiteral("x*3+1"));
  sheet = other;
  grid = other->flexCars();
  Select(5, 8, 2, 4);
  Manipulate(QStringLiteral("x*3+1"));
  frmCars* first = frame->CarWindows().first();
  EXPECT_EQ(Texts(first, 1, 2, 6, 9), Texts(other, 1, 2, 6, 9));
  EXPECT_NE(Texts(first, 1, 2, 6, 9), stock);
  EXPECT_EQ(first->CarFile().Car(2).Pad(), 1);
}

TEST_F(ManipulateTest, TheIdentityStoresTheShownValuesAndMarksTheDocumentChanged) {
  Car(3).SetMass(16.2875f);
  sheet->SetChanged(false);
  Select(3, 5, 3, 5);
  Manipulate(QStringLiteral("x"));
  EXPECT_EQ(Car(3).Mass(), 16.288f);
  EXPECT_TRUE(sheet->Changed());
}

TEST_F(ManipulateTest, ATermThatFailsForEveryCellChangesNothing) {
  QSignalSpy changes(grid->model(), &QAbstractItemModel::dataChanged);
  const QStringList before = Texts(sheet, 1, 2, 4, 10);
  for (const char* failing : {"x/(x-x)", "sqrt(-1-abs(x))", "1e308*1e308+x"}) {
    Select(1, 2, 4, 10);
    Manipulate(QString::fromLatin1(failing));
    EXPECT_EQ(Texts(sheet, 1, 2, 4, 10), before) << failing;
  }
  EXPECT_FALSE(sheet->Changed());
  EXPECT_FALSE(sheet->CarFile().IsChanged());
  EXPECT_EQ(changes.size(), 0);
}

TEST_F(ManipulateTest, ResultsBeyondAColumnsRangeLeaveOnlyThoseCells) {
  const QStringList before = Texts(sheet, 1, 2, 6, 5);
  Select(1, 2, 6, 5);
  Manipulate(QStringLiteral("x*1e8+1"));
  int overflowed = 0;
  int stored = 0;
  for (int row = 1; row <= 6; ++row) {
    for (int col = 2; col <= 4; ++col) {
      const double result = before[(row - 1) * 4 + col - 2].toDouble() * 1e8 + 1;
      const bool fits = result <= 2147483647.0;
      (fits ? stored : overflowed)++;
      EXPECT_EQ(sheet->GetCellText(row, col),
                fits ? QString::number(qint64(result)) : before[(row - 1) * 4 + col - 2])
          << row << " " << col;
    }
    EXPECT_GT(Car(row).Mass(), 1e8f) << row;
  }
  ASSERT_GT(overflowed, 0);
  ASSERT_GT(stored, 0);
  // Results written in exponent form read back.
  Select(1, 5, 1, 5);
  Manipulate(QStringLiteral("x*1e28"));
  EXPECT_FLOAT_EQ(Car(1).Mass(), 1650000000.0f * 1e28f);
  Manipulate(QStringLiteral("x*1e10"));  // beyond the float range
  EXPECT_FLOAT_EQ(Car(1).Mass(), 1650000000.0f * 1e28f);
}

TEST_F(ManipulateTest, GermanNumbersPassWithTheDecimalComma) {
  const LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
  Select(1, 5, 1, 6);
  Manipulate(QStringLiteral("x/4+1000"));
  EXPECT_EQ(sheet->GetCellText(1, 5), QStringLiteral("1004,125"));
  EXPECT_EQ(Car(1).FrontDriveBias(), 1000.25f);
}

// The command, through the frame's menu.
class ManipulateCommandTest : public ManipulateTest {
 protected:
  void SetUp() override {
    ManipulateTest::SetUp();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    Select(1, 3, 2, 5);
    before = Texts(sheet, 1, 2, 3, 6);
    frame->setFocus();
  }
  void ExpectUnchanged() {
    EXPECT_EQ(Texts(sheet, 1, 2, 3, 6), before);
    EXPECT_FALSE(sheet->Changed());
    EXPECT_TRUE(grid->hasFocus());
  }
  QStringList before;
};

TEST_F(ManipulateCommandTest, AsksWithTheWindowsCaptionAndRecomputesTheSelection) {
  dialogs.EnterText(QStringLiteral("x*2"));
  Trigger("mnuEditManipulate");
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0].kind, QStringLiteral("input"));
  EXPECT_EQ(dialogs.asked[0].title, sheet->windowTitle());
  EXPECT_TRUE(dialogs.asked[0].title.startsWith(sheet->CaptionPrefix()));
  EXPECT_EQ(dialogs.asked[0].text, ManipulatePrompt);
  EXPECT_EQ(dialogs.asked[0].defaultText, QStringLiteral("x"));
  EXPECT_EQ(Car(1).Value(), 100);
  EXPECT_EQ(Car(2).Mass(), before[8].toFloat() * 2);
  EXPECT_TRUE(sheet->Changed());
  EXPECT_TRUE(grid->hasFocus());
}

TEST_F(ManipulateCommandTest, CancelOrAnEmptyTextChangesNothingAndShowsNoMessage) {
  dialogs.EnterText(QString());
  Trigger("mnuEditManipulate");
  ExpectUnchanged();
  EXPECT_EQ(dialogs.asked.size(), 1u);
}

TEST_F(ManipulateCommandTest, ABadTermOrOneWithoutAnyValueIsReportedWithTheWindowsCaption) {
  const QString noValue =
      QStringLiteral("No cell was changed: the term has no finite value for any selected cell.");
  const struct {
    const char* text;
    QString message;
  } bad[] = {{"x*", "Bad manipulation term."},
             {"x*1,5", "Bad manipulation term."},
             {"y*2", "Bad manipulation term."},
             {"   ", "Bad manipulation term."},
             {"x=2", "Bad manipulation term."},
             {"foo(x)", "Bad manipulation term."},
             {"x/0", noValue},
             {"sqrt(-1-x*x)", noValue}};
  for (const auto& [text, expected] : bad) {
    dialogs.EnterText(QString::fromLatin1(text));
    dialogs.AnswerMessage(UserDialogs::Answer::Ok);
    Trigger("mnuEditManipulate");
    ASSERT_EQ(dialogs.asked.size(), 2u) << text;
    EXPECT_EQ(dialogs.asked[1].kind, QStringLiteral("message")) << text;
    EXPECT_EQ(dialogs.asked[1].text, expected) << text;
    EXPECT_EQ(dialogs.asked[1].title, sheet->windowTitle()) << text;
    EXPECT_EQ(dialogs.asked[1].icon, UserDialogs::Icon::Exclamation) << text;
    ExpectUnchanged();
    dialogs.asked.clear();
  }
}

TEST_F(ManipulateCommandTest, AnOpenEditIsStoredFirstOrTheCommandIsRefused) {
  grid->SetRow(1);
  grid->SetCol(3);
  grid->setFocus();
  QTest::keyClick(grid, Qt::Key_1);
  CellEditor* editor = sheet->txtEdit();
  QTest::keyClicks(editor, QStringLiteral("7x"));
  QSignalSpy beeps(editor, &CellEditor::Refused);
  Trigger("mnuEditManipulate");
  EXPECT_EQ(beeps.size(), 1);
  EXPECT_TRUE(dialogs.asked.empty());
  EXPECT_TRUE(editor->hasFocus());

  QTest::keyClick(editor, Qt::Key_Backspace);
  dialogs.EnterText(QStringLiteral("x*2"));
  Trigger("mnuEditManipulate");
  EXPECT_FALSE(editor->IsEditing());
  EXPECT_EQ(Car(1).Value(), 14);
  EXPECT_TRUE(grid->hasFocus());
}

}  // namespace
