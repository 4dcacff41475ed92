#include "ui/frame/EditRecovery.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "base/ErrorReport.h"
#include "core/AppInfo.h"
#include "helperlib/UserDialogs.h"
#include "model/JournalRecovery.h"
#include "model/NycGciCars.h"
#include "model/RecoveryJournal.h"
#include "ui/frame/mdfMain.h"
#include "ui/sheet/frmCars.h"

namespace {

void Tell(const QString& text, const QString& title) {
  UserDialogs::Current().MessageBox(text, UserDialogs::Buttons::Ok, UserDialogs::Icon::Exclamation,
                                    title);
}

// At most this many missing cars are named; the rest are counted.
constexpr int NamedCars = 20;

QString CarList(QStringList names) {
  const qsizetype more = names.size() - NamedCars;
  if (more > 0) names.resize(NamedCars);
  QString list = names.join(QStringLiteral(", "));
  if (more > 0) list += QCoreApplication::translate("EditRecovery", " and %1 more").arg(more);
  return list;
}

// Opens the journal's document and applies its edits; true when a window
// holds them, after which the journal has done its work.
bool Recover(mdfMain& frame, const QString& path, const JournalText::Content& content) {
  const QString title = ApplicationTitle();
  if (!content.fileName.isEmpty() && !QFileInfo::exists(content.fileName)) {
    Tell(QCoreApplication::translate(
             "EditRecovery",
             "The file \"%1\", whose unsaved edits the recovery journal \"%2\" holds, no longer "
             "exists. The journal is kept.")
             .arg(content.fileName, path),
         title);
    return false;
  }
  frmCars* window = frame.NewCarWindow();
  if (content.fileName.isEmpty()) {
    window->NewFile();
  } else if (!window->OpenFile(content.fileName)) {
    return false;  // reported; the journal stays for another try
  }
  JournalRecovery::Outcome outcome;
  try {
    outcome = JournalRecovery::Apply(
        window->Document(), content,
        QCoreApplication::translate("EditRecovery", "Recover unsaved edits"));
  } catch (const std::exception& error) {
    window->close();
    Tell(QCoreApplication::translate(
             "EditRecovery",
             "The edits of the recovery journal \"%1\" cannot be applied.\r\n%2\r\nThe journal is "
             "kept.")
             .arg(path, ErrorReportText(error)),
         title);
    return false;
  }
  // The edits are safe in the window's own journal before the old one goes.
  window->Journal().WriteNow();
  if (outcome.byName) {
    QString text =
        QCoreApplication::translate(
            "EditRecovery",
            "The file \"%1\" was changed since its edits were recorded; they were "
            "applied by car name and column.")
            .arg(content.fileName.isEmpty() ? window->CarFile().FileTitle() : content.fileName);
    if (!outcome.missingCars.isEmpty()) {
      text += QStringLiteral("\r\n") +
              QCoreApplication::translate(
                  "EditRecovery",
                  "These cars are no longer in the file, and their edits were not applied: %1")
                  .arg(CarList(outcome.missingCars));
    }
    Tell(text, window->Caption());
  }
  return true;
}

}  // namespace

bool EditRecovery::Offer(mdfMain& frame, const QString& folder) {
  JournalRecovery journals(folder);
  const int count = journals.Count();
  if (count == 0) return false;
  const UserDialogs::Answer answer = UserDialogs::Current().MessageBox(
      count == 1 ? QCoreApplication::translate(
                       "EditRecovery",
                       "Torqlet was not closed properly. Recover the unsaved edits of 1 document?")
                 : QCoreApplication::translate(
                       "EditRecovery",
                       "Torqlet was not closed properly. Recover the unsaved edits of %1 "
                       "documents?")
                       .arg(count),
      UserDialogs::Buttons::YesNoDiscard, UserDialogs::Icon::Question, ApplicationTitle());
  if (answer == UserDialogs::Answer::Discard) {
    for (int i = 0; i < count; ++i) journals.Discard(i);
    return false;
  }
  if (answer != UserDialogs::Answer::Yes) return false;
  bool opened = false;
  for (int i = 0; i < count; ++i) {
    QString fault;
    const std::optional<JournalText::Content> content = journals.Read(i, fault);
    if (!content) {
      Tell(QCoreApplication::translate(
               "EditRecovery",
               "The recovery journal \"%1\" cannot be read: %2. It is kept, and nothing of it was "
               "applied.")
               .arg(journals.Path(i), fault),
           ApplicationTitle());
      continue;
    }
    if (Recover(frame, journals.Path(i), *content)) {
      opened = true;
      journals.Discard(i);
    }
  }
  return opened;
}
