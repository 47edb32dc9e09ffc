#include "store/Catalogue.h"
#include "store/DbError.h"
#include "store/Films.h"
#include "support/FaultyVfs.h"
#include "support/TestCatalogue.h"

#include <QTest>
#include <chrono>
#include <functional>
#include <thread>
#include <sqlite3.h>

using testing::FaultyVfs;

namespace {

constexpr int kFilms = 300;

using Change = std::function<void(store::Films&)>;

// The changes that write the loans' history too are failed at every write by test_store_loans.
const QList<std::pair<const char*, Change>> changes = {
        {"add", [](store::Films& f) { f.add(store::Films::foundOnDisk("Nouveau")); }},
        {"modify", [](store::Films& f) { f.modify(7, store::Films::foundOnDisk("Changé")); }},
};

// How the disk or another program refuses a write, and what the user is told.
struct Failure {
    const char* name;
    FaultyVfs::Fault fault;  // None: another program holds the write lock
    int after;
    int engineCode;
    const char* explanation;
} const failures[] = {
        {"write error", FaultyVfs::Fault::WriteError, 0, SQLITE_IOERR, "le disque a refusé une écriture"},
        {"write error mid-commit", FaultyVfs::Fault::WriteError, 1, SQLITE_IOERR,
         "le disque a refusé une écriture"},
        {"disk full", FaultyVfs::Fault::DiskFull, 0, SQLITE_FULL, "le disque est plein"},
        {"locked", FaultyVfs::Fault::None, 0, SQLITE_BUSY,
         "la base de donnée est utilisée par un autre programme"},
};

}  // namespace

// The disk and other programs fail under the store: the catalogue stays whole and the store goes on.
class TestStoreFaults : public QObject {
    Q_OBJECT
private slots:
    void refusedWriteLeavesTheCatalogueAsItWas_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<int>("failure");
        for (int change = 0; change < changes.size(); ++change) {
            for (int failure = 0; failure < int(std::size(failures)); ++failure)
                QTest::addRow("%s, %s", changes[change].first, failures[failure].name) << change << failure;
        }
    }

    void refusedWriteLeavesTheCatalogueAsItWas()
    {
        QFETCH(int, change);
        QFETCH(int, failure);
        const Failure& f = failures[failure];
        FaultyVfs vfs;
        testing::TestCatalogue catalogue;
        catalogue.fill(kFilms);
        store::Database& db = catalogue.db();
        store::Films films(db);
        const QList<QStringList> before = testing::filmRows(db);
        const Change write = changes[change].second;
        {
            std::unique_ptr<testing::WriteLockHolder> other;
            if (f.fault == FaultyVfs::Fault::None)
                other = std::make_unique<testing::WriteLockHolder>(catalogue.cataloguePath());
            else
                vfs.inject(f.fault, f.after);
            try {
                write(films);
                QFAIL("the failure was reported as success");
            } catch (const store::DbError& error) {
                QCOMPARE(error.engineCode() & 0xff, f.engineCode);
                QVERIFY2(error.message().contains(QString::fromUtf8(f.explanation)),
                         qPrintable(error.message()));
            }
            QVERIFY(other || vfs.refused() > 0);
            vfs.clear();
            // Reading goes on while another program holds the catalogue.
            QCOMPARE(testing::filmRows(db), before);
        }
        QCOMPARE(testing::integrityCheck(db), QStringLiteral("ok"));
        QCOMPARE(testing::filmRows(*store::Database::open(catalogue.cataloguePath())), before);
        // The same connection writes again once the disk is back.
        write(films);
        QVERIFY(testing::filmRows(db) != before);
    }

    // Another program holding the catalogue for a moment makes a write wait, not fail.
    void writeWaitsForABriefLockOfAnotherProgram()
    {
        testing::TestCatalogue catalogue;
        catalogue.fill(kFilms);
        store::Films films(catalogue.db());
        auto other = std::make_unique<testing::WriteLockHolder>(catalogue.cataloguePath());
        std::thread release([&other] {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            other.reset();
        });
        const auto joined = qScopeGuard([&release] { release.join(); });
        QVERIFY_THROWS_NO_EXCEPTION(films.lend(7, "Marie", "06/12/2026"));
        QCOMPARE(testing::rowsOf(catalogue.db(),
                                 QStringLiteral("SELECT pret_film FROM film WHERE code_film = 7")),
                 QList<QStringList> {{QStringLiteral("Marie")}});
    }

    void noCatalogueIsMadeWhereNoFileCanBe()
    {
        QTemporaryDir folder;
        try {
            store::createCatalogue(folder.filePath("absent/Film.mdb"));
            QFAIL("a catalogue was made");
        } catch (const store::DbError& error) {
            QCOMPARE(error.message(),
                     "Le catalogue n'a pas pu être créé : le fichier ne peut pas être ouvert");
        }
    }
};

QTEST_GUILESS_MAIN(TestStoreFaults)
#include "test_store_faults.moc"
