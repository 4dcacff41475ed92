#include "ui/sheet/CarGridCorner.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/sheet/CarRowHeader.h"
#include "model/CarTableModel.h"

CarGridCorner::CarGridCorner(const CarRowHeader& rows, const CarTableModel& cars, QWidget* parent)
    : QWidget(parent), rows_(rows), cars_(cars) {}

void CarGridCorner::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit Clicked();
  event->accept();
}

void CarGridCorner::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int nameWidth = rows_.NameWidth();
  CarRowHeader::PaintCell(this, &painter, QRect(0, 0, nameWidth, height()), QString(),
                          Qt::AlignLeft);
  const QString heading = cars_.CarCount() > 0 ? cars_.CellText(0, 1) : QString();
  CarRowHeader::PaintCell(this, &painter, QRect(nameWidth, 0, width() - nameWidth, height()),
                          heading, Qt::AlignLeft);
}
