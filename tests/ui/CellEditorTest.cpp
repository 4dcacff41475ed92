#include "UiTestSupport.h"

namespace {

using CellEditorTest = FrameTest;

// How an edit ends after the typing, besides a key.
enum End { ByClick = 1, ByDrag, ByHeading, ByMove, ByScroll, ByOtherWindow };
enum class Outcome { Stored, Dropped, Open };

// The editor's states. It opens over the current cell with the old text
// selected (a double click, Enter, Escape or Backspace on the grid) or with
// the character typed on the grid in its place; the end then stores the text into the edited cell,
// drops it, or leaves the edit open: refused (a beep and a red frame with a tip) or waiting.
TEST_F(CellEditorTest, OpensOverItsCellAndStoresDropsOrRefusesAsItEnds) {
  const struct {
    Qt::Key opener;  // Key_unknown: a double click
    int col;
    const char* typed;
    int end;  // a key or an End
    Outcome outcome;
    const char* shown;  // the edited cell's text when stored
    int beeps, row, currentCol;
  } cases[] = {
      {Qt::Key_unknown, 5, "", Qt::Key_Return, Outcome::Stored, "16.288", 0, 2, 5},
      {Qt::Key_7, 5, "", Qt::Key_Escape, Outcome::Dropped, nullptr, 0, 2, 5},
      {Qt::Key_Return, 5, "", Qt::Key_Escape, Outcome::Dropped, nullptr, 0, 2, 5},
      {Qt::Key_Escape, 5, "", Qt::Key_Escape, Outcome::Dropped, nullptr, 0, 2, 5},
      {Qt::Key_Backspace, 5, "", Qt::Key_Escape, Outcome::Dropped, nullptr, 0, 2, 5},
      {Qt::Key_1, 3, "42", Qt::Key_Enter, Outcome::Stored, "142", 0, 2, 3},
      {Qt::Key_A, 5, "bc", Qt::Key_Return, Outcome::Open, nullptr, 1, 2, 5},
      {Qt::Key_unknown, 5, "abc", Qt::Key_Return, Outcome::Open, nullptr, 1, 2, 5},
      {Qt::Key_unknown, 3, "2147483648", Qt::Key_Return, Outcome::Open, nullptr, 1, 2, 3},
      {Qt::Key_unknown, 5, "99", Qt::Key_Escape, Outcome::Dropped, nullptr, 0, 2, 5},
      {Qt::Key_unknown, 5, "3.25", ByClick, Outcome::Stored, "3.250", 0, 4, 7},
      {Qt::Key_unknown, 5, "x1", ByClick, Outcome::Open, nullptr, 1, 2, 5},
      {Qt::Key_unknown, 5, "x1", ByDrag, Outcome::Open, nullptr, 1, 2, 5},
      {Qt::Key_unknown, 5, "x1", ByHeading, Outcome::Open, nullptr, 1, 2, 5},
      {Qt::Key_unknown, 3, "oops", Qt::Key_Tab, Outcome::Open, nullptr, 1, 2, 3},
      {Qt::Key_unknown, 3, "oops", Qt::Key_Backtab, Outcome::Open, nullptr, 1, 2, 3},
      {Qt::Key_unknown, 3, "77", Qt::Key_Tab, Outcome::Stored, "77", 0, 2, 3},
      {Qt::Key_unknown, 4, "5", ByMove, Outcome::Stored, "5", 0, 6, 4},
      {Qt::Key_unknown, 4, "x", ByMove, Outcome::Open, nullptr, 1, 6, 4},
      {Qt::Key_unknown, 4, "5", Qt::Key_Down, Outcome::Open, nullptr, 0, 2, 4},
      {Qt::Key_unknown, 4, "5", Qt::Key_PageDown, Outcome::Open, nullptr, 0, 2, 4},
      {Qt::Key_unknown, 6, "0.75", ByScroll, Outcome::Open, nullptr, 0, 2, 6},
      {Qt::Key_unknown, 5, "7", ByOtherWindow, Outcome::Open, nullptr, 0, 2, 5},
  };
  const auto finish = [this](int end) {
    QWidget* cells = grid->viewport();
    QWidget other;
    switch (end) {
      case ByClick:
        return Click(4, 7);
      case ByDrag:
        QTest::mousePress(cells, Qt::LeftButton, {}, Centre(4, 6));
        QTest::mouseMove(cells, Centre(5, 8));
        return QTest::mouseRelease(cells, Qt::LeftButton, {}, Centre(5, 8));
      case ByHeading:
        return QTest::mouseClick(grid->horizontalHeader()->viewport(), Qt::LeftButton, {},
                                 Heading(8));
      case ByMove:  // the current cell moves before the focus does
        grid->SetRow(6);
        return grid->setFocus();
      case ByScroll:
        grid->verticalScrollBar()->setValue(1);
        grid->horizontalScrollBar()->setValue(2);
        return grid->horizontalHeader()->resizeSection(2, 200);
      case ByOtherWindow:  // another application's, and back
        other.show();
        other.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
        other.close();
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        return;
      default:
        return Key(Qt::Key(end));
    }
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const auto& c = cases[i];
    SCOPED_TRACE(testing::Message() << "case " << i);
    NewDocument();
    Store(2, 5, LineValue::FromFloat(16.2875f));  // beyond what three decimals show
    sheet->SetChanged(false);
    grid->SelectRange(2, c.col, 3, c.col + 1);
    grid->setFocus();
    QStringList expected = Texts(1, 2, 6, 9);
    QSignalSpy beeps(editor, &CellEditor::Refused);
    if (c.opener == Qt::Key_unknown) {
      DoubleClick(2, c.col);
    } else {
      Key(c.opener);
    }
    ASSERT_TRUE(editor->IsEditing() && editor->isVisible() && editor->hasFocus());
    EXPECT_EQ(editor->geometry(), grid->CellRect(2, c.col));
    const char opener = c.opener == Qt::Key_unknown ? 0 : QTest::keyToAscii(c.opener);
    const QString typedKey = opener >= ' ' ? QString(QLatin1Char(opener)) : QString();
    EXPECT_EQ(editor->text(), typedKey.isEmpty() ? expected[8 + c.col - 2] : typedKey);
    EXPECT_EQ(editor->selectedText(), typedKey.isEmpty() ? expected[8 + c.col - 2] : QString());
    EXPECT_EQ(Cursor(), QList<int>({2, c.col, 2, c.col}));
    Type(QString::fromLatin1(c.typed));
    finish(c.end);

    const bool open = c.outcome == Outcome::Open;
    EXPECT_EQ(beeps.size(), c.beeps);
    EXPECT_EQ(Cursor(), QList<int>({c.row, c.currentCol, c.row, c.currentCol}));
    EXPECT_EQ(QList<bool>({editor->IsEditing(), editor->isVisible(), editor->hasFocus(),
                           grid->hasFocus(), sheet->Changed()}),
              QList<bool>({open, open, open, !open, c.outcome == Outcome::Stored}));
    if (c.shown) expected[8 + c.col - 2] = QString::fromLatin1(c.shown);
    EXPECT_EQ(Texts(1, 2, 6, 9), expected);
    EXPECT_EQ(editor->toolTip(), c.beeps ? CellEditor::RefusalText() : QString());
    if (open) {  // over its cell, and wide enough for the whole text
      EXPECT_EQ(editor->text(), typedKey + QString::fromLatin1(c.typed));
      EXPECT_GE(editor->width(), std::max(grid->CellRect(2, c.col).width(),
                                          editor->fontMetrics().horizontalAdvance(c.typed)));
      Key(Qt::Key_Escape);
      EXPECT_TRUE(editor->toolTip().isEmpty());
    }
    sheet->SetChanged(false);
    sheet->close();
  }
}

// A refused text waits in its document while the user works in another one,
// which keeps the focus.
TEST_F(CellEditorTest, ARefusedEditWaitsWhileAnotherDocumentIsUsed) {
  frmCars* first = NewDocument();
  CellEditor* refusing = editor;
  grid->SelectRange(1, 5, 1, 5);
  grid->setFocus();
  Key(Qt::Key_A);  // opens the editor, which then has the focus
  Type(QStringLiteral("bc"));
  Key(Qt::Key_Return);
  ASSERT_TRUE(refusing->IsEditing() && refusing->hasFocus());
  frmCars* second = NewDocument();
  frame->Area()->setActiveSubWindow(second);
  grid->setFocus();
  QTest::qWait(50);
  EXPECT_EQ(frame->ActiveCars(), second);
  EXPECT_TRUE(grid->hasFocus());
  Key(Qt::Key_Down);
  EXPECT_EQ(grid->Row(), 2);
  EXPECT_TRUE(refusing->IsEditing());
  EXPECT_EQ(refusing->text(), QStringLiteral("abc"));
  first->SetChanged(false);
}

// Every command that reads or replaces the cells or ends the document first
// stores an open edit, or refuses to run (a beep, no question) while its text
// does not convert.
TEST_F(CellEditorTest, CommandsStoreAnOpenEditFirstOrRefuse) {
  const QString saved = Path("saved.gci");
  // A command, its answers (or an earlier step), and the cell's text after it.
  const std::tuple<const char*, std::function<void()>, const char*> commands[] = {
      {"mnuFileSave", [&] { dialogs.ChooseFile(saved); }, "17"},
      {"mnuEditManipulate", [&] { dialogs.EnterText(QStringLiteral("x*2")); }, "34"},
      {"mnuEditUndo", [&] { sheet->SetCellValue(2, 3, QStringLiteral("5")); }, "50"},
      {"mnuEditCopy", [] {}, "17"},
      {"mnuFileClose", [&] { dialogs.AnswerMessage(Answer::Cancel); }, "17"},
      {"mnuFileExit", [&] { dialogs.AnswerMessage(Answer::Cancel); }, "17"},
  };
  for (const auto& [command, script, shown] : commands) {
    SCOPED_TRACE(command);
    NewDocument();
    script();
    grid->SelectRange(1, 3, 1, 3);
    grid->setFocus();
    QSignalSpy beeps(editor, &CellEditor::Refused);
    Key(Qt::Key_1);
    Type(QStringLiteral("7x"));
    const std::size_t asked = dialogs.asked.size();
    Trigger(command);
    EXPECT_EQ(beeps.size(), 1);
    EXPECT_EQ(dialogs.asked.size(), asked);
    EXPECT_TRUE(editor->hasFocus());
    EXPECT_EQ(sheet->GetCellText(1, 3), QStringLiteral("50"));
    Key(Qt::Key_Backspace);
    Trigger(command);
    EXPECT_FALSE(editor->IsEditing());
    EXPECT_EQ(sheet->GetCellText(1, 3), QLatin1String(shown));
    sheet->SetChanged(false);
    sheet->close();
  }
  EXPECT_TRUE(ReadFileBytes(saved).contains("\r\n17 {value}"));
}

}  // namespace
