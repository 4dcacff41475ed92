#pragma once

#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QLabel;
class QStatusBar;
class frmCars;

// The frame's status bar: the current car and column ("Romero · mass"), the
// number of selected cells, for the numbers among them their sum, average,
// smallest and largest value in the user's locale, and while a filter is on
// how many cars are shown. It follows the active car sheet; changes of the
// selection and the values are gathered for DelayMilliseconds before it is
// worked out again, so that moving through a large sheet never waits for it.
class StatusLine : public QObject {
  Q_OBJECT

 public:
  static constexpr int DelayMilliseconds = 50;

  explicit StatusLine(QStatusBar& bar);

  // The sheet to describe, or none.
  void Follow(frmCars* window);
  // Works the texts out now.
  void Update();

  QLabel* lblPosition() const { return position_; }
  QLabel* lblSelection() const { return selection_; }
  QLabel* lblFigures() const { return figures_; }
  QLabel* lblShown() const { return shown_; }

 private:
  void Schedule();

  QLabel* position_;
  QLabel* selection_;
  QLabel* figures_;
  QLabel* shown_;
  // The sheet followed; the guard turns null as soon as it starts to go.
  frmCars* window_ = nullptr;
  QPointer<QObject> guard_;
  QList<QMetaObject::Connection> followed_;
  QTimer delay_;
};
