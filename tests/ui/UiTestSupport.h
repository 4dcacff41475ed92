#pragma once

#include <QtTest>
#include <QtWidgets>
#include <deque>

#include "TestSupport.h"
#include "core/AppInfo.h"
#include "helperlib/Counter.h"
#include "helperlib/UserDialogs.h"
#include "model/CarDocument.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"
#include "ui/frame/MainMenus.h"
#include "ui/frame/mdfMain.h"
#include "ui/sheet/CarGrid.h"
#include "ui/sheet/CellEditor.h"
#include "ui/sheet/frmCars.h"

using Answer = UserDialogs::Answer;

// Plays back the user's answers in order and records every question asked;
// installed while it lives. A question whose kind does not match the next
// scripted answer (or with none left) is answered with Cancel and counted in
// unexpected.
class ScriptedDialogs final : public UserDialogs {
 public:
  struct Question {
    QString kind;  // "message", "choose", "list", "input", "open", "save" or "about"
    QString title{};
    QString text{};  // the message, the prompt or the about box's heading
    Buttons buttons = Buttons::Ok;
    FileRequest file{};
    QString defaultText{};  // of an input box
    QStringList choices{};  // of a box with buttons of its own
  };
  struct Scripted {
    QString kind;
    Answer answer = Answer::Cancel;
    QString text;  // null when the answer carries none
  };

  ScriptedDialogs() { Install(this); }
  ~ScriptedDialogs() override { Install(nullptr); }

  void AnswerMessage(Answer answer) { answers.push_back({"message", answer, {}}); }
  void ChooseFile(const QString& path) { answers.push_back({"file", Answer::Ok, path}); }
  void CancelFile() { answers.push_back({"file", Answer::Cancel, {}}); }
  void EnterText(const QString& text) { answers.push_back({"input", Answer::Ok, text}); }
  void Pick(int choice) { answers.push_back({"choose", Answer::Ok, QString::number(choice)}); }
  void PickItem(int item) { answers.push_back({"list", Answer::Ok, QString::number(item)}); }

  Answer MessageBox(const QString& text, Buttons buttons, Icon, const QString& title) override {
    asked.push_back({"message", title, text, buttons});
    return Next("message").answer;
  }
  int Choose(const QString& text, Icon, const QString& title, const QStringList& choices,
             int) override {
    asked.push_back({"choose", title, text, Buttons::Ok, {}, {}, choices});
    const QString choice = Next("choose").text;
    return choice.isNull() ? -1 : choice.toInt();
  }
  int PickFromList(const QString& prompt, const QString& title, const QStringList& items,
                   const QString&) override {
    asked.push_back({"list", title, prompt, Buttons::Ok, {}, {}, items});
    const QString choice = Next("list").text;
    return choice.isNull() ? -1 : choice.toInt();
  }
  QString InputBox(const QString& prompt, const QString& title, const QString& text) override {
    asked.push_back({"input", title, prompt, Buttons::Ok, {}, text});
    return Next("input").text;
  }
  std::optional<QString> AskFileName(const FileRequest& request) override {
    asked.push_back({request.save ? "save" : "open", {}, {}, Buttons::Ok, request});
    const QString path = Next("file").text;
    return path.isNull() ? std::nullopt : std::optional<QString>(path);
  }
  void AboutBox(const QString& title, const QIcon&, const QString& heading,
                const QStringList&) override {
    asked.push_back({"about", title, heading});
  }
  Scripted Next(const QString& kind) {
    if (answers.empty() || answers.front().kind != kind) {
      ++unexpected;
      return {};
    }
    const Scripted next = answers.front();
    answers.pop_front();
    return next;
  }

  std::vector<Question> asked;
  std::deque<Scripted> answers;
  int unexpected = 0;
};

// A shown, active frame with scripted dialogs, and the user's actions on the
// newest document (sheet, its grid and editor). At the end every document is
// dropped without prompts, the user's locale is put back, and every scripted
// answer must have been used.
class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = std::make_unique<mdfMain>();
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
  }
  void TearDown() override {
    Flush();  // windows closed but not yet deleted go before the frame
    for (frmCars* window : frame->CarWindows()) window->SetChanged(false);
    frame.reset();
    Flush();
    QLocale::setDefault(QLocale::system());
    EXPECT_EQ(dialogs.unexpected, 0) << "a question came that the test did not script";
    EXPECT_TRUE(dialogs.answers.empty()) << "a scripted answer was never asked for";
  }

  // Runs a menu command as the user would (through its guard), then lets
  // windows closed by it end.
  void Trigger(const char* actionName) {
    QAction* action = frame->findChild<QAction*>(QLatin1String(actionName));
    ASSERT_NE(action, nullptr) << actionName;
    action->trigger();
    Flush();
  }
  frmCars* NewDocument() {
    Trigger("mnuFileNew");
    Use(frame->CarWindows().last());
    return sheet;
  }
  // Through File > Open; the newest window.
  frmCars* OpenDocument(const QString& path) {
    dialogs.ChooseFile(path);
    Trigger("mnuFileOpen");
    if (!frame->CarWindows().isEmpty()) Use(frame->CarWindows().last());
    return sheet;
  }
  void Use(frmCars* window) {
    sheet = window;
    grid = window->flexCars();
    editor = window->txtEdit();
  }
  QString Path(const QString& name) const { return folder.filePath(name); }
  QString WriteFile(const QString& name, const QByteArray& bytes) const {
    WriteFileBytes(Path(name), bytes);
    return Path(name);
  }
  static void Flush() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }

  const NycGciCar& Car(int row) const { return sheet->CarFile().Car(row); }
  // Stores a value in the document as one step of its history, then marks it saved.
  void Store(int row, int col, const LineValue& value) const {
    sheet->Document().SetCells({{row, col, value}}, [](std::int64_t) { return QString(); });
    sheet->SetChanged(false);
  }
  QStringList Texts(int row1, int col1, int row2, int col2) const {
    QStringList texts;
    for (int r = row1; r <= row2; ++r) {
      for (int c = col1; c <= col2; ++c) texts << sheet->GetCellText(r, c);
    }
    return texts;
  }
  // The current cell and the selection's other corner.
  QList<int> Cursor() const { return {grid->Row(), grid->Col(), grid->RowSel(), grid->ColSel()}; }
  QPoint Centre(int row, int col) const { return grid->CellRect(row, col).center(); }
  // The centre of a column's heading, in its header's viewport.
  QPoint Heading(int col) const {
    return {Centre(1, col).x(), grid->horizontalHeader()->height() / 2};
  }
  void Click(int row, int col, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, Centre(row, col));
  }
  // A click first, as a user's double click starts with one.
  void DoubleClick(int row, int col) {
    Click(row, col);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, Centre(row, col));
  }
  // Keys go where the focus is, as the user's would.
  static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  }
  static void Type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
  // Puts the text on the clipboard and presses Ctrl+V in the grid.
  void Paste(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
  }

  ScriptedDialogs dialogs;
  QTemporaryDir folder;
  std::unique_ptr<mdfMain> frame;
  frmCars* sheet = nullptr;
  CarGrid* grid = nullptr;
  CellEditor* editor = nullptr;
};

// The stock copy with some texts replaced (each first occurrence).
inline QByteArray StockWith(std::initializer_list<std::pair<const char*, const char*>> changes) {
  QByteArray content = NycGciCars::StockContent();
  for (const auto& [from, to] : changes) {
    const qsizetype at = content.indexOf(from);
    EXPECT_GE(at, 0) << from;
    if (at >= 0) content.replace(at, qsizetype(qstrlen(from)), to);
  }
  return content;
}
