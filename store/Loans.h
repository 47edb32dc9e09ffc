#pragma once

#include "store/Statement.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

struct sqlite3;

namespace store {

class Database;
struct LoanStatistics;

// One loan of the history, a row of the table pret with the film's title.
struct Loan {
    qint16 code_film = 0;
    // The film's title today; null (not empty) when no film bears the key any more.
    QString title;
    QString borrower;  // as typed
    QDate lent;
    QDate due;  // null: no due day
    QDate returned;  // null while the film is out

    bool isOut() const { return returned.isNull(); }
    // Calendar days away: from the day lent to the day back, or to today while out.
    int days(const QDate& today) const;
    // Calendar days past the due day: to today while out, to the day back once returned; 0 when
    // the film is not, or was not, late.
    int daysLate(const QDate& today) const;
    bool isLate(const QDate& today) const { return daysLate(today) > 0; }
};

// Everyone who borrowed, each name once whatever its letter case and accents.
struct Borrower {
    QString name;  // as typed at the latest loan
    QString key;  // the name folded, which every loan of this borrower shares
    int out = 0;  // films out now
    int loans = 0;  // loans in all
    int late = 0;  // loans returned after their due day, or still out past it
};

// The loans' history, the table pret beside film: one row a loan, at most one open (not returned)
// loan a film, which the engine itself enforces. The one place that speaks SQL to pret. Its days
// are ISO days ("2026-12-07"); every day given or read is a calendar day, never a moment.
//
// The film's own two loan columns are written by store::Films, which calls open() and close() in
// the same transaction; the writes here otherwise commit on their own.
class Loans {
public:
    explicit Loans(Database& db) : db_(db) { }

    // The day a loan date of the film's column stands for, written "dd/MM/yyyy" as the program
    // writes it; a null date for any other text.
    static QDate dayOf(const QString& filmDate);
    // The key a borrower's name is known by: the name folded (letter case, accents and punctuation
    // ignored); a name of no letter or digit is its own key.
    static QString borrowerKey(const QString& name);
    // Lends borrowerKey to the engine as borrower_key(emprunteur), for a list to find a borrower's
    // loans as the program names them.
    static void registerFunctions(sqlite3* db);
    // A film's title as the lists of loans show it, a film gone from the catalogue by its key.
    static QString shownTitle(qint16 code, const QString& title);

    // Which loans a list of films is made of: every loan, the returned ones, those returned after
    // their due day, one borrower's.
    enum class Among { Every, Returned, ReturnedLate, Borrower };
    // The keys of the films of those loans, a borrower given by their key, as a statement for a list
    // of films to choose its films by (code_film IN it), its values bound.
    static Statement filmKeys(Among loans, const QString& borrowerKey = {});

    // Opens the film's loan on that day, due after the default loan length if one is set; an open
    // loan of the film is corrected instead (borrower, day and due day), never left unended.
    void open(qint16 code, const QString& borrower, const QDate& lent);
    // Closes the film's open loan on that day (never before the day lent); none open, nothing done.
    void close(qint16 code, const QDate& day);
    // Removes a film's whole history, when the film leaves the catalogue: its key may be given to
    // the next film added.
    void forget(qint16 code);
    // Sets the due day of the film's open loan; a null date removes it. False when the film is not
    // out.
    bool setDue(qint16 code, const QDate& due);

    // Brings the history in step with the films, as at each opening of the catalogue: a lent film
    // without an open loan gets one, from its loan date when it reads as a day, else today; an open
    // loan whose film is at home, or gone, is closed today; one whose film is now lent to somebody
    // else, or on another day, is closed when that loan began and the film's loan is opened. Writes
    // nothing when they agree.
    void bringInStep(const QDate& today);

    // Every loan, the latest first (by the day lent).
    QList<Loan> history();
    // The borrowers of these loans, by name.
    static QList<Borrower> borrowers(const QList<Loan>& history, const QDate& today);
    // The figures of the whole history for the statistics (store/LoanStatistics.h), the loans out
    // counted to today.
    LoanStatistics statistics(const QDate& today);
    // Every borrower's name once, as typed at the latest loan, by name, for the loan box to
    // complete; a name without a letter or a digit, which nothing typed completes, is left out.
    QStringList names();
    // The loans out past their due day.
    int lateCount(const QDate& today);

    // The default loan length, in days: nothing when none is set.
    std::optional<int> defaultLength();
    // Sets it (1 to kLongestLength days); nothing, or a length out of that range, removes it.
    void setDefaultLength(std::optional<int> days);
    static constexpr int kLongestLength = 3650;

private:
    // Every loan, the latest first, their titles not read.
    QList<Loan> latestFirst();

    Database& db_;
};

}  // namespace store
