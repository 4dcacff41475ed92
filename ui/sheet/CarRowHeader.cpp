#include "ui/sheet/CarRowHeader.h"

#include <QPainter>
#include <QStyleOptionHeader>

#include "model/CarTableModel.h"

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
  if (!model() || logicalIndex < 0 || logicalIndex >= model()->rowCount()) return;
  const auto text = [this, logicalIndex](int role) {
    return model()->headerData(logicalIndex, Qt::Vertical, role).toString();
  };
  const QRect nameRect(rect.left(), rect.top(), nameWidth_, rect.height());
  const QRect modelRect(rect.left() + nameWidth_, rect.top(), rect.width() - nameWidth_,
                        rect.height());
  PaintCell(this, painter, nameRect, text(Qt::DisplayRole), Qt::AlignLeft);
  // A car that only this side of a comparison has.
  const QVariant mark = model()->headerData(logicalIndex, Qt::Vertical, Qt::BackgroundRole);
  if (mark.isValid()) painter->fillRect(nameRect, mark.value<QColor>());
  PaintCell(this, painter, modelRect, text(CarTableModel::ModelRole), Qt::AlignRight);
}
