#include "ui/sheet/frmChart.h"

#include <QAreaSeries>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineSeries>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QScatterSeries>
#include <QSet>
#include <QSvgGenerator>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "helperlib/UserDialogs.h"
#include "model/CarDocument.h"
#include "model/CarSortFilterModel.h"
#include "model/CarTableModel.h"
#include "model/ColumnTable.h"
#include "ui/sheet/CarGrid.h"
#include "ui/sheet/frmCars.h"

namespace {

// Readable on a light and on a dark background alike.
const QColor BarColor(127, 143, 166);
const QColor SelectedColor(242, 142, 43);
const QColor PointColor(78, 121, 167);
// Names on the car axis are cut to this many characters.
constexpr int LabelCharacters = 18;

QComboBox* ColumnChooser(const QStringList& headings, QWidget* parent) {
  auto* chooser = new QComboBox(parent);
  chooser->addItems(headings);
  chooser->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  chooser->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  return chooser;
}

QLabel* BuddyLabel(const QString& text, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(buddy);
  return label;
}

}  // namespace

frmChart::frmChart(frmCars& sheet, Kind kind, int col, QWidget* parent)
    : QMdiSubWindow(parent), sheet_(&sheet) {
  setAttribute(Qt::WA_DeleteOnClose);
  auto* body = new QWidget(this);
  QStringList headings;
  for (int c = ColumnTable::FixedColumnCount; c < ColumnTable::ColumnCount; ++c) {
    headings << Heading(c);
  }
  cboKind_ = new QComboBox(body);
  cboKind_->setObjectName(QStringLiteral("cboKind"));
  cboKind_->addItems({tr("Bars of one column"), tr("Scatter of two columns")});
  cboKind_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  cboKind_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  cboColumn_ = ColumnChooser(headings, body);
  cboColumn_->setObjectName(QStringLiteral("cboColumn"));
  cboSecond_ = ColumnChooser(headings, body);
  cboSecond_->setObjectName(QStringLiteral("cboSecond"));
  lblSecond_ = BuddyLabel(tr("&against:"), cboSecond_, body);
  cmdSaveImage_ = new QPushButton(tr("&Save image..."), body);
  cmdSaveImage_->setObjectName(QStringLiteral("cmdSaveImage"));
  cmdCopyImage_ = new QPushButton(tr("Co&py image"), body);
  cmdCopyImage_->setObjectName(QStringLiteral("cmdCopyImage"));
  view_ = new QChartView(body);
  view_->setObjectName(QStringLiteral("chartView"));
  view_->setRenderHint(QPainter::Antialiasing);
  view_->setFocusPolicy(Qt::StrongFocus);
  view_->installEventFilter(this);
  view_->viewport()->installEventFilter(this);

  auto* choices = new QHBoxLayout;
  choices->addWidget(BuddyLabel(tr("&Kind:"), cboKind_, body));
  choices->addWidget(cboKind_);
  choices->addWidget(BuddyLabel(tr("&Column:"), cboColumn_, body));
  choices->addWidget(cboColumn_);
  choices->addWidget(lblSecond_);
  choices->addWidget(cboSecond_);
  choices->addStretch(1);
  choices->addWidget(cmdSaveImage_);
  choices->addWidget(cmdCopyImage_);
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addLayout(choices);
  layout->addWidget(view_, 1);
  setWidget(body);
  setFocusProxy(view_);

  // Everything that changes what is drawn asks for one redraw when events
  // next run, however many cells or rows it touched.
  redraw_ = new QTimer(this);
  redraw_->setSingleShot(true);
  redraw_->setInterval(0);
  connect(redraw_, &QTimer::timeout, this, &frmChart::Redraw);
  const CarDocument& document = sheet.Document();
  connect(&document, &CarDocument::CellsChanged, this, &frmChart::ScheduleRedraw);
  connect(&document, &CarDocument::Reloaded, this, &frmChart::ScheduleRedraw);
  connect(&document, &CarDocument::CarsReplaced, this, &frmChart::ScheduleRedraw);
  const CarSortFilterModel& shown = sheet.Shown();
  connect(&shown, &QAbstractItemModel::layoutChanged, this, &frmChart::ScheduleRedraw);
  connect(&shown, &QAbstractItemModel::modelReset, this, &frmChart::ScheduleRedraw);
  connect(&shown, &QAbstractItemModel::rowsInserted, this, &frmChart::ScheduleRedraw);
  connect(&shown, &QAbstractItemModel::rowsRemoved, this, &frmChart::ScheduleRedraw);
  const QItemSelectionModel* selection = sheet.flexCars()->selectionModel();
  connect(selection, &QItemSelectionModel::selectionChanged, this, &frmChart::ScheduleRedraw);
  connect(selection, &QItemSelectionModel::currentChanged, this, &frmChart::ScheduleRedraw);
  connect(&sheet, &QWidget::windowTitleChanged, this, &frmChart::ShowTitle);
  // The chart belongs to its sheet: it goes when the sheet goes.
  connect(&sheet, &QObject::destroyed, this, [this] {
    hide();
    deleteLater();
  });
  for (QComboBox* chooser : {cboKind_, cboColumn_, cboSecond_}) {
    connect(chooser, &QComboBox::currentIndexChanged, this, &frmChart::ShowChoices);
  }
  connect(cmdSaveImage_, &QPushButton::clicked, this, &frmChart::SaveImage);
  connect(cmdCopyImage_, &QPushButton::clicked, this, &frmChart::CopyImage);

  const QSignalBlocker blockKind(cboKind_), blockColumn(cboColumn_), blockSecond(cboSecond_);
  SetChartKind(kind);
  SetColumn(col);
  // The scatter's other axis starts at the next column.
  SetSecondColumn(col + 1 < ColumnTable::ColumnCount ? col + 1 : col - 1);
  ShowChoices();
}

