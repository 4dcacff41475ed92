#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QPointer>
#include <QString>
#include <array>

#include "model/ColumnTable.h"

class CarCompare;
class CarDocument;

// The cars of one document as a table, read on demand and in the file's
// order: model row r is car r + 1, model column c is sheet column c + 2 (the
// value columns). A car's name is its row's header (display role), its model
// the header's ModelRole; the column headings are the comments of the first
// car. setData stores an edited text through the document, as one step of its
// history; the table follows the document's changes by itself and starts
// afresh whenever the document loads a file. While the document is compared
// with another, differing cells and unmatched cars have a background.
class CarTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int ModelRole = Qt::UserRole;
  static constexpr int RowOffset = 1;
  static constexpr int ColumnOffset = ColumnTable::FixedColumnCount;

  explicit CarTableModel(CarDocument& document, QObject* parent = nullptr);

  CarDocument& Document() const { return document_; }
  int CarCount() const { return carCount_; }

  // The text of a sheet cell exactly as shown, in the file's numbering (row 0
  // the headings, rows 1 to N the cars; columns as in ColumnTable); the
  // invalid argument error for a cell outside the sheet.
  QString CellText(int row, int col) const;
  // Stores a text, read in the user's locale, into a car's value cell as one
  // step of the history named after the column and the car. Raises as
  // ColumnTable::ValueOfText does, with nothing changed; the name and model
  // columns are never written.
  void SetCellText(int row, int col, const QString& text);
  // Starts again from the document's cars, in one reset.
  void Reload();
  // Marks, as the cells' and names' background, what differs from the other
  // side of a comparison in which this document is the given side; null
  // ends the marks.
  void SetCompare(CarCompare* compare, int side);
  // The backgrounds of a differing value cell and of a car only this side has.
  static QColor DifferenceColor();
  static QColor OnlyHereColor();

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  // False, with nothing changed, for a text that SetCellText refuses.
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  void Fill();
  void OnCellsChanged(int top, int left, int bottom, int right);

  CarDocument& document_;
  int carCount_ = 0;
  std::array<QString, ColumnTable::ColumnCount> headings_;
  QPointer<CarCompare> compare_;
  int side_ = 0;
};
