#pragma once

#include <QRect>
#include <QSize>

class QMdiArea;
class QMdiSubWindow;

// The arrangements of a frame's child windows. Hidden children are left
// alone; the tilings and the cascade skip minimized children too.
class WindowArranger {
 public:
  // The place of the index-th window of a cascade in space: from the top-left
  // corner down and to the right by one step each, two thirds of the space
  // large but at least minimum (and at most the whole space); where a window
  // would reach past the space the cascade starts again at the corner.
  static QRect CascadePlace(const QRect& space, int index, const QSize& minimum);
  // The others in a cascade, as large as CascadePlace makes them.
  static void Cascade(QMdiArea& area, const QSize& minimum);
  // A new window's place: the next step of the cascade of the windows shown,
  // or with fillAlone the whole area where no other is shown.
  static void PlaceNew(QMdiArea& area, QMdiSubWindow& window, const QSize& minimum,
                       bool fillAlone = false);
  // One above another, each as wide as the area.
  static void TileHorizontally(QMdiArea& area);
  // Side by side, each as tall as the area.
  static void TileVertically(QMdiArea& area);
  // Minimized children lined up from left to right along the bottom edge,
  // further rows above when one row is full.
  static void ArrangeIcons(QMdiArea& area);
};
