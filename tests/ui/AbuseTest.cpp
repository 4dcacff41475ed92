#include <QItemSelectionModel>
#include <QMdiArea>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <random>

#include "UiTestSupport.h"
#include "helperlib/Counter.h"
#include "helperlib/GlobalFunctions.h"
#include "helperlib/Term.h"
#include "helperlib/TermFunctions.h"
#include "helperlib/TermVariables.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"
#include "ui/frame/MainMenus.h"
#include "ui/sheet/CarGrid.h"
#include "ui/sheet/CarTableModel.h"
#include "ui/sheet/frmCars.h"

namespace {

using AbuseTest = FrameTest;

// Twenty documents at a time, half new and half opened, some of them edited,
// closed in a random order through the Close command and the windows' own
// close; three rounds. Every window and with it its car file must be gone
// after each round, and the menus must follow.
TEST_F(AbuseTest, ManyDocumentsOpenedAndClosedInRandomOrderLeaveNothingBehind) {
  const QString file = WriteFile("cars.gci", StockWith({}));
  std::mt19937 random(20261206);
  const MainMenus& menus = frame->Menus();
  for (int round = 0; round < 3; ++round) {
    QList<QPointer<frmCars>> windows;
    for (int i = 0; i < 20; ++i) {
      frmCars* window = i % 2 ? OpenDocument(file) : NewDocument();
      ASSERT_NE(window, nullptr);
      if (i % 3 == 0) window->SetCellValue(1 + i, 5, QStringLiteral("1.5"));
      windows << window;
    }
    ASSERT_EQ(frame->ChildCount().Value(), 20);
    ASSERT_TRUE(menus.mnuFileClose()->isEnabled());

    std::shuffle(windows.begin(), windows.end(), random);
    for (int i = 0; i < windows.size(); ++i) {
      frmCars* window = windows[i];
      if (window->Changed()) dialogs.AnswerMessage(UserDialogs::Answer::No);
      if (i % 2) {
        frame->findChild<QMdiArea*>()->setActiveSubWindow(window);
        Trigger("mnuFileClose");
      } else {
        window->close();
      }
      Flush();
      EXPECT_EQ(menus.mnuFileSave()->isEnabled(), i + 1 < windows.size());
    }
    for (const QPointer<frmCars>& window : windows) EXPECT_TRUE(window.isNull());
    EXPECT_EQ(frame->ChildCount().Value(), 0);
    EXPECT_TRUE(frame->findChild<QMdiArea*>()->subWindowList().isEmpty());
    EXPECT_FALSE(menus.mnuEdit()->menuAction()->isVisible());
    EXPECT_FALSE(menus.mnuFileClose()->isEnabled());
  }
}

// A term that fails in every cell of a large document: every cell of the
// whole value area is tried, none changes, and the document stays unchanged.
TEST_F(AbuseTest, ATermThatFailsEverywhereChangesNothingInALargeDocument) {
  constexpr int Cars = 100000;
  const QByteArray stock = StockWith({});
  const qsizetype firstBlock = stock.indexOf("\r\n\r\n") + 4;
  const QByteArray block =
      stock.mid(firstBlock, stock.indexOf("\r\n\r\n", firstBlock) - firstBlock + 4);
  QByteArray content = stock.left(firstBlock);
  content.reserve(content.size() + block.size() * Cars);
  for (int i = 0; i < Cars; ++i) content += block;
  frmCars* sheet = OpenDocument(WriteFile("large.gci", content));
  ASSERT_NE(sheet, nullptr);
  ASSERT_EQ(sheet->CarFile().Count(), Cars);

  CarGrid* grid = sheet->flexCars();
  const auto index = [grid](int row, int col) {
    return grid->model()->index(row - CarTableModel::RowOffset, col - CarTableModel::ColumnOffset);
  };
  grid->selectionModel()->setCurrentIndex(index(Cars, 21), QItemSelectionModel::NoUpdate);
  grid->selectionModel()->select(QItemSelection(index(1, 2), index(Cars, 21)),
                                 QItemSelectionModel::ClearAndSelect);
  Term term;
  term.SetFunctions(GlobalFunctions::Instance().DefaultTermFunctions().Copy());
  term.Variables().SetOnlyAddedNames(true);
  term.Variables().Add(QStringLiteral("x"));
  term.SetText(QStringLiteral("x/0"));
  sheet->ManipulateSelection(term);

  EXPECT_FALSE(sheet->Changed());
  EXPECT_FALSE(sheet->CarFile().IsChanged());
  for (int row : {1, 2, Cars / 2, Cars}) {
    EXPECT_EQ(sheet->CarFile().Car(row).Block(), block.chopped(4)) << row;
  }
  sheet->Save();  // nothing changed: written back byte for byte
  EXPECT_EQ(ReadFileBytes(Path("large.gci")), content);
}

}  // namespace
