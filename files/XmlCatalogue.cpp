#include "files/XmlCatalogue.h"

#include "files/CatalogueReaders.h"

#include <limits>

namespace files::catalogue {

using namespace Qt::StringLiterals;

namespace {

void checkWellFormed(const QXmlStreamReader& xml)
{
    if (xml.hasError())
        throw Fault {u"Son contenu XML est endommagé à la ligne %1."_s.arg(xml.lineNumber())};
}

}  // namespace

void readElements(QXmlStreamReader& xml, const std::function<void(int line)>& element)
{
    while (!xml.atEnd()) {
        // An element starts where the token before it ended: the reader tells where a token ends.
        const int line = int(qMin<qint64>(xml.lineNumber(), std::numeric_limits<int>::max()));
        if (xml.readNext() == QXmlStreamReader::StartElement)
            element(line);
    }
    checkWellFormed(xml);
}

QString elementText(QXmlStreamReader& xml)
{
    return xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
}

CatalogueContent readXmlCatalogue(const QByteArray& bytes)
{
    QXmlStreamReader xml(bytes);
    if (!xml.readNextStartElement()) {
        checkWellFormed(xml);
        throw Fault {unknownFormat()};
    }
    const QStringView root = xml.name();
    if (root == "tellico"_L1 || root == "bookcase"_L1)
        return readTellico(xml);
    if (root == "collection"_L1)
        return readGcstar(xml);
    if (root == "AntMovieCatalog"_L1)
        return readAntMovieCatalog(xml);
    throw Fault {unknownFormat()};
}

}  // namespace files::catalogue
