#include "store/DiskSteps.h"

#include <QFile>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace store {

namespace {

DiskSteps* replacement = nullptr;

#ifdef Q_OS_UNIX
bool syncDescriptor(int descriptor)
{
    int result = 0;
    do
        result = ::fsync(descriptor);
    while (result != 0 && errno == EINTR);
    return result == 0;
}
#endif

}  // namespace

// QSaveFile::commit syncs the file as well before its rename, but goes on when the disk refuses:
// the sync is made here first, where a refusal keeps the former file.
bool DiskSteps::syncFile(QFileDevice& file)
{
    if (!file.flush())
        return false;
#ifdef Q_OS_UNIX
    return syncDescriptor(file.handle());
#else
    // Windows gives no descriptor for a file opened by name; QSaveFile::commit flushes its buffers
    // to the disk (FlushFileBuffers) before the rename.
    return true;
#endif
}

bool DiskSteps::commit(QSaveFile& file) { return file.commit(); }

bool DiskSteps::rename(const QString& from, const QString& to) { return QFile::rename(from, to); }

bool DiskSteps::remove(const QString& path) { return QFile::remove(path); }

void DiskSteps::syncFolder(const QString& folder)
{
#ifdef Q_OS_UNIX
    const int descriptor = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return;
    syncDescriptor(descriptor);
    ::close(descriptor);
#else
    // A folder cannot be opened to be synced on Windows, whose file system journals its names itself.
    Q_UNUSED(folder);
#endif
}

DiskSteps& diskSteps()
{
    static DiskSteps own;
    return replacement ? *replacement : own;
}

void setDiskSteps(DiskSteps* steps) { replacement = steps; }

}  // namespace store
