// Whether the program holds a file open under one of its numbers.

#include "platform/files/FilesDetail.h"

namespace platform {

using namespace filesdetail;

bool FileIsOpen(const QString& path)
{
    QString linuxPath;
    if (resolve(path, linuxPath) != ErrNone)
        return false;
    for (const auto& file : fileTable())
        if (file && file->linuxPath == linuxPath)
            return true;
    return false;
}

} // namespace platform
