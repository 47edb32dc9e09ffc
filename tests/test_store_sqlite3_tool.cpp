#include "store/Films.h"
#include "support/TestCatalogue.h"

#include <QProcess>
#include <QTest>

// SQLite's own command-line tool, with the program's extension loaded, writes to a catalogue the
// program made and is using; the program then reads the films in French order from its indexes.
class TestSqliteTool : public QObject {
    Q_OBJECT
private slots:
    void writesFromTheTool_data()
    {
        QTest::addColumn<QString>("statements");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("insert")
                << "INSERT INTO film (code_film, nom_film, type_film, cd_film, duree, format_film, "
                   "qualite_film) VALUES (4, 'Éléphant', 'Drame', '1', '01h21', 'Avi', 'Bonne'), "
                   "(5, 'œil pour œil', 'Action', '1', '01h40', 'Dvd', 'DvD'), "
                   "(6, 'abyss', 'Aventure', '2', '02h20', 'Avi', 'Moyenne');"
                << QStringList {"abyss", "Eclipse",      "Éléphant",
                                "Fargo", "œil pour œil", "Zazie dans le métro"};
        QTest::newRow("update") << "UPDATE film SET nom_film = 'Ève' WHERE code_film = 3;"
                                << QStringList {"Eclipse", "Ève", "Fargo"};
        // The engine's own LIKE ignores the case of ASCII letters only: "ÉCL" finds "écl" through
        // the program's.
        QTest::newRow("update and delete with LIKE")
                << "UPDATE film SET nom_film = 'éclipse totale' WHERE code_film = 1;"
                   "DELETE FROM film WHERE nom_film LIKE 'ÉCL%';"
                << QStringList {"Eclipse", "Zazie dans le métro"};
    }

    void writesFromTheTool()
    {
        QFETCH(QString, statements);
        QFETCH(QStringList, titles);
        testing::TestCatalogue program;
        int code = 1;
        for (const char* title : {"Fargo", "Eclipse", "Zazie dans le métro"})
            program.insert(testing::film(code++, title));
        QProcess tool;
        tool.start(CINABREL_SQLITE3,
                   {"-bail", "-cmd", ".load " CINABREL_FRENCH_EXTENSION, program.cataloguePath()});
        tool.write((statements + "PRAGMA integrity_check; SELECT nom_film FROM film ORDER BY nom_film;")
                           .toUtf8());
        tool.closeWriteChannel();
        QVERIFY(tool.waitForFinished(30000));
        QCOMPARE(QString::fromUtf8(tool.readAllStandardError()), QString());
        QCOMPARE(tool.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(tool.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts),
                 QStringList {"ok"} + titles);
        QStringList listed;
        for (const store::ListedRow& row : store::Films(program.db()).listed(store::Films::allFilms()))
            listed.append(row[0]);
        QCOMPARE(listed, titles);
    }
};

QTEST_GUILESS_MAIN(TestSqliteTool)
#include "test_store_sqlite3_tool.moc"
