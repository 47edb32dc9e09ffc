#include "stats/StatisticsTables.h"

#include <QLocale>
#include <cmath>

namespace stats {

namespace {

const QLocale& french()
{
    static const QLocale locale(QLocale::French, QLocale::France);
    return locale;
}

// French writes its numbers with narrow or no-break spaces: the window writes plain ones.
QString plainSpaces(QString text)
{
    for (QChar& c : text)
        if (c.isSpace())
            c = u' ';
    return text;
}

// A row's value as the table shows it: "(vide)" for the films without one; a decade as "années
// 1990", the films without a year as "sans année".
QString valueText(const store::Group& group)
{
    if (group.list.kind == store::FilmList::Kind::Decade)
        return QStringLiteral("années ") + group.value;
    if (group.list.kind == store::FilmList::Kind::WithoutYear)
        return QStringLiteral("sans année");
    return group.value.isEmpty() ? QStringLiteral("(vide)") : group.value;
}

// "1 234 h 56 min".
QString runningTimeText(qint64 minutes)
{
    return QStringLiteral("%1 h %2 min").arg(countText(minutes / 60)).arg(minutes % 60, 2, 10, QChar(u'0'));
}

// A loan's average length, "12,4 jours", "1,0 jour".
QString daysText(double days)
{
    // French counts below two in the singular: "1,5 jour".
    return plainSpaces(french().toString(days, 'f', 1))
            + (std::round(days * 10) < 20 ? QStringLiteral(" jour") : QStringLiteral(" jours"));
}

QList<Total> totalsOf(const store::Statistics& statistics)
{
    using Kind = store::FilmList::Kind;
    const store::Counters& counters = statistics.counters;
    const std::optional<qint64> average = statistics.averageMinutes();
    const std::optional<double> averageNumber = average ? std::optional(double(*average)) : std::nullopt;
    return {
            {QStringLiteral("Films"),
             countText(counters.films()),
             double(counters.films()),
             {},
             store::FilmList::all()},
            {QStringLiteral("DVD"),
             countText(counters.dvd),
             double(counters.dvd),
             {},
             {Kind::Quality, QStringLiteral("dvd")}},
            {QStringLiteral("Prêtés"),
             countText(counters.lent),
             double(counters.lent),
             {},
             store::FilmList::of(Kind::Lent)},
            {QStringLiteral("À la maison"),
             countText(counters.atHome),
             double(counters.atHome),
             {},
             store::FilmList::of(Kind::AtHome)},
            {QStringLiteral("Durée totale"), runningTimeText(statistics.minutes), double(statistics.minutes),
             QStringLiteral("minutes"), store::FilmList::of(Kind::WithDuration)},
            {QStringLiteral("Durée moyenne"), average ? runningTimeText(*average) : QStringLiteral("--"),
             averageNumber, QStringLiteral("minutes"), store::FilmList::of(Kind::WithDuration)},
            {QStringLiteral("Sans durée"),
             countText(statistics.untimed),
             double(statistics.untimed),
             {},
             store::FilmList::of(Kind::WithoutDuration)},
    };
}

// The loans' figures: their lengths in calendar days, the loans out counted to today; a loan without
// a due day is never late.
QList<Total> loanTotalsOf(const store::LoanStatistics& loans)
{
    using Kind = store::FilmList::Kind;
    const auto count = [](const char* caption, qint64 number, Kind kind) {
        return Total {QString::fromUtf8(caption), countText(number), double(number), {}, store::FilmList::of(kind)};
    };
    const auto length = [](const char* caption, std::optional<double> days, Kind kind) {
        return Total {QString::fromUtf8(caption), days ? daysText(*days) : QStringLiteral("--"), days,
                      QStringLiteral("jours"), store::FilmList::of(kind)};
    };
    const std::optional<double> late = loans.lateShare();
    return {
            count("Prêts", loans.loans, Kind::EverLent),
            count("En cours", loans.out, Kind::Lent),
            count("Rendus", loans.returned, Kind::Returned),
            length("Durée moyenne des prêts rendus", loans.averageReturnedDays(), Kind::Returned),
            length("Durée moyenne, en cours compris", loans.averageDays(), Kind::EverLent),
            count("Rendus en retard", loans.returnedLate, Kind::ReturnedLate),
            {QStringLiteral("Part rendue en retard"),
             late ? shareText(loans.returnedLate, loans.returned) : QStringLiteral("--"),
             late ? std::optional(100.0 * *late) : std::nullopt, QStringLiteral("%"),
             store::FilmList::of(Kind::ReturnedLate)},
    };
}

Table tableOf(const QList<store::Group>& groups, qint64 films)
{
    Table table {{}, films};
    table.rows.reserve(groups.size());
    for (const store::Group& group : groups)
        table.rows.append({valueText(group), group.films, group.list});
    return table;
}

// A film gone from the catalogue shows its key; its row leads to no film.
Table filmsLentOf(const store::LoanStatistics& loans)
{
    Table table {{}, loans.loans};
    table.rows.reserve(loans.films.size());
    for (const store::LentFilm& film : loans.films)
        table.rows.append({store::Loans::shownTitle(film.code, film.title), film.loans,
                           store::FilmList::film(film.code)});
    return table;
}

Table borrowersOf(const store::LoanStatistics& loans)
{
    Table table {{}, loans.loans};
    table.rows.reserve(loans.borrowers.size());
    for (const store::Borrower& borrower : loans.borrowers)
        table.rows.append({borrower.name.isEmpty() ? QStringLiteral("(vide)") : borrower.name, borrower.loans,
                           store::FilmList::borrowedBy(borrower.key)});
    return table;
}

}  // namespace

Figures figuresOf(const store::Statistics& films, const store::LoanStatistics& loans)
{
    Figures figures {totalsOf(films), loanTotalsOf(loans), {}};
    const qint64 all = films.counters.films();
    for (std::size_t i = 0; i < films.byField.size(); ++i)
        figures.tables[i] = tableOf(films.byField[i], all);
    figures.tables[films.byField.size()] = tableOf(films.byDecade, all);
    figures.tables[kFilmsLentTable] = filmsLentOf(loans);
    figures.tables[kBorrowersTable] = borrowersOf(loans);
    return figures;
}

QString countText(qint64 number) { return plainSpaces(french().toString(number)); }

QString shareText(qint64 part, qint64 whole)
{
    const double percent = whole > 0 ? 100.0 * double(part) / double(whole) : 0.0;
    return plainSpaces(french().toString(percent, 'f', 1)) + QStringLiteral(" %");
}

}  // namespace stats
