#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace files {

// One film of a catalogue file, as the file writes it: nothing is yet turned into the film's
// columns (files/ImportMapping.h does that). Lists hold the file's values one by one where the
// format separates them, else the one text it writes ("English, French").
struct ImportedFilm {
    int line = 0;  // the file's line where the film starts (1 for the first line)
    QString title;  // the title the format shows: the table's "Titre", a translated title
    QString originalTitle;  // where the format has one beside the title
    QString year;  // as written: "1979", or a whole date ("25/10/1979")
    QStringList directors, actors, genres, languages;
    QString duration;  // as written: "117", "1h57", "117 min", "01:57:00"
    int minutes = -1;  // the duration in minutes, -1 when missing or unreadable
    QString medium;  // "DVD", "Blu-ray", "Divx"…
    QStringList videoCodecs, audioCodecs;
    QString discs;
    QString plot, comments;
    QString borrower;  // who has the film now, "" when it is at home
    QString loanDate;  // as written: "2024-03-05" (Tellico), "05/03/2024"

    // A film without a title cannot be imported: the import window shows it as left out.
    bool hasTitle() const { return !title.isEmpty() || !originalTitle.isEmpty(); }
};

// What a catalogue file holds: the name of its format for the user ("Collection Tellico",
// "Tableau CSV, séparateur point-virgule, UTF-8"), then its films in file order.
struct CatalogueContent {
    QString formatName;
    QList<ImportedFilm> films;
};

// Larger files, and larger collections inside a Tellico archive, are refused before they are read:
// a collection of 10,000 films takes a few megabytes. A Tellico archive may be larger (it holds the
// covers too): only its collection is read.
constexpr qint64 kMaxCatalogueSize = 64 * 1024 * 1024;

// A file holding more films is refused as it is read, before it takes the memory of millions of
// them: a catalogue holds 32,767 films at most.
constexpr int kMaxCatalogueFilms = 100'000;

// Reads the file whole and recognises its format by its content, whatever its name: a table saved
// by a spreadsheet (CSV or tab-separated; UTF-8, UTF-16 or Windows-1252; its first line naming the
// columns), a Tellico collection of videos (.tc archive or its XML), a GCstar film collection
// (.gcs) or an Ant Movie Catalog XML export. Throws CatalogueFileError, saying what is wrong, when
// the file is missing, unreadable, empty, too large, holds too many films, is damaged or is none of
// these.
CatalogueContent readCatalogueFile(const QString& path);

}  // namespace files
