#pragma once

#include "files/CatalogueFile.h"
#include "files/ReferenceListFile.h"

#include <QString>
#include <QStringList>

// How an imported film's values become the texts of the film's columns, as the editor and the
// quick add write them. Each function is pure; empty values get what the quick add stores.
namespace files {

// A running time in minutes: "105", "105 min", "1h45", "1 h 45 min", "01:45:00", "1:45"; -1 when
// the text is none of these.
int minutesOf(const QString& written);

// The editor's form of a running time, "01h45"; "--" when nothing is written; a text that tells no
// running time is kept as written, the column being the editor's free text.
QString durationEntry(const QString& written);

// The editor's language for the film: "Français" when one of the languages is French (the film can
// be watched in French), else the first one that is English, Spanish, Italian or German
// ("Anglais", "Espagnol", "Italien", "Allemenad"), else "Autres". A language is a name in French,
// English or its own language, or a code ("fr", "fra", "fr-FR"; "VF" for the French version),
// letter case and accents ignored; a value may hold several, separated by "," ";" "/" "|" "+".
QString languageEntry(const QStringList& languages);

// The reference list's entry for the first of the values that the list holds, compared as the
// editor selects a film's entry: the same text, or else the same text but for letter case (the
// list keeps "Drame", the file says "drame"). When the list holds none, the first value as given,
// for the list to take in; "" when there is no value. A value may hold several, separated as
// languages are.
struct ListEntry {
    QString text;
    bool inList = false;
};
ListEntry listEntry(const QStringList& values, const QStringList& list);

// The format and the quality a film's medium gives. A DVD ("DVD", "dvd", "DVD-Video", "DVD 9")
// is a Dvd of quality "DvD", counted among the DVDs; a burnt DVD-R, a Blu-ray or a VHS is not. A
// medium that names one of the editor's formats (Avi, Mpg, Divx, Rmvb, Svcd, Wma, Dvd), letter
// case ignored, is kept as written, so the workbook's own column comes back as it was; any other
// gives the quick add's "AVI" and "--".
struct FormatAndQuality {
    QString format, quality;
};
FormatAndQuality formatOf(const QString& medium);

// The year: the first four-figure year from 1880 to 2100 in the text ("1979", "25/10/1979",
// "1979-10-25"), else the quick add's "0000".
QString yearEntry(const QString& written);

// The number of discs as written; "1" when nothing is written. A number that a French spreadsheet
// wrote with a decimal comma ("1,5") takes back its point, as the workbook export typed it.
QString discsEntry(const QString& written);

// People joined with ", ", each value split at ";", "|" and line ends; "--" when there is none.
QString peopleEntry(const QStringList& people);

// The plot, then a blank line and the comments, line ends as the editor writes them (LF); "--"
// when both are empty.
QString notesEntry(const QString& plot, const QString& comments);

// A loan's date in the program's form, "dd/MM/yyyy", from "yyyy-MM-dd" (Tellico; a time after it
// is left out), "dd/MM/yyyy", "d/M/yyyy", "dd.MM.yyyy", "dd-MM-yyyy" or "dd/MM/yy" (the year in
// 1970-2069); "" when the date is missing or no real day.
QString loanDateEntry(const QString& written);

// An imported film's values. The thirteen film values are named as the catalogue's columns
// (store::FilmDetails, which this layer cannot include): the import window copies them one by one.
struct MappedFilm {
    QString nom_film, type_film, cd_film, qualite_film, format_film, obs_Film, langue_Film, codec_Film,
            codec_Son, duree, realisateur, acteur, annee;
    // The current loan: who has the film, "" when it is at home; the day in the program's form, ""
    // when the file gives none or an unreadable one.
    QString borrower, loanDate;
    // A genre or codec from the file that its reference list lacks: the window adds it to the list
    // and names it in its report.
    bool newGenre = false, newVideoCodec = false, newAudioCodec = false;
};

// A catalogue's films mapped in file order, their genre and codecs matched against the reference
// lists, each value new to its list taken into the list, in the form the list file holds it
// (files::storedEntry), before the next film is mapped: "drame" after "Drame" gives one entry, a
// genre "Film "noir"" becomes "Film 'noir'" in the film as in the list. A film's new… flag is set on
// the film that brought the entry. A film's title is its title, else its original title, "" for a
// film without one.
struct MappedCatalogue {
    QList<MappedFilm> films;
    // The entries the lists lacked, each list in the order the films brought them.
    ReferenceLists newEntries;
};
MappedCatalogue mapFilms(const QList<ImportedFilm>& films, const ReferenceLists& lists);

}  // namespace files
