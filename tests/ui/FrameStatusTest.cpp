#include <QDir>
#include <QImage>
#include <QMdiArea>
#include <QProgressBar>
#include <QSet>
#include <QTest>

#include "UiTestSupport.h"
#include "core/AppInfo.h"
#include "helperlib/FileDialog.h"
#include "ui/frame/SharedOpenDialog.h"
#include "ui/frame/mdfMain.h"
#include "ui/sheet/CarGrid.h"
#include "ui/sheet/frmCars.h"

namespace {

using FrameStatusTest = FrameTest;

// Counts the paint events that a widget receives.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

TEST_F(FrameStatusTest, ProgressRepaintsAtOnceButOnlyWhenWhatItShowsChanges) {
  QProgressBar* bar = frame->pgbFile();
  frame->SetCaption(ApplicationTitle() + QStringLiteral(" - loading data..."));
  frame->SetProgressMax(100000);
  frame->SetProgressValue(0);
  frame->SetProgressVisible(true);
  EXPECT_TRUE(bar->isVisible());
  EXPECT_GT(bar->width(), frame->width() / 2);  // laid out before any event ran
  EXPECT_EQ(frame->windowTitle(), ApplicationTitle() + QStringLiteral(" - loading data..."));
  PaintCounter counter(bar);
  int paintsAtHalf = -1;
  for (int value = 1; value <= 100000; ++value) {
    frame->SetProgressValue(float(value));
    if (value == 50000) paintsAtHalf = counter.paints;
  }
  // Painted synchronously while the work runs, far fewer times than reported.
  EXPECT_GT(paintsAtHalf, 10);
  EXPECT_LE(counter.paints, 101);
  EXPECT_EQ(bar->value(), bar->maximum());
  frame->SetProgressVisible(false);
  frame->SetCaption(ApplicationTitle());
  EXPECT_TRUE(bar->isHidden());
  EXPECT_EQ(frame->Caption(), ApplicationTitle());
}

TEST_F(FrameStatusTest, LoadingAndSavingLeaveTheCaptionAndBarAtRest) {
  frmCars* sheet = OpenDocument(WriteFile("rest.gci", StockWith({})));
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(frame->windowTitle(), ApplicationTitle());
  EXPECT_TRUE(frame->pgbFile()->isHidden());
  sheet->SetCellValue(1, 5, QStringLiteral("3"));
  sheet->Save();
  EXPECT_EQ(frame->windowTitle(), ApplicationTitle());
  EXPECT_TRUE(frame->pgbFile()->isHidden());
}

TEST_F(FrameStatusTest, AFailingCommandShowsItsErrorAndEverythingElseGoesOn) {
  const QString path = WriteFile("vanishing.gci", StockWith({}));
  frmCars* sheet = OpenDocument(path);
  frmCars* other = NewDocument();
  other->SetCellValue(2, 5, QStringLiteral("7"));
  frame->Area()->setActiveSubWindow(sheet);
  sheet->SetCellValue(1, 5, QStringLiteral("3"));
  // The document's file turns into a folder: writing there must fail.
  ASSERT_TRUE(QFile::remove(path));
  ASSERT_TRUE(QDir().mkdir(path));
  dialogs.AnswerMessage(UserDialogs::Answer::Yes);  // overwrite what replaced it
  dialogs.AnswerMessage(UserDialogs::Answer::Ok);
  Trigger("mnuFileSave");
  ASSERT_EQ(dialogs.asked.size(), 3u);
  EXPECT_EQ(dialogs.asked[2].title, ApplicationTitle());
  EXPECT_TRUE(dialogs.asked[2].text.startsWith(QStringLiteral("Error ")))
      << dialogs.asked[2].text.toStdString();
  EXPECT_TRUE(sheet->Changed());
  EXPECT_EQ(sheet->windowTitle(), QStringLiteral("%1").arg(sheet->CaptionPrefix()) + path);
  EXPECT_TRUE(other->Changed());
  EXPECT_EQ(frame->CarWindows().size(), 2);
  EXPECT_EQ(frame->windowTitle(), ApplicationTitle());
  EXPECT_TRUE(frame->pgbFile()->isHidden());
  EXPECT_TRUE(frame->isVisible());
}

TEST_F(FrameStatusTest, TheSharedOpenDialogLivesAsLongAsItsUsers) {
  FileDialog& dialog = SharedOpenDialog();
  EXPECT_EQ(&dialog, &SharedOpenDialog());
  dialog.SetFileName(QStringLiteral("chosen.gci"));
  EXPECT_EQ(SharedOpenDialog().FileName(), QStringLiteral("chosen.gci"));
  // The frame is the only user: when it goes, the dialog goes with it.
  frame.reset();
  TrackDialogUser(false);
  EXPECT_EQ(SharedOpenDialog().FileName(), QStringLiteral("nyc.gci"));
  TrackDialogUser(true);
  frame = std::make_unique<mdfMain>();
}

TEST_F(FrameStatusTest, TheFrameWithAStockDocumentRendersToAnImage) {
  frmCars* sheet = NewDocument();
  sheet->showMaximized();
  QTest::qWait(20);
  const QImage image = frame->grab().toImage();
  ASSERT_FALSE(image.isNull());
  const QString file = QDir(QStringLiteral(TORQLET_BINARY_DIR))
                           .filePath(QStringLiteral("frame-with-stock-document.png"));
  EXPECT_TRUE(image.save(file));
  // Not blank: many colours, and the grid's area holds dark text pixels.
  QSet<QRgb> colours;
  int dark = 0;
  for (int y = 0; y < image.height(); y += 2) {
    for (int x = 0; x < image.width(); x += 2) {
      const QRgb pixel = image.pixel(x, y);
      colours.insert(pixel);
      if (qGray(pixel) < 80) ++dark;
    }
  }
  EXPECT_GT(colours.size(), 8);
  EXPECT_GT(dark, 500);
  EXPECT_EQ(image.size(), frame->size() * image.devicePixelRatio());
}

}  // namespace
