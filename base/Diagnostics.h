#pragma once

#include <QLoggingCategory>
#include <QString>

// Diagnostics go to this category, which is silent unless a logging rule
// (QT_LOGGING_RULES="torqlet.diagnostics.debug=true") switches it on.
Q_DECLARE_LOGGING_CATEGORY(lcDiagnostics)

// Writes one diagnostic line; the user never sees it.
void WriteDiagnostic(const QString& text);
