#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

// The bar above a sheet's grid that filters its cars, as a find bar does: a
// part of the name and a condition, a term in x on one column. Enter in
// either field asks for the filter; Escape closes the bar, which leaves the
// filter as it is. A refused condition is shown in the bar, with a beep.
class FilterBar : public QWidget {
  Q_OBJECT

 public:
  explicit FilterBar(QWidget* parent = nullptr);

  // Shows the bar for a condition on the column of this heading, the name
  // field focused.
  void Open(const QString& heading);
  void Refuse(const QString& reason);

  QLineEdit* txtFilterName() const { return name_; }
  QLineEdit* txtFilterTerm() const { return condition_; }
  QLabel* lblFilterMessage() const { return message_; }

 signals:
  void Apply(const QString& name, const QString& condition);
  void Closed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QLineEdit* name_;
  QLabel* column_;
  QLineEdit* condition_;
  QLabel* message_;
};
