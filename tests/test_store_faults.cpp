#include "store/DbError.h"
#include "store/Films.h"
#include "store/Recordset.h"
#include "support/FaultyVfs.h"
#include "support/Files.h"
#include "support/TestCatalogue.h"

#include <QFile>
#include <QTest>
#include <functional>
#include <sqlite3.h>

using testing::FaultyVfs;

namespace {

constexpr int kFilms = 300;

// A catalogue big enough that a list reads many pages of the file.
void fill(testing::TestCatalogue& catalogue)
{
    catalogue.db().execute(QStringLiteral("BEGIN"));
    for (int code = 1; code <= kFilms; ++code) {
        testing::Film film =
                testing::film(code, QStringLiteral("Film numéro %1 au titre assez long").arg(code));
        film.obs = QString(80, QChar(u'a' + code % 26));
        if (code % 10 == 0) {
            film.pret = QStringLiteral("Paul");
            film.datePret = QStringLiteral("01/12/2026");
        }
        catalogue.insert(film);
    }
    catalogue.db().execute(QStringLiteral("COMMIT"));
}

using Change = std::function<void(store::Films&)>;

QList<std::pair<const char*, Change>> changes()
{
    return {
            {"add", [](store::Films& f) { f.add(store::Films::foundOnDisk("Nouveau")); }},
            {"modify", [](store::Films& f) { f.modify(7, store::Films::foundOnDisk("Changé")); }},
            {"lend", [](store::Films& f) { f.lend(7, "Marie", "06/12/2026"); }},
            {"give back", [](store::Films& f) { f.giveBack(20); }},
            {"remove", [](store::Films& f) { f.remove(9); }},
    };
}

void expectFailure(const std::function<void()>& step, int engineCode, const QString& explanation)
{
    try {
        step();
        QFAIL("the failure was reported as success");
    } catch (const store::DbError& error) {
        QCOMPARE(error.engineCode() & 0xff, engineCode);
        QVERIFY2(error.message().contains(explanation), qPrintable(error.message()));
    }
}

}  // namespace

// The disk and other programs fail under the store: the catalogue stays whole and the store goes on.
class TestStoreFaults : public QObject {
    Q_OBJECT
private slots:
    void refusedWriteLeavesTheCatalogueAsItWas_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("after");
        QTest::addColumn<int>("engineCode");
        QTest::addColumn<QString>("explanation");
        for (int change = 0; change < changes().size(); ++change) {
            const char* name = changes()[change].first;
            QTest::addRow("%s, write error", name) << change << int(FaultyVfs::Fault::WriteError) << 0
                                                   << SQLITE_IOERR << "le disque a refusé une écriture";
            QTest::addRow("%s, disk full", name)
                    << change << int(FaultyVfs::Fault::DiskFull) << 0 << SQLITE_FULL << "le disque est plein";
            QTest::addRow("%s, write error mid-commit", name)
                    << change << int(FaultyVfs::Fault::WriteError) << 1 << SQLITE_IOERR
                    << "le disque a refusé une écriture";
            QTest::addRow("%s, locked", name) << change << -1 << 0 << SQLITE_BUSY
                                              << "la base de donnée est utilisée par un autre programme";
        }
    }

    void refusedWriteLeavesTheCatalogueAsItWas()
    {
        QFETCH(int, change);
        QFETCH(int, fault);
        QFETCH(int, after);
        QFETCH(int, engineCode);
        QFETCH(QString, explanation);
        FaultyVfs vfs;
        testing::TestCatalogue catalogue;
        fill(catalogue);
        store::Database& db = catalogue.db();
        store::Films films(db);
        const QList<QStringList> before = testing::filmRows(db);
        const Change write = changes()[change].second;
        {
            std::unique_ptr<testing::WriteLockHolder> other;
            if (fault < 0)
                other = std::make_unique<testing::WriteLockHolder>(catalogue.cataloguePath());
            else
                vfs.inject(FaultyVfs::Fault(fault), after);
            expectFailure([&] { write(films); }, engineCode, explanation);
            QVERIFY(other || vfs.refused() > 0);
            vfs.clear();
            // Reading goes on while another program holds the catalogue.
            QCOMPARE(testing::filmRows(db), before);
        }
        QCOMPARE(testing::integrityCheck(db), QStringLiteral("ok"));
        auto reopened = store::Database::open(catalogue.cataloguePath());
        QCOMPARE(testing::filmRows(*reopened), before);

        // The same connection writes again once the disk is back.
        write(films);
        QVERIFY(testing::filmRows(db) != before);
    }

    void refusedReadStopsOnlyTheList_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<int>("rowsBeforeFault");
        QTest::newRow("list, at its start") << store::Films::allFilms() << 0;
        QTest::newRow("list, midway") << store::Films::allFilms() << 40;
        QTest::newRow("search") << store::Films::titleSearch("film") << 25;
        QTest::newRow("counters") << QString() << 0;
    }

    void refusedReadStopsOnlyTheList()
    {
        QFETCH(QString, statement);
        QFETCH(int, rowsBeforeFault);
        FaultyVfs vfs;
        testing::TestCatalogue catalogue;
        fill(catalogue);
        const QList<QStringList> before = testing::filmRows(catalogue.db());
        // A connection of its own, whose cache is cold, as the program's is after another program
        // changed the file.
        auto db = store::Database::open(catalogue.cataloguePath());
        store::Films films(*db);
        if (rowsBeforeFault == 0)
            vfs.inject(FaultyVfs::Fault::ReadError);
        expectFailure(
                [&] {
                    if (statement.isEmpty()) {
                        films.counters();
                        return;
                    }
                    // Read by hand, so the fault can come in the middle of the rows.
                    store::Recordset rs;
                    rs.open(store::Films::listedColumnsOnly(statement), *db);
                    for (int rows = 1; !rs.eof(); rs.moveNext(), ++rows) {
                        if (rows == rowsBeforeFault)
                            vfs.inject(FaultyVfs::Fault::ReadError);
                    }
                },
                SQLITE_IOERR, "le disque a refusé une lecture");
        QVERIFY(vfs.refused() > 0);
        vfs.clear();
        QCOMPARE(testing::filmRows(*db), before);
        QCOMPARE(films.listed(store::Films::allFilms()).size(), kFilms);
    }

    void unopenableCatalogue()
    {
        testing::TestCatalogue catalogue;
        fill(catalogue);
        const QString path = catalogue.cataloguePath();
        {
            FaultyVfs vfs;
            vfs.inject(FaultyVfs::Fault::Locked);
            expectFailure([&] { store::Database::open(path); }, SQLITE_BUSY,
                          "utilisée par un autre programme");
        }
        catalogue.closeDb();
        // Noise after a sound header: the engine finds the damage when it reads the table.
        QByteArray bytes = testing::fileBytes(path);
        QFile::remove(path + "-wal");
        bytes.replace(4096, bytes.size() - 4096, QByteArray(bytes.size() - 4096, 'x'));
        QVERIFY(testing::writeBytes(path, bytes));
        expectFailure([&] { store::Films(*store::Database::open(path)).counters(); }, SQLITE_CORRUPT,
                      "le fichier est endommagé");
    }
};

QTEST_GUILESS_MAIN(TestStoreFaults)
#include "test_store_faults.moc"
