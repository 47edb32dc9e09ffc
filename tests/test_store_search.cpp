#include "store/Catalogue.h"
#include "store/DbError.h"
#include "store/Films.h"
#include "store/FrenchText.h"
#include "store/Settings.h"
#include "support/FaultyVfs.h"
#include "support/Golden.h"
#include "support/TestCatalogue.h"

#include <QTest>
#include <sqlite3.h>

using testing::TestCatalogue;

namespace {

// Another program writing the catalogue on a connection of its own: SQLite's tools with the
// extension loaded, or an older Cinabrel, both of which know the French collation and LIKE but not
// the search's functions; without the extension, SQLite's tools know neither.
class OtherProgram {
public:
    explicit OtherProgram(const QString& path, bool withExtension = true)
    {
        sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE, nullptr);
        if (withExtension)
            store::registerFrenchText(db_);
    }
    ~OtherProgram() { sqlite3_close_v2(db_); }
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;

    // Runs statements: the engine's message when they fail, nothing when they succeed.
    QString run(const char* statements)
    {
        char* error = nullptr;
        sqlite3_exec(db_, statements, nullptr, nullptr, &error);
        const QString message = QString::fromUtf8(error);
        sqlite3_free(error);
        return message;
    }

private:
    sqlite3* db_ = nullptr;
};

// The titles a search of every field lists, in order, " | " between them.
QString found(store::Database& db, const QString& typed)
{
    QStringList titles;
    for (const store::ListedRow& row : store::Films(db).listed(store::FilmList::allFieldsSearch(typed)))
        titles << row[0];
    return titles.join(" | ");
}

store::FilmDetails titled(const QString& title, const QString& notes = QString())
{
    store::FilmDetails film = store::Films::foundOnDisk(title);
    film.obs_Film = notes;
    return film;
}

// Whether the table of the search's texts holds one folded text for each film and nothing else.
bool textsHeldForEveryFilm(store::Database& db)
{
    return testing::rowsOf(db,
                           "SELECT (SELECT count(*) FROM film_recherche WHERE texte IS NOT NULL AND "
                           "code_film IN (SELECT code_film FROM film)) = (SELECT count(*) FROM film) "
                           "AND (SELECT count(*) FROM film_recherche) = (SELECT count(*) FROM film)")[0][0]
            == "1";
}

}  // namespace

// The search of every field on a real catalogue: what it finds, and the folded texts it reads kept
// in step with the films whoever writes them.
class TestStoreSearch : public QObject {
    Q_OBJECT
private slots:
    void findsAsTheCasesSay_data() { testing::addTableRows("store/search.txt"); }

    void findsAsTheCasesSay()
    {
        QFETCH(QStringList, fields);
        TestCatalogue catalogue;
        store::FilmDetails film;
        bool columnKnown = false;
        for (const store::DetailColumn& column : store::kDetailColumns) {
            if (fields[1] == QLatin1String(column.name)) {
                film.*column.member = fields[2];
                columnKnown = true;
            }
        }
        QVERIFY2(columnKnown, qPrintable(fields[1]));
        store::Films films(catalogue.db());
        films.insert(7, film);
        const QList<store::ListedRow> rows = films.listed(store::FilmList::allFieldsSearch(fields[0]));
        QCOMPARE(rows.size() == 1 && rows[0][5] == "7" ? "found" : "not", fields[3]);
    }

    // A film saved, modified or deleted by the program is found by what it holds now, the list in
    // title order as the catalogue sorts titles.
    void findsTheProgramsChanges()
    {
        TestCatalogue catalogue;
        store::Database& db = catalogue.db();
        store::Films films(db);
        const qint16 alien = films.add(titled("Alien", "Nostromo"));
        films.add(titled("Éclipse", "Nostromo"));
        films.add(titled("eclair", "Nostromo"));
        QCOMPARE(found(db, "nostromo"), "Alien | eclair | Éclipse");
        QCOMPARE(found(db, "alien"), "Alien");
        QVERIFY(films.modify(alien, titled("Brazil", "Tuttle")));
        QCOMPARE(found(db, "alien"), "");
        QCOMPARE(found(db, "nostromo"), "eclair | Éclipse");
        QCOMPARE(found(db, "tuttle brazil"), "Brazil");
        films.remove(alien);
        QCOMPARE(found(db, "brazil"), "");
        // A loan changes no searched field; the film stays found.
        films.lend(2, "Marie", "06/12/2026");
        QCOMPARE(found(db, "eclipse"), "Éclipse");
        QVERIFY(textsHeldForEveryFilm(db));
    }

