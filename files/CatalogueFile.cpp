#include "files/CatalogueFile.h"

#include "files/CatalogueFileError.h"
#include "files/CatalogueReaders.h"
#include "files/ZipArchive.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStringDecoder>

namespace files {

namespace catalogue {

QString unknownFormat()
{
    return QStringLiteral(
            "Ce n'est ni un tableau CSV, ni une collection Tellico, GCstar ou Ant Movie Catalog.");
}

QString frenchNumber(int number) { return QLocale(QLocale::French).toString(number); }

void addFilm(CatalogueContent& content, ImportedFilm&& film)
{
    if (content.films.size() >= kMaxCatalogueFilms)
        throw Fault {QStringLiteral("Il compte plus de %1 films : un catalogue n'en tient que %2.")
                             .arg(frenchNumber(kMaxCatalogueFilms), frenchNumber(32'767))};
    content.films.append(std::move(film));
}

}  // namespace catalogue

namespace {

using catalogue::Fault;

QString tooLarge()
{
    return QStringLiteral("Il dépasse %1 Mo : ce n'est pas un catalogue de films.")
            .arg(kMaxCatalogueSize >> 20);
}

// An .xlsx or .ods workbook is a zip archive, an .xls a compound file.
QString aWorkbook()
{
    return QStringLiteral("C'est un classeur : enregistrez-le d'abord au format CSV depuis le tableur.");
}

bool isZip(const QByteArray& head) { return head.startsWith("PK\x03\x04") || head.startsWith("PK\x05\x06"); }

bool isCompoundFile(const QByteArray& head) { return head.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"); }

// An XML document starts with "<", after a byte order mark and blanks, in UTF-8 or UTF-16.
bool isXml(const QByteArray& bytes)
{
    const QByteArrayView head = QByteArrayView(bytes).first(qMin<qsizetype>(bytes.size(), 256));
    QString start;
    if (head.startsWith("\xFF\xFE"))
        start = QStringDecoder(QStringConverter::Utf16LE).decode(head.sliced(2));
    else if (head.startsWith("\xFE\xFF"))
        start = QStringDecoder(QStringConverter::Utf16BE).decode(head.sliced(2));
    else
        start = QString::fromLatin1(head.startsWith("\xEF\xBB\xBF") ? head.sliced(3) : head);
    return start.trimmed().startsWith(u'<');
}

// Tellico's .tc: its collection is tellico.xml; the pictures beside it are not read.
CatalogueContent readArchive(const QString& path)
{
    const ZipArchive archive(path);
    if (!archive.isOpen())
        throw Fault {QStringLiteral("C'est une archive endommagée : son sommaire ne peut pas être lu.")};
    QByteArray xml;
    switch (archive.read("tellico.xml", kMaxCatalogueSize, xml)) {
    case ZipArchive::Entry::Read:
        return catalogue::readXmlCatalogue(xml);
    case ZipArchive::Entry::TooLarge:
        throw Fault {QStringLiteral(
                             "Sa collection tellico.xml dépasse %1 Mo : ce n'est pas un catalogue de films.")
                             .arg(kMaxCatalogueSize >> 20)};
    case ZipArchive::Entry::Damaged:
        throw Fault {
                QStringLiteral("C'est une archive endommagée : sa collection tellico.xml ne peut pas être "
                               "décompressée.")};
    case ZipArchive::Entry::Missing:
        break;
    }
    if (archive.contains("xl/workbook.xml") || archive.contains("content.xml"))
        throw Fault {aWorkbook()};
    throw Fault {QStringLiteral("Cette archive ne contient pas de collection Tellico (tellico.xml).")};
}

CatalogueContent readContent(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        throw Fault {QStringLiteral("C'est un dossier, pas un fichier.")};
    if (!info.exists())
        throw Fault {QStringLiteral("Ce fichier n'existe pas.")};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Fault {QStringLiteral("Il ne peut pas être lu.")};
    const QByteArray head = file.peek(8);
    if (isZip(head))
        return readArchive(path);
    if (isCompoundFile(head))
        throw Fault {aWorkbook()};
    if (file.size() > kMaxCatalogueSize)
        throw Fault {tooLarge()};
    // Its size and a byte more, no larger buffer: a file of the largest size that grew since is
    // refused all the same.
    const QByteArray bytes = file.read(file.size() + 1);
    if (file.error() != QFileDevice::NoError)
        throw Fault {QStringLiteral("Il ne peut pas être lu.")};
    if (bytes.size() > kMaxCatalogueSize)
        throw Fault {tooLarge()};
    if (bytes.isEmpty())
        throw Fault {QStringLiteral("Il est vide.")};
    return isXml(bytes) ? catalogue::readXmlCatalogue(bytes) : catalogue::readTable(bytes);
}

}  // namespace

CatalogueContent readCatalogueFile(const QString& path)
{
    try {
        return readContent(path);
    } catch (const Fault& fault) {
        throw CatalogueFileError(path, fault.reason);
    }
}

}  // namespace files
