#include "helperlib/UserDialogs.h"

#include "helperlib/GlobalFunctions.h"

namespace {

// Stands in where no windows exist: every question is cancelled.
class CancellingDialogs final : public UserDialogs {
 public:
  Answer MessageBox(const QString& text, Buttons buttons, Icon, const QString&) override {
    GlobalFunctions::Instance().DebugOutput(QStringLiteral("* Unanswered message: ") + text);
    return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
  }
  int PickFromList(const QString&, const QString&, const QStringList&, const QString&) override {
    return -1;
  }
  int Choose(const QString& text, Icon, const QString&, const QStringList&, int) override {
    GlobalFunctions::Instance().DebugOutput(QStringLiteral("* Unanswered message: ") + text);
    return -1;
  }
  QString InputBox(const QString&, const QString&, const QString&) override { return QString(); }
  std::optional<QString> AskFileName(const FileRequest&) override { return std::nullopt; }
  void AboutBox(const QString&, const QIcon&, const QString& heading, const QStringList&) override {
    GlobalFunctions::Instance().DebugOutput(QStringLiteral("* Unshown about box: ") + heading);
  }
};

UserDialogs* installed = nullptr;

}  // namespace

UserDialogs& UserDialogs::Current() {
  static CancellingDialogs cancelling;
  return installed ? *installed : cancelling;
}

void UserDialogs::Install(UserDialogs* dialogs) { installed = dialogs; }
