// GCstar's film collections (.gcs): the root "collection" of type "GCfilms" holds one "item" per
// film; its short fields are the item's attributes, its long texts ("synopsis", "comment") and its
// lists ("actors", "genre", "audio") elements, a list holding a "line" per value and a "col" per
// column of it (an actor, then the role; an audio track's language, then its encoding). An empty
// list is an empty attribute; a film at home has the borrower "none".
#include "files/CatalogueReaders.h"
#include "files/ImportMapping.h"
#include "files/XmlCatalogue.h"

namespace files::catalogue {

namespace {

using namespace Qt::StringLiterals;

// A list's lines, each the texts of its columns.
QList<QStringList> listLines(QXmlStreamReader& xml)
{
    QList<QStringList> lines;
    QString text;
    while (xml.readNext() != QXmlStreamReader::Invalid && !xml.isEndElement()) {
        if (xml.isCharacters()) {
            text += xml.text();
        } else if (xml.isStartElement() && xml.name() == "line"_L1) {
            QStringList columns;
            while (xml.readNextStartElement())
                columns.append(elementText(xml));
            lines.append(columns);
        } else if (xml.isStartElement()) {
            xml.skipCurrentElement();
        }
    }
    // A list written as a text, as an attribute holds it.
    if (lines.isEmpty() && !text.trimmed().isEmpty())
        lines.append({text.trimmed()});
    return lines;
}

void appendColumn(QStringList& values, const QList<QStringList>& lines, qsizetype column)
{
    for (const QStringList& line : lines) {
        const QString value = line.value(column);
        if (!value.isEmpty())
            values.append(value);
    }
}

// The lists of the film, from an attribute's text or an element's lines.
void takeList(ImportedFilm& film, QStringView name, const QList<QStringList>& lines)
{
    if (name == "actors"_L1) {
        appendColumn(film.actors, lines, 0);
    } else if (name == "genre"_L1) {
        appendColumn(film.genres, lines, 0);
    } else if (name == "audio"_L1) {
        appendColumn(film.languages, lines, 0);
        appendColumn(film.audioCodecs, lines, 1);
    }
}

void takeText(ImportedFilm& film, QStringView name, const QString& value)
{
    if (name == "title"_L1)
        film.title = value;
    else if (name == "original"_L1)
        film.originalTitle = value;
    else if (name == "date"_L1)
        film.year = value;
    else if (name == "time"_L1)
        film.duration = value;
    else if (name == "director"_L1)
        film.directors.append(value);
    else if (name == "format"_L1)
        film.medium = value;
    else if (name == "video"_L1)
        film.videoCodecs.append(value);
    else if (name == "number"_L1)
        film.discs = value;
    else if (name == "synopsis"_L1)
        film.plot = value;
    else if (name == "comment"_L1)
        film.comments = value;
    else if (name == "borrower"_L1 && value.compare("none"_L1, Qt::CaseInsensitive) != 0)
        film.borrower = value;
    else if (name == "lendDate"_L1)
        film.loanDate = value;
    else
        takeList(film, name, {{value}});
}

ImportedFilm readItem(QXmlStreamReader& xml, int line)
{
    ImportedFilm film;
    film.line = line;
    for (const QXmlStreamAttribute& attribute : xml.attributes()) {
        const QString value = attribute.value().trimmed().toString();
        if (!value.isEmpty())
            takeText(film, attribute.name(), value);
    }
    while (xml.readNextStartElement()) {
        const QString name = xml.name().toString();
        if (name == "synopsis"_L1 || name == "comment"_L1)
            takeText(film, name, elementText(xml));
        else
            takeList(film, name, listLines(xml));
    }
    if (film.borrower.isEmpty())
        film.loanDate.clear();
    film.minutes = minutesOf(film.duration);
    return film;
}

}  // namespace

CatalogueContent readGcstar(QXmlStreamReader& xml)
{
    if (xml.attributes().value("type"_L1) != "GCfilms"_L1)
        throw Fault {QStringLiteral("Cette collection GCstar n'est pas une collection de films.")};
    CatalogueContent content {QStringLiteral("Collection GCstar"), {}};
    readElements(xml, [&](int line) {
        if (xml.name() == "item"_L1)
            addFilm(content, readItem(xml, line));
        else
            xml.skipCurrentElement();
    });
    return content;
}

}  // namespace files::catalogue
