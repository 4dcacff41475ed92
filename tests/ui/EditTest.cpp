#include "UiTestSupport.h"
#include "model/CarCompare.h"
#include "ui/frame/StatusLine.h"
#include <QChartView>

#include "ui/sheet/frmChart.h"

namespace {

using EditTest = FrameTest;

// Manipulate asks for a term with the window's caption and recomputes the
// selection, or says why no cell changed; the grid gets the focus back. The
// selection is dragged from its far corner and the values are read as shown in
// German: exactly its cells change, with one change signal.
TEST_F(EditTest, ManipulateAsksForATermAndRecomputesTheSelectionOrSaysWhyNot) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  // A term, the message it gives, and the term proposed before it: the last
  // one entered, refused or not.
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"", nullptr, "x"},
      {"x*", "Bad manipulation term.\r\nUnexpected end of expression at position 3", "x"},
      {"x*1,1",
       "Bad manipulation term.\r\nthe term gives several values separated by commas; numbers "
       "take a decimal point (x*1.5, not x*1,5)",
       "x*"},
      {"x/0", "No cell was changed: the term has no finite value for any selected cell.", "x*1,1"},
      {"x*3+1", nullptr, "x/0"}};
  for (const auto& [term, message, proposed] : cases) {
    SCOPED_TRACE(term);
    NewDocument();
    Click(5, 8);
    Click(2, 4, Qt::ShiftModifier);
    const QStringList before = Texts(1, 2, 6, 9);
    QSignalSpy changes(grid->model(), &QAbstractItemModel::dataChanged);
    frame->setFocus();
    dialogs.EnterText(QString::fromLatin1(term));
    if (message) dialogs.AnswerMessage(Answer::Ok);
    dialogs.asked.clear();
    Trigger("mnuEditManipulate");
    ASSERT_EQ(dialogs.asked.size(), message ? 2u : 1u);
    EXPECT_EQ(dialogs.asked[0].defaultText, QLatin1String(proposed));
    EXPECT_EQ(dialogs.asked.back().title, sheet->Caption());
    if (message) {
      EXPECT_EQ(dialogs.asked[1].text, QLatin1String(message));
    }
    const bool changed = !message && *term;
    EXPECT_EQ(Texts(1, 2, 6, 9) != before, changed);
    EXPECT_EQ(sheet->Changed(), changed);
    ASSERT_EQ(changes.size(), changed ? 1 : 0);
    if (changed) {
      EXPECT_EQ(changes[0].mid(0, 2),
                QVariantList({grid->model()->index(1, 2), grid->model()->index(4, 6)}));
    }
    EXPECT_TRUE(grid->hasFocus());
  }
  EXPECT_EQ(QList<float>({float(Car(2).Pad()), Car(2).Mass(), Car(2).FrontDriveBias()}),
            QList<float>({1, 103.75f, 1}));
  EXPECT_EQ(QList<float>({float(Car(2).Value()), Car(1).Mass()}), QList<float>({20, 16.5f}));
}

// Each kind of step is one undo step named after it; undo puts back the exact
// values, selects the step's cells, and returns to the saved state. Every
// window has its own history.
TEST_F(EditTest, EditsManipulationsAndPastesAreUndoneAndRedoneAsOneStepEach) {
  const MainMenus& menus = frame->Menus();
  EXPECT_FALSE(menus.mnuEditRedo()->isEnabled());  // no document
  NewDocument();
  EXPECT_FALSE(menus.mnuEditUndo()->isEnabled());
  Store(2, 5, LineValue::FromFloat(16.2875f));  // beyond what three decimals show
  const QStringList before = Texts(1, 2, 4, 6);
  const std::tuple<std::function<void()>, QString, QList<int>> steps[] = {
      {[&] { sheet->SetCellValue(1, 5, QStringLiteral("17.25")); },
       "&Undo Edit mass of Romero",
       {1, 5, 1, 5}},
      {[&] {
         grid->SelectRange(2, 5, 4, 6);
         dialogs.EnterText(QStringLiteral("x*2"));
         Trigger("mnuEditManipulate");
       },
       "&Undo Manipulate x*2 (5 cells)",  // one 0 stays 0
       {2, 5, 4, 6}},
      {[&] {
         grid->SelectRange(3, 2, 3, 2);
         Paste(QStringLiteral("7\t77\r\n8\t88"));
       },
       "&Undo Paste (4 cells)",
       {3, 2, 4, 3}},
      {[&] {
         grid->SelectRange(2, 3, 2, 3);
         Paste(QStringLiteral("9"));
       },
       "&Undo Paste (1 cell)",
       {2, 3, 2, 3}}};
  grid->setFocus();
  for (const auto& [step, caption, cursor] : steps) {
    SCOPED_TRACE(caption.toStdString());
    step();
    EXPECT_EQ(menus.mnuEditUndo()->text(), caption);
    const QStringList done = Texts(1, 2, 4, 6);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Texts(1, 2, 4, 6), before);
    EXPECT_EQ(Car(2).Mass(), 16.2875f);
    EXPECT_EQ(Cursor(), cursor);
    EXPECT_FALSE(sheet->Changed());
    EXPECT_EQ(menus.mnuEditRedo()->text(), "&Redo " + caption.mid(6));
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Texts(1, 2, 4, 6), done);
    EXPECT_TRUE(sheet->Changed());
    Key(Qt::Key_Z, Qt::ControlModifier);
  }
  frmCars* first = sheet;
  NewDocument();
  EXPECT_FALSE(menus.mnuEditRedo()->isEnabled());
  frame->Area()->setActiveSubWindow(first);
  EXPECT_TRUE(menus.mnuEditRedo()->isEnabled());
}

