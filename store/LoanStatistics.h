#pragma once

#include "store/Loans.h"

#include <QHash>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace store {

// A film of the loans' history and how many times it was lent.
struct LentFilm {
    qint16 code = 0;
    QString title;  // null when no film bears the key any more
    qint64 loans = 0;
};

// How many films the statistics name among the most lent: thousands of films lent once each say
// nothing a total does not.
inline constexpr qsizetype kMostLentFilms = 100;

// The loans' figures of the statistics, their lengths in calendar days.
struct LoanStatistics {
    qint64 loans = 0;  // every loan of the history
    qint64 out = 0;  // not returned yet
    qint64 returned = 0;
    // Returned after their due day; a loan without a due day is never late.
    qint64 returnedLate = 0;
    // The days of the returned loans, from the day lent to the day back, and of the loans out, to
    // today, with how many loans each sum holds: a day lent that does not read as a day (another
    // program wrote it) leaves its loan out of them.
    qint64 returnedDays = 0, returnedTimed = 0;
    qint64 outDays = 0, outTimed = 0;
    // The films lent most, at most kMostLentFilms: most loans first, then by title in French order;
    // the films gone from the catalogue after the others of as many loans, by key.
    QList<LentFilm> films;
    // Every borrower, most loans first, then by name as Loans::borrowers() sorts them.
    QList<Borrower> borrowers;

    // The average length of the returned loans; nothing when none came back.
    std::optional<double> averageReturnedDays() const;
    // The same, the loans out counted to today; nothing without a loan.
    std::optional<double> averageDays() const;
    // The share of the returned loans that came back late, 0 to 1; nothing when none came back.
    std::optional<double> lateShare() const;
};

// The titles of the films of these keys, a film gone from the catalogue left out.
using TitlesOf = std::function<QHash<qint16, QString>(const QList<qint16>& codes)>;

// The figures of the loans, the latest first (the borrowers are named as typed last), their titles
// not needed: only those of the films that may be among the most lent are asked for. The loans
// out are counted to today.
LoanStatistics loanStatistics(const QList<Loan>& loans, const QDate& today, const TitlesOf& titlesOf);

}  // namespace store
