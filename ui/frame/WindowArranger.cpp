#include "ui/frame/WindowArranger.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

namespace {

QList<QMdiSubWindow*> Tiled(QMdiArea& area) {
  QList<QMdiSubWindow*> windows;
  for (QMdiSubWindow* window : area.subWindowList(QMdiArea::CreationOrder)) {
    if (window->isHidden() || window->isMinimized()) continue;
    if (window->isMaximized()) window->showNormal();
    windows << window;
  }
  return windows;
}

// Splits length into count parts that differ by at most one pixel.
int PartStart(int length, int count, int index) { return int(qint64(length) * index / count); }

void Tile(QMdiArea& area, Qt::Orientation stacking) {
  const QList<QMdiSubWindow*> windows = Tiled(area);
  if (windows.isEmpty()) return;
  const QRect space = area.viewport()->rect();
  const int count = int(windows.size());
  for (int i = 0; i < count; ++i) {
    if (stacking == Qt::Vertical) {
      const int top = PartStart(space.height(), count, i);
      const int bottom = PartStart(space.height(), count, i + 1);
      windows[i]->setGeometry(space.left(), space.top() + top, space.width(), bottom - top);
    } else {
      const int left = PartStart(space.width(), count, i);
      const int right = PartStart(space.width(), count, i + 1);
      windows[i]->setGeometry(space.left() + left, space.top(), right - left, space.height());
    }
  }
}

}  // namespace

QRect WindowArranger::CascadePlace(const QRect& space, int index, const QSize& minimum) {
  const QSize size(std::min(std::max(space.width() * 2 / 3, minimum.width()), space.width()),
                   std::min(std::max(space.height() * 2 / 3, minimum.height()), space.height()));
  const int step = std::max(QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight), 16);
  const int steps =
      std::min((space.width() - size.width()) / step, (space.height() - size.height()) / step);
  const int at = index % (std::max(steps, 0) + 1);
  return QRect(space.topLeft() + QPoint(at * step, at * step), size);
}

void WindowArranger::Cascade(QMdiArea& area, const QSize& minimum) {
  const QList<QMdiSubWindow*> windows = Tiled(area);
  const QRect space = area.viewport()->rect();
  for (int i = 0; i < int(windows.size()); ++i) {
    windows[i]->setGeometry(CascadePlace(space, i, minimum));
    windows[i]->raise();
  }
}

void WindowArranger::PlaceNew(QMdiArea& area, QMdiSubWindow& window, const QSize& minimum,
                              bool fillAlone) {
  int shown = 0;
  for (QMdiSubWindow* other : area.subWindowList()) {
    if (other != &window && !other->isHidden() && !other->isMinimized()) ++shown;
  }
  if (fillAlone && shown == 0) {
    window.setGeometry(area.viewport()->rect());
    return;
  }
  window.setGeometry(CascadePlace(area.viewport()->rect(), shown, minimum));
}

void WindowArranger::TileHorizontally(QMdiArea& area) { Tile(area, Qt::Vertical); }

void WindowArranger::TileVertically(QMdiArea& area) { Tile(area, Qt::Horizontal); }

void WindowArranger::ArrangeIcons(QMdiArea& area) {
  const QRect space = area.viewport()->rect();
  int x = space.left();
  int bottom = space.bottom() + 1;
  int rowHeight = 0;
  for (QMdiSubWindow* window : area.subWindowList(QMdiArea::CreationOrder)) {
    if (window->isHidden() || !window->isMinimized()) continue;
    const QSize size = window->size();
    if (x > space.left() && x + size.width() > space.right() + 1) {
      x = space.left();
      bottom -= rowHeight;
      rowHeight = 0;
    }
    window->move(x, bottom - size.height());
    x += size.width();
    rowHeight = std::max(rowHeight, size.height());
  }
}
