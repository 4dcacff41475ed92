#pragma once

#include <QString>
#include <exception>

// A caught error as the user reads it: "Error <number>: <description>" for the
// program's numbered errors, the runtime's text for anything else.
QString ErrorReportText(const std::exception& error);
