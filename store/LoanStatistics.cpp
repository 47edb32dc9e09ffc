#include "store/LoanStatistics.h"

#include "store/FrenchText.h"

#include <QCollatorSortKey>
#include <algorithm>
#include <limits>
#include <vector>

namespace store {

namespace {

std::optional<double> ratio(qint64 part, qint64 whole)
{
    if (whole == 0)
        return std::nullopt;
    return double(part) / double(whole);
}

// The films of the most loans, at most kMostLentFilms: those of as many loans as the last place
// are parted by title, in French order, then the films gone by key. Only those films are named,
// and each title given its sort key once.
QList<LentFilm> mostLent(std::vector<LentFilm> films, const TitlesOf& titlesOf)
{
    const auto byLoans = [](const LentFilm& a, const LentFilm& b) { return a.loans > b.loans; };
    if (qsizetype(films.size()) > kMostLentFilms) {
        std::nth_element(films.begin(), films.begin() + (kMostLentFilms - 1), films.end(), byLoans);
        const qint64 fewest = films[std::size_t(kMostLentFilms - 1)].loans;
        films.erase(std::partition(films.begin(), films.end(),
                                   [fewest](const LentFilm& film) { return film.loans >= fewest; }),
                    films.end());
    }
    QList<qint16> codes;
    codes.reserve(qsizetype(films.size()));
    for (const LentFilm& film : films)
        codes.append(film.code);
    const QHash<qint16, QString> titles = titlesOf(codes);
    struct Place {
        const LentFilm* film;
        std::optional<QCollatorSortKey> title;
    };
    std::vector<Place> places;
    places.reserve(films.size());
    for (LentFilm& film : films) {
        const auto found = titles.constFind(film.code);
        if (found != titles.cend())
            film.title = *found;
        places.push_back({&film, film.title.isNull() ? std::nullopt : std::optional(frenchSortKey(film.title))});
    }
    std::sort(places.begin(), places.end(), [](const Place& a, const Place& b) {
        if (a.film->loans != b.film->loans)
            return a.film->loans > b.film->loans;
        if (a.title.has_value() != b.title.has_value())
            return a.title.has_value();
        if (a.title) {
            const int order = a.title->compare(*b.title);
            if (order != 0)
                return order < 0;
        }
        return a.film->code < b.film->code;
    });
    QList<LentFilm> sorted;
    sorted.reserve(std::min(qsizetype(places.size()), kMostLentFilms));
    for (const Place& place : places) {
        if (sorted.size() == kMostLentFilms)
            break;
        sorted.append(*place.film);
    }
    return sorted;
}

}  // namespace

std::optional<double> LoanStatistics::averageReturnedDays() const { return ratio(returnedDays, returnedTimed); }

std::optional<double> LoanStatistics::averageDays() const
{
    return ratio(returnedDays + outDays, returnedTimed + outTimed);
}

std::optional<double> LoanStatistics::lateShare() const { return ratio(returnedLate, returned); }

LoanStatistics loanStatistics(const QList<Loan>& loans, const QDate& today, const TitlesOf& titlesOf)
{
    LoanStatistics statistics;
    // Each film's place among the films lent, by its key.
    std::vector<qsizetype> places(std::size_t(1) << 16, -1);
    std::vector<LentFilm> films;
    for (const Loan& loan : loans) {
        ++statistics.loans;
        qsizetype& place = places[std::size_t(loan.code_film - std::numeric_limits<qint16>::min())];
        if (place < 0) {
            place = qsizetype(films.size());
            films.push_back({loan.code_film, {}, 0});
        }
        ++films[std::size_t(place)].loans;
        const bool timed = loan.lent.isValid();
        // A loan back before its day lent, or out since a day after today (another program, a clock
        // set wrong meanwhile), counts no day.
        const qint64 days = timed ? std::max(0, loan.days(today)) : 0;
        if (loan.isOut()) {
            ++statistics.out;
            statistics.outDays += days;
            statistics.outTimed += timed ? 1 : 0;
        } else {
            ++statistics.returned;
            statistics.returnedLate += loan.isLate(today) ? 1 : 0;
            statistics.returnedDays += days;
            statistics.returnedTimed += timed ? 1 : 0;
        }
    }
    statistics.films = mostLent(std::move(films), titlesOf);
    statistics.borrowers = Loans::borrowers(loans, today);
    std::stable_sort(statistics.borrowers.begin(), statistics.borrowers.end(),
                     [](const Borrower& a, const Borrower& b) { return a.loans > b.loans; });
    return statistics;
}

}  // namespace store
