#include <QTest>

#include "UiTestSupport.h"
#include "ui/frame/mdfMain.h"
#include "ui/sheet/frmCars.h"

namespace {

using Answer = UserDialogs::Answer;
using ExitTest = FrameTest;

TEST_F(ExitTest, ACancelAtTheSecondPromptKeepsEveryWindowOpen) {
  frmCars* first = NewDocument();
  frmCars* second = NewDocument();
  first->SetCellValue(1, 5, QStringLiteral("1"));
  second->SetCellValue(1, 5, QStringLiteral("2"));
  dialogs.AnswerMessage(Answer::No);
  dialogs.AnswerMessage(Answer::Cancel);
  Trigger("mnuFileExit");
  Flush();
  EXPECT_TRUE(frame->isVisible());
  EXPECT_EQ(frame->CarWindows().size(), 2);
  EXPECT_FALSE(first->Changed());  // keeps the first answer
  EXPECT_TRUE(second->Changed());
  EXPECT_EQ(dialogs.asked.size(), 2u);
}

TEST_F(ExitTest, AnsweringEveryPromptClosesAllAndTheFrame) {
  frmCars* first = NewDocument();
  NewDocument();
  first->SetCellValue(1, 5, QStringLiteral("1"));
  dialogs.AnswerMessage(Answer::No);
  Trigger("mnuFileExit");
  Flush();
  EXPECT_FALSE(frame->isVisible());
  EXPECT_TRUE(frame->CarWindows().isEmpty());
  EXPECT_EQ(dialogs.asked.size(), 1u);
}

TEST_F(ExitTest, WithoutChangesTheFrameClosesAtOnce) {
  NewDocument();
  NewDocument();
  EXPECT_TRUE(frame->close());
  Flush();
  EXPECT_TRUE(frame->CarWindows().isEmpty());
  EXPECT_TRUE(dialogs.asked.empty());
}

}  // namespace
