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

bool DocumentMerge::Run(frmCars& window) {
  // One dialog for both questions, so that the second starts where the first
  // was answered.
  FileDialog dialog;
  dialog.SetUpForCarFiles();
  if (!window.FileName().isEmpty()) dialog.SetFileName(window.FileName());
  const std::unique_ptr<NycGciCars> base =
      AskCarFile(window, dialog, tr("Merge: the file both versions started from"));
  if (!base) return false;
  const std::unique_ptr<NycGciCars> theirs =
      AskCarFile(window, dialog, tr("Merge: the other version, whose changes come in"));
  if (!theirs) return false;
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
        {tr("&Keep this document's"), tr("&Take theirs"), tr("Cancel")}, 0);
    if (choice != 0 && choice != 1) return false;
    outcome =
        CarMerge::Merged(*base, document.CarFile(), *theirs,
                         choice == 0 ? CarMerge::Prefer::Ours : CarMerge::Prefer::Theirs, cars);
  }
  const QString step = outcome.changed == 1
                           ? tr("Merge 1 change from %1").arg(theirName)
                           : tr("Merge %1 changes from %2").arg(outcome.changed).arg(theirName);
  if (outcome.changed == 0 || !document.ReplaceCars(std::move(cars), step)) {
    UserDialogs::Current().MessageBox(
        tr("\"%1\" has no change that this document does not have already.").arg(theirName),
        UserDialogs::Buttons::Ok, UserDialogs::Icon::Exclamation, window.Caption());
    return false;
  }
  return true;
}