// What is copied reads back as the same numbers in the user's locale, into
// the same place (no change at all) or elsewhere; one value fills a selection.
// A paste that does not fit changes nothing and says why.
TEST_F(EditTest, CopyAndPasteRoundTripInTheUsersLocaleOrSayWhyNot) {
  QLocale::setDefault(QLocale(QLocale::German));
  NewDocument();
  grid->setFocus();
  Store(1, 5, LineValue::FromFloat(16.2875f));
  // Selected from right to left and bottom to top, as by Shift and the arrows.
  grid->SelectRange(2, 6, 2, 6);
  for (const Qt::Key key : {Qt::Key_Left, Qt::Key_Left, Qt::Key_Up}) Key(key, Qt::ShiftModifier);
  ASSERT_EQ(Cursor(), QList<int>({1, 4, 2, 6}));
  Key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(),
            Texts(1, 4, 1, 6).join('\t') + '\n' + Texts(2, 4, 2, 6).join('\t') + '\n');
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_FALSE(sheet->Changed());  // not even the mass beyond three decimals
  grid->SelectRange(10, 4, 10, 4);
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Texts(10, 4, 11, 6), Texts(1, 4, 2, 6));
  grid->SelectRange(21, 6, 20, 5);
  Paste(QStringLiteral("2,5"));
  EXPECT_EQ(Texts(20, 5, 21, 6), QStringList(4, QStringLiteral("2,500")));
  // A paste that does not fit says why and changes nothing.
  sheet->SetChanged(false);
  const QStringList before = Texts(1, 2, 5, 21);
  const int steps = sheet->Document().History().count();
  grid->SelectRange(3, 4, 3, 4);
  dialogs.AnswerMessage(Answer::Ok);
  Paste(QStringLiteral("\"1\t2"));  // no table at all
  EXPECT_TRUE(dialogs.asked.back().text.endsWith(
      "The clipboard line 1, field 1: a quoted field must end at its closing quote"))
      << dialogs.asked.back().text.toStdString();
  EXPECT_EQ(Texts(1, 2, 5, 21), before);
  EXPECT_EQ(sheet->Document().History().count(), steps);
  EXPECT_FALSE(sheet->Changed());
}

TEST_F(EditTest, FindMovesToTheNextCarNamedLikeTheTextAndWraps) {
  NewDocument();
  grid->SelectRange(50, 7, 50, 7);
  dialogs.EnterText(QStringLiteral("vAN"));
  Trigger("mnuEditFind");
  Key(Qt::Key_F3);  // Corvane, then Northam Van (the wrap is the model's)
  EXPECT_EQ(Cursor(), QList<int>({71, 7, 71, 7}));
  dialogs.EnterText(QStringLiteral("no such car"));
  dialogs.AnswerMessage(Answer::Ok);
  Trigger("mnuEditFind");
  EXPECT_EQ(dialogs.asked.back().text, QStringLiteral("No car named like \"no such car\"."));
  EXPECT_EQ(grid->Row(), 71);
}

}  // namespace

