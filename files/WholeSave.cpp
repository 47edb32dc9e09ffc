#include "files/WholeSave.h"

#include <QSaveFile>

namespace files {

bool commitWhole(QSaveFile& file)
{
    const qint64 written = file.pos();
    return file.flush() && file.size() == written && file.commit();
}

}  // namespace files
