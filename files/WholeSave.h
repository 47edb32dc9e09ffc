#pragma once

class QSaveFile;

namespace files {

// Puts a file being saved in place of the former one only when it holds every byte written to it
// (a disk that fills up can take part of a write without an error, and the file would then replace
// the former one cut short) and those bytes are on the disk: a power cut leaves the former file or
// the new one, whole, and the new one once this returned true.
bool commitWhole(QSaveFile& file);

}  // namespace files
