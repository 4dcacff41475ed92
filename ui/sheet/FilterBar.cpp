#include "ui/sheet/FilterBar.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

FilterBar::FilterBar(QWidget* parent)
    : QWidget(parent),
      name_(new QLineEdit(this)),
      column_(new QLabel(this)),
      condition_(new QLineEdit(this)),
      message_(new QLabel(this)) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 2, 4, 2);
  auto* nameLabel = new QLabel(tr("&Name contains:"), this);
  nameLabel->setBuddy(name_);
  column_->setBuddy(condition_);
  name_->setObjectName(QStringLiteral("txtFilterName"));
  condition_->setObjectName(QStringLiteral("txtFilterTerm"));
  condition_->setPlaceholderText(QStringLiteral("x > 150"));
  message_->setObjectName(QStringLiteral("lblFilterMessage"));
  message_->setStyleSheet(QStringLiteral("QLabel { color: #b00000; }"));
  layout->addWidget(nameLabel);
  layout->addWidget(name_, 1);
  layout->addWidget(column_);
  layout->addWidget(condition_, 1);
  layout->addWidget(message_, 2);
  for (QLineEdit* field : {name_, condition_}) {
    connect(field, &QLineEdit::returnPressed, this,
            [this] { emit Apply(name_->text(), condition_->text()); });
    connect(field, &QLineEdit::textEdited, message_, &QLabel::clear);
  }
  hide();
}

void FilterBar::Open(const QString& heading) {
  column_->setText(tr("&Condition on %1:").arg(heading));
  message_->clear();
  show();
  name_->setFocus(Qt::OtherFocusReason);
  name_->selectAll();
}

void FilterBar::Refuse(const QString& reason) {
  message_->setText(reason);
  QApplication::beep();
  condition_->setFocus(Qt::OtherFocusReason);
}

void FilterBar::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Escape) {
    QWidget::keyPressEvent(event);
    return;
  }
  hide();
  emit Closed();
}
