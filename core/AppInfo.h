#pragma once

#include <QCoreApplication>
#include <QString>

#include "core/Version.h"

// Fixed facts about the program that several windows show.

// The program's title, its name with major and minor version: the frame's
// caption at rest and the base of the status captions.
inline const QString& ApplicationTitle() {
  static const QString title =
      QStringLiteral("Quorvex Torqlet %1.%2").arg(VersionRecord::Major).arg(VersionRecord::Minor);
  return title;
}

// The program's version record, as the About box shows it.
namespace VersionRecord {
inline QString ProductName() { return QStringLiteral("Quorvex Torqlet"); }
inline QString FileDescription() { return QStringLiteral("Torqlet"); }
inline QString LegalNotice() {
  return QCoreApplication::translate(
      "VersionRecord",
      "Copyright \u00a9 2026 the Quorvex Torqlet developers. Licensed under the MIT licence.");
}
}  // namespace VersionRecord
