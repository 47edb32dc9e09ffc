#include "store/DbError.h"
#include "store/Films.h"
#include "support/Golden.h"
#include "support/TestCatalogue.h"

#include <QTest>
#include <sqlite3.h>

using testing::TestCatalogue;

// The catalogue service on a real catalogue file, without windows.
class TestStoreFilms : public QObject {
    Q_OBJECT
private slots:
    void titleLookUpComparesAsTheCatalogue()
    {
        TestCatalogue catalogue;
        for (const char* title : {"BRAZIL", "ÉTÉ À NOËL", "Éclipse", "L'\"été\""})
            catalogue.insert(catalogue.count() + 1, title);
        store::Films films(catalogue.db());
        for (const char* held : {"brazil", "été à noël", "l'\"ÉTÉ\"", "Éclipse"})
            QVERIFY2(films.hasTitle(held), held);
        for (const char* absent : {"Eclipse", "Brazil ", "Braz", "Braz%", ""})
            QVERIFY2(!films.hasTitle(absent), absent);
        // One look-up in the title index, never a pass over the whole catalogue for every file: no
        // statement the connection keeps prepared has stepped through the table.
        for (sqlite3_stmt* s = sqlite3_next_stmt(catalogue.db().handle(), nullptr); s;
             s = sqlite3_next_stmt(catalogue.db().handle(), s))
            QVERIFY2(sqlite3_stmt_status(s, SQLITE_STMTSTATUS_FULLSCAN_STEP, 0) == 0, sqlite3_sql(s));
    }

    void newFilmsTakeTheNextKey()
    {
        TestCatalogue catalogue;
        store::Films films(catalogue.db());
        QCOMPARE(films.nextKey(), 1);
        QCOMPARE(films.add(store::Films::foundOnDisk("Premier")), qint16(1));
        catalogue.insert(41);
        QCOMPARE(films.add(store::Films::foundOnDisk("Suivant")), qint16(42));
        catalogue.db().execute("Delete * from film where code_film=42");
        QCOMPARE(films.nextKey(), 42);
        catalogue.insert(32767);
        QCOMPARE(films.nextKey(), 32768);
        QVERIFY_THROWS_EXCEPTION(store::DbError, films.add(store::Films::foundOnDisk("De trop")));
        QVERIFY_THROWS_EXCEPTION(store::DbError, films.insert(32768, store::Films::foundOnDisk("De trop")));
        QCOMPARE(catalogue.films(), (QStringList {"1 Premier", "41 Film", "32767 Film"}));
    }

    void anyTextIsStoredExactly_data() { testing::addTableRows("store/any_text.txt"); }

    void anyTextIsStoredExactly()
    {
        QFETCH(QStringList, fields);
        const QString value = fields[1];
        TestCatalogue catalogue;
        catalogue.insert(2, "Témoin");
        const QStringList witness = testing::filmRows(catalogue.db())[0];
        store::Films films(catalogue.db());
        store::FilmDetails details;
        for (const store::DetailColumn& column : store::kDetailColumns)
            details.*column.member = value;
        films.insert(1, details);
        films.lend(1, value, value);
        QCOMPARE(testing::filmRows(catalogue.db())[0], QStringList {"1"} + QStringList(15, value));
        details.acteur = "autre";
        QVERIFY(films.modify(1, details));
        QCOMPARE(films.find(1)->acteur, QStringLiteral("autre"));
        QCOMPARE(films.find(1)->realisateur, value);
        bool found = false;
        for (const store::ListedRow& row : films.listed(store::FilmList::titleSearch(value)))
            found = found || row[5] == "1";
        QVERIFY(found);
        QCOMPARE(testing::filmRows(catalogue.db())[1], witness);
    }
};

QTEST_GUILESS_MAIN(TestStoreFilms)
#include "test_store_films.moc"
