#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMdiArea>
#include <QSignalSpy>
#include <QTest>

#include "UiTestSupport.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"
#include "ui/frame/MainMenus.h"
#include "ui/sheet/CarGrid.h"
#include "ui/sheet/CellEditor.h"
#include "ui/sheet/frmCars.h"

namespace {

using Answer = UserDialogs::Answer;

// Undo and redo, the clipboard and finding a car, as the Edit menu does them.
class EditHistoryTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    sheet = NewDocument();
    grid = sheet->flexCars();
    grid->setFocus();
  }
  const MainMenus& Menus() const { return frame->Menus(); }
  QStringList Texts(int row1, int col1, int row2, int col2) const {
    QStringList texts;
    for (int r = row1; r <= row2; ++r) {
      for (int c = col1; c <= col2; ++c) texts << sheet->GetCellText(r, c);
    }
    return texts;
  }
  void Paste(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
  }

  frmCars* sheet = nullptr;
  CarGrid* grid = nullptr;
};

// Each kind of step is one undo step named after it; undo puts back the exact
// values, selects the step's cells, and returns to the saved state.
TEST_F(EditHistoryTest, EditsManipulationsAndPastesAreUndoneAndRedoneAsOneStepEach) {
  EXPECT_FALSE(Menus().mnuEditUndo()->isEnabled());
  sheet->CarFile().Car(2).SetMass(16.2875f);  // beyond what three decimals show
  const QStringList before = Texts(1, 2, 4, 6);
  const struct {
    std::function<void()> step;
    QString caption;
    QRect cells;  // columns as x, rows as y
  } steps[] = {
      {[&] { sheet->SetCellValue(1, 5, QStringLiteral("17.25")); }, "&Undo Edit mass of Romero",
       QRect(5, 1, 1, 1)},
      {[&] {
         grid->SelectRange(2, 5, 4, 6);
         dialogs.EnterText(QStringLiteral("x*2"));
         Trigger("mnuEditManipulate");
       },
       "&Undo Manipulate x*2 (5 cells)", QRect(5, 2, 2, 3)},  // one 0 stays 0
      {[&] {
         grid->SelectRange(3, 2, 3, 2);
         Paste(QStringLiteral("7\t77\r\n8\t88"));
       },
       "&Undo Paste (4 cells)", QRect(2, 3, 2, 2)},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.caption.toStdString());
    s.step();
    EXPECT_EQ(Menus().mnuEditUndo()->text(), s.caption);
    const QStringList done = Texts(1, 2, 4, 6);
    QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Texts(1, 2, 4, 6), before);
    EXPECT_EQ(sheet->CarFile().Car(2).Mass(), 16.2875f);
    EXPECT_EQ(QRect(QPoint(grid->Col(), grid->Row()), QPoint(grid->ColSel(), grid->RowSel())),
              s.cells);
    EXPECT_FALSE(sheet->Changed());
    EXPECT_TRUE(Menus().mnuEditRedo()->text().startsWith("&Redo " + s.caption.mid(6)));
    QTest::keyClick(grid, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Texts(1, 2, 4, 6), done);
    EXPECT_TRUE(sheet->Changed());
    QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier);
  }
  // The history belongs to its window.
  NewDocument();
  EXPECT_FALSE(Menus().mnuEditRedo()->isEnabled());
  frame->Area()->setActiveSubWindow(sheet);
  EXPECT_TRUE(Menus().mnuEditRedo()->isEnabled());
}

TEST_F(EditHistoryTest, AnOpenEditIsStoredBeforeUndoOrRefusesIt) {
  sheet->SetCellValue(2, 2, QStringLiteral("5"));
  CellEditor* editor = sheet->txtEdit();
  QSignalSpy beeps(editor, &CellEditor::Refused);
  QTest::keyClick(grid, Qt::Key_1);
  QTest::keyClicks(editor, QStringLiteral("2x"));
  Trigger("mnuEditUndo");
  EXPECT_EQ(beeps.size(), 1);
  EXPECT_TRUE(editor->IsEditing());
  QTest::keyClick(editor, Qt::Key_Backspace);
  Trigger("mnuEditUndo");  // stores 2, then undoes it
  EXPECT_FALSE(editor->IsEditing());
  EXPECT_EQ(sheet->GetCellText(1, 2), QStringLiteral("0"));
  EXPECT_EQ(Menus().mnuEditRedo()->text(), QStringLiteral("&Redo Edit turbo of Romero"));
}

