#pragma once

#include <QWidget>

class CarRowHeader;
class CarTableModel;

// The grid's top-left corner above the row headings: an empty cell over the
// names and the model heading over the models. A click on it is reported, to
// select every value cell.
class CarGridCorner : public QWidget {
  Q_OBJECT

 public:
  CarGridCorner(const CarRowHeader& rows, const CarTableModel& cars, QWidget* parent);

 signals:
  void Clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  const CarRowHeader& rows_;
  const CarTableModel& cars_;
};
