#include "files/ReferenceListFile.h"

#include "files/WholeSave.h"
#include "files/Windows1252.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <algorithm>

namespace files {

namespace {

QString readFailure(const QString& path)
{
    return QStringLiteral("Impossible de lire le fichier des listes :\r\n") + QDir::toNativeSeparators(path);
}

QString writeFailure(const QString& path)
{
    return QStringLiteral("Impossible d'enregistrer les listes dans :\r\n") + QDir::toNativeSeparators(path);
}

// Control bytes other than tab and line ends, and the bytes Windows-1252 leaves undefined.
bool isTextByte(unsigned char byte)
{
    if (byte < 0x20)
        return byte == '\t' || byte == '\n' || byte == '\r';
    return byte != 0x81 && byte != 0x8D && byte != 0x8F && byte != 0x90 && byte != 0x9D;
}

// Bytes that are not text and a Unicode byte order mark mean the file is not ours: rewriting it
// would lose its content.
bool isWindows1252Text(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return false;
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return isTextByte(static_cast<unsigned char>(c)); });
}

bool isLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }

// Gives each field of the text in turn, the way the file is read: a quoted field runs to its
// closing quote (or the end of its line) and the rest of it up to a comma is dropped; an unquoted
// field runs to the next comma or line end. An empty line is one empty field.
template <typename Consumer>
void forEachField(const QString& text, Consumer consume)
{
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size) {
        while (i < size && (text[i] == u' ' || text[i] == u'\t'))
            ++i;
        QString field;
        if (i < size && text[i] == u'"') {
            const qsizetype start = ++i;
            while (i < size && text[i] != u'"' && !isLineEnd(text[i]))
                ++i;
            field = text.mid(start, i - start);
            while (i < size && text[i] != u',' && !isLineEnd(text[i]))
                ++i;
        } else {
            const qsizetype start = i;
            while (i < size && text[i] != u',' && !isLineEnd(text[i]))
                ++i;
            field = text.mid(start, i - start);
        }
        consume(field);
        if (i < size && text[i] == u',') {
            ++i;
        } else if (i < size) {
            // One line end: CR LF, or a lone LF or CR from a hand-edited file.
            if (text[i] == u'\r' && i + 1 < size && text[i + 1] == u'\n')
                ++i;
            ++i;
        }
    }
}

// One record per line: a double quote cannot be held inside a quoted field and a line end would
// split the record, so they are stored as an apostrophe and a space. Any other byte that the file
// cannot hold as text becomes "?", as a character that Windows-1252 lacks does.
QByteArray storedBytes(QString text)
{
    text.replace(u'"', u'\'').replace(u'\r', u' ').replace(u'\n', u' ');
    QByteArray bytes = toWindows1252(text);
    std::replace_if(
            bytes.begin(), bytes.end(), [](char c) { return !isTextByte(static_cast<unsigned char>(c)); },
            '?');
    return bytes;
}

QByteArray record(char marker, const QString& text)
{
    return '"' + QByteArray(1, marker) + storedBytes(text) + "\"\r\n";
}

}  // namespace

QString storedEntry(const QString& entry) { return fromWindows1252(storedBytes(entry)); }

ReferenceLists readReferenceLists(const QString& path)
{
    QFile file(path);
    const qint64 size = file.open(QIODevice::ReadOnly) ? file.size() : -1;
    if (size < 0 || size > kMaxFileSize)
        throw ReferenceListError(readFailure(path));
    // As many bytes as the file holds, and one more to see it change meanwhile: the buffer is made
    // for the bytes asked, and the largest file's size would be made for every file.
    const QByteArray bytes = file.read(size + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() != size || !isWindows1252Text(bytes))
        throw ReferenceListError(readFailure(path));
    file.close();

    ReferenceLists lists;
    forEachField(fromWindows1252(bytes), [&lists](const QString& field) {
        if (field.isEmpty())
            return;
        const QString text = field.mid(1);
        switch (field[0].unicode()) {
        case u'a':
            lists.audio.append(text);
            break;
        case u'v':
            lists.video.append(text);
            break;
        case u'g':
            lists.genre.append(text);
            break;
        default:
            break;
        }
    });
    return lists;
}

void writeReferenceLists(const QString& path, const ReferenceLists& lists)
{
    QByteArray content;
    for (const QString& entry : lists.audio)
        content += record('a', entry);
    for (const QString& entry : lists.video)
        content += record('v', entry);
    for (const QString& entry : lists.genre)
        content += record('g', entry);
    if (content.size() > kMaxFileSize)
        throw ReferenceListError(writeFailure(path));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !commitWhole(file))
        throw ReferenceListError(writeFailure(path));
}

}  // namespace files