namespace {

// Merge into this document: BASE and THEIRS asked for by name, conflicts in
// one question, the merge one step that undo takes back; the view keeps its
// order; nothing to merge is said.
TEST_F(EditTest, MergeAsksForBaseAndTheirsAndIsOneStep) {
  const QString base =
      WriteFile("base.gci", MakeFileOfMasses({{"Alpha", "16.500"}, {"Beta", "16.500"}}));
  const QString theirs = WriteFile(
      "theirs.gci", MakeFileOfMasses({{"Alpha", "3.000"}, {"Beta", "16.500"}, {"New", "16.500"}}));
  OpenDocument(WriteFile("ours.gci", MakeFileOfMasses({{"Alpha", "1.000"}, {"Beta", "16.500"}})));
  grid->SelectRange(1, 5, 1, 5);
  Trigger("mnuViewSortDescending");  // by mass: Beta first
  dialogs.ChooseFile(base);
  dialogs.ChooseFile(theirs);
  dialogs.Pick(1);  // take theirs
  const std::size_t at = dialogs.asked.size();
  Trigger("mnuFileMerge");
  ASSERT_EQ(dialogs.asked.size(), at + 3);
  EXPECT_EQ(dialogs.asked[at].file.title, "Merge: the file both versions started from");
  EXPECT_TRUE(
      dialogs.asked[at + 2].text.contains("A value or car was changed both here and in "
                                          "\"theirs.gci\":\r\n\r\nAlpha, mass: was 16.500, "
                                          "here 1.000, there 3.000\r\n"))
      << dialogs.asked[at + 2].text;
  EXPECT_EQ(frame->Menus().mnuEditUndo()->text(), "&Undo Merge 2 changes from theirs.gci");
  EXPECT_EQ(grid->Shown().ShownCount(), 3);
  EXPECT_EQ(sheet->GetCellText(2, 0), "New") << "still sorted by mass";
  EXPECT_EQ(sheet->GetCellText(3, 5), "3.000");
  Trigger("mnuEditUndo");
  EXPECT_EQ(grid->Shown().ShownCount(), 2);

  dialogs.ChooseFile(base);
  dialogs.ChooseFile(base);
  dialogs.AnswerMessage(Answer::Ok);
  Trigger("mnuFileMerge");
  EXPECT_EQ(dialogs.asked.back().text,
            "\"base.gci\" has no change that this document does not have already.");
  EXPECT_FALSE(sheet->Changed());
  // Ours decides and THEIRS opens beside it: the kept value is marked.
  dialogs.ChooseFile(base);
  dialogs.ChooseFile(theirs);
  dialogs.Pick(2);
  Trigger("mnuFileMerge");
  ASSERT_TRUE(sheet->Compare() && frame->ActiveCars() == sheet);
  EXPECT_TRUE(sheet->Compare()->Differs(0, 1, 5) && sheet->Compare()->Differences() == 1);
}

}  // namespace

