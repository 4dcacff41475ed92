#pragma once

class QMdiArea;

// The arrangements of a frame's child windows that Qt's QMdiArea lacks. Hidden
// children are left alone; the tilings skip minimized children too.
class WindowArranger {
 public:
  // One above another, each as wide as the area.
  static void TileHorizontally(QMdiArea& area);
  // Side by side, each as tall as the area.
  static void TileVertically(QMdiArea& area);
  // Minimized children lined up from left to right along the bottom edge,
  // further rows above when one row is full.
  static void ArrangeIcons(QMdiArea& area);
};
