#pragma once

#include "store/UserError.h"

#include <QString>
#include <QStringList>

namespace files {

// The three reference lists, numbered as the options window's tabs.
enum class ReferenceList { Audio = 1, Video = 2, Genre = 3 };

// The three reference lists of codec.cnb, each in file order.
struct ReferenceLists {
    QStringList audio, video, genre;
};

// A reference list file that cannot be read or written.
class ReferenceListError : public UserError {
public:
    using UserError::UserError;
};

// Larger files are refused by the reader and never written, so a stray binary file cannot
// freeze a window and every file written reads back.
constexpr qint64 kMaxFileSize = 8 * 1024 * 1024;

// What an entry becomes once written to the file and read back: a double quote becomes an
// apostrophe, a line end a space, a character that Windows-1252 lacks (or a control character other
// than tab) "?". An entry added to a list is stored in this form, so that what uses it matches the
// list as the editor will read it.
QString storedEntry(const QString& entry);

// Reads the file. Throws ReferenceListError when it is missing, unreadable, larger than
// kMaxFileSize or not text (a NUL byte, or a byte Windows-1252 leaves undefined).
ReferenceLists readReferenceLists(const QString& path);

// Replaces the file through a temporary file beside it (QSaveFile, put in place by commitWhole), so
// a failure or a power cut leaves the old file whole, and the new one is on the disk once this
// returns; throws ReferenceListError when it cannot.
void writeReferenceLists(const QString& path, const ReferenceLists& lists);

}  // namespace files
