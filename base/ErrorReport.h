#pragma once

#include <QString>
#include <exception>

// A caught error as the user reads it: "Error <number>: <description>" for the
// program's numbered errors, followed by the description of its cause when it
// has one, and on a line of its own by where it was found and why; out of
// memory as its runtime error; the runtime's text for anything else.
QString ErrorReportText(const std::exception& error);

// The same as one line for standard error: "error <number>: <description>",
// where and why after a colon.
QString ErrorLineText(const std::exception& error);
