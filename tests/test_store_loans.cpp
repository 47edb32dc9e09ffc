#include "store/Backups.h"
#include "store/DbError.h"
#include "store/Films.h"
#include "store/LoanStatistics.h"
#include "store/Loans.h"
#include "store/Settings.h"
#include "support/FaultyVfs.h"
#include "support/Golden.h"
#include "support/TestCatalogue.h"

#include <QTest>
#include <functional>
#include <sqlite3.h>

using testing::FaultyVfs;
using testing::TestCatalogue;

namespace {

const QDate kToday(2026, 12, 6);

// The history as the table holds it, in the order the loans were made: "borrower;lent;returned"
// ("-" while out), joined by " | "; "none" when empty.
QString historyRows(store::Database& db)
{
    QStringList rows;
    for (const QStringList& row : testing::rowsOf(
                 db, "SELECT emprunteur, date_pret, ifnull(date_retour, '-') FROM pret ORDER BY rowid"))
        rows << row.join(u';');
    return rows.isEmpty() ? QStringLiteral("none") : rows.join(QStringLiteral(" | "));
}

// A loan written straight into the table; a null day is NULL.
void putLoan(store::Database& db, int code, const QString& name, const QString& lent, const QString& due = {},
             const QString& back = {})
{
    const auto orNull = [](const QString& day) { return day.isNull() ? store::BoundValue(nullptr) : day; };
    db.execute(store::Statement {"INSERT INTO pret VALUES (?, ?, ?, ?, ?)",
                                 {qint64(code), name, lent, orNull(due), orNull(back)}});
}

// Puts loans written as historyRows() writes them into the table, for film 7.
void putHistory(store::Database& db, const QString& written)
{
    if (written == "none")
        return;
    for (const QString& loan : written.split(" | ")) {
        const QStringList fields = loan.split(u';');
        putLoan(db, 7, fields[0], fields[1], {}, fields[2] == "-" ? QString() : fields[2]);
    }
}

// Both tables as they are, row by row.
QList<QStringList> bothTables(store::Database& db)
{
    return testing::filmRows(db) + testing::rowsOf(db, "SELECT * FROM pret ORDER BY rowid");
}

// A change to both tables: what is done first, on a sound disk, then the change itself.
struct Write {
    const char* name;
    std::function<void(store::Database&)> before;
    std::function<void(store::Database&)> change;
};

// On a catalogue whose film 7 is at home and film 8 lent since 01/12/2026, its loan open.
const Write kWrites[] = {
        {"lend", {}, [](store::Database& db) { store::Films(db).lend(7, "Marie", "06/12/2026"); }},
        {"lend again", {}, [](store::Database& db) { store::Films(db).lend(8, "Marie", "06/12/2026"); }},
        {"give back", {}, [](store::Database& db) { store::Films(db).giveBack(8, kToday); }},
        {"remove", {}, [](store::Database& db) { store::Films(db).remove(8); }},
        {"bring in step",
         [](store::Database& db) {
             db.execute("UPDATE film SET pret_film = 'Léa', date_pret = '02/12/2026' WHERE code_film = 7");
             db.execute("UPDATE film SET pret_film = NULL, date_pret = NULL WHERE code_film = 8");
         },
         [](store::Database& db) { store::Loans(db).bringInStep(kToday); }},
};

void lendFilm8(TestCatalogue& catalogue)
{
    catalogue.insert(7, "Alien");
    catalogue.insert(8, "Brazil");
    for (int code = 9; code < 200; ++code)
        catalogue.insert(code, QStringLiteral("Film n°%1").arg(code), {{"obs", QString(300, u'x')}});
    store::Films(catalogue.db()).lend(8, "Paul", "01/12/2026");
}

}  // namespace

