#include "store/Statistics.h"

#include "store/FrenchText.h"

#include <QCollatorSortKey>
#include <QMap>
#include <algorithm>
#include <sqlite3.h>
#include <vector>

namespace store {

namespace {

constexpr int kFirstYear = 1880;
constexpr int kLastYear = 2100;
constexpr int kMaxHourFigures = 4;

bool isFigure(QChar c) { return c >= u'0' && c <= u'9'; }
int figure(QChar c) { return c.unicode() - u'0'; }

// Groups the texts of a field as the catalogue compares them: texts the French collation holds
// equal are one value. Each group shows the spelling of most of its films, "" when it holds the
// films without a value, and lists them with a statement on that spelling.
QList<Group> grouped(const QHash<QString, qint64>& spellings, FilmList::Kind kind)
{
    struct Spelling {
        QString text;
        qint64 films;
        QCollatorSortKey key;
    };
    std::vector<Spelling> sorted;
    sorted.reserve(spellings.size());
    for (auto it = spellings.cbegin(); it != spellings.cend(); ++it)
        sorted.push_back({it.key(), it.value(), frenchSortKey(it.key())});
    std::sort(sorted.begin(), sorted.end(),
              [](const Spelling& a, const Spelling& b) { return a.key.compare(b.key) < 0; });

    QList<Group> groups;
    for (std::size_t first = 0; first < sorted.size();) {
        std::size_t end = first + 1;
        while (end < sorted.size() && sorted[end].key.compare(sorted[first].key) == 0)
            ++end;
        const Spelling* chosen = &sorted[first];
        qint64 films = 0;
        bool empty = false;
        for (std::size_t i = first; i < end; ++i) {
            const Spelling& spelling = sorted[i];
            films += spelling.films;
            empty = empty || spelling.text.isEmpty();
            if (spelling.films > chosen->films
                || (spelling.films == chosen->films && spelling.text < chosen->text))
                chosen = &spelling;
        }
        const QString value = empty ? QString() : chosen->text;
        groups.append({value, films, {kind, value}});
        first = end;
    }
    return groups;
}

// Most films first, then the values in French order: two rows never hold values the collation
// holds equal.
void sortByFilms(QList<Group>& groups)
{
    std::sort(groups.begin(), groups.end(), [](const Group& a, const Group& b) {
        return a.films != b.films ? a.films > b.films : compareFrench(a.value, b.value) < 0;
    });
}

QStringView argumentText(sqlite3_value* argument)
{
    const void* text = sqlite3_value_text16(argument);
    return text ? QStringView(static_cast<const char16_t*>(text), sqlite3_value_bytes16(argument) / 2)
                : QStringView();
}

// The engine's side of runningMinutes and filmYear: NULL for NULL and for what they do not read.
template <std::optional<int> (*read)(QStringView)>
void readFunction(sqlite3_context* context, int, sqlite3_value** arguments)
{
    if (sqlite3_value_type(arguments[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const std::optional<int> value = read(argumentText(arguments[0]));
    if (value)
        sqlite3_result_int(context, *value);
    else
        sqlite3_result_null(context);
}

}  // namespace

std::optional<int> runningMinutes(QStringView duree)
{
    const QStringView text = duree.trimmed();
    qsizetype at = 0;
    int hours = 0;
    while (at < text.size() && at < kMaxHourFigures && isFigure(text[at]))
        hours = hours * 10 + figure(text[at++]);
    if (at == 0 || at == text.size() || (text[at] != u'h' && text[at] != u'H'))
        return std::nullopt;
    ++at;
    int minutes = 0;
    if (text.size() - at == 2 && isFigure(text[at]) && isFigure(text[at + 1]))
        minutes = figure(text[at]) * 10 + figure(text[at + 1]);
    else if (at != text.size())
        return std::nullopt;
    const int total = hours * 60 + minutes;
    if (minutes >= 60 || total == 0)
        return std::nullopt;
    return total;
}

std::optional<int> filmYear(QStringView annee)
{
    const QStringView text = annee.trimmed();
    if (text.size() != 4 || !std::all_of(text.begin(), text.end(), isFigure))
        return std::nullopt;
    int year = 0;
    for (QChar c : text)
        year = year * 10 + figure(c);
    if (year < kFirstYear || year > kLastYear)
        return std::nullopt;
    return year;
}

void registerStatisticsFunctions(sqlite3* db)
{
    sqlite3_create_function(db, "running_minutes", 1, SQLITE_UTF16 | SQLITE_DETERMINISTIC, nullptr,
                            readFunction<runningMinutes>, nullptr, nullptr);
    sqlite3_create_function(db, "film_year", 1, SQLITE_UTF16 | SQLITE_DETERMINISTIC, nullptr,
                            readFunction<filmYear>, nullptr, nullptr);
}

const char* countedColumn(FilmList::Kind kind)
{
    for (const CountedField& field : kCountedFields)
        if (field.kind == kind)
            return field.column;
    return nullptr;
}

std::optional<qint64> Statistics::averageMinutes() const
{
    if (timed == 0)
        return std::nullopt;
    return (minutes + timed / 2) / timed;
}

void StatisticsTally::addFilm(const std::array<QString, kCountedFields.size() + 2>& values,
                              bool withoutQuality, bool lent)
{
    for (std::size_t i = 0; i < fields_.size(); ++i)
        ++fields_[i][values[i]];
    ++years_[values[kCountedFields.size()]];
    ++durations_[values[kCountedFields.size() + 1]];
    ++films_;
    withoutQuality_ += withoutQuality ? 1 : 0;
    lent_ += lent ? 1 : 0;
}

Statistics StatisticsTally::result() const
{
    Statistics statistics;
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        statistics.byField[i] = grouped(fields_[i], kCountedFields[i].kind);
        sortByFilms(statistics.byField[i]);
    }

    QMap<int, qint64> decades;  // by first year; 0 for the films without a year
    for (auto it = years_.cbegin(); it != years_.cend(); ++it) {
        const std::optional<int> year = filmYear(it.key());
        decades[year ? *year / 10 * 10 : 0] += it.value();
    }
    for (auto it = decades.cbegin(); it != decades.cend(); ++it)
        statistics.byDecade.append(
                it.key() == 0 ? Group {QString(), it.value(), FilmList::of(FilmList::Kind::WithoutYear)}
                              : Group {QString::number(it.key()), it.value(), FilmList::decade(it.key())});
    sortByFilms(statistics.byDecade);

    for (auto it = durations_.cbegin(); it != durations_.cend(); ++it) {
        if (const std::optional<int> minutes = runningMinutes(it.key())) {
            statistics.minutes += qint64(*minutes) * it.value();
            statistics.timed += it.value();
        } else {
            statistics.untimed += it.value();
        }
    }

    // As the main window counts: a film without a quality is neither a video file nor a DVD.
    Counters& counters = statistics.counters;
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (kCountedFields[i].kind != FilmList::Kind::Quality)
            continue;
        for (auto it = fields_[i].cbegin(); it != fields_[i].cend(); ++it)
            if (compareFrench(it.key(), u"dvd") == 0)
                counters.dvd += it.value();
    }
    counters.divx = films_ - withoutQuality_ - counters.dvd;
    counters.lent = lent_;
    counters.atHome = films_ - lent_;
    return statistics;
}

}  // namespace store
