#pragma once
// The first thing start-up does: find the language before any caption is set.

#include <QString>

// Reads the settings file iniFile for its Language line: "english" unless a
// line whose key (before the first "=", trimmed, case-blind) is "language"
// has a non-empty value (after the first "=", trimmed); the last such line
// wins. Lines of the notes block are the note's (inifile::OpensNote): a
// language line there is no setting. A missing or unreadable file gives
// "english". Yields per line.
// otherKeys, when given, tells whether any other key stands in the file: an
// installation writes only the language line, so a file without other keys
// has never been written by the program (its first start).
QString ReadLanguageLine(const QString& iniFile, bool* otherKeys = nullptr);

// Marks the start as no longer the first: when iniFile holds no key but the
// language line (or is missing), the line "AssistantOffered=1" is added at
// its end, on a line of its own. The settings reader passes the key over; a
// later save of the settings, which writes every key, leaves the mark behind
// as it is no longer needed. Errors are ignored.
void MarkAssistantOffered(const QString& iniFile);