// The loans' history beside the films: written with them, brought in step with them at opening,
// read back for the loans window.
class TestStoreLoans : public QObject {
    Q_OBJECT
private slots:
    // A loan opens a row on the day lent, a return closes it on the day given; a loan recorded
    // again over an open one corrects it.
    void loansAndReturnsMakeTheHistory()
    {
        TestCatalogue catalogue;
        catalogue.insert(7, "Alien");
        catalogue.insert(8, "Brazil");
        store::Films films(catalogue.db());
        films.lend(7, "Paul", "01/12/2026");
        QCOMPARE(historyRows(catalogue.db()), "Paul;2026-12-01;-");
        films.giveBack(7, QDate(2026, 12, 4));
        films.lend(7, "Marie", "04/12/2026");
        films.lend(8, "Paul", "05/12/2026");
        films.lend(8, "Léa", "06/12/2026");
        QCOMPARE(historyRows(catalogue.db()),
                 "Paul;2026-12-01;2026-12-04 | Marie;2026-12-04;- | Léa;2026-12-06;-");
        // A film given back twice, or never lent, has no loan to close.
        films.giveBack(7, QDate(2026, 12, 5));
        films.giveBack(7, QDate(2026, 12, 6));
        QCOMPARE(historyRows(catalogue.db()),
                 "Paul;2026-12-01;2026-12-04 | Marie;2026-12-04;2026-12-05 | Léa;2026-12-06;-");
        // A film of no key has no loan.
        films.lend(9, "Zoé", "06/12/2026");
        QCOMPARE(testing::rowsOf(catalogue.db(), "SELECT count(*) FROM pret WHERE code_film = 9")[0][0], "0");

        const QList<store::Loan> history = store::Loans(catalogue.db()).history();
        QStringList read;
        for (const store::Loan& loan : history)
            read << QStringLiteral("%1 %2 %3 %4 %5 days %6")
                            .arg(loan.code_film)
                            .arg(loan.title, loan.borrower, loan.lent.toString(Qt::ISODate),
                                 loan.isOut() ? QStringLiteral("out") : loan.returned.toString(Qt::ISODate))
                            .arg(loan.days(kToday));
        QCOMPARE(read,
                 (QStringList {"8 Brazil Léa 2026-12-06 out days 0",
                               "7 Alien Marie 2026-12-04 2026-12-05 days 1",
                               "7 Alien Paul 2026-12-01 2026-12-04 days 3"}));
        // A film deleted takes its history along: the next film may take its key.
        films.remove(7);
        QCOMPARE(historyRows(catalogue.db()), "Léa;2026-12-06;-");
    }

    // The engine itself keeps one open loan a film, whoever writes the table.
    void theEngineRefusesASecondOpenLoan()
    {
        TestCatalogue catalogue;
        catalogue.insert(7, "Alien");
        store::Database& db = catalogue.db();
        putHistory(db, "Paul;2026-11-01;2026-11-03 | Marie;2026-12-01;-");
        try {
            putHistory(db, "Léa;2026-12-02;-");
            QFAIL("a second open loan was written");
        } catch (const store::DbError& error) {
            QCOMPARE(error.engineCode(), SQLITE_CONSTRAINT_UNIQUE);
        }
        // Nor is a day written otherwise than as an ISO day.
        QVERIFY_THROWS_EXCEPTION(store::DbError, putHistory(db, "Léa;01/12/2026;2026-12-03"));
        QCOMPARE(historyRows(db), "Paul;2026-11-01;2026-11-03 | Marie;2026-12-01;-");
    }