    // Another program writes film with its own connection, lacking the fold: it is never refused, and
    // the program finds the films by what they hold now, without reopening the catalogue.
    void findsAnotherProgramsChanges()
    {
        TestCatalogue catalogue;
        store::Database& db = catalogue.db();
        store::Films films(db);
        films.insert(1, titled("Alien"));
        QCOMPARE(found(db, "alien"), "Alien");
        OtherProgram tool(catalogue.cataloguePath());
        QCOMPARE(tool.run("INSERT INTO film (code_film, nom_film, realisateur) VALUES (2, 'Brazil', 'Terry "
                          "Gilliam'), (3, 'Casablanca', 'Michael Curtiz')"),
                 "");
        QCOMPARE(found(db, "gilliam"), "Brazil");
        QCOMPARE(tool.run("UPDATE film SET acteur = 'Sigourney Weaver' WHERE code_film = 1; "
                          "UPDATE film SET code_film = 4 WHERE code_film = 3; "
                          "DELETE FROM film WHERE code_film = 2"),
                 "");
        QCOMPARE(found(db, "weaver"), "Alien");
        QCOMPARE(found(db, "gilliam"), "");
        QCOMPARE(found(db, "curtiz"), "Casablanca");
        QCOMPARE(store::Films(db).listed(store::FilmList::allFieldsSearch("curtiz")).value(0).value(5), "4");
        // A film put in place of another, and notes written by SQLite's tools without the extension,
        // which can still write the columns no index sorts.
        QCOMPARE(tool.run("INSERT OR REPLACE INTO film (code_film, nom_film) VALUES (1, 'Aliens')"), "");
        QCOMPARE(found(db, "weaver"), "");
        QCOMPARE(found(db, "aliens"), "Aliens");
        OtherProgram bare(catalogue.cataloguePath(), false);
        QCOMPARE(bare.run("UPDATE film SET obs_Film = 'LV-426' WHERE code_film = 1"), "");
        QCOMPARE(found(db, "lv 426"), "Aliens");
        QCOMPARE(found(db, "aliens casablanca"), "");
        QVERIFY(textsHeldForEveryFilm(db));
        QCOMPARE(testing::integrityCheck(db), "ok");
    }

    // The texts' table emptied, dropped, its triggers dropped or its rows deleted by another program
    // while the program runs: right again at the next search, and a film saved meanwhile is saved.
    void findsAgainAfterTheTableIsTamperedWith_data()
    {
        QTest::addColumn<QString>("tampering");
        QTest::newRow("emptied") << "DELETE FROM film_recherche";
        QTest::newRow("rows deleted") << "DELETE FROM film_recherche WHERE code_film IN (1, 3)";
        QTest::newRow("dropped") << "DROP TABLE film_recherche";
        QTest::newRow("dropped, settings too") << "DROP TABLE film_recherche; DROP TABLE reglage";
        QTest::newRow("a trigger dropped, then a film changed")
                << "DROP TRIGGER film_recherche_modif; UPDATE film SET realisateur = 'Tati' WHERE code_film "
                   "= 3";
        QTest::newRow("a trigger changed, then a film added")
                << "DROP TRIGGER film_recherche_ajout; CREATE TRIGGER film_recherche_ajout AFTER INSERT ON "
                   "film "
                   "BEGIN SELECT 1; END; INSERT INTO film (code_film, nom_film, realisateur) VALUES (9, "
                   "'Playtime', "
                   "'Tati')";
        QTest::newRow("the texts told to be another fold's")
                << "UPDATE reglage SET valeur = '0' WHERE nom = "
                   "'pli_recherche'; UPDATE film_recherche SET texte = x''";
    }

    void findsAgainAfterTheTableIsTamperedWith()
    {
        QFETCH(QString, tampering);
        TestCatalogue catalogue;
        store::Database& db = catalogue.db();
        store::Films films(db);
        films.insert(1, titled("Alien"));
        films.insert(2, titled("Brazil"));
        films.insert(3, titled("Mon oncle"));
        QCOMPARE(found(db, "a"), "Alien | Brazil");
        OtherProgram tool(catalogue.cataloguePath());
        QCOMPARE(tool.run(tampering.toUtf8().constData()), "");
        const QString tati = tampering.contains("Tati") ? "Mon oncle" : "";
        QCOMPARE(found(db, "tati"), tampering.contains("Playtime") ? "Playtime" : tati);
        QCOMPARE(found(db, "alien"), "Alien");
        QVERIFY(textsHeldForEveryFilm(db));
        // The triggers stand again: a film the program saves, and one another program saves, are
        // found.
        films.insert(5, titled("Zorro"));
        QCOMPARE(OtherProgram(catalogue.cataloguePath())
                         .run("INSERT INTO film (code_film, nom_film) VALUES "
                              "(6, 'Zazie')"),
                 "");
        QCOMPARE(found(db, "z"), "Brazil | Zazie | Zorro");
        QVERIFY(textsHeldForEveryFilm(db));
    }

