#pragma once

#include <QWidget>

class CarRowHeader;
class CarTableModel;

// The grid's top-left corner above the row headings: an empty cell over the
// names and the model heading over the models. It takes no clicks, so it
// never selects the whole grid.
class CarGridCorner : public QWidget {
  Q_OBJECT

 public:
  CarGridCorner(const CarRowHeader& rows, const CarTableModel& cars, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const CarRowHeader& rows_;
  const CarTableModel& cars_;
};