// What is copied reads back as the same numbers in the user's locale, into
// the same place (no change at all) or elsewhere.
TEST_F(EditHistoryTest, CopyAndPasteRoundTripInEnglishAndGerman) {
  for (const QLocale& locale : {QLocale(QLocale::English), QLocale(QLocale::German)}) {
    const LocaleScope scope(locale);
    frmCars* window = NewDocument();
    sheet = window;
    grid = window->flexCars();
    grid->setFocus();
    window->CarFile().Car(1).SetMass(16.2875f);
    grid->SelectRange(1, 4, 2, 6);
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    const QString copied = QGuiApplication::clipboard()->text();
    EXPECT_EQ(copied.count('\n'), 2);
    EXPECT_EQ(copied.section('\n', 0, 0).split('\t'), Texts(1, 4, 1, 6));
    QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
    EXPECT_FALSE(window->Changed());
    EXPECT_EQ(window->CarFile().Car(1).Mass(), 16.2875f);
    grid->SelectRange(10, 4, 10, 4);
    QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Texts(10, 4, 11, 6), Texts(1, 4, 2, 6));
    // One value fills every selected cell.
    grid->SelectRange(20, 5, 21, 6);
    Paste(locale.toString(2.5, 'f', 1));
    EXPECT_EQ(Texts(20, 5, 21, 6), QStringList(4, locale.toString(2.5, 'f', 3)));
  }
}

TEST_F(EditHistoryTest, APasteThatDoesNotFitChangesNothingAndSaysWhy) {
  const struct {
    int row, col;
    const char* text;
    QString message;
  } refused[] = {
      {3, 4, "1\t2\nabc", "Row 4, column pad: \"abc\" is not a number."},
      {3, 2, "99999999999", "Row 3, column turbo: \"99999999999\" is too large for this column."},
      {83, 5, "1\n2", "The pasted block reaches past the last car."},
      {1, 21, "1\t2", "The pasted block reaches past the last column."},
  };
  const QStringList before = Texts(1, 2, 5, 21);
  for (const auto& r : refused) {
    grid->SelectRange(r.row, r.col, r.row, r.col);
    dialogs.AnswerMessage(Answer::Ok);
    Paste(QString::fromLatin1(r.text));
    EXPECT_EQ(dialogs.asked.back().text, r.message);
    EXPECT_EQ(dialogs.asked.back().title, sheet->windowTitle());
  }
  EXPECT_EQ(Texts(1, 2, 5, 21), before);
  EXPECT_FALSE(Menus().mnuEditUndo()->isEnabled());
}

TEST_F(EditHistoryTest, FindMovesToTheNextCarNamedLikeTheTextAndWraps) {
  grid->SelectRange(50, 7, 50, 7);
  dialogs.EnterText(QStringLiteral("vAN"));
  Trigger("mnuEditFind");
  QList<int> rows{grid->Row()};
  for (int i = 0; i < 3; ++i) {
    QTest::keyClick(grid, Qt::Key_F3);
    rows << grid->Row();
  }
  // Corvane, Northam Van, then from the top Brisco Van and Vantor.
  EXPECT_EQ(rows, QList<int>({60, 71, 3, 10}));
  EXPECT_EQ(grid->Col(), 7);
  dialogs.EnterText(QStringLiteral("no such car"));
  dialogs.AnswerMessage(Answer::Ok);
  Trigger("mnuEditFind");
  EXPECT_EQ(dialogs.asked.back().text, QStringLiteral("No car named like \"no such car\"."));
  EXPECT_EQ(grid->Row(), 10);
}

}  // namespace
