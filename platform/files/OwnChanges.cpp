// Tells the one observer what the program itself did to its files.

#include "platform/files/FilesDetail.h"

#include <utility>

namespace platform {

namespace {

OwnChangeObserver& observer()
{
    static OwnChangeObserver current = nullptr;
    return current;
}

} // namespace

OwnChangeObserver ObserveOwnChanges(OwnChangeObserver newObserver)
{
    return std::exchange(observer(), newObserver);
}

namespace filesdetail {

void noteAppended(const QString& linuxPath, const QByteArray& bytes)
{
    if (observer() != nullptr)
        observer()(linuxPath, &bytes);
}

void noteRewritten(const QString& linuxPath)
{
    keptChanged(linuxPath);
    if (observer() != nullptr)
        observer()(linuxPath, nullptr);
}

} // namespace filesdetail

} // namespace platform
