#include "core/SharedObjects.h"

#include <limits>
#include <memory>

#include "core/AppInfo.h"
#include "core/ErrorCodes.h"
#include "core/Errors.h"
#include "core/StatusDisplay.h"
#include "helperlib/FileDialog.h"

namespace {

// Stands in for the frame where there is none: keeps the caption, shows nothing.
class SilentDisplay final : public StatusDisplay {
 public:
  QString Caption() const override { return caption_; }
  void SetCaption(const QString& text) override { caption_ = text; }
  void SetProgressVisible(bool) override {}
  void SetProgressMax(float) override {}
  void SetProgressValue(float) override {}
  void Show() override {}

 private:
  QString caption_ = ApplicationTitle();
};

StatusDisplay* installedWindow = nullptr;
std::int32_t sheetSerial = 0;
std::unique_ptr<FileDialog> sharedDialog;
std::int32_t dialogUsers = 0;

}  // namespace

StatusDisplay& MainWindow() {
  static SilentDisplay silent;
  return installedWindow ? *installedWindow : silent;
}

void SetMainWindow(StatusDisplay* window) { installedWindow = window; }

std::int32_t SheetSerial() { return sheetSerial; }

void IncrementSheetSerial() {
  if (sheetSerial == std::numeric_limits<std::int32_t>::max()) RaiseRuntimeError(ErrOverflow);
  ++sheetSerial;
}

FileDialog& SharedOpenDialog() {
  if (!sharedDialog) {
    sharedDialog = std::make_unique<FileDialog>();
    sharedDialog->SetUpForCarFiles();
  }
  return *sharedDialog;
}

void TrackDialogUser(bool release) {
  const std::int64_t users = std::int64_t(dialogUsers) + (release ? -1 : 1);
  if (users < std::numeric_limits<std::int32_t>::min() ||
      users > std::numeric_limits<std::int32_t>::max()) {
    RaiseRuntimeError(ErrOverflow);
  }
  dialogUsers = static_cast<std::int32_t>(users);
  if (dialogUsers == 0) sharedDialog.reset();
}
