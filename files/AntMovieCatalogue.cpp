// Ant Movie Catalog's XML export: the root "AntMovieCatalog" holds a "Movie" per film, its fields
// as attributes named after them ("OriginalTitle", "Length", "MediaType"…), several values in one
// text ("Languages": "English, French"). Some versions write the long texts as elements of the
// same names: both are read, the attribute first.
#include "files/CatalogueReaders.h"
#include "files/ImportMapping.h"
#include "files/XmlCatalogue.h"

#include <QHash>

namespace files::catalogue {

namespace {

using namespace Qt::StringLiterals;

ImportedFilm readMovie(QXmlStreamReader& xml, int line)
{
    QHash<QString, QString> fields;
    for (const QXmlStreamAttribute& attribute : xml.attributes())
        fields.insert(attribute.name().toString(), attribute.value().trimmed().toString());
    while (xml.readNextStartElement()) {
        QString& field = fields[xml.name().toString()];
        const QString text = elementText(xml);
        if (field.isEmpty())
            field = text;
    }
    const auto listOf = [&fields](const char* name) {
        const QString value = fields.value(QLatin1StringView(name));
        return value.isEmpty() ? QStringList() : QStringList {value};
    };

    ImportedFilm film;
    film.line = line;
    film.title = fields.value("TranslatedTitle"_L1);
    film.originalTitle = fields.value("OriginalTitle"_L1);
    if (film.title.isEmpty())
        film.title = fields.value("FormattedTitle"_L1);
    film.year = fields.value("Year"_L1);
    film.duration = fields.value("Length"_L1);
    film.minutes = minutesOf(film.duration);
    film.directors = listOf("Director");
    film.actors = listOf("Actors");
    film.genres = listOf("Category");
    film.languages = listOf("Languages");
    film.medium = fields.value("MediaType"_L1);
    film.videoCodecs = listOf("VideoFormat");
    film.audioCodecs = listOf("AudioFormat");
    film.discs = fields.value("Disks"_L1);
    film.plot = fields.value("Description"_L1);
    film.comments = fields.value("Comments"_L1);
    film.borrower = fields.value("Borrower"_L1);
    return film;
}

}  // namespace

CatalogueContent readAntMovieCatalog(QXmlStreamReader& xml)
{
    CatalogueContent content {QStringLiteral("Catalogue Ant Movie Catalog"), {}};
    readElements(xml, [&](int line) {
        if (xml.name() == "Movie"_L1)
            addFilm(content, readMovie(xml, line));
        else if (xml.name() == "Properties"_L1 || xml.name() == "CustomFieldsProperties"_L1)
            xml.skipCurrentElement();
    });
    return content;
}

}  // namespace files::catalogue
