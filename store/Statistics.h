#pragma once

#include "store/Films.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>
#include <array>
#include <optional>

struct sqlite3;

namespace store {

// A running time as the editor writes it, hours then "h" then two-figure minutes ("01h45",
// "1h45", "1H45", "2h" for whole hours), spaces around it ignored, in minutes; nothing for any
// other text and for no time at all ("00h00", the editor's untouched box).
std::optional<int> runningMinutes(QStringView duree);

// The year of a film: four figures from 1880 to 2100, spaces around them ignored, as the import
// reads years; nothing for "0000", "-", an empty text or anything else.
std::optional<int> filmYear(QStringView annee);

// Lends runningMinutes and filmYear to the engine as running_minutes(duree) and film_year(annee),
// NULL where they give nothing, so that a list finds exactly the films the statistics counted.
void registerStatisticsFunctions(sqlite3* db);

// A column the statistics count films by, and the list that finds the films of one of its values.
struct CountedField {
    FilmList::Kind kind;
    const char* column;
};
// Genre, format, quality, language, video codec, audio codec, number of discs.
inline constexpr std::array<CountedField, 7> kCountedFields = {{
        {FilmList::Kind::Genre, "type_film"},
        {FilmList::Kind::Format, "format_film"},
        {FilmList::Kind::Quality, "qualite_film"},
        {FilmList::Kind::Language, "langue_Film"},
        {FilmList::Kind::VideoCodec, "codec_Film"},
        {FilmList::Kind::AudioCodec, "codec_Son"},
        {FilmList::Kind::Discs, "cd_film"},
}};
// The column of a list that finds the films of one value; nullptr for the other lists.
const char* countedColumn(FilmList::Kind kind);

// One row of a statistics table: a value, as the most of its films spell it ("" for the films
// without one: empty text or NULL), how many films hold it, and the list of those films.
struct Group {
    QString value;
    qint64 films = 0;
    FilmList list;
};

// What the statistics window shows of the whole catalogue.
struct Statistics {
    Counters counters;
    qint64 minutes = 0;  // the running time of the films that have one
    qint64 timed = 0;  // those films
    qint64 untimed = 0;  // the others, "sans durée"
    // One table for each counted field, in the order of kCountedFields, then the decades: each
    // decade by its first year ("1990"), the films without a year as the value "". Each table
    // most films first, then in French order of its values.
    std::array<QList<Group>, kCountedFields.size()> byField;
    QList<Group> byDecade;
    // The average running time in minutes, rounded; nothing when no film has one.
    std::optional<qint64> averageMinutes() const;
};

// Counts the films one by one as the catalogue holds them; the texts of a field are then grouped as
// the catalogue compares them (letter case ignored, French collation), each text looked at once.
class StatisticsTally {
public:
    // A film's values, in the order of kCountedFields, then its year and running time; a NULL reads
    // as empty text.
    void addFilm(const std::array<QString, kCountedFields.size() + 2>& values, bool withoutQuality,
                 bool lent);
    Statistics result() const;

private:
    std::array<QHash<QString, qint64>, kCountedFields.size()> fields_;
    QHash<QString, qint64> years_, durations_;
    qint64 films_ = 0, withoutQuality_ = 0, lent_ = 0;
};

}  // namespace store
