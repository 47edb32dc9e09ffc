#include "store/DbError.h"
#include "store/Dialect.h"
#include "store/Recordset.h"
#include "support/CatalogueCheck.h"
#include "support/FaultyVfs.h"
#include "support/TestCatalogue.h"

#include <QTest>
#include <sqlite3.h>

using testing::FaultyVfs;

namespace {

constexpr int kFilms = 300;

// A catalogue big enough that a list reads many pages of the file.
void fill(testing::TestCatalogue& program)
{
    program.db().execute(QStringLiteral("BEGIN"));
    for (int code = 1; code <= kFilms; ++code) {
        testing::Film film;
        film.code = code;
        film.nom = QStringLiteral("Film numéro %1 avec un titre assez long pour remplir")
                           .arg(code, 4, 10, QChar(u'0'));
        film.obs = QString(80, QChar(u'a' + code % 26));
        if (code % 10 == 0) {
            film.pret = QStringLiteral("Paul");
            film.datePret = QStringLiteral("01/12/2026");
        }
        program.insert(film);
    }
    program.db().execute(QStringLiteral("COMMIT"));
}

// The statements of the program that change the catalogue, as the windows write them.
QString insertStatement(int code, const QString& title)
{
    return QStringLiteral("INSERT INTO film (code_film,nom_film,type_film,cd_film,qualite_film, "
                          "format_film,obs_Film,langue_Film,codec_Film,codec_Son,duree,realisateur, "
                          "acteur,annee) VALUES (%1,%2,\"Action\",\"1\",\"Bonne\",\"Avi\",\"-\",\"Français\","
                          "\"DivX\",\"MP3\",\"01h30\",\"-\",\"-\",\"2000\")")
            .arg(code)
            .arg(store::quotedText(title));
}

struct Change {
    QString statement;
    int rowsAfter;
};

QList<std::pair<const char*, Change>> changes()
{
    return {
            {"save of a new film", {insertStatement(kFilms + 1, QStringLiteral("Nouveau")), kFilms + 1}},
            {"save of a modified film",
             {QStringLiteral(
                      "UPDATE film SET nom_film=\"Changé\", type_film = \"Drame\",cd_film=\"2\", "
                      "qualite_film=\"DvD\",format_film=\"Dvd\", obs_Film=\"-\",langue_Film=\"Anglais\", "
                      "codec_Film=\"Autres\",codec_Son=\"Autre\", duree=\"02h00\",realisateur=\"-\", "
                      "acteur=\"-\",annee=\"1999\" WHERE code_film=7"),
              kFilms}},
            {"loan",
             {QStringLiteral(
                      "UPDATE film SET pret_film=\"Marie\", date_pret=\"06/12/2026\"  WHERE code_film = 7"),
              kFilms}},
            {"return", {QStringLiteral("UPDATE film SET pret_film=NULL WHERE code_film = 20"), kFilms}},
            {"delete", {QStringLiteral("Delete * from film where code_film=9"), kFilms - 1}},
    };
}

int primaryCode(const store::DbError& error) { return error.engineCode() & 0xff; }

}  // namespace

