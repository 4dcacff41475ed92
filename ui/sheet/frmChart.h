#pragma once

#include <QImage>
#include <QMdiSubWindow>
#include <QPointer>
#include <vector>

#include "model/ChartSeries.h"

class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QPushButton;
class QTimer;
class frmCars;

// A chart window of a car sheet: the bars of one value column for the cars
// as the sheet shows them (sorted and filtered as it is), the selected cars'
// bars highlighted, or a scatter of that column against a second one. With
// more cars than ChartSeries::MaxBars the bars become the band from each
// run's lowest to its highest value. The chart is drawn again once after
// each step of the document, change of the view or of the selection (never
// once per cell). Clicking a bar or a point, or the arrow keys in the chart,
// make that car the sheet's current row. The chart can be saved as PNG or
// SVG and copied as an image. It closes with its sheet and never asks to be
// saved.
class frmChart : public QMdiSubWindow {
  Q_OBJECT

 public:
  enum class Kind { Bars, Scatter };

  frmChart(frmCars& sheet, Kind kind, int col, QWidget* parent = nullptr);

  frmCars* Sheet() const { return sheet_; }
  Kind ChartKind() const;
  void SetChartKind(Kind kind);
  // Sheet value columns: the bars' column (the scatter's vertical axis) and
  // the scatter's horizontal axis.
  int Column() const;
  void SetColumn(int col);
  int SecondColumn() const;
  void SetSecondColumn(int col);

  // What the chart shows now, and how often it was drawn.
  const std::vector<ChartSeries::Run>& Runs() const { return runs_; }
  const std::vector<ChartSeries::Point>& Points() const { return points_; }
  int Redraws() const { return redraws_; }
  // Makes a car of a run (its highest or its lowest value) or the car of a
  // point the sheet's current cell, in the chart's column.
  void ChooseRun(int index, bool high);
  void ChoosePoint(int index);
  // The tooltip at a place of the chart view's viewport: the car of the bar
  // or the nearest point there with its values, or a band's run of cars.
  QString TipAt(const QPoint& at) const;

  // The chart as drawn, at the view's size.
  QImage Image() const;
  // Asks for a file name and saves the chart there: SVG for a name ending in
  // ".svg", else PNG. A failure is reported and leaves no partial file.
  void SaveImage();
  // Writes the chart to a file; the reason when it cannot, else empty.
  QString WriteImage(const QString& fileName) const;
  void CopyImage() const;

  QChartView* chartView() const { return view_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowChoices();
  void ScheduleRedraw();
  void Redraw();
  void DrawBars(QChart& chart);
  void DrawBand(QChart& chart);
  void DrawPoints(QChart& chart);
  void LabelCars(QChart& chart, int runs);
  void ShowTitle();
  void SelectRow(int row);
  QString Heading(int col) const;
  QString CarName(int row) const;
  QString CellText(int row, int col) const;

  QPointer<frmCars> sheet_;
  QComboBox* cboKind_;
  QComboBox* cboColumn_;
  QLabel* lblSecond_;
  QComboBox* cboSecond_;
  QPushButton* cmdSaveImage_;
  QPushButton* cmdCopyImage_;
  QChartView* view_;
  QTimer* redraw_;
  std::vector<ChartSeries::Run> runs_;
  std::vector<ChartSeries::Point> points_;
  int redraws_ = 0;
};
