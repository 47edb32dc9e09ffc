#include "store/Films.h"
#include "support/TestCatalogue.h"

#include <QTest>
#include <sqlite3.h>

// The quick add asks, for every file, whether the catalogue holds a film of that title.
class TestStoreTitles : public QObject {
    Q_OBJECT
private slots:
    void titleComparedAsTheCatalogueCompares_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<bool>("held");
        QTest::newRow("same") << "Brazil"
                              << "Brazil" << true;
        QTest::newRow("letter case") << "BRAZIL"
                                     << "brazil" << true;
        QTest::newRow("case of accented letters") << "ÉTÉ À NOËL"
                                                  << "été à noël" << true;
        QTest::newRow("accents count") << "Éclipse"
                                       << "Eclipse" << false;
        QTest::newRow("quotes") << "L'\"été\""
                                << "l'\"ÉTÉ\"" << true;
        QTest::newRow("a space more") << "Brazil"
                                      << "Brazil " << false;
        QTest::newRow("a beginning only") << "Brazil"
                                          << "Braz" << false;
        QTest::newRow("no wildcard") << "Brazil"
                                     << "Braz%" << false;
        QTest::newRow("empty title") << "Brazil"
                                     << "" << false;
    }

    void titleComparedAsTheCatalogueCompares()
    {
        QFETCH(QString, stored);
        QFETCH(QString, asked);
        QFETCH(bool, held);
        testing::TestCatalogue program;
        program.insert(testing::film(1, stored));
        program.insert(testing::film(2, QStringLiteral("Zorro")));
        QCOMPARE(store::Films(program.db()).hasTitle(asked), held);
    }

    // One look-up in the title index, never a pass over the whole catalogue for every file.
    void lookUpUsesTheTitleIndex()
    {
        testing::TestCatalogue program;
        QString statement;
        sqlite3_trace_v2(
                program.db().handle(), SQLITE_TRACE_STMT,
                [](unsigned, void* seen, void* prepared, void*) {
                    *static_cast<QString*>(seen) =
                            QString::fromUtf8(sqlite3_sql(static_cast<sqlite3_stmt*>(prepared)));
                    return 0;
                },
                &statement);
        store::Films(program.db()).hasTitle(QStringLiteral("Brazil"));
        sqlite3_trace_v2(program.db().handle(), 0, nullptr, nullptr);
        QVERIFY(!statement.isEmpty());

        sqlite3_stmt* plan = nullptr;
        QCOMPARE(sqlite3_prepare_v2(program.db().handle(), ("EXPLAIN QUERY PLAN " + statement).toUtf8(), -1,
                                    &plan, nullptr),
                 SQLITE_OK);
        QStringList steps;
        while (sqlite3_step(plan) == SQLITE_ROW)
            steps << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(plan, 3)));
        sqlite3_finalize(plan);
        QCOMPARE(steps.size(), 1);
        QVERIFY2(steps.first().startsWith("SEARCH film USING COVERING INDEX film_par_titre (nom_film=?)"),
                 qPrintable(steps.first()));
    }
};

QTEST_GUILESS_MAIN(TestStoreTitles)

#include "test_store_titles.moc"
