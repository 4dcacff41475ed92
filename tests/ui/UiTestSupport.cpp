#include "UiTestSupport.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QMdiArea>
#include <QTest>

#include "model/NycGciCars.h"
#include "ui/frame/mdfMain.h"
#include "ui/sheet/frmCars.h"

void FrameTest::SetUp() {
  frame = std::make_unique<mdfMain>();
  frame->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
}

void FrameTest::TearDown() {
  for (frmCars* window : frame->CarWindows()) window->SetChanged(false);
  frame.reset();
  Flush();
  EXPECT_EQ(dialogs.Unexpected(), 0) << "a question came that the test did not script";
  EXPECT_TRUE(dialogs.AllUsed()) << "a scripted answer was never asked for";
}

void FrameTest::Trigger(const char* actionName) {
  for (QAction* action : frame->findChildren<QAction*>(QLatin1String(actionName))) {
    action->trigger();
    return;
  }
  ADD_FAILURE() << "no action " << actionName;
}

frmCars* FrameTest::NewDocument() {
  Trigger("mnuFileNew");
  return Newest();
}

frmCars* FrameTest::OpenDocument(const QString& path) {
  dialogs.ChooseFile(path);
  Trigger("mnuFileOpen");
  return Newest();
}

frmCars* FrameTest::Newest() const {
  const QList<frmCars*> windows = frame->CarWindows();
  return windows.isEmpty() ? nullptr : windows.last();
}

QString FrameTest::Path(const char* name) const { return folder.filePath(QLatin1String(name)); }

QString FrameTest::WriteFile(const char* name, const QByteArray& bytes) const {
  QFile file(Path(name));
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
  return file.fileName();
}

void FrameTest::Flush() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

QByteArray StockWith(std::initializer_list<std::pair<const char*, const char*>> replacements) {
  QByteArray content = NycGciCars::StockContent();
  for (const auto& [from, to] : replacements) {
    const qsizetype at = content.indexOf(from);
    EXPECT_GE(at, 0) << from;
    if (at >= 0) content.replace(at, qsizetype(qstrlen(from)), to);
  }
  return content;
}