// The second column is offered for a scatter only; the title names what is drawn.
void frmChart::ShowChoices() {
  lblSecond_->setVisible(ChartKind() == Kind::Scatter);
  cboSecond_->setVisible(ChartKind() == Kind::Scatter);
  ShowTitle();
  Redraw();
}

frmChart::Kind frmChart::ChartKind() const {
  return cboKind_->currentIndex() == 1 ? Kind::Scatter : Kind::Bars;
}

void frmChart::SetChartKind(Kind kind) { cboKind_->setCurrentIndex(kind == Kind::Scatter); }

int frmChart::Column() const { return cboColumn_->currentIndex() + ColumnTable::FixedColumnCount; }

void frmChart::SetColumn(int col) {
  cboColumn_->setCurrentIndex(col - ColumnTable::FixedColumnCount);
}

int frmChart::SecondColumn() const {
  return cboSecond_->currentIndex() + ColumnTable::FixedColumnCount;
}

void frmChart::SetSecondColumn(int col) {
  cboSecond_->setCurrentIndex(col - ColumnTable::FixedColumnCount);
}

QString frmChart::Heading(int col) const {
  return sheet_->Shown()
      .Cars()
      .headerData(col - CarTableModel::ColumnOffset, Qt::Horizontal, Qt::DisplayRole)
      .toString();
}

QString frmChart::CarName(int row) const { return CellText(row, ColumnTable::NameColumn); }

QString frmChart::CellText(int row, int col) const {
  return sheet_->Shown().Cars().CellText(sheet_->Shown().CarOfRow(row), col);
}

void frmChart::ShowTitle() {
  if (!sheet_) return;
  const QString sheetCaption = sheet_->Caption();
  setWindowTitle(ChartKind() == Kind::Bars
                     ? tr("Chart: %1 - %2").arg(sheetCaption, Heading(Column()))
                     : tr("Scatter: %1 - %2 against %3")
                           .arg(sheetCaption, Heading(Column()), Heading(SecondColumn())));
  // Screen readers name the chart after what it shows.
  view_->setAccessibleName(windowTitle());
}

void frmChart::ScheduleRedraw() { redraw_->start(); }

void frmChart::Redraw() {
  redraw_->stop();
  if (!sheet_) return;
  ++redraws_;
  auto* chart = new QChart;
  const bool dark = palette().color(QPalette::Window).lightness() < 128;
  chart->setTheme(dark ? QChart::ChartThemeDark : QChart::ChartThemeLight);
  chart->legend()->hide();
  // Axis numbers as the sheet shows numbers: with the user's decimal sign.
  chart->setLocale(QLocale());
  chart->setLocalizeNumbers(true);
  runs_.clear();
  points_.clear();
  const CarGrid& grid = *sheet_->flexCars();
  const int top = std::min(grid.Row(), grid.RowSel());
  const int bottom = std::max(grid.Row(), grid.RowSel());
  if (ChartKind() == Kind::Bars) {
    runs_ = ChartSeries::Bars(sheet_->Shown(), Column(), top, bottom);
    const bool decimated = std::any_of(runs_.begin(), runs_.end(),
                                       [](const auto& run) { return run.lastRow > run.firstRow; });
    if (decimated) {
      DrawBand(*chart);
    } else {
      DrawBars(*chart);
    }
  } else {
    points_ = ChartSeries::Points(sheet_->Shown(), SecondColumn(), Column(), top, bottom);
    DrawPoints(*chart);
  }
  QChart* old = view_->chart();
  view_->setChart(chart);
  delete old;
}

