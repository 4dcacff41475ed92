#include "ui/frame/CommandGuard.h"

#include <QCoreApplication>

#include "base/ErrorReport.h"
#include "core/AppInfo.h"
#include "helperlib/GlobalFunctions.h"
#include "helperlib/UserDialogs.h"

void CommandGuard::Report(const std::exception* error) {
  const QString text =
      error ? ErrorReportText(*error) : QCoreApplication::translate("CommandGuard", "Error: unexpected failure");
  GlobalFunctions::Instance().DebugOutput(QStringLiteral("* Command failed: ") + text);
  UserDialogs::Current().MessageBox(text, UserDialogs::Buttons::Ok, UserDialogs::Icon::Exclamation,
                                    ApplicationTitle());
}

bool CommandGuard::Run(const std::function<void()>& command) {
  try {
    command();
    return true;
  } catch (const std::exception& error) {
    Report(&error);
  } catch (...) {
    Report(nullptr);
  }
  return false;
}
