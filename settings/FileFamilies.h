#pragma once
// The exclusion list of file types (Exclude): extensions without dots,
// separated by blanks, and the ten families of extensions that the options
// window's check boxes add and remove. An extension counts as listed when it
// is one of the list's blank-separated words, letter case aside: MPE is not
// listed by MPEG, and taking CGI out of "CGI PHP3" leaves PHP3 whole.

#include <QString>
#include <QStringList>

#include <array>

namespace settings {

struct FileFamily {
    const char* box; // the check box's control name
    QStringList extensions;
};

// The ten families, in the order the boxes are set from the list; within a
// family the extensions in the order they are added, removed and counted.
const std::array<FileFamily, 10>& FileFamilies();

bool ExtensionListed(const QString& list, const QString& extension);
// The list with extension appended after one blank (then trimmed) unless it
// is listed already.
QString WithExtension(const QString& list, const QString& extension);
// The list without the first word equal to extension: what stood before it,
// trimmed, joined to what stood after it, then trimmed. Unlisted: unchanged.
QString WithoutExtension(const QString& list, const QString& extension);
// The box value for a family: 0 none of its extensions listed, 1 all, 2 some.
int FamilyState(const QString& list, const FileFamily& family);

} // namespace settings