namespace {

QValueAxis* ValueAxis(QChart& chart, Qt::Alignment side, const QString& title, double low,
                      double high) {
  auto* axis = new QValueAxis;
  axis->setTitleText(title);
  if (!(high > low)) high = low + 1;
  axis->setRange(low, high);
  axis->applyNiceNumbers();
  chart.addAxis(axis, side);
  return axis;
}

// The runs' value range; for bars it includes zero, where they start.
std::pair<double, double> RangeOf(const std::vector<ChartSeries::Run>& runs, bool fromZero) {
  double low = fromZero ? 0 : HUGE_VAL, high = fromZero ? 0 : -HUGE_VAL;
  for (const ChartSeries::Run& run : runs) {
    low = std::min(low, run.low);
    high = std::max(high, run.high);
  }
  return runs.empty() ? std::pair(0.0, 1.0) : std::pair(low, high);
}

}  // namespace

void frmChart::DrawBars(QChart& chart) {
  auto* set = new QBarSet(Heading(Column()));
  QList<qreal> values;
  QList<int> selected;
  for (std::size_t i = 0; i < runs_.size(); ++i) {
    values << runs_[i].high;
    if (runs_[i].selected) selected << int(i);
  }
  set->append(values);
  set->setColor(BarColor);
  set->setBorderColor(BarColor);
  set->setSelectedColor(SelectedColor);
  set->selectBars(selected);
  auto* series = new QBarSeries;
  series->append(set);
  series->setBarWidth(0.8);
  chart.addSeries(series);
  LabelCars(chart, int(runs_.size()));
  const auto [low, high] = RangeOf(runs_, true);
  series->attachAxis(chart.axes(Qt::Horizontal).constFirst());
  series->attachAxis(ValueAxis(chart, Qt::AlignLeft, Heading(Column()), low, high));
  connect(series, &QBarSeries::clicked, this, [this](int index) { ChooseRun(index, true); });
}

// Many cars: the band from each run's lowest to its highest value, the runs
// that hold selected cars over it in the selection's colour.
void frmChart::DrawBand(QChart& chart) {
  const auto band = [&](bool selectedOnly, const QColor& color) {
    auto* upper = new QLineSeries;
    auto* lower = new QLineSeries;
    QList<QPointF> highs, lows;
    for (std::size_t i = 0; i < runs_.size(); ++i) {
      if (selectedOnly && !runs_[i].selected) continue;
      // A run covers its place from half a step before to half a step after.
      for (double x : {double(i) - 0.4, double(i) + 0.4}) {
        highs << QPointF(x, runs_[i].high);
        lows << QPointF(x, runs_[i].low);
      }
    }
    upper->replace(highs);
    lower->replace(lows);
    auto* area = new QAreaSeries(upper, lower);
    area->setColor(color);
    area->setBorderColor(color);
    chart.addSeries(area);
    connect(area, &QAreaSeries::clicked, this, [this](const QPointF& point) {
      const auto index = std::size_t(std::lround(point.x()));
      if (index >= runs_.size()) return;
      const ChartSeries::Run& run = runs_[index];
      ChooseRun(int(index), std::abs(point.y() - run.high) <= std::abs(point.y() - run.low));
    });
    return area;
  };
  QAreaSeries* all = band(false, BarColor);
  QAreaSeries* chosen = band(true, SelectedColor);
  LabelCars(chart, int(runs_.size()));
  const auto [low, high] = RangeOf(runs_, false);
  QValueAxis* values = ValueAxis(chart, Qt::AlignLeft, Heading(Column()), low, high);
  for (QAreaSeries* area : {all, chosen}) {
    area->attachAxis(chart.axes(Qt::Horizontal).constFirst());
    area->attachAxis(values);
  }
}

