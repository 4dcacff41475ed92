#pragma once

#include <QFile>
#include <QTemporaryDir>

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
    QByteArray bytes = "{" + stock.MainComment() + "}\r\n\r\n";
    for (const std::int32_t car : {1, 2, 3, 4, 1}) bytes += stock.Car(car).Block() + "\r\n\r\n";
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
    const QString name = folder.filePath(QStringLiteral("small.gci"));
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) std::abort();
    return name;
  }();
  return path;
}
