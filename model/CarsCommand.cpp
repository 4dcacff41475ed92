#include "model/CarsCommand.h"

#include "model/CarDocument.h"

CarsCommand::CarsCommand(CarDocument& document, const QString& text, Cars before, Cars after)
    : QUndoCommand(text),
      document_(document),
      before_(std::move(before)),
      after_(std::move(after)) {}

void CarsCommand::undo() { document_.PutCars(before_); }

void CarsCommand::redo() { document_.PutCars(after_); }
