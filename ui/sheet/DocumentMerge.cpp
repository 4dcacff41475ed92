#include "ui/sheet/DocumentMerge.h"

#include <QFileInfo>
#include <memory>

#include "helperlib/FileDialog.h"
#include "helperlib/UserDialogs.h"
#include "model/CarDocument.h"
#include "model/CarMerge.h"
#include "model/NycGciCars.h"
#include "ui/sheet/frmCars.h"

namespace {

// Conflicts listed in the message; the rest are counted.
constexpr int ListedConflicts = 15;

// Asks for a car file; null when the user cancels or it does not open.
std::unique_ptr<NycGciCars> AskCarFile(frmCars& window, FileDialog& dialog, const QString& title) {
  dialog.SetTitle(title);
  dialog.ShowOpen();
  if (dialog.Cancelled()) return nullptr;
  auto file = std::make_unique<NycGciCars>();
  try {
    file->LoadFile(dialog.FileName());
  } catch (const std::exception& error) {
    window.ReportOpenFailure(dialog.FileName(), error);
    return nullptr;
  }
  return file;
}

}  // namespace

QString DocumentMerge::ConflictText(const QByteArray& conflict) {
  const QList<QByteArray> f = conflict.split('\t');
  if (f.size() != 5) return QString::fromLatin1(conflict);
  const auto side = [](const QByteArray& what) {
    return what == "removed" ? tr("removed") : what == "changed" ? tr("changed") : tr("added");
  };
  const QString car = QString::fromLatin1(f[0]);
  if (f[1].isEmpty()) {
    return tr("%1: here %2, there %3").arg(car, side(f[3]), side(f[4]));
  }
  return tr("%1, %2: was %3, here %4, there %5")
      .arg(car, QString::fromLatin1(f[1]), QString::fromLatin1(f[2]), QString::fromLatin1(f[3]),
           QString::fromLatin1(f[4]));
}

DocumentMerge::Result DocumentMerge::Run(frmCars& window) {
  // One dialog for both questions, so that the second starts where the first
  // was answered.
  FileDialog dialog;
  dialog.SetUpForCarFiles();
  if (!window.FileName().isEmpty()) dialog.SetFileName(window.FileName());
  const std::unique_ptr<NycGciCars> base =
      AskCarFile(window, dialog, tr("Merge: the file both versions started from"));
  if (!base) return {};
  const std::unique_ptr<NycGciCars> theirs =
      AskCarFile(window, dialog, tr("Merge: the other version, whose changes come in"));
  if (!theirs) return {};
  Result result;
  const QString theirName = QFileInfo(dialog.FileName()).fileName();

  CarDocument& document = window.Document();
  CarDocument::Cars cars;
  CarMerge::Outcome outcome =
      CarMerge::Merged(*base, document.CarFile(), *theirs, CarMerge::Prefer::Neither, cars);
  if (!outcome.conflicts.isEmpty()) {
    QStringList lines;
    for (int i = 0; i < outcome.conflicts.size() && i < ListedConflicts; ++i) {
      lines << ConflictText(outcome.conflicts[i]);
    }
    if (outcome.conflicts.size() > ListedConflicts) {
      lines << tr("and %1 more").arg(outcome.conflicts.size() - ListedConflicts);
    }
    const qsizetype count = outcome.conflicts.size();
    const int choice = UserDialogs::Current().Choose(
        (count == 1 ? tr("A value or car was changed both here and in \"%1\":").arg(theirName)
                    : tr("%1 values or cars were changed both here and in \"%2\":")
                          .arg(count)
                          .arg(theirName)) +
            QStringLiteral("\r\n\r\n") + lines.join(QStringLiteral("\r\n")) +
            QStringLiteral("\r\n\r\n") + tr("Which side decides them?"),
        UserDialogs::Icon::Question, window.Caption(),
        {tr("&Keep this document's"), tr("&Take theirs"), tr("Keep this document's and co&mpare"),
         tr("Cancel")},
        0);
    if (choice < 0 || choice > 2) return {};
    // Compared with THEIRS, the values kept here are marked as differences.
    if (choice == 2) result.compareWith = dialog.FileName();
    outcome =
        CarMerge::Merged(*base, document.CarFile(), *theirs,
                         choice == 1 ? CarMerge::Prefer::Theirs : CarMerge::Prefer::Ours, cars);
  }
  const QString step = outcome.changed == 1
                           ? tr("Merge 1 change from %1").arg(theirName)
                           : tr("Merge %1 changes from %2").arg(outcome.changed).arg(theirName);
  if (outcome.changed > 0 && document.ReplaceCars(std::move(cars), step)) {
    result.merged = true;
  } else if (result.compareWith.isEmpty()) {
    UserDialogs::Current().MessageBox(
        tr("\"%1\" has no change that this document does not have already.").arg(theirName),
        UserDialogs::Buttons::Ok, UserDialogs::Icon::Exclamation, window.Caption());
  }
  return result;
}