class TestStoreFaults : public QObject {
    Q_OBJECT
private slots:
    void refusedWriteLeavesTheCatalogueAsItWas_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("after");
        QTest::addColumn<QString>("statement");
        QTest::addColumn<int>("rowsAfter");
        QTest::addColumn<int>("engineCode");
        QTest::addColumn<QString>("explanation");
        const struct {
            const char* name;
            FaultyVfs::Fault fault;
            int after;
            int engineCode;
            const char* explanation;
        } faults[] = {
                {"write error", FaultyVfs::Fault::WriteError, 0, SQLITE_IOERR,
                 "le disque a refusé une écriture"},
                {"disk full", FaultyVfs::Fault::DiskFull, 0, SQLITE_FULL, "le disque est plein"},
                {"write error mid-commit", FaultyVfs::Fault::WriteError, 1, SQLITE_IOERR,
                 "le disque a refusé une écriture"},
        };
        for (const auto& fault : faults) {
            for (const auto& [name, change] : changes()) {
                QTest::addRow("%s, %s", fault.name, name)
                        << int(fault.fault) << fault.after << change.statement << change.rowsAfter
                        << fault.engineCode << QString::fromUtf8(fault.explanation);
            }
        }
    }

    void refusedWriteLeavesTheCatalogueAsItWas()
    {
        QFETCH(int, fault);
        QFETCH(int, after);
        QFETCH(QString, statement);
        QFETCH(int, rowsAfter);
        QFETCH(int, engineCode);
        QFETCH(QString, explanation);
        FaultyVfs vfs;
        testing::TestCatalogue program;
        fill(program);
        store::Database& db = program.db();
        const QList<QStringList> before = testing::filmRows(db);

        vfs.inject(FaultyVfs::Fault(fault), after);
        try {
            db.execute(statement);
            QFAIL("the refused write was reported as done");
        } catch (const store::DbError& error) {
            QCOMPARE(primaryCode(error), engineCode);
            QVERIFY2(error.message().contains(explanation), qPrintable(error.message()));
        }
        QVERIFY(vfs.refused() > 0);
        vfs.clear();

        QCOMPARE(testing::filmRows(db), before);
        QCOMPARE(testing::integrityCheck(db), QStringLiteral("ok"));
        auto reopened = store::Database::open(program.path(QStringLiteral("BD/Film.mdb")));
        QCOMPARE(testing::filmRows(*reopened), before);
        QCOMPARE(testing::integrityCheck(*reopened), QStringLiteral("ok"));

        // The same connection still writes once the disk is back.
        db.execute(statement);
        QCOMPARE(program.count(), rowsAfter);
        QVERIFY(testing::filmRows(db) != before);
    }

    void refusedReadStopsOnlyTheList_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<int>("rowsBeforeFault");
        QTest::newRow("list, at its start") << QStringLiteral("select * from film order by nom_film") << 0;
        QTest::newRow("list, midway") << QStringLiteral("select * from film order by nom_film") << 40;
        QTest::newRow("search") << QStringLiteral(
                "select * from film WHERE nom_film LIKE 'film%' order by nom_film")
                                << 25;
        QTest::newRow("count") << QStringLiteral(
                "select COUNT (*) as Test from film WHERE qualite_film <>'dvd'")
                               << 0;
    }

    void refusedReadStopsOnlyTheList()
    {
        QFETCH(QString, statement);
        QFETCH(int, rowsBeforeFault);
        FaultyVfs vfs;
        testing::TestCatalogue program;
        fill(program);
        const QList<QStringList> before = testing::filmRows(program.db());
        // A connection of its own, whose cache is cold, as the program's is after another
        // program changed the file.
        auto db = store::Database::open(program.path(QStringLiteral("BD/Film.mdb")));

        int rowsRead = 0;
        try {
            store::Recordset rs;
            if (rowsBeforeFault == 0)
                vfs.inject(FaultyVfs::Fault::ReadError);
            rs.open(statement, *db);
            for (; !rs.eof(); rs.moveNext()) {
                rs.text(0);
                if (++rowsRead == rowsBeforeFault)
                    vfs.inject(FaultyVfs::Fault::ReadError);
            }
            QFAIL("the refused read went unnoticed");
        } catch (const store::DbError& error) {
            QCOMPARE(primaryCode(error), SQLITE_IOERR);
            QVERIFY2(error.message().contains(QStringLiteral("le disque a refusé une lecture")),
                     qPrintable(error.message()));
        }
        // Rows already in memory are still given; the fault stops the list before its end.
        QVERIFY(rowsRead >= rowsBeforeFault);
        QVERIFY(rowsRead < kFilms);
        QVERIFY(vfs.refused() > 0);
        vfs.clear();

        QCOMPARE(testing::filmRows(*db), before);
        QCOMPARE(testing::integrityCheck(*db), QStringLiteral("ok"));
    }

    void anotherProgramHoldingTheWriteLock()
    {
        testing::TestCatalogue program;
        fill(program);
        store::Database& db = program.db();
        const QList<QStringList> before = testing::filmRows(db);
        {
            testing::WriteLockHolder other(program.path(QStringLiteral("BD/Film.mdb")));
            for (const auto& [name, change] : changes()) {
                try {
                    db.execute(change.statement);
                    QFAIL(name);
                } catch (const store::DbError& error) {
                    QCOMPARE(primaryCode(error), SQLITE_BUSY);
                    QVERIFY2(error.message().contains(QStringLiteral("utilisée par un autre programme")),
                             qPrintable(error.message()));
                }
            }
            // Reading goes on while the other program writes.
            QCOMPARE(testing::filmRows(db), before);
        }
        QCOMPARE(testing::integrityCheck(db), QStringLiteral("ok"));
        db.execute(changes().first().second.statement);
        QCOMPARE(program.count(), kFilms + 1);
    }

    void catalogueLockedEntirely()
    {
        FaultyVfs vfs;
        testing::TestCatalogue program;
        fill(program);
        store::Database& db = program.db();
        const QList<QStringList> before = testing::filmRows(db);
        const QString path = program.path(QStringLiteral("BD/Film.mdb"));

        vfs.inject(FaultyVfs::Fault::Locked);
        try {
            store::Database::open(path);
            QFAIL("a locked catalogue was opened");
        } catch (const store::DbError& error) {
            QCOMPARE(primaryCode(error), SQLITE_BUSY);
        }
        QVERIFY_THROWS_EXCEPTION(store::DbError, db.execute(changes().first().second.statement));
        QVERIFY(vfs.refused() > 0);
        vfs.clear();

        QCOMPARE(testing::filmRows(db), before);
        QCOMPARE(testing::integrityCheck(*store::Database::open(path)), QStringLiteral("ok"));
    }
};

QTEST_GUILESS_MAIN(TestStoreFaults)
#include "test_store_faults.moc"
