#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "base/TorqletError.h"
#include "ui/frame/mdfMain.h"

class frmCars;

// A shown frame with scripted dialogs. At the end every document is dropped
// without prompts, and every scripted answer must have been used.
class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs a menu command as the user would (through its guard).
  void Trigger(const char* actionName);
  // A new document from the stock copy, through File > New.
  frmCars* NewDocument();
  // Opens a file through File > Open; the newest window.
  frmCars* OpenDocument(const QString& path);
  frmCars* Newest() const;
  // Writes bytes to a file in the test's folder and returns its path.
  QString WriteFile(const char* name, const QByteArray& bytes) const;
  QString Path(const char* name) const;
  // Lets windows closed in the meantime end.
  static void Flush();

  ScriptedDialogs dialogs;
  QTemporaryDir folder;
  std::unique_ptr<mdfMain> frame;
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