    // The triggers write to the table: dropped by another program, it is made again before the
    // program's next change of a film, which is saved.
    void savesWhileTheTableIsDropped()
    {
        TestCatalogue catalogue;
        store::Database& db = catalogue.db();
        store::Films films(db);
        films.insert(1, titled("Alien"));
        OtherProgram tool(catalogue.cataloguePath());
        QCOMPARE(tool.run("DROP TABLE film_recherche"), "");
        films.insert(2, titled("Brazil"));
        QCOMPARE(tool.run("DROP TABLE film_recherche"), "");
        QVERIFY(films.modify(1, titled("Aliens")));
        QCOMPARE(tool.run("DROP TABLE film_recherche"), "");
        films.remove(2);
        QCOMPARE(catalogue.films(), QStringList {"1 Aliens"});
        QCOMPARE(found(db, "alien"), "Aliens");
        QVERIFY(textsHeldForEveryFilm(db));
    }

    // What changed while the program was closed is found at its next opening: a catalogue of an
    // older version, whose films have no texts yet; films written by another program without the
    // triggers; the texts of an older fold.
    void findsAfterReopening_data()
    {
        QTest::addColumn<QString>("meanwhile");
        QTest::newRow("an older catalogue") << "DROP TABLE film_recherche; DROP TABLE reglage";
        QTest::newRow("triggers dropped, films changed")
                << "DROP TRIGGER film_recherche_ajout; DROP TRIGGER film_recherche_modif; "
                   "DROP TRIGGER film_recherche_retrait; UPDATE film SET nom_film = 'Brazil' WHERE code_film "
                   "= 1; "
                   "INSERT INTO film (code_film, nom_film) VALUES (2, 'Zazie'); DELETE FROM film WHERE "
                   "code_film = 3";
        QTest::newRow("an older fold") << "UPDATE reglage SET valeur = '0' WHERE nom = 'pli_recherche'; "
                                          "UPDATE film_recherche SET texte = x'616c69656e'";
        QTest::newRow("a row without its film, a film without its row")
                << "UPDATE film_recherche SET code_film = 5 WHERE code_film = 3";
    }

    void findsAfterReopening()
    {
        QFETCH(QString, meanwhile);
        TestCatalogue catalogue;
        {
            store::Films films(catalogue.db());
            films.insert(1, titled("Alien"));
            films.insert(3, titled("Casablanca"));
            QCOMPARE(found(catalogue.db(), "a"), "Alien | Casablanca");
        }
        catalogue.closeDb();
        OtherProgram(catalogue.cataloguePath()).run(meanwhile.toUtf8().constData());
        store::Database& db = catalogue.db();
        QVERIFY(textsHeldForEveryFilm(db));
        const bool changed = meanwhile.contains("Brazil");
        QCOMPARE(found(db, "a"), changed ? "Brazil | Zazie" : "Alien | Casablanca");
        QCOMPARE(found(db, "alien"), changed ? "" : "Alien");
    }

    // A catalogue whose texts are in step is opened and searched without a write.
    void aCatalogueInStepIsLeftAsItIs()
    {
        TestCatalogue catalogue;
        store::Films(catalogue.db()).insert(1, titled("Alien", "Nostromo"));
        QCOMPARE(found(catalogue.db(), "nostromo"), "Alien");
        catalogue.closeDb();
        store::Database& db = catalogue.db();
        QCOMPARE(found(db, "nostromo"), "Alien");
        QCOMPARE(sqlite3_total_changes64(db.handle()), 0);
    }

