#pragma once

#include <QString>
#include <QStringList>

// Fixed facts about the program that several windows show.
inline QString ApplicationTitle() { return QStringLiteral("Quorvex Torqlet 1.1"); }

// The program's version record, as the About box shows it.
struct VersionRecord {
  static QString ProductName() { return QStringLiteral("Quorvex Torqlet"); }
  static QString FileDescription() { return QStringLiteral("Torqlet"); }
  static constexpr int Major = 1;
  static constexpr int Minor = 1;
  static constexpr int Revision = 3;
  // The record's own form of the version number.
  static QString FileVersion() { return QStringLiteral("1.01.0003"); }
  static QString LegalNotice() {
    return QStringLiteral(
        "Copyright \u00a9 2026 the Quorvex Torqlet developers. All rights reserved.");
  }
};
