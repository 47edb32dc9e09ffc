// Arbitrary bytes become a reference list file, codec.cnb, read as the program reads it: the reader
// gives lists or refuses the file with its message, never crashes nor reads past the bytes (the
// sanitizers watch the memory, Qt's own checks the indexes into texts). What it gives, written back
// and read again, gives the same lists, but for what the file cannot hold: the writer quotes every
// entry, and a quoted field ends at a double quote, so a double quote in an entry (which only an
// unquoted field can hold) is written as an apostrophe. Nothing else an entry read can hold is lost:
// it comes from one line of text bytes, which Windows-1252 gives back byte for byte.
#include "fuzz/MemoryFolder.h"
#include "files/ReferenceListFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace {

struct Folder {
    QTemporaryDir dir {inMemory(QStringLiteral("list_fuzzer"))};
    const QString read = dir.filePath(QStringLiteral("codec.cnb"));
    const QString written = dir.filePath(QStringLiteral("ecrit.cnb"));
};

Folder& folder()
{
    static Folder f;
    return f;
}

[[noreturn]] void fail(const char* what, const QString& detail = QString())
{
    std::fprintf(stderr, "list_fuzzer: %s %s\n", what, detail.toUtf8().constData());
    std::abort();
}

void check(bool condition, const char* what, const QString& detail = QString())
{
    if (!condition)
        fail(what, detail);
}

// The lists as a write keeps them.
QStringList kept(QStringList entries)
{
    for (QString& entry : entries)
        entry.replace(u'"', u'\'');
    return entries;
}

void compare(const QStringList& back, const QStringList& expected, const char* list)
{
    check(back.size() == expected.size(), "a list lost or gained entries:", QString::fromLatin1(list));
    for (qsizetype i = 0; i < expected.size(); ++i)
        check(back[i] == expected[i],
              "an entry changed:", QStringLiteral("[%1] became [%2]").arg(expected[i], back[i]));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Folder& f = folder();
    QFile file(f.read);
    check(file.open(QIODevice::WriteOnly)
                  && file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size),
          "the bytes could not be written");
    file.close();

    files::ReferenceLists lists;
    try {
        lists = files::readReferenceLists(f.read);
    } catch (const files::ReferenceListError& error) {
        check(error.message()
                      == QStringLiteral("Impossible de lire le fichier des listes :\r\n")
                              + QDir::toNativeSeparators(f.read),
              "a refusal without its message:", error.message());
        return 0;
    }

    files::ReferenceLists back;
    try {
        files::writeReferenceLists(f.written, lists);
        back = files::readReferenceLists(f.written);
    } catch (const files::ReferenceListError& error) {
        fail("lists read could not be written and read back:", error.message());
    }
    compare(back.audio, kept(lists.audio), "audio");
    compare(back.video, kept(lists.video), "video");
    compare(back.genre, kept(lists.genre), "genre");
    return 0;
}
