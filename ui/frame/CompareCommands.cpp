#include "ui/frame/CompareCommands.h"

#include <QApplication>
#include <QMdiArea>

#include "helperlib/FileDialog.h"
#include "helperlib/UserDialogs.h"
#include "model/CarCompare.h"
#include "model/CarSortFilterModel.h"
#include "model/CellRange.h"
#include "ui/frame/SharedOpenDialog.h"
#include "ui/frame/StatusLine.h"
#include "ui/frame/mdfMain.h"
#include "ui/sheet/CarGrid.h"
#include "ui/sheet/frmCars.h"

namespace {

// The active sheet, its open edit stored; null without one.
frmCars* Active(mdfMain& frame) {
  frmCars* window = frame.ActiveCars();
  return window && window->ValidateActiveControl() ? window : nullptr;
}

}  // namespace

void CompareCommands::CompareWith(mdfMain& frame) {
  frmCars* window = Active(frame);
  if (!window) return;
  // The other documents, the most recently active first.
  QList<frmCars*> others;
  const QList<QMdiSubWindow*> history =
      frame.Area()->subWindowList(QMdiArea::ActivationHistoryOrder);
  for (auto it = history.rbegin(); it != history.rend(); ++it) {
    auto* other = qobject_cast<frmCars*>(*it);
    if (other && other != window) others << other;
  }
  QStringList captions;
  for (const frmCars* other : others) captions << other->Caption();
  const int pick =
      UserDialogs::Current().PickFromList(tr("Compare \"%1\" with:").arg(window->Caption()),
                                          window->Caption(), captions, tr("&Open a file..."));
  if (pick == UserDialogs::OtherChoice) {
    FileDialog& dialog = SharedOpenDialog();
    dialog.ShowOpen();
    if (!dialog.Cancelled()) CompareWithFile(frame, *window, dialog.FileName());
    return;
  }
  if (pick < 0 || pick >= others.size()) return;
  window->CompareWith(*others[pick]);
  frame.Status().Update();
}

void CompareCommands::CompareWithFile(mdfMain& frame, frmCars& window, const QString& fileName) {
  frame.OpenFile(fileName);
  frmCars* other = frame.ActiveCars();
  if (!other || other == &window) return;
  window.CompareWith(*other);
  frame.Area()->setActiveSubWindow(&window);
  frame.Status().Update();
}

void CompareCommands::Step(mdfMain& frame, bool forward) {
  frmCars* window = Active(frame);
  const CarCompare* compare = window ? window->Compare() : nullptr;
  if (!compare) return QApplication::beep();
  CarGrid& grid = *window->flexCars();
  const auto place =
      compare->Step(window->CompareSide(), grid.Shown(), grid.Row(), grid.Col(), forward);
  if (!place) return QApplication::beep();
  if (place->wrapped) QApplication::beep();  // at the end, as Find does
  grid.SelectRange(place->row, place->col, place->row, place->col);
  grid.scrollTo(grid.currentIndex());
  frame.Status().Update();
}

void CompareCommands::Take(mdfMain& frame) {
  frmCars* window = Active(frame);
  CarCompare* compare = window ? window->Compare() : nullptr;
  if (!compare) return QApplication::beep();
  const CellRange range = window->flexCars()->SelectedCells();
  std::vector<std::pair<std::int32_t, int>> cells;
  for (const std::int32_t car : range.cars) {
    for (int col = range.left; col <= range.right; ++col) cells.emplace_back(car, col);
  }
  if (compare->Take(window->CompareSide(), cells, window->CompareOther()->Caption()) == 0) {
    QApplication::beep();
  }
}

void CompareCommands::Stop(mdfMain& frame) {
  if (frmCars* window = frame.ActiveCars()) window->StopComparing();
  frame.Status().Update();
}

QString CompareCommands::Note(const frmCars& window) {
  const CarCompare* compare = window.Compare();
  if (!compare) return {};
  const CarGrid& grid = *window.flexCars();
  const auto place = compare->At(window.CompareSide(), grid.Shown(), grid.Row(), grid.Col());
  if (place) return tr("difference %1 of %2").arg(place->index).arg(place->total);
  return compare->Differences() == 1 ? tr("1 difference")
                                     : tr("%1 differences").arg(compare->Differences());
}
