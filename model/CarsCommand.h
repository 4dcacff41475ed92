#pragma once

#include <QUndoCommand>
#include <memory>
#include <vector>

class CarDocument;
class NycGciCar;

// A step of a document's history that puts another list of cars in place of
// the list before it, as a merge does that adds, removes and changes cars.
// Both lists hold their own cars (a car changed by the step is a changed copy
// in the new list), so undo and redo only exchange the lists.
class CarsCommand : public QUndoCommand {
 public:
  using Cars = std::vector<std::shared_ptr<NycGciCar>>;
  CarsCommand(CarDocument& document, const QString& text, Cars before, Cars after);

  void undo() override;
  void redo() override;

 private:
  CarDocument& document_;
  Cars before_;
  Cars after_;
};
