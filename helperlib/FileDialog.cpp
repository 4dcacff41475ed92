#include "helperlib/FileDialog.h"

#include "helperlib/UserDialogs.h"

void FileDialog::SetUpForCarFiles() {
  SetDefaultExt(QStringLiteral(".gci"));
  SetFileName(QStringLiteral("nyc.gci"));
  SetFilter(QStringLiteral("'.gci'-Dateien (*.gci)|*.gci"));
}

void FileDialog::Show(bool save) {
  const UserDialogs::FileRequest request{save, fileName_, filter_, defaultExt_, title_};
  const std::optional<QString> chosen = UserDialogs::Current().AskFileName(request);
  cancelled_ = !chosen.has_value();
  if (chosen) fileName_ = *chosen;
}
