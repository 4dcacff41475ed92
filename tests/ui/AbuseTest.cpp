#include <QMdiArea>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <random>

#include "UiTestSupport.h"
#include "helperlib/Counter.h"
#include "ui/frame/MainMenus.h"
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
    ASSERT_TRUE(menus.mnuFileClose->isEnabled());

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
      EXPECT_EQ(menus.mnuFileSave->isEnabled(), i + 1 < windows.size());
    }
    for (const QPointer<frmCars>& window : windows) EXPECT_TRUE(window.isNull());
    EXPECT_EQ(frame->ChildCount().Value(), 0);
    EXPECT_TRUE(frame->findChild<QMdiArea*>()->subWindowList().isEmpty());
    EXPECT_FALSE(menus.mnuEdit->menuAction()->isVisible());
    EXPECT_FALSE(menus.mnuFileClose->isEnabled());
  }
}

}  // namespace
