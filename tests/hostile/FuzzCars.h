#pragma once

#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "model/NycGciCar.h"
#include "model/NycGciCars.h"

// A small car file for the fuzz targets that read patches and tables: the
// stock header and first four cars, two of them with line breaks in their
// names, and the first car again as a namesake (another turbo, a mass with
// more decimals than the file shows), so that an input is read against few
// cars and runs fast. Written once; returns its path.
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
    QFile file(name);
    if (!file.open(QIODevice::ReadWrite)) std::abort();
    QByteArray bytes = file.readAll();
    // The namesake (last) shows the mass of the first but has more decimals,
    // and another turbo; two names hold line breaks, which tables quote.
    for (const auto& [from, to] :
         {std::pair<QByteArray, QByteArray>{"f16.500 {mass}", "f16.5004 {mass}"},
          {"\r\n0 {turbo}", "\r\n7 {turbo}"},
          {"{Brisco Van}", "{Two\nlines}"},
          {"{Kestrel Sport}", "{C\rR}"}}) {
      const qsizetype at = bytes.lastIndexOf(from);
      if (at < 0) std::abort();
      bytes.replace(at, from.size(), to);
    }
    file.seek(0);
    if (file.write(bytes) != bytes.size() || !file.resize(bytes.size())) std::abort();
    return name;
  }();
  return path;
}