// The car axis: as many names (cut short) as fit side by side, turned upright,
// each at its bar; the title says how many cars there are and, when a bar
// stands for several, how many.
void frmChart::LabelCars(QChart& chart, int runs) {
  auto* axis = new QCategoryAxis;
  axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  axis->setLabelsAngle(-90);
  axis->setGridLineVisible(false);
  axis->setTruncateLabels(false);
  axis->setRange(-0.5, std::max(runs, 1) - 0.5);
  const int pitch = view_->fontMetrics().height() + 4;
  const int fit = std::max(1, (view_->width() - 100) / pitch);
  const int step = std::max(1, (runs + fit - 1) / fit);
  QSet<QString> used;
  for (int i = 0; i < runs; i += step) {
    const ChartSeries::Run& run = runs_[std::size_t(i)];
    QString label =
        view_->fontMetrics().elidedText(CarName(run.firstRow), Qt::ElideRight,
                                        view_->fontMetrics().averageCharWidth() * LabelCharacters);
    // The axis takes each label once: namesakes get an invisible difference.
    while (used.contains(label)) label += QChar(0x200B);
    used.insert(label);
    axis->append(label, i);
  }
  const int cars = sheet_->Shown().ShownCount();
  axis->setTitleText(runs < cars
                         ? tr("%1 cars in the shown order; each band: lowest to highest of %2 cars")
                               .arg(cars)
                               .arg(cars / std::max(runs, 1))
                         : tr("Cars in the shown order: %1").arg(cars));
  chart.addAxis(axis, Qt::AlignBottom);
}

void frmChart::DrawPoints(QChart& chart) {
  auto* others = new QScatterSeries;
  auto* chosen = new QScatterSeries;
  QList<QPointF> otherPoints, chosenPoints;
  double minX = 0, maxX = 1, minY = 0, maxY = 1;
  for (std::size_t i = 0; i < points_.size(); ++i) {
    const ChartSeries::Point& point = points_[i];
    (point.selected ? chosenPoints : otherPoints) << QPointF(point.x, point.y);
    minX = i == 0 ? point.x : std::min(minX, point.x);
    maxX = i == 0 ? point.x : std::max(maxX, point.x);
    minY = i == 0 ? point.y : std::min(minY, point.y);
    maxY = i == 0 ? point.y : std::max(maxY, point.y);
  }
  const auto unselected = otherPoints.size();
  others->replace(otherPoints);
  chosen->replace(chosenPoints);
  others->setColor(PointColor);
  others->setMarkerSize(7);
  chosen->setColor(SelectedColor);
  chosen->setMarkerSize(10);
  // A margin keeps the outermost points whole.
  const double marginX = (maxX - minX) / 20, marginY = (maxY - minY) / 20;
  QValueAxis* axisX =
      ValueAxis(chart, Qt::AlignBottom, Heading(SecondColumn()), minX - marginX, maxX + marginX);
  QValueAxis* axisY =
      ValueAxis(chart, Qt::AlignLeft, Heading(Column()), minY - marginY, maxY + marginY);
  // Points are listed unselected first: a series' point is found by its place.
  for (auto [series, offset] : {std::pair(others, qsizetype(0)), std::pair(chosen, unselected)}) {
    chart.addSeries(series);
    series->attachAxis(axisX);
    series->attachAxis(axisY);
    series->setBorderColor(Qt::transparent);
    const auto indexOf = [series, offset](const QPointF& point) {
      const qsizetype at = series->points().indexOf(point);
      return at < 0 ? -1 : int(at + offset);
    };
    connect(series, &QScatterSeries::clicked, this,
            [this, indexOf](const QPointF& point) { ChoosePoint(indexOf(point)); });
  }
}

