#pragma once

#include <QString>

// Fixed facts about the program that several windows show.
inline QString ApplicationTitle() { return QStringLiteral("Quorvex Torqlet 1.1"); }

// The program's version record, as the About box shows it.
namespace VersionRecord {
inline QString ProductName() { return QStringLiteral("Quorvex Torqlet"); }
inline QString FileDescription() { return QStringLiteral("Torqlet"); }
inline constexpr int Major = 1;
inline constexpr int Minor = 1;
inline constexpr int Revision = 3;
// The record's own form of the version number.
inline QString FileVersion() { return QStringLiteral("1.01.0003"); }
inline QString LegalNotice() {
  return QStringLiteral(
      "Copyright \u00a9 2026 the Quorvex Torqlet developers. All rights reserved.");
}
}  // namespace VersionRecord
