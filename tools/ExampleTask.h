#pragma once
// The example task TEST.TSK that start-up writes when the program directory
// has none: one ready-made task to open and run, in the user's language.

#include <QStringList>

namespace tools {

// The example site: its host and the site word that keeps a run on it.
inline constexpr const char* ExampleHost = "www.kelpa.example";
inline constexpr const char* ExampleSiteWord = "kelpa";

// The lines of the example task, without line ends: six comments, then the
// task and settings keys. German when language is exactly "deutsch",
// English otherwise (another letter case included).
QStringList ExampleTaskLines(const QString& language);

// Writes the example task to path (replaced when present), each line ended
// by CR LF, UTF-8. Returns 0 or the file error number.
int WriteExampleTask(const QString& path, const QString& language);

} // namespace tools