QString frmChart::TipAt(const QPoint& at) const {
  QChart* chart = view_->chart();
  if (!sheet_ || !chart || chart->series().isEmpty()) return QString();
  QAbstractSeries* series = chart->series().constFirst();
  const QPointF place = chart->mapFromScene(view_->mapToScene(at));
  if (!chart->plotArea().contains(place)) return QString();
  if (ChartKind() == Kind::Bars) {
    const long index = std::lround(chart->mapToValue(place, series).x());
    if (index < 0 || std::size_t(index) >= runs_.size()) return QString();
    const ChartSeries::Run& run = runs_[std::size_t(index)];
    if (run.firstRow == run.lastRow) {
      return tr("%1: %2").arg(CarName(run.firstRow), CellText(run.firstRow, Column()));
    }
    return tr("Cars %1 to %2: lowest %3 (%4), highest %5 (%6)")
        .arg(run.firstRow)
        .arg(run.lastRow)
        .arg(CellText(run.lowRow, Column()), CarName(run.lowRow), CellText(run.highRow, Column()),
             CarName(run.highRow));
  }
  // The point nearest to the mouse, within a marker's reach.
  int row = 0;
  double nearest = 8 * 8;
  for (const ChartSeries::Point& point : points_) {
    const QPointF offset = chart->mapToPosition(QPointF(point.x, point.y), series) - place;
    const double distance = QPointF::dotProduct(offset, offset);
    if (distance <= nearest) {
      nearest = distance;
      row = point.row;
    }
  }
  if (row == 0) return QString();
  return tr("%1: %2 %3, %4 %5")
      .arg(CarName(row), Heading(SecondColumn()), CellText(row, SecondColumn()), Heading(Column()),
           CellText(row, Column()));
}

void frmChart::SelectRow(int row) {
  if (!sheet_ || sheet_->Shown().ShownCount() == 0) return;
  row = std::clamp(row, 1, sheet_->Shown().ShownCount());
  sheet_->flexCars()->SelectRange(row, Column(), row, Column());
}

void frmChart::ChooseRun(int index, bool high) {
  if (index < 0 || std::size_t(index) >= runs_.size()) return;
  const ChartSeries::Run& run = runs_[std::size_t(index)];
  SelectRow(high ? run.highRow : run.lowRow);
}

void frmChart::ChoosePoint(int index) {
  if (index >= 0 && std::size_t(index) < points_.size()) SelectRow(points_[std::size_t(index)].row);
}

// The arrow keys go from car to car in the shown order, Home and End to the
// first and the last.
bool frmChart::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view_ && event->type() == QEvent::KeyPress && sheet_) {
    const int row = sheet_->flexCars()->Row();
    switch (static_cast<QKeyEvent*>(event)->key()) {
      case Qt::Key_Left:
      case Qt::Key_Up:
        SelectRow(row - 1);
        return true;
      case Qt::Key_Right:
      case Qt::Key_Down:
        SelectRow(row + 1);
        return true;
      case Qt::Key_Home:
        SelectRow(1);
        return true;
      case Qt::Key_End:
        SelectRow(sheet_->Shown().ShownCount());
        return true;
      default:
        break;
    }
  }
  if (watched == view_ && event->type() == QEvent::Resize) ScheduleRedraw();
  if (watched == view_->viewport() && event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString tip = TipAt(help->pos());
    if (tip.isEmpty()) {
      QToolTip::hideText();
    } else {
      QToolTip::showText(help->globalPos(), tip, view_);
    }
    return true;
  }
  return QMdiSubWindow::eventFilter(watched, event);
}

QImage frmChart::Image() const { return view_->grab().toImage(); }

QString frmChart::WriteImage(const QString& fileName) const {
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  if (fileName.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
    QSvgGenerator generator;
    generator.setOutputDevice(&file);
    generator.setSize(view_->size());
    generator.setViewBox(QRect(QPoint(0, 0), view_->size()));
    generator.setTitle(windowTitle());
    QPainter painter;
    if (!painter.begin(&generator)) return tr("the image could not be drawn");
    view_->render(&painter);
    painter.end();
  } else if (!Image().save(&file, "PNG")) {
    return tr("the image could not be drawn");
  }
  if (!file.commit()) return file.errorString();
  return QString();
}

void frmChart::SaveImage() {
  if (!sheet_) return;
  const QString base = sheet_->FileName().isEmpty()
                           ? QStringLiteral("chart")
                           : QFileInfo(sheet_->FileName()).completeBaseName();
  const std::optional<QString> chosen = UserDialogs::Current().AskFileName(
      {true, QStringLiteral("%1-%2.png").arg(base, Heading(Column())).replace(' ', '-'),
       tr("PNG image (*.png)|*.png|SVG image (*.svg)|*.svg"), QStringLiteral(".png"),
       tr("Save chart as image")});
  if (!chosen) return;
  const QString reason = WriteImage(*chosen);
  if (reason.isEmpty()) return;
  UserDialogs::Current().MessageBox(
      tr("The chart could not be saved as \"%1\": %2").arg(*chosen, reason),
      UserDialogs::Buttons::Ok, UserDialogs::Icon::Exclamation, windowTitle());
}

void frmChart::CopyImage() const { QGuiApplication::clipboard()->setImage(Image()); }
