#pragma once

#include <QRect>
#include <QUndoCommand>
#include <cstdint>
#include <vector>

class CarDocument;

// One step of a document's history: the cells it changed, each with its value
// before and after (the bits of the integer or float that its column holds),
// 16 bytes a cell. Redo sets the values after, undo the values before; every
// redo after the first and every undo is reported as a replay.
class CellValuesCommand : public QUndoCommand {
 public:
  struct Cell {
    std::int32_t row;
    std::uint8_t col;
    std::uint32_t before;
    std::uint32_t after;
  };

  // bounds: the rectangle of the cells, x the sheet columns and y the rows.
  CellValuesCommand(CarDocument& document, const QString& text, std::vector<Cell> cells,
                    const QRect& bounds);

  void undo() override;
  void redo() override;

  const std::vector<Cell>& Cells() const { return cells_; }

 private:
  static_assert(sizeof(Cell) <= 16, "a step keeps 16 bytes a cell");

  CarDocument& document_;
  std::vector<Cell> cells_;
  QRect bounds_;
  bool done_ = false;
};
