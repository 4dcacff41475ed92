#include "ui/frame/SharedOpenDialog.h"

#include <cstdint>
#include <limits>
#include <memory>

#include "base/RuntimeErrors.h"
#include "helperlib/FileDialog.h"

namespace {
std::unique_ptr<FileDialog> sharedDialog;
std::int32_t dialogUsers = 0;
}  // namespace

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
