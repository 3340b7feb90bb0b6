#pragma once
// The program's own work lists in its directory, and whether a file the user
// names is one of them.

#include <QString>
#include <QStringList>

namespace worklists {

// The lists a run writes, empties or deletes in the current directory.
const QStringList& Names();

// The name (as Names() spells it) of the list that path (relative to the
// current directory, or a full program path) is, matched case-blind as the
// file layer does; empty when it is none of them.
QString WorkListNamed(const QString& path);

inline bool IsWorkList(const QString& path)
{
    return !WorkListNamed(path).isEmpty();
}

} // namespace worklists
