#pragma once
// The first thing start-up does: find the language before any caption is set.

#include <QString>

// Reads the settings file iniFile for its Language line: "english" unless a
// line whose key (before the first "=", trimmed, case-blind) is "language"
// has a non-empty value (after the first "=", trimmed); the last such line
// wins. A missing or unreadable file gives "english". Yields per line.
QString ReadLanguageLine(const QString& iniFile);
