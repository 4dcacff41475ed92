#pragma once

#include <QLineEdit>
#include <QPersistentModelIndex>

class CarGrid;

// The car sheet's cell editor txtEdit: a single-line box laid exactly over one
// value cell of the grid. Enter stores the text into that cell, Escape
// abandons it, and a focus change within the window stores it too. A text
// that does not convert to the column's type is refused: a beep, the editor
// keeps the focus and its text, and nothing is stored. Clicks on the grid are
// swallowed and Tab does not move on while the text does not convert. When
// the focus goes to another window or a menu the edit stays open as it is.
// The text always goes to the cell over which the editor was opened, through
// the grid's model (which refuses a text that does not convert). The
// editor is at least as wide as its text, and while it refuses a text it
// shows so with a red frame and a tip, not only with the beep.
class CellEditor : public QLineEdit {
  Q_OBJECT

 public:
  // window: the document window around the grid, within which the editor
  // holds the focus while it refuses a text.
  CellEditor(CarGrid& grid, QWidget& window);

  // Opens the editor over the grid's current cell, which becomes the whole
  // selection, with the cell's text selected. An edit that is still open is
  // stored first; when that is refused, it stays open instead (false).
  bool BeginEdit();
  // BeginEdit for a character typed on the grid, which then is the text.
  void BeginTyping(QChar typed);
  // The store step: stores the text unless the edit is finished already.
  // False when the text was refused; then nothing changed.
  bool ValidateEdit();
  // Ends the edit: the grid takes the focus and the editor hides.
  void EndEdit();
  // Beeps, shows the refusal and gives the editor the focus back.
  void RefuseFocusChange();
  // What the editor shows while it refuses its text.
  static QString RefusalText() { return tr("Not a number of this column"); }

  // An edit is open and its text neither stored nor abandoned.
  bool IsEditing() const { return !pblnEditFinished; }
  // The cell the open edit stores to (sheet numbering, the row as shown).
  int EditRow() const;
  int EditCol() const;

 signals:
  // A refusal that the user hears as a beep.
  void Refused();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void flexCars_Scroll();
  void PlaceOverCell();
  void ShowRefusal(bool refusing);
  bool OwnsFocusWidget() const;

  CarGrid& grid_;
  QWidget& window_;
  bool pblnEditFinished = true;
  QPersistentModelIndex editCell_;
};
