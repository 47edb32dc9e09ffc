#include "store/Backups.h"
#include "store/Database.h"
#include "store/Settings.h"
#include "support/TestCatalogue.h"

#include <QTest>

using testing::TestCatalogue;

namespace {

// The statements that made the catalogue's tables, by name.
QStringList tables(store::Database& db)
{
    QStringList made;
    for (const QStringList& row : testing::rowsOf(
                 db, "SELECT name || ': ' || sql FROM sqlite_master WHERE type = 'table' ORDER BY name"))
        made << row[0];
    return made;
}

}  // namespace

// What the program keeps in the catalogue beside the films, and how an older catalogue gains it.
class TestStoreCatalogue : public QObject {
    Q_OBJECT
private slots:
    // A catalogue of an older version gains the tables it lacks at its first opening; film keeps
    // its definition and its rows, and the settings stay from one opening to the next.
    void olderCatalogueGainsTheSettings()
    {
        TestCatalogue catalogue;
        catalogue.insert(7, "Alien");
        catalogue.closeDb();
        QList<QStringList> films;
        {
            auto db = store::Database::open(catalogue.cataloguePath());
            films = testing::filmRows(*db);
            QVERIFY(tables(*db).contains("reglage: CREATE TABLE reglage (nom TEXT PRIMARY KEY NOT NULL "
                                         "COLLATE FRANCAIS, valeur TEXT)"));
            store::Settings settings(*db);
            QCOMPARE(settings.value("duree_pret"), std::nullopt);
            settings.setValue("duree_pret", "21");
            settings.setValue("DUREE_PRET", "14");
            settings.setValue("vide", "");
        }
        auto db = store::Database::open(catalogue.cataloguePath());
        store::Settings settings(*db);
        QCOMPARE(settings.value("duree_pret"), QStringLiteral("14"));
        QCOMPARE(settings.value("vide"), QString(""));
        settings.remove("duree_pret");
        QCOMPARE(settings.value("duree_pret"), std::nullopt);
        QCOMPARE(testing::filmRows(*db), films);
        QVERIFY(tables(*db).contains(
                testing::rowsOf(*db, "SELECT 'film: ' || sql FROM sqlite_master WHERE name = 'film'")[0][0]));
        // The loans' history, with the index that keeps one open loan a film.
        QCOMPARE(testing::rowsOf(*db, "SELECT name FROM sqlite_master WHERE tbl_name = 'pret' ORDER BY name"),
                 (QList<QStringList> {
                         {"pret"}, {"pret_en_cours"}, {"pret_par_emprunteur"}, {"pret_par_film"}}));
    }

    // A backup taken before the settings existed is restored with the table made again, empty; one
    // taken since brings its settings back.
    void restoredBackupKeepsTheTables()
    {
        TestCatalogue catalogue;
        catalogue.insert(7, "Alien");
        store::Settings(catalogue.db()).setValue("recherche", "1");
        store::Backups backups(catalogue.db());
        const QString withSettings = backups.backUp(QDateTime(QDate(2026, 12, 1), QTime(10, 0)));
        catalogue.db().execute("DROP TABLE reglage");
        const QString older = backups.backUp(QDateTime(QDate(2026, 12, 2), QTime(10, 0)));
        backups.restore(withSettings, QDateTime(QDate(2026, 12, 3), QTime(10, 0)));
        QCOMPARE(store::Settings(catalogue.db()).value("recherche"), QStringLiteral("1"));
        backups.restore(older, QDateTime(QDate(2026, 12, 4), QTime(10, 0)));
        QCOMPARE(store::Settings(catalogue.db()).value("recherche"), std::nullopt);
        store::Settings(catalogue.db()).setValue("recherche", "0");
        QCOMPARE(testing::filmRows(catalogue.db()).size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestStoreCatalogue)
#include "test_store_catalogue.moc"
