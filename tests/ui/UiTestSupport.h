#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QHeaderView>
#include <QLocale>
#include <QMdiArea>
#include <QMenu>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "core/AppInfo.h"
#include "helperlib/Counter.h"
#include "model/CarDocument.h"
#include "model/NycGciCar.h"
#include "model/NycGciCars.h"
#include "ui/frame/MainMenus.h"
#include "ui/frame/mdfMain.h"
#include "ui/sheet/CarGrid.h"
#include "ui/sheet/CellEditor.h"
#include "ui/sheet/frmCars.h"

using Answer = UserDialogs::Answer;

// A shown, active frame with scripted dialogs, and the user's actions on the
// newest document (sheet, its grid and editor; sheet numbering). At the end
// every document is dropped without prompts, and every scripted answer must
// have been used.
class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs a menu command as the user would (through its guard), then lets
  // windows closed by it end.
  void Trigger(const char* actionName);
  frmCars* NewDocument();
  // Through File > Open; the newest window.
  frmCars* OpenDocument(const QString& path);
  void Use(frmCars* window);
  QString Path(const QString& name) const { return folder.filePath(name); }
  QString WriteFile(const QString& name, const QByteArray& bytes) const;
  static void Flush();

  NycGciCar& Car(int row) const { return sheet->CarFile().Car(row); }
  QStringList Texts(int row1, int col1, int row2, int col2) const;
  // The current cell and the selection's other corner.
  QList<int> Cursor() const { return {grid->Row(), grid->Col(), grid->RowSel(), grid->ColSel()}; }
  QPoint Centre(int row, int col) const { return grid->CellRect(row, col).center(); }
  // The centre of a column's heading and of a car's name, in their headers' viewports.
  QPoint Heading(int col) const;
  QPoint Name(int row) const;
  void Click(int row, int col, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, Centre(row, col));
  }
  // A click first, as a user's double click starts with one.
  void DoubleClick(int row, int col) {
    Click(row, col);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, Centre(row, col));
  }
  // Keys go where the focus is, as the user's would.
  static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {});
  static void Type(const QString& text);
  // Puts the text on the clipboard and presses Ctrl+V in the grid.
  void Paste(const QString& text);

  ScriptedDialogs dialogs;
  QTemporaryDir folder;
  std::unique_ptr<mdfMain> frame;
  frmCars* sheet = nullptr;
  CarGrid* grid = nullptr;
  CellEditor* editor = nullptr;
};

// Switches the user's locale for one scope.
class LocaleScope {
 public:
  explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
  ~LocaleScope() { QLocale::setDefault(QLocale::system()); }
  LocaleScope(const LocaleScope&) = delete;
  LocaleScope& operator=(const LocaleScope&) = delete;
};

// The stock copy with some texts replaced (each first occurrence).
QByteArray StockWith(std::initializer_list<std::pair<const char*, const char*>> replacements);
