#pragma once

#include "support/SimulatedDisk.h"

#include <QString>
#include <vector>

namespace testing {

// Records, for every file under a folder, the steps that change what the disk holds, for a
// SimulatedDisk to replay: those of the catalogue engine, through a file layer wrapped around the
// system's own (the default while the object lives, as FaultyVfs is), and those of the program's
// disk steps (store::DiskSteps). Every step is taken as usual, except the engine's syncs, which are
// only recorded: what a sync makes durable is the simulated disk's to say, and the real disk's
// waits would cost the test its speed. One recorder at a time.
class PowerCutRecorder {
public:
    explicit PowerCutRecorder(const QString& folder);
    ~PowerCutRecorder();
    PowerCutRecorder(const PowerCutRecorder&) = delete;
    PowerCutRecorder& operator=(const PowerCutRecorder&) = delete;

    // The files under the folder when recording began, taken as on the disk for good (the engine's
    // shared memory files left out: no power cut keeps them).
    const FileSet& start() const;
    const std::vector<DiskEvent>& events() const;
};

}  // namespace testing
