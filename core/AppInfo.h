#pragma once

#include <QString>

// Fixed facts about the program that several windows show.
inline QString ApplicationTitle() { return QStringLiteral("Quorvex Torqlet 1.1"); }