    // Lent with a default loan length, a loan is due that many days later; none, or a stored value
    // that is no length, gives no due day.
    void defaultLengthSetsTheDueDay_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("due");
        const struct {
            const char *name, *stored, *due;
        } rows[] = {{"none", nullptr, ""},         {"three weeks", "21", "2026-12-22"}, {"a day", "1", "2026-12-02"},
                    {"ten years", "3650", "2036-11-28"}, {"too long", "3651", ""},       {"zero", "0", ""},
                    {"negative", "-7", ""},      {"not a number", "deux semaines", ""}, {"empty", "", ""}};
        for (const auto& row : rows)
            QTest::newRow(row.name) << QString::fromUtf8(row.stored) << QString::fromUtf8(row.due);
    }

    void defaultLengthSetsTheDueDay()
    {
        QFETCH(QString, stored);
        QFETCH(QString, due);
        TestCatalogue catalogue;
        catalogue.insert(7, "Alien");
        if (!stored.isNull())
            store::Settings(catalogue.db()).setValue("duree_pret", stored);
        store::Films(catalogue.db()).lend(7, "Paul", "01/12/2026");
        const store::Loan loan = store::Loans(catalogue.db()).history().value(0);
        QCOMPARE(loan.due.toString(Qt::ISODate), due);
        QCOMPARE(store::Loans(catalogue.db()).defaultLength().has_value(), !due.isEmpty());
    }

    void defaultLengthIsKeptInTheCatalogue()
    {
        TestCatalogue catalogue;
        store::Loans loans(catalogue.db());
        QCOMPARE(loans.defaultLength(), std::nullopt);
        loans.setDefaultLength(14);
        QCOMPARE(store::Settings(catalogue.db()).value("duree_pret"), "14");
        loans.setDefaultLength(std::nullopt);
        QCOMPARE(store::Settings(catalogue.db()).value("duree_pret"), std::nullopt);
    }

    // A due day set on the open loan only; the late loans are those out past their due day: late
    // the day after it, not on it.
    void lateCountAtADaysBoundary()
    {
        TestCatalogue catalogue;
        for (int code = 1; code <= 4; ++code)
            catalogue.insert(code, QStringLiteral("Film %1").arg(code));
        store::Films films(catalogue.db());
        store::Loans loans(catalogue.db());
        films.lend(1, "Paul", "01/12/2026");
        films.lend(2, "Marie", "01/12/2026");
        films.lend(3, "Léa", "01/12/2026");
        films.giveBack(3, QDate(2026, 12, 10));
        QVERIFY(loans.setDue(1, kToday));
        QVERIFY(!loans.setDue(3, kToday));
        QVERIFY(!loans.setDue(4, kToday));
        QCOMPARE(loans.lateCount(kToday), 0);
        QCOMPARE(loans.lateCount(kToday.addDays(1)), 1);
        QVERIFY(loans.setDue(2, QDate(2026, 12, 5)));
        QCOMPARE(loans.lateCount(kToday), 1);
        QCOMPARE(loans.lateCount(kToday.addDays(1)), 2);
        QVERIFY(loans.setDue(2, QDate()));
        QCOMPARE(loans.lateCount(kToday.addDays(1)), 1);
        // The late days, counted in calendar days across the change to winter time.
        store::Loan loan;
        loan.lent = QDate(2026, 10, 10);
        loan.due = QDate(2026, 10, 24);
        QCOMPARE(loan.daysLate(QDate(2026, 10, 26)), 2);
        loan.returned = QDate(2026, 10, 25);
        QCOMPARE(loan.daysLate(QDate(2026, 10, 26)), 1);
    }

    // Each borrower once whatever the letter case, accents and punctuation of the name, as typed
    // the last time; the loans out, in all, and late.
    void borrowersAreNamedOnce()
    {
        TestCatalogue catalogue;
        store::Database& db = catalogue.db();
        for (int code = 1; code <= 8; ++code)
            catalogue.insert(code, QStringLiteral("Film %1").arg(code));
        putLoan(db, 1, "remi", "2026-10-01", "2026-10-10", "2026-10-12");
        putLoan(db, 2, "Rémi", "2026-11-01");
        putLoan(db, 3, "RÉMI ", "2026-11-20", "2026-12-01");
        putLoan(db, 4, "Jean-Pierre", "2026-09-01", "2026-09-10", "2026-09-05");
        putLoan(db, 5, "jean pierre", "2026-12-05", "2026-12-20");
        putLoan(db, 6, "", "2026-08-01");
        putLoan(db, 7, "--", "2026-08-02", {}, "2026-08-03");
        putLoan(db, 8, "Zoé", "2026-07-01", {}, "2026-07-02");
        QStringList read;
        for (const store::Borrower& b : store::Loans::borrowers(store::Loans(db).history(), kToday))
            read << QStringLiteral("%1 [%2] %3 out, %4 loans, %5 late")
                            .arg(b.name, b.key)
                            .arg(b.out)
                            .arg(b.loans)
                            .arg(b.late);
        QCOMPARE(read,
                 (QStringList {" [] 1 out, 1 loans, 0 late", "-- [--] 0 out, 1 loans, 0 late",
                               "jean pierre [jean pierre] 1 out, 2 loans, 0 late",
                               "RÉMI  [remi] 2 out, 3 loans, 2 late", "Zoé [zoe] 0 out, 1 loans, 0 late"}));
        // The loan box completes from the names, once each as typed last; a name without a letter
        // or a digit cannot be typed to be completed.
        QCOMPARE(store::Loans(db).names(), (QStringList {"jean pierre", "RÉMI ", "Zoé"}));
    }

    // The loans' figures of the statistics, and the films behind each: lengths in calendar days,
    // the loans out counted to today, a loan without a due day never late, a day lent that is no
    // day (another program wrote it) left out of the lengths, a film gone from the catalogue kept
    // by its key.
    void loanFiguresAndTheirFilms()
    {
        TestCatalogue catalogue;
        store::Database& db = catalogue.db();
        catalogue.insert(1, "Alien");
        catalogue.insert(2, "Brazil");
        catalogue.insert(3, "Élan");
        catalogue.insert(4, "Eraserhead");
        catalogue.insert(5, "Fargo");
        putLoan(db, 2, "Paul", "2026-11-01", "2026-11-10", "2026-11-15");
        putLoan(db, 2, "paul", "2026-11-20", {}, "2026-11-21");
        putLoan(db, 1, "Marie", "2026-12-01", "2026-12-03");
        putLoan(db, 3, "Marie", "2026-10-01", "2026-10-10", "2026-10-10");
        putLoan(db, 9, "Zoé", "2026-02-30", {}, "2026-10-05");
        putLoan(db, 4, "Léa", "2026-11-01", "2026-11-02", "2026-11-03");

        store::Loans loans(db);
        const store::LoanStatistics figures = loans.statistics(kToday);
        QCOMPARE(QStringLiteral("%1 loans, %2 out, %3 returned, %4 late; %5 over %6 returned, %7 over %8 out")
                         .arg(figures.loans)
                         .arg(figures.out)
                         .arg(figures.returned)
                         .arg(figures.returnedLate)
                         .arg(figures.returnedDays)
                         .arg(figures.returnedTimed)
                         .arg(figures.outDays)
                         .arg(figures.outTimed),
                 "6 loans, 1 out, 5 returned, 2 late; 26 over 4 returned, 5 over 1 out");
        QCOMPARE(figures.averageReturnedDays(), 6.5);
        QCOMPARE(figures.averageDays(), 6.2);
        QCOMPARE(figures.lateShare(), 0.4);
        QStringList lent;
        for (const store::LentFilm& film : figures.films)
            lent << QStringLiteral("%1 %2").arg(store::Loans::shownTitle(film.code, film.title)).arg(film.loans);
        QCOMPARE(lent, (QStringList {"Brazil 2", "Alien 1", "Élan 1", "Eraserhead 1",
                                     "(film n°9 absent du catalogue) 1"}));
        QStringList borrowers;
        for (const store::Borrower& borrower : figures.borrowers)
            borrowers << QStringLiteral("%1 %2").arg(borrower.name).arg(borrower.loans);
        QCOMPARE(borrowers, (QStringList {"Marie 2", "paul 2", "Léa 1", "Zoé 1"}));

        using Kind = store::FilmList::Kind;
        store::Films films(db);
        const auto titles = [&films](const store::FilmList& list) {
            QStringList read;
            for (const store::ListedRow& row : films.listed(list))
                read << row[0];
            return read.join(" | ");
        };
        QCOMPARE(titles(store::FilmList::of(Kind::EverLent)), "Alien | Brazil | Élan | Eraserhead");
        QCOMPARE(titles(store::FilmList::of(Kind::Returned)), "Brazil | Élan | Eraserhead");
        QCOMPARE(titles(store::FilmList::of(Kind::ReturnedLate)), "Brazil | Eraserhead");
        QCOMPARE(titles(store::FilmList::borrowedBy(figures.borrowers[1].key)), "Brazil");
        QCOMPARE(titles(store::FilmList::borrowedBy(store::Loans::borrowerKey("MARIE"))), "Alien | Élan");
        QCOMPARE(titles(store::FilmList::film(4)), "Eraserhead");
        QCOMPARE(titles(store::FilmList::film(9)), "");

        // Without a loan, no average and no share.
        db.execute("DELETE FROM pret");
        const store::LoanStatistics none = loans.statistics(kToday);
        QVERIFY(!none.averageReturnedDays() && !none.averageDays() && !none.lateShare());
        QVERIFY(none.films.isEmpty() && none.borrowers.isEmpty());
    }

    // A hundred films named among the most lent; of as many loans as the hundredth, the first by
    // title.
    void theFilmsLentMostAreAHundred()
    {
        TestCatalogue catalogue;
        store::Database& db = catalogue.db();
        for (int code = 1; code <= 150; ++code) {
            catalogue.insert(code, QStringLiteral("Film %1").arg(code, 3, 10, QChar(u'0')));
            for (int time = code == 150 ? 3 : code == 120 ? 2 : 1; time > 0; --time)
                db.execute(store::Statement {"INSERT INTO pret VALUES (?, 'Paul', '2026-11-01', NULL, "
                                             "'2026-11-02')",
                                             {qint64(code)}});
        }
        const store::LoanStatistics figures = store::Loans(db).statistics(kToday);
        QCOMPARE(figures.loans, 153);
        QCOMPARE(figures.films.size(), 100);
        const auto named = [&figures](qsizetype at) {
            return QStringLiteral("%1 %2").arg(figures.films[at].title).arg(figures.films[at].loans);
        };
        QCOMPARE(named(0), "Film 150 3");
        QCOMPARE(named(1), "Film 120 2");
        QCOMPARE(named(2), "Film 001 1");
        QCOMPARE(named(99), "Film 098 1");
    }

    // At each opening the history follows the films, which an older version or another program
    // may have lent, given back or deleted meanwhile; nothing is written when they agree.
    void historyIsBroughtInStep_data() { testing::addTableRows("store/in_step.txt"); }

    void historyIsBroughtInStep()
    {
        QFETCH(QStringList, fields);
        TestCatalogue catalogue;
        store::Database& db = catalogue.db();
        const QString borrower = fields[0], date = fields[1];
        if (borrower == "at home")
            catalogue.insert(7, "Alien");
        else if (borrower != "gone")
            catalogue.insert(7, "Alien", {{"pret", borrower}, {"date", date}});
        putHistory(db, fields[2]);
        const qint64 changes = sqlite3_total_changes64(db.handle());
        store::Loans(db).bringInStep(kToday);
        QCOMPARE(historyRows(db), fields[3]);
        if (fields[2] == fields[3])
            QCOMPARE(sqlite3_total_changes64(db.handle()), changes);
        // Once in step, a second opening finds nothing to do.
        const qint64 inStep = sqlite3_total_changes64(db.handle());
        store::Loans(db).bringInStep(kToday);
        QCOMPARE(sqlite3_total_changes64(db.handle()), inStep);
    }

    // An older version knows only film: its own statements still run on a catalogue that holds the
    // history, and the next opening takes in what it did.
    void anOlderVersionKeepsWorking()
    {
        TestCatalogue catalogue;
        catalogue.insert(7, "Alien");
        catalogue.insert(8, "Brazil");
        store::Films(catalogue.db()).lend(8, "Paul", "01/12/2026");
        catalogue.closeDb();
        {
            // The older version's statements, as it wrote them.
            auto older = store::Database::open(catalogue.cataloguePath());
            older->execute(
                    R"(UPDATE film SET pret_film="Marie", date_pret="02/12/2026"  WHERE code_film = 7)");
            older->execute("UPDATE film SET pret_film=NULL WHERE code_film = 8");
            older->execute("UPDATE film SET date_pret=NULL WHERE code_film = 8");
            older->execute("Delete * from film where code_film=7");
            older->execute(
                    R"(INSERT INTO film (code_film, nom_film, pret_film, date_pret) VALUES (7, "Casino", "Léa", "03/12/2026"))");
        }
        store::Loans(catalogue.db()).bringInStep(kToday);
        QCOMPARE(historyRows(catalogue.db()), "Paul;2026-12-01;2026-12-06 | Léa;2026-12-03;-");
    }

    // A backup of an older version, without the history, restored: its lent films get their loans.
    void restoredBackupIsBroughtInStep()
    {
        TestCatalogue catalogue;
        catalogue.insert(7, "Alien", {{"pret", "Paul"}, {"date", "01/12/2026"}});
        catalogue.db().execute("DROP TABLE pret");
        store::Backups backups(catalogue.db());
        const QString older = backups.backUp(QDateTime(QDate(2026, 12, 2), QTime(10, 0)));
        backups.restore(older, QDateTime(kToday, QTime(10, 0)));
        QCOMPARE(historyRows(catalogue.db()), "Paul;2026-12-01;-");
    }

    // The disk failing at any write of a change to both tables (a film's columns and its loan)
    // leaves both as they were: never the film lent without its loan, nor the loan without the film.
    void aFailedWriteLeavesBothTablesAsTheyWere_data()
    {
        QTest::addColumn<int>("write");
        QTest::addColumn<int>("fault");
        for (int write = 0; write < int(std::size(kWrites)); ++write) {
            QTest::addRow("%s, write error", kWrites[write].name)
                    << write << int(FaultyVfs::Fault::WriteError);
            QTest::addRow("%s, disk full", kWrites[write].name) << write << int(FaultyVfs::Fault::DiskFull);
        }
    }

    void aFailedWriteLeavesBothTablesAsTheyWere()
    {
        QFETCH(int, write);
        QFETCH(int, fault);
        const Write& w = kWrites[write];
        FaultyVfs vfs;
        TestCatalogue catalogue;
        lendFilm8(catalogue);
        store::Database& db = catalogue.db();
        if (w.before)
            w.before(db);
        const QList<QStringList> before = bothTables(db);
        // The disk refuses the first write, then the second, and so on, until the change needs no
        // more writes than the disk takes.
        int failures = 0;
        for (int allowed = 0;; ++allowed) {
            vfs.inject(FaultyVfs::Fault(fault), allowed);
            try {
                w.change(db);
                vfs.clear();
                break;
            } catch (const store::DbError&) {
                vfs.clear();
                ++failures;
                QCOMPARE(bothTables(db), before);
                QCOMPARE(testing::integrityCheck(db), "ok");
            }
        }
        // The change was refused at its first write and at every one after, the last included.
        QVERIFY2(failures >= 2, qPrintable(QString::number(failures)));
        QVERIFY(bothTables(db) != before);
        QCOMPARE(bothTables(*store::Database::open(catalogue.cataloguePath())), bothTables(db));
    }

    // Another program holding the catalogue: the loan waits, then is refused whole.
    void aLockedCatalogueRefusesTheLoanWhole()
    {
        TestCatalogue catalogue;
        lendFilm8(catalogue);
        const QList<QStringList> before = bothTables(catalogue.db());
        testing::WriteLockHolder other(catalogue.cataloguePath());
        try {
            store::Films(catalogue.db()).lend(7, "Marie", "06/12/2026");
            QFAIL("the loan was reported as recorded");
        } catch (const store::DbError& error) {
            QCOMPARE(error.engineCode() & 0xff, SQLITE_BUSY);
        }
        QCOMPARE(bothTables(catalogue.db()), before);
    }
};

QTEST_GUILESS_MAIN(TestStoreLoans)
#include "test_store_loans.moc"