    // Texts to make again while another program holds the catalogue at opening: made at the next
    // search once it lets go.
    void aRepairRefusedForALockIsMadeAtTheNextSearch()
    {
        TestCatalogue catalogue;
        store::Films(catalogue.db()).insert(1, titled("Alien", "Nostromo"));
        catalogue.closeDb();
        OtherProgram(catalogue.cataloguePath())
                .run("UPDATE reglage SET valeur = '0' WHERE nom = 'pli_recherche'; UPDATE film_recherche SET "
                     "texte = x''");
        {
            testing::WriteLockHolder holder(catalogue.cataloguePath());
            QCOMPARE(found(catalogue.db(), "nostromo"), "Alien");
        }
        QCOMPARE(found(catalogue.db(), "nostromo"), "Alien");
        QCOMPARE(store::Settings(catalogue.db()).value("pli_recherche"), QStringLiteral("1"));
        QCOMPARE(testing::rowsOf(catalogue.db(),
                                 "SELECT count(*) FROM film_recherche WHERE length(texte) > 0")[0][0],
                 "1");
    }

    // Texts to make again at an opening on a disk that refuses the write: the films found all the
    // same, and the disk not asked again at every keystroke.
    void aRepairRefusedByTheDiskIsNotTriedAtEveryKeystroke()
    {
        testing::FaultyVfs vfs;
        TestCatalogue catalogue;
        store::Films(catalogue.db()).insert(1, titled("Alien", "Nostromo"));
        catalogue.closeDb();
        OtherProgram(catalogue.cataloguePath())
                .run("UPDATE reglage SET valeur = '0' WHERE nom = 'pli_recherche'; UPDATE film_recherche SET "
                     "texte = x''");
        vfs.inject(testing::FaultyVfs::Fault::WriteError);
        store::Database& db = catalogue.db();
        const int refused = vfs.refused();
        QVERIFY(refused > 0);
        QCOMPARE(found(db, "nostromo"), "Alien");
        QCOMPARE(found(db, "nostromo"), "Alien");
        QCOMPARE(vfs.refused(), refused);
    }

    // A catalogue that cannot be written while films are left to fold (read only, or another
    // program holding it): the search folds the films as it reads them and finds the same films.
    void findsWhatItCannotFoldAhead()
    {
        TestCatalogue catalogue;
        store::Films(catalogue.db()).insert(1, titled("Alien", "Nostromo"));
        catalogue.closeDb();
        OtherProgram(catalogue.cataloguePath())
                .run("INSERT INTO film (code_film, nom_film, obs_Film) VALUES (2, 'Aliens', 'Nostromo 2')");
        {
            testing::WriteLockHolder holder(catalogue.cataloguePath());
            store::Database& db = catalogue.db();
            QCOMPARE(found(db, "nostromo"), "Alien | Aliens");
            QCOMPARE(found(db, "nostromo 2"), "Aliens");
        }
        QCOMPARE(found(catalogue.db(), "nostromo 2"), "Aliens");
        QVERIFY(textsHeldForEveryFilm(catalogue.db()));
        catalogue.closeDb();
        OtherProgram(catalogue.cataloguePath())
                .run("UPDATE film SET nom_film = 'Alien³' WHERE code_film = 1");
        const auto readOnly =
                store::Database::open(catalogue.cataloguePath(), store::Database::Access::ReadOnly);
        QCOMPARE(found(*readOnly, "alien3"), "Alien³");
        QCOMPARE(found(*readOnly, "alien"), "Alien³ | Aliens");
    }

    // A disk that refuses a write while the search folds: the same films found, the catalogue as it
    // was; the texts are folded once the catalogue changes with the disk back, not tried again before.
    void aFailingDiskLeavesTheCatalogueAsItWas()
    {
        testing::FaultyVfs vfs;
        TestCatalogue catalogue;
        store::Films films(catalogue.db());
        films.insert(1, titled("Alien", "Nostromo"));
        films.insert(2, titled("Brazil"));
        const QList<QStringList> before = testing::filmRows(catalogue.db());
        vfs.inject(testing::FaultyVfs::Fault::WriteError);
        QCOMPARE(found(catalogue.db(), "nostromo"), "Alien");
        // The disk that refused is not asked again at every keystroke.
        const int refused = vfs.refused();
        QVERIFY(refused > 0);
        QCOMPARE(found(catalogue.db(), "nostromo"), "Alien");
        QCOMPARE(vfs.refused(), refused);
        vfs.clear();
        QCOMPARE(testing::filmRows(catalogue.db()), before);
        QCOMPARE(testing::integrityCheck(catalogue.db()), "ok");
        QCOMPARE(found(catalogue.db(), "nostromo"), "Alien");
        films.insert(3, titled("Casablanca", "Nostromo"));
        QCOMPARE(found(catalogue.db(), "nostromo"), "Alien | Casablanca");
        QVERIFY(textsHeldForEveryFilm(catalogue.db()));
    }
};

QTEST_GUILESS_MAIN(TestStoreSearch)
#include "test_store_search.moc"
