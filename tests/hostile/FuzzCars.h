#pragma once

#include <QTemporaryDir>
#include <memory>

#include "model/NycGciCar.h"
#include "model/NycGciCars.h"

// A small car file for the fuzz targets that read patches and tables: the
// stock header and first four cars, and the first car again as a namesake,
// so that an input is read against few cars and runs fast. Written once; the
// path of the file.
inline QString SmallCarFile() {
  static const QTemporaryDir folder;
  static const QString path = [] {
    NycGciCars stock;
    stock.NewFile();
    std::vector<std::shared_ptr<NycGciCar>> cars(stock.Cars().begin(), stock.Cars().begin() + 4);
    cars.push_back(std::make_shared<NycGciCar>());
    cars.back()->SetBlock(cars.front()->Block());
    stock.SetCars(std::move(cars));
    const QString name = folder.filePath(QStringLiteral("small.gci"));
    stock.SaveAs(name);
    return name;
  }();
  return path;
}
