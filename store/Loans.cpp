#include "store/Loans.h"

#include "store/Database.h"
#include "store/Fold.h"
#include "store/LoanStatistics.h"
#include "store/Recordset.h"
#include "store/Settings.h"
#include "store/Transaction.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <limits>
#include <sqlite3.h>
#include <vector>

namespace store {

namespace {

const QString kLengthSetting = QStringLiteral("duree_pret");

BoundValue key(qint16 code) { return qint64(code); }

BoundValue isoText(const QDate& day)
{
    if (day.isNull())
        return nullptr;
    return day.toString(Qt::ISODate);
}

// An ISO day as the table holds it, read by hand: every loan's three days are read at once.
QDate isoDay(QStringView text)
{
    if (text.size() != 10 || text[4] != u'-' || text[7] != u'-')
        return {};
    const auto number = [&text](int from, int length) {
        int value = 0;
        for (int i = from; i < from + length; ++i) {
            const int digit = text[i].unicode() - u'0';
            if (digit < 0 || digit > 9)
                return -1;
            value = value * 10 + digit;
        }
        return value;
    };
    return QDate(number(0, 4), number(5, 2), number(8, 2));
}

// borrower_key(emprunteur): Loans::borrowerKey, NULL for NULL.
void borrowerKeyFunction(sqlite3_context* context, int, sqlite3_value** arguments)
{
    if (sqlite3_value_type(arguments[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const void* text = sqlite3_value_text16(arguments[0]);
    if (!text) {
        sqlite3_result_error_nomem(context);
        return;
    }
    const QString key = Loans::borrowerKey(
            QString(reinterpret_cast<const QChar*>(text), sqlite3_value_bytes16(arguments[0]) / 2));
    sqlite3_result_text16(context, key.utf16(), int(key.size() * 2), SQLITE_TRANSIENT);
}

}  // namespace

int Loan::days(const QDate& today) const { return lent.daysTo(isOut() ? today : returned); }

int Loan::daysLate(const QDate& today) const
{
    if (due.isNull())
        return 0;
    return std::max(qint64(0), due.daysTo(isOut() ? today : returned));
}

QDate Loans::dayOf(const QString& filmDate)
{
    return QDate::fromString(filmDate, QStringLiteral("dd/MM/yyyy"));
}

QString Loans::borrowerKey(const QString& name)
{
    const QString folded = fold(name);
    return folded.isEmpty() ? name : folded;
}

void Loans::registerFunctions(sqlite3* db)
{
    sqlite3_create_function(db, "borrower_key", 1, SQLITE_UTF16 | SQLITE_DETERMINISTIC, nullptr,
                            borrowerKeyFunction, nullptr, nullptr);
}

QString Loans::shownTitle(qint16 code, const QString& title)
{
    return title.isNull() ? QStringLiteral("(film n°%1 absent du catalogue)").arg(code) : title;
}

Statement Loans::filmKeys(Among loans, const QString& borrowerKey)
{
    switch (loans) {
    case Among::Every:
        break;
    case Among::Returned:
        return {QStringLiteral("SELECT code_film FROM pret WHERE date_retour IS NOT NULL"), {}};
    case Among::ReturnedLate:
        // ISO days compare as texts; a loan without a due day is never late.
        return {QStringLiteral("SELECT code_film FROM pret WHERE date_retour > echeance"), {}};
    case Among::Borrower:
        return {QStringLiteral("SELECT code_film FROM pret WHERE borrower_key(emprunteur) = ?"), {borrowerKey}};
    }
    return {QStringLiteral("SELECT code_film FROM pret"), {}};
}

void Loans::open(qint16 code, const QString& borrower, const QDate& lent)
{
    const std::optional<int> length = defaultLength();
    const QDate due = length ? lent.addDays(*length) : QDate();
    // The conflict is the engine's own: the unique index of the open loans.
    db_.execute(Statement {QStringLiteral("INSERT INTO pret (code_film, emprunteur, date_pret, echeance) "
                                          "VALUES (?, ?, ?, ?) "
                                          "ON CONFLICT (code_film) WHERE date_retour IS NULL DO UPDATE SET "
                                          "emprunteur = excluded.emprunteur, date_pret = excluded.date_pret, "
                                          "echeance = excluded.echeance"),
                           {key(code), borrower, isoText(lent), isoText(due)}});
}

void Loans::close(qint16 code, const QDate& day)
{
    db_.execute(Statement {QStringLiteral("UPDATE pret SET date_retour = max(date_pret, ?) "
                                          "WHERE code_film = ? AND date_retour IS NULL"),
                           {isoText(day), key(code)}});
}

void Loans::forget(qint16 code)
{
    db_.execute(Statement {QStringLiteral("DELETE FROM pret WHERE code_film = ?"), {key(code)}});
}

bool Loans::setDue(qint16 code, const QDate& due)
{
    return db_.execute(Statement {QStringLiteral("UPDATE pret SET echeance = ? "
                                                 "WHERE code_film = ? AND date_retour IS NULL"),
                                  {isoText(due), key(code)}})
            > 0;
}

void Loans::bringInStep(const QDate& today)
{
    // What differs, as the steps that mend it; read twice when something does, the second time
    // under the write lock, so that nothing is written to a catalogue in step.
    struct Step {
        qint16 code;
        QDate closedOn;  // null: the open loan stays
        std::optional<QString> borrower;  // the loan to open
        QDate lent;
    };
    const auto differences = [this, &today] {
        QList<Step> steps;
        Recordset rs;
        rs.open(Statement {QStringLiteral("SELECT f.code_film, f.pret_film, f.date_pret, p.emprunteur, "
                                          "p.date_pret FROM film f LEFT JOIN pret p "
                                          "ON p.code_film = f.code_film AND p.date_retour IS NULL "
                                          "WHERE f.pret_film IS NOT NULL"),
                           {}},
                db_);
        for (; !rs.eof(); rs.moveNext()) {
            const qint16 code = qint16(rs.value(0).toInt());
            const QString borrower = rs.text(1);
            const QDate filmDay = dayOf(rs.text(2));
            const QDate lent = filmDay.isValid() ? filmDay : today;
            if (rs.isNull(3))
                steps.append({code, {}, borrower, lent});
            else if (rs.text(3) != borrower
                     || (filmDay.isValid() && rs.text(4) != filmDay.toString(Qt::ISODate)))
                steps.append({code, std::min(lent, today), borrower, lent});
        }
        rs.open(Statement {QStringLiteral("SELECT p.code_film FROM pret p WHERE p.date_retour IS NULL "
                                          "AND NOT EXISTS (SELECT 1 FROM film f WHERE f.code_film = "
                                          "p.code_film AND f.pret_film IS NOT NULL)"),
                           {}},
                db_);
        for (; !rs.eof(); rs.moveNext())
            steps.append({qint16(rs.value(0).toInt()), today, std::nullopt, {}});
        return steps;
    };
    if (differences().isEmpty())
        return;
    Transaction transaction(db_);
    for (const Step& step : differences()) {
        if (step.closedOn.isValid())
            close(step.code, step.closedOn);
        if (step.borrower)
            open(step.code, *step.borrower, step.lent);
    }
    transaction.commit();
}

QList<Loan> Loans::latestFirst()
{
    // The loans read alone and sorted here: sorting them in the engine took longer.
    struct Read {
        qint64 row;
        Loan loan;
    };
    std::vector<Read> read;
    Recordset rs;
    rs.open(Statement {QStringLiteral("SELECT rowid, code_film, emprunteur, date_pret, echeance, date_retour "
                                      "FROM pret"),
                       {}},
            db_);
    for (; !rs.eof(); rs.moveNext()) {
        Read row {rs.value(0).toLongLong(), {}};
        Loan& loan = row.loan;
        loan.code_film = qint16(rs.value(1).toInt());
        loan.borrower = rs.text(2);
        loan.lent = isoDay(rs.view(3));
        loan.due = isoDay(rs.view(4));
        loan.returned = isoDay(rs.view(5));
        read.push_back(std::move(row));
    }
    // The latest first; of a day, the last recorded first. Their places are sorted, by the day and
    // the row; a day another tool wrote wrong sorts last.
    std::vector<std::pair<qint64, std::size_t>> order;
    order.reserve(read.size());
    for (std::size_t at = 0; at < read.size(); ++at) {
        const QDate& lent = read[at].loan.lent;
        order.push_back({(lent.isValid() ? lent.toJulianDay() : 0) << 32 | read[at].row, at});
    }
    std::sort(order.begin(), order.end(), std::greater<>());
    QList<Loan> loans;
    loans.reserve(qsizetype(read.size()));
    for (const auto& [key, at] : order)
        loans.append(std::move(read[at].loan));
    return loans;
}

QList<Loan> Loans::history()
{
    // The titles in one pass over the title index: looking each loan's film up took three times as
    // long.
    QList<Loan> loans = latestFirst();
    const auto slot = [](qint64 code) { return std::size_t(code - std::numeric_limits<qint16>::min()); };
    std::vector<bool> inHistory(std::size_t(1) << 16);
    for (const Loan& loan : std::as_const(loans))
        inHistory[slot(loan.code_film)] = true;
    std::vector<QString> titles(inHistory.size());
    Recordset rs;
    rs.open(Statement {QStringLiteral("SELECT code_film, nom_film FROM film"), {}}, db_);
    for (; !rs.eof(); rs.moveNext()) {
        const std::size_t at = slot(rs.value(0).toLongLong());
        // Not null, even when empty: the film is there.
        if (inHistory[at])
            titles[at] = rs.isNull(1) ? QStringLiteral("") : rs.text(1);
    }
    for (Loan& loan : loans)
        loan.title = titles[slot(loan.code_film)];
    return loans;
}

QList<Borrower> Loans::borrowers(const QList<Loan>& history, const QDate& today)
{
    QList<Borrower> borrowers;
    QHash<QString, qsizetype> byKey;
    // A name is folded once, however many loans it has.
    QHash<QString, QString> keys;
    for (const Loan& loan : history) {
        auto known = keys.constFind(loan.borrower);
        if (known == keys.cend())
            known = keys.insert(loan.borrower, borrowerKey(loan.borrower));
        auto found = byKey.constFind(*known);
        if (found == byKey.cend()) {
            found = byKey.insert(*known, borrowers.size());
            borrowers.append(Borrower {loan.borrower, *known});
        }
        Borrower& borrower = borrowers[*found];
        // The history comes latest first: the name stays as it was typed last.
        ++borrower.loans;
        borrower.out += loan.isOut() ? 1 : 0;
        borrower.late += loan.isLate(today) ? 1 : 0;
    }
    std::sort(borrowers.begin(), borrowers.end(),
              [](const Borrower& a, const Borrower& b) { return a.key < b.key; });
    return borrowers;
}

LoanStatistics Loans::statistics(const QDate& today)
{
    // Only the films that may be among the most lent are named: reading every title took as long
    // as the rest of the figures.
    return loanStatistics(latestFirst(), today, [this](const QList<qint16>& codes) {
        QStringList keys;
        keys.reserve(codes.size());
        for (qint16 code : codes)
            keys.append(QString::number(code));
        QHash<qint16, QString> titles;
        Recordset rs;
        rs.open(Statement {QStringLiteral("SELECT code_film, nom_film FROM film "
                                          "WHERE code_film IN (SELECT value FROM json_each(?))"),
                           {u'[' + keys.join(u',') + u']'}},
                db_);
        for (; !rs.eof(); rs.moveNext())
            titles.insert(qint16(rs.value(0).toInt()), rs.isNull(1) ? QStringLiteral("") : rs.text(1));
        return titles;
    });
}

QStringList Loans::names()
{
    Recordset rs;
    rs.open(Statement {QStringLiteral("SELECT emprunteur, max(date_pret) AS dernier FROM pret "
                                      "GROUP BY emprunteur ORDER BY dernier DESC"),
                       {}},
            db_);
    QList<std::pair<QString, QString>> named;  // folded, as typed
    QSet<QString> seen;
    for (; !rs.eof(); rs.moveNext()) {
        const QString name = rs.text(0);
        const QString folded = fold(name);
        if (!folded.isEmpty() && !seen.contains(folded)) {
            seen.insert(folded);
            named.append({folded, name});
        }
    }
    std::sort(named.begin(), named.end());
    QStringList names;
    for (const auto& [key, name] : named)
        names.append(name);
    return names;
}

int Loans::lateCount(const QDate& today)
{
    Recordset rs;
    rs.open(Statement {QStringLiteral("SELECT count(*) FROM pret WHERE date_retour IS NULL AND echeance < ?"),
                       {isoText(today)}},
            db_);
    return rs.value(0).toInt();
}

std::optional<int> Loans::defaultLength()
{
    const std::optional<QString> stored = Settings(db_).value(kLengthSetting);
    bool isNumber = false;
    const int days = stored ? stored->toInt(&isNumber) : 0;
    // A value written by another tool that is no length counts as none.
    if (!isNumber || days < 1 || days > kLongestLength)
        return std::nullopt;
    return days;
}

void Loans::setDefaultLength(std::optional<int> days)
{
    Settings settings(db_);
    if (days && *days >= 1 && *days <= kLongestLength)
        settings.setValue(kLengthSetting, QString::number(*days));
    else
        settings.remove(kLengthSetting);
}

}  // namespace store
