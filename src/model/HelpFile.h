#pragma once

#include <QString>

// The user guide shipped with the program, written to the program folder when
// missing (never over a file that is there).
inline const QString HelpFileName = QStringLiteral("Postrix.html");

void writeHelpFileIfMissing(const QString& programDir);
// The page's address for a help context (1000 .. 1006), or the guide's top for 0.
QString helpUrl(const QString& programDir, int context = 0);
