#pragma once

#include <QString>
#include <cstdint>

// The program's string table, carried as resources in German and English.
// Lookup picks the table of the interface language (InterfaceLanguage):
// German for German, English for every other language. It returns a
// null string for an id that has no text.
class StringTable {
 public:
  static QString Lookup(std::int64_t id);
  static bool InterfaceIsGerman();
};
