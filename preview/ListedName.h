#pragma once
// A file or folder name as the preview's lists show it: on one line.

#include <QString>

namespace preview {

// name with each line break (CR LF, CR, LF, or a line or paragraph
// separator) shown as the mark "↵"; other names as they are.
QString ListedName(const QString& name);

} // namespace preview
