#include "model/CellValuesCommand.h"

#include "model/CarDocument.h"

CellValuesCommand::CellValuesCommand(CarDocument& document, const QString& text,
                                     std::vector<Cell> cells, const QRect& bounds)
    : QUndoCommand(text), document_(document), cells_(std::move(cells)), bounds_(bounds) {}

void CellValuesCommand::undo() { document_.Apply(cells_, false, bounds_, true); }

void CellValuesCommand::redo() {
  document_.Apply(cells_, true, bounds_, done_);
  done_ = true;
}
