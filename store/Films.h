#pragma once

#include "store/Fold.h"
#include "store/ListedRow.h"
#include "store/Statement.h"

#include <QDate>
#include <QList>
#include <QString>
#include <array>
#include <functional>
#include <optional>

namespace store {

class Database;
struct Statistics;

// The thirteen values the program writes for a film, named as their columns.
struct FilmDetails {
    QString nom_film, type_film, cd_film, qualite_film, format_film, obs_Film, langue_Film, codec_Film,
            codec_Son, duree, realisateur, acteur, annee;
};

// The details' columns in the table's order, each with its member.
struct DetailColumn {
    const char* name;
    QString FilmDetails::*member;
};
extern const std::array<DetailColumn, 13> kDetailColumns;

// One film as the catalogue holds it. A NULL column reads as empty text; the borrower is absent
// while the film is at home.
struct Film : FilmDetails {
    qint16 code_film = 0;
    std::optional<QString> pret_film;
    QString date_pret;
};

// A list of films as the main list asks for it: which list, and for a search the text typed (folded
// for a search of every field, so that texts typed alike ask for the same list).
struct FilmList {
    enum class Kind {
        All,
        Dvd,
        French,
        Foreign,
        TitleSearch,
        // The films in which every word typed, folded, is found in the searched columns.
        AllFieldsSearch,
        // The films behind a figure of the statistics, by title. A field's value as text, compared as
        // the catalogue compares texts; "" also finds the films whose column is NULL.
        Genre,
        Format,
        Quality,
        Language,
        VideoCodec,
        AudioCodec,
        Discs,
        Decade,  // the decade's first year as text, "1990"
        WithoutYear,
        WithDuration,
        WithoutDuration,
        Lent,
        AtHome,
        // The films of the loans' history: lent at least once, with a loan returned, with a loan
        // returned after its due day, lent to one borrower (their key, Loans::borrowerKey, as text);
        // then one film, its key as text.
        EverLent,
        Returned,
        ReturnedLate,
        Borrowed,
        OneFilm,
    };
    Kind kind = Kind::All;
    QString text;

    static FilmList all() { return {}; }
    static FilmList of(Kind kind) { return {kind, {}}; }
    static FilmList titleSearch(const QString& typed) { return {Kind::TitleSearch, typed}; }
    static FilmList allFieldsSearch(const QString& typed) { return {Kind::AllFieldsSearch, fold(typed)}; }
    static FilmList decade(int firstYear) { return {Kind::Decade, QString::number(firstYear)}; }
    static FilmList borrowedBy(const QString& borrowerKey) { return {Kind::Borrowed, borrowerKey}; }
    static FilmList film(qint16 code) { return {Kind::OneFilm, QString::number(code)}; }
    bool operator==(const FilmList&) const = default;
};

// The four counters of the main window, always over the whole catalogue.
struct Counters {
    qint64 divx = 0;  // films whose quality is not "dvd" (a film without quality is neither)
    qint64 dvd = 0;
    qint64 lent = 0;
    qint64 atHome = 0;
    qint64 films() const { return lent + atHome; }
};

// The catalogue's films: the one place that speaks SQL to the table film. Every value, the key
// included, is bound to a placeholder of its statement, never written into its text.
class Films {
public:
    // Keys are 16-bit: no film can be numbered above this.
    static constexpr int kLastKey = 32767;

    explicit Films(Database& db) : db_(db) { }

    // The statement behind a list, its values bound: what listed() runs, for the benchmark to time
    // the engine alone on it. For a search of every field, the statement that finds the films' keys.
    static Statement statementOf(const FilmList& list);

    // The rows of a list: title, genre, duration, discs, format and key. A title search finds the
    // films whose title starts with the typed text, letter case ignored; "%" and "_" stay wildcards.
    // A search of every field finds, in title order, the films in whose title, genre, director,
    // actors, year or notes each word typed is found, all folded (store::fold); typed without a
    // word, every film.
    QList<ListedRow> listed(const FilmList& list);
    // The films lent to somebody named, by title: title, borrower, date and key.
    QList<ListedRow> lentFilms();
    Counters counters();
    // The statistics of the whole catalogue, in one pass over the films (store/Statistics.h).
    Statistics statistics();
    // Moves whenever the catalogue's content may have changed, here or through another program.
    QString contentStamp();

    std::optional<Film> find(qint16 code);
    // Whether a film bears this title, compared as titles are everywhere (letter case ignored,
    // French order): one look-up in the title index.
    bool hasTitle(const QString& title);

    // The key the next film takes: one past the highest, 1 in an empty catalogue. It may lie past
    // kLastKey, when no key is left.
    int nextKey();
    // Adds a film under the next key and gives that key; throws when no key is left.
    qint16 add(const FilmDetails& film);
    // Adds a film under a key of the caller's.
    void insert(int code, const FilmDetails& film);
    // Writes the details of a film; false when no film has that key.
    bool modify(qint16 code, const FilmDetails& film);
    // Lends a film: its borrower and loan date ("dd/MM/yyyy"), and in the same transaction its loan
    // in the history (store::Loans), opened on that day, or corrected when one is open.
    void lend(qint16 code, const QString& borrower, const QString& date);
    // Forgets the borrower and the date together, never one without the other, and closes the
    // film's loan in the history on that day, in the same transaction.
    void giveBack(qint16 code, const QDate& today);
    // Deletes a film, and its loans' history with it.
    void remove(qint16 code);
    // The title, duration and quality of every film, in title order.
    void forEachByTitle(const std::function<void(const QString&, const QString&, const QString&)>& visit);

    // What the catalogue records of a film found on disk, until the user completes it.
    static FilmDetails foundOnDisk(const QString& title);

private:
    // Every film's row in title order, read again only once a film's row may have changed.
    const QList<ListedRow>& rowsOfAll();

    Database& db_;
};

}  // namespace store
