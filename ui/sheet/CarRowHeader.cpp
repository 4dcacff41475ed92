#include "ui/sheet/CarRowHeader.h"

#include <QPainter>
#include <QStyleOptionHeader>

#include "ui/sheet/CarTableModel.h"

CarRowHeader::CarRowHeader(QWidget* parent) : QHeaderView(Qt::Vertical, parent) {
  // A click selects the car's value cells (the grid makes it so).
  setSectionsClickable(true);
  setHighlightSections(false);
  setSectionResizeMode(QHeaderView::Fixed);
}

void CarRowHeader::SetFixedWidths(int nameWidth, int modelWidth) {
  nameWidth_ = nameWidth;
  modelWidth_ = modelWidth;
  updateGeometry();
  viewport()->update();
}

QSize CarRowHeader::sizeHint() const {
  return QSize(nameWidth_ + modelWidth_, defaultSectionSize());
}

const CarTableModel* CarRowHeader::Cars() const {
  return qobject_cast<const CarTableModel*>(model());
}

void CarRowHeader::PaintCell(const QWidget* widget, QPainter* painter, const QRect& rect,
                             const QString& text, Qt::Alignment alignment) {
  QStyleOptionHeader option;
  option.initFrom(widget);
  option.rect = rect;
  option.text = text;
  option.textAlignment = alignment | Qt::AlignVCenter;
  option.position = QStyleOptionHeader::Middle;
  option.orientation = Qt::Vertical;
  painter->save();
  painter->setClipRect(rect);
  widget->style()->drawControl(QStyle::CE_Header, &option, painter, widget);
  painter->restore();
}

void CarRowHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
  const CarTableModel* cars = Cars();
  if (!cars || logicalIndex < 0 || logicalIndex >= cars->CarCount()) return;
  const int row = logicalIndex + CarTableModel::RowOffset;
  const QRect nameRect(rect.left(), rect.top(), nameWidth_, rect.height());
  const QRect modelRect(rect.left() + nameWidth_, rect.top(), rect.width() - nameWidth_,
                        rect.height());
  PaintCell(this, painter, nameRect, cars->CellText(row, 0), Qt::AlignLeft);
  PaintCell(this, painter, modelRect, cars->CellText(row, 1), Qt::AlignRight);
}
