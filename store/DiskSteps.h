#pragma once

#include <QString>

class QFileDevice;
class QSaveFile;

namespace store {

// The steps that put a file on the disk so that a power cut leaves either the former file or the
// new one whole, and the new one once the program says it is saved: its bytes synced first, then
// its name given, then its folder synced so that the name survives too. The program takes them on
// the file system itself; a test puts steps of its own in their place, which take the same steps
// and record them, to work out every state a power cut between two of them would leave.
class DiskSteps {
public:
    virtual ~DiskSteps() = default;

    // The bytes written to an open file reach the disk; false when the disk refuses them.
    virtual bool syncFile(QFileDevice& file);
    // A file being saved takes the place of the former one (QSaveFile::commit).
    virtual bool commit(QSaveFile& file);
    // Gives a file a name that no other file has.
    virtual bool rename(const QString& from, const QString& to);
    virtual bool remove(const QString& path);
    // The names made, changed or removed in the folder reach the disk. A failure is not told, as
    // the engine does not tell it for its journal's folder: the change itself is made, only its
    // surviving a power cut in the next seconds is in doubt, and Windows has no such step at all.
    virtual void syncFolder(const QString& folder);
};

// The steps the program takes.
DiskSteps& diskSteps();
// Puts other steps in place of the file system's own, or them back with nullptr: for the tests.
void setDiskSteps(DiskSteps* steps);

}  // namespace store
