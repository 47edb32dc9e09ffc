// Tellico's collections (tellico.xml, alone or in its .tc archive): a collection of videos is of type
// 3; each entry writes a field as an element named after it, a field of several values as an
// element named in the plural holding one element per value ("genres", "genre"), a table's row as
// columns (a cast member, then the role); the loans stand apart, each naming its entry.
#include "files/CatalogueReaders.h"
#include "files/ImportMapping.h"
#include "files/XmlCatalogue.h"

#include <QHash>
#include <QRegularExpression>

namespace files::catalogue {

namespace {

using namespace Qt::StringLiterals;

constexpr QLatin1StringView kVideos = "3"_L1;

// A value of a field of several: its text, or a table row's first column.
QString itemText(QXmlStreamReader& xml)
{
    QString text;
    bool column = false;
    while (xml.readNext() != QXmlStreamReader::Invalid && !xml.isEndElement()) {
        if (xml.isCharacters() && !column) {
            text += xml.text();
        } else if (xml.isStartElement()) {
            if (!column && xml.name() == "column"_L1) {
                text = elementText(xml);
                column = true;
            } else {
                xml.skipCurrentElement();
            }
        }
    }
    return text.trimmed();
}

QStringList itemTexts(QXmlStreamReader& xml)
{
    QStringList texts;
    while (xml.readNextStartElement()) {
        const QString text = itemText(xml);
        if (!text.isEmpty())
            texts.append(text);
    }
    return texts;
}

// The fields of several values that the film takes, by their singular name.
QStringList* listField(ImportedFilm& film, QStringView name)
{
    if (name == "genre"_L1)
        return &film.genres;
    if (name == "director"_L1)
        return &film.directors;
    if (name == "cast"_L1)
        return &film.actors;
    if (name == "language"_L1)
        return &film.languages;
    if (name == "audio-track"_L1)
        return &film.audioCodecs;
    return nullptr;
}

QString* textField(ImportedFilm& film, QStringView name)
{
    if (name == "title"_L1)
        return &film.title;
    if (name == "origtitle"_L1)
        return &film.originalTitle;
    if (name == "year"_L1)
        return &film.year;
    if (name == "running-time"_L1)
        return &film.duration;
    if (name == "medium"_L1)
        return &film.medium;
    if (name == "plot"_L1)
        return &film.plot;
    if (name == "comments"_L1)
        return &film.comments;
    return nullptr;
}

// Tellico writes a paragraph's line ends as HTML breaks.
QString paragraph(QString text)
{
    static const QRegularExpression lineBreak(QStringLiteral("<br\\s*/?>"),
                                              QRegularExpression::CaseInsensitiveOption);
    return text.replace(lineBreak, QStringLiteral("\n"));
}

ImportedFilm readEntry(QXmlStreamReader& xml, int line)
{
    ImportedFilm film;
    film.line = line;
    while (xml.readNextStartElement()) {
        const QStringView name = xml.name();
        if (QString* text = textField(film, name)) {
            *text = elementText(xml);
        } else if (QStringList* values = listField(film, name)) {
            values->append(itemText(xml));
        } else if (name.endsWith(u's') && (values = listField(film, name.chopped(1))) != nullptr) {
            values->append(itemTexts(xml));
        } else {
            xml.skipCurrentElement();
        }
    }
    film.plot = paragraph(film.plot);
    film.comments = paragraph(film.comments);
    film.minutes = minutesOf(film.duration);
    return film;
}

struct Loan {
    QString entryId, borrower, date;
};

}  // namespace

CatalogueContent readTellico(QXmlStreamReader& xml)
{
    CatalogueContent content {QStringLiteral("Collection Tellico"), {}};
    QHash<QString, qsizetype> entries;
    QList<Loan> loans;
    QString borrower;
    bool videos = false;
    readElements(xml, [&](int line) {
        const QStringView name = xml.name();
        if (name == "collection"_L1) {
            if (xml.attributes().value("type"_L1) == kVideos)
                videos = true;
            else
                xml.skipCurrentElement();
        } else if (name == "entry"_L1) {
            entries.insert(xml.attributes().value("id"_L1).toString(), content.films.size());
            addFilm(content, readEntry(xml, line));
        } else if (name == "borrower"_L1) {
            borrower = xml.attributes().value("name"_L1).trimmed().toString();
        } else if (name == "loan"_L1) {
            const QXmlStreamAttributes attributes = xml.attributes();
            loans.append({attributes.value("entryRef"_L1).toString(), borrower,
                          attributes.value("loanDate"_L1).toString()});
        } else if (name == "fields"_L1 || name == "images"_L1 || name == "filters"_L1) {
            xml.skipCurrentElement();
        }
    });
    if (!videos)
        throw Fault {QStringLiteral("Cette collection Tellico n'est pas une collection de vidéos.")};
    // The first loan of a film is its loan: Tellico keeps one per film lent.
    for (const Loan& loan : loans) {
        const auto entry = entries.constFind(loan.entryId);
        if (entry == entries.constEnd())
            continue;
        ImportedFilm& film = content.films[*entry];
        if (film.borrower.isEmpty()) {
            film.borrower = loan.borrower;
            film.loanDate = loan.date;
        }
    }
    return content;
}

}  // namespace files::catalogue
