#pragma once

#include <QHeaderView>

// The grid's row headings: two fixed columns side by side, the car's name and
// its model, the header data of the shown rows. Being a header, they stay in place when the grid scrolls
// sideways; a click on them selects the car's value cells, never the name or
// the model.
class CarRowHeader : public QHeaderView {
  Q_OBJECT

 public:
  explicit CarRowHeader(QWidget* parent = nullptr);

  int NameWidth() const { return nameWidth_; }
  int ModelWidth() const { return modelWidth_; }
  void SetFixedWidths(int nameWidth, int modelWidth);

  QSize sizeHint() const override;

  // Draws one heading cell the way the style draws header sections.
  static void PaintCell(const QWidget* widget, QPainter* painter, const QRect& rect,
                        const QString& text, Qt::Alignment alignment);

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

 private:
  int nameWidth_ = 0;
  int modelWidth_ = 0;
};
