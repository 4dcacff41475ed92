#include "helperlib/QtUserDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

UserDialogs::Answer QtUserDialogs::MessageBox(const QString& text, Buttons buttons, Icon icon,
                                              const QString& title) {
  QMessageBox::StandardButtons choices = QMessageBox::Ok;
  if (buttons == Buttons::YesNo) choices = QMessageBox::Yes | QMessageBox::No;
  if (buttons == Buttons::YesNoCancel) {
    choices = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  if (buttons == Buttons::YesNoDiscard) {
    choices = QMessageBox::Yes | QMessageBox::No | QMessageBox::Discard;
  }
  QMessageBox box(icon == Icon::Question ? QMessageBox::Question : QMessageBox::Warning, title,
                  text, choices, QApplication::activeWindow());
  if (buttons == Buttons::YesNo) box.setDefaultButton(QMessageBox::No);
  if (buttons == Buttons::YesNoDiscard) box.setDefaultButton(QMessageBox::Yes);
  switch (box.exec()) {
    case QMessageBox::Discard:
      return Answer::Discard;
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    case QMessageBox::Ok:
      return Answer::Ok;
    default:
      return Answer::Cancel;
  }
}

int QtUserDialogs::Choose(const QString& text, Icon icon, const QString& title,
                          const QStringList& choices, int defaultChoice) {
  QMessageBox box(icon == Icon::Question ? QMessageBox::Question : QMessageBox::Warning, title,
                  text, QMessageBox::NoButton, QApplication::activeWindow());
  QList<QPushButton*> buttons;
  for (const QString& choice : choices) buttons << box.addButton(choice, QMessageBox::AcceptRole);
  if (defaultChoice >= 0 && defaultChoice < buttons.size()) {
    box.setDefaultButton(buttons[defaultChoice]);
  }
  if (!buttons.isEmpty()) box.setEscapeButton(buttons.last());
  box.exec();
  return int(buttons.indexOf(qobject_cast<QPushButton*>(box.clickedButton())));
}

int QtUserDialogs::PickFromList(const QString& prompt, const QString& title,
                                const QStringList& items, const QString& otherButton) {
  QDialog dialog(QApplication::activeWindow());
  dialog.setWindowTitle(title);
  auto* layout = new QVBoxLayout(&dialog);
  auto* label = new QLabel(prompt, &dialog);
  auto* list = new QListWidget(&dialog);
  label->setBuddy(list);
  list->addItems(items);
  list->setCurrentRow(0);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QPushButton* other = buttons->addButton(otherButton, QDialogButtonBox::ActionRole);
  buttons->button(QDialogButtonBox::Ok)->setEnabled(!items.isEmpty());
  int result = -1;
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    result = list->currentRow();
    dialog.accept();
  });
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  QObject::connect(other, &QPushButton::clicked, &dialog, [&] {
    result = OtherChoice;
    dialog.accept();
  });
  QObject::connect(list, &QListWidget::itemActivated, &dialog, [&] {
    result = list->currentRow();
    dialog.accept();
  });
  layout->addWidget(label);
  layout->addWidget(list);
  layout->addWidget(buttons);
  list->setFocus();
  return dialog.exec() == QDialog::Accepted ? result : -1;
}

QString QtUserDialogs::InputBox(const QString& prompt, const QString& title,
                                const QString& defaultText) {
  bool ok = false;
  const QString text = QInputDialog::getText(QApplication::activeWindow(), title, prompt,
                                             QLineEdit::Normal, defaultText, &ok);
  return ok ? text : QString();
}

QString QtUserDialogs::QtFilter(const QString& pairs) {
  const QStringList parts = pairs.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString& description = parts[i];
    filters << (description.contains(QLatin1Char('('))
                    ? description
                    : description + QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')'));
  }
  return filters.join(QStringLiteral(";;"));
}

std::optional<QString> QtUserDialogs::AskFileName(const FileRequest& request) {
  QFileDialog dialog(QApplication::activeWindow());
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  if (!request.title.isEmpty()) dialog.setWindowTitle(request.title);
  dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setNameFilter(QtFilter(request.filter));
  QString suffix = request.defaultExt;
  if (suffix.startsWith(QLatin1Char('.'))) suffix.remove(0, 1);
  dialog.setDefaultSuffix(suffix);
  const QFileInfo proposed(request.fileName);
  if (proposed.isAbsolute()) dialog.setDirectory(proposed.absolutePath());
  dialog.selectFile(proposed.fileName());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

void QtUserDialogs::AboutBox(const QString& title, const QIcon& icon, const QString& heading,
                             const QStringList& lines) {
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(title);
  box.setWindowIcon(icon);
  box.setIconPixmap(icon.pixmap(64, 64));
  box.setText(heading);
  box.setInformativeText(lines.join(QLatin1Char('\n')));
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
}
