#include "UiTestSupport.h"

void FrameTest::SetUp() {
  frame = std::make_unique<mdfMain>();
  frame->show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
}

void FrameTest::TearDown() {
  Flush();  // windows closed but not yet deleted go before the frame
  for (frmCars* window : frame->CarWindows()) window->SetChanged(false);
  frame.reset();
  Flush();
  EXPECT_EQ(dialogs.Unexpected(), 0) << "a question came that the test did not script";
  EXPECT_TRUE(dialogs.AllUsed()) << "a scripted answer was never asked for";
}

void FrameTest::Trigger(const char* actionName) {
  QAction* action = frame->findChild<QAction*>(QLatin1String(actionName));
  ASSERT_NE(action, nullptr) << actionName;
  action->trigger();
  Flush();
}

frmCars* FrameTest::NewDocument() {
  Trigger("mnuFileNew");
  Use(frame->CarWindows().last());
  return sheet;
}

frmCars* FrameTest::OpenDocument(const QString& path) {
  dialogs.ChooseFile(path);
  Trigger("mnuFileOpen");
  if (!frame->CarWindows().isEmpty()) Use(frame->CarWindows().last());
  return sheet;
}

void FrameTest::Use(frmCars* window) {
  sheet = window;
  grid = window->flexCars();
  editor = window->txtEdit();
}

QString FrameTest::WriteFile(const QString& name, const QByteArray& bytes) const {
  WriteFileBytes(Path(name), bytes);
  return Path(name);
}

void FrameTest::Flush() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

QStringList FrameTest::Texts(int row1, int col1, int row2, int col2) const {
  QStringList texts;
  for (int r = row1; r <= row2; ++r) {
    for (int c = col1; c <= col2; ++c) texts << sheet->GetCellText(r, c);
  }
  return texts;
}

QPoint FrameTest::Heading(int col) const {
  const QHeaderView* header = grid->horizontalHeader();
  const int section = col - 2;
  return {header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
          header->height() / 2};
}

QPoint FrameTest::Name(int row) const {
  const QHeaderView* header = grid->verticalHeader();
  return {10, header->sectionViewportPosition(row - 1) + header->sectionSize(row - 1) / 2};
}

void FrameTest::Key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

void FrameTest::Type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }

void FrameTest::Paste(const QString& text) {
  QGuiApplication::clipboard()->setText(text);
  QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
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