namespace {

// Compare with: the other documents, the most recently active first, or a
// file opened for it; F7 and Shift+F7 visit the differences, the status bar
// counts them, Ctrl+T takes a value across; closing either side ends it.
TEST_F(EditTest, CompareWithVisitsTakesAndEnds) {
  const auto file = [this](const char* name, const char* mass) {
    return WriteFile(QString::fromLatin1(name),
                     MakeFileOfMasses({{"Alpha", "16.500"}, {"Beta", mass}}));
  };
  frmCars* other = OpenDocument(file("other.gci", "3.000"));
  frmCars* first = OpenDocument(file("first.gci", "16.500"));
  frmCars* fresh = NewDocument();
  frame->Area()->setActiveSubWindow(first);
  Use(first);
  dialogs.PickItem(0);
  Trigger("mnuEditCompare");
  EXPECT_EQ(dialogs.asked.back().choices, QStringList({fresh->Caption(), other->Caption()}));
  ASSERT_TRUE(first->Compare() && fresh->Compare() == first->Compare());
  dialogs.PickItem(1);
  Trigger("mnuEditCompare");
  ASSERT_TRUE(first->Compare() && other->Compare() == first->Compare() && !fresh->Compare());
  const auto marked = [](frmCars* window, int row, int col) {
    const QAbstractItemModel& model = *window->flexCars()->model();
    return model.index(row - 1, col - 2).data(Qt::BackgroundRole).isValid();
  };
  EXPECT_TRUE(marked(first, 2, 5) && marked(other, 2, 5) && !marked(first, 1, 5));

  grid->SelectRange(1, 2, 1, 2);
  Trigger("mnuEditNextDifference");
  EXPECT_EQ(Cursor(), QList<int>({2, 5, 2, 5}));
  EXPECT_EQ(frame->Status().lblShown()->text(), "difference 1 of 1");
  Trigger("mnuEditPreviousDifference");  // wraps to itself
  Trigger("mnuEditTakeValue");
  EXPECT_EQ(frame->Menus().mnuEditUndo()->text(), "&Undo Take 1 value from " + other->Caption());
  EXPECT_FALSE(marked(first, 2, 5));
  frame->Status().Update();  // 50 ms after a step
  EXPECT_EQ(frame->Status().lblShown()->text(), "0 differences");
  Trigger("mnuEditUndo");
  EXPECT_TRUE(marked(first, 2, 5));

  other->SetChanged(false);
  other->close();
  Flush();
  EXPECT_EQ(first->Compare(), nullptr);
  EXPECT_FALSE(marked(first, 2, 5));
  // A file opened for it.
  dialogs.PickItem(UserDialogs::OtherChoice);
  dialogs.ChooseFile(file("third.gci", "4.000"));
  Trigger("mnuEditCompare");
  ASSERT_NE(first->Compare(), nullptr);
  EXPECT_EQ(frame->ActiveCars(), first);
  Trigger("mnuEditStopComparing");
  EXPECT_EQ(first->Compare(), nullptr);
}

// View > Chart of column: a window listed in the Windows menu that draws
// once per step, makes a clicked bar's or an arrow key's car current, saves
// PNG and SVG (a failure said, no file left) and closes with its sheet.
TEST_F(EditTest, AChartFollowsTheSheetSelectsCarsSavesAndClosesWithIt) {
  NewDocument();
  grid->SelectRange(3, 5, 4, 5);
  Trigger("mnuViewChart");
  auto* chart = qobject_cast<frmChart*>(frame->Area()->currentSubWindow());
  ASSERT_TRUE(chart && chart->Column() == 5 && frame->ActiveCars() == sheet);
  ASSERT_EQ(chart->Runs().size(), std::size_t(sheet->Shown().ShownCount()));
  EXPECT_TRUE(chart->Runs()[2].selected && !chart->Runs()[4].selected);
  EXPECT_EQ(chart->windowTitle(), "Chart: " + sheet->Caption() + " - mass");
  frame->Menus().RefreshWindowList();
  EXPECT_TRUE(frame->Menus().mnuWindows()->actions().last()->text().endsWith(chart->windowTitle()));
  // The tooltip over the middle of the third bar names its car.
  QChart& drawn = *chart->chartView()->chart();
  const auto viewPlace = [&](const QPointF& value) {
    const QPointF place = drawn.mapToScene(drawn.mapToPosition(value, drawn.series().first()));
    return chart->chartView()->mapFromScene(place);
  };
  EXPECT_EQ(chart->TipAt(viewPlace({2, Car(3).Mass() / 2})), "Brisco Van: 5.750");

  const int redraws = chart->Redraws();
  sheet->SetCellValue(3, 5, QStringLiteral("77"));
  Trigger("mnuEditUndo");
  EXPECT_EQ(chart->Redraws(), redraws + 1) << "one redraw for the edit and its undo";
  chart->ChooseRun(6, true);
  EXPECT_EQ(Cursor(), QList<int>({7, 5, 7, 5}));
  QTest::keyClick(chart->chartView(), Qt::Key_Left);
  EXPECT_EQ(grid->Row(), 6);
  chart->SetChartKind(frmChart::Kind::Scatter);
  ASSERT_EQ(chart->Points().size(), std::size_t(sheet->Shown().ShownCount()));
  EXPECT_EQ(chart->SecondColumn(), 6);
  chart->ChoosePoint(0);
  EXPECT_EQ(grid->Row(), chart->Points()[0].row);

  for (const char* name : {"chart.png", "chart.svg"}) {
    const QString path = Path(QString::fromLatin1(name));
    EXPECT_EQ(chart->WriteImage(path), QString());
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.read(8).contains(name[6] == 'p' ? "PNG" : "<?xml"));
  }
  const QString nowhere = Path(QStringLiteral("missing/chart.png"));
  dialogs.ChooseFile(nowhere);
  dialogs.AnswerMessage(Answer::Ok);
  chart->SaveImage();
  EXPECT_TRUE(dialogs.asked.back().text.startsWith("The chart could not be saved as"));
  EXPECT_FALSE(QFileInfo::exists(nowhere));

  QPointer<frmChart> gone(chart);
  sheet->SetChanged(false);
  sheet->close();
  Flush();
  EXPECT_TRUE(gone.isNull());
}


}  // namespace
