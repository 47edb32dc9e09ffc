#include "files/WholeSave.h"

#include "store/DiskSteps.h"

#include <QFileInfo>
#include <QSaveFile>

namespace files {

bool commitWhole(QSaveFile& file)
{
    const qint64 written = file.pos();
    store::DiskSteps& disk = store::diskSteps();
    if (!file.flush() || file.size() != written || !disk.syncFile(file) || !disk.commit(file))
        return false;
    disk.syncFolder(QFileInfo(file.fileName()).absolutePath());
    return true;
}

}  // namespace files
