#include "store/Films.h"
#include "support/Golden.h"
#include "support/TestCatalogue.h"

#include <QProcess>
#include <QTest>

// SQLite's own command-line tool, with the program's extension loaded, writes to a catalogue the
// program made and is using; the program then reads the films in French order from its indexes.
class TestSqliteTool : public QObject {
    Q_OBJECT
private slots:
    void writesFromTheTool_data() { testing::addTableRows("store/sqlite3_tool.txt"); }

    void writesFromTheTool()
    {
        QFETCH(QStringList, fields);
        const QStringList titles = fields[1].split(QStringLiteral(", "));
        testing::TestCatalogue program;
        int code = 1;
        for (const char* title : {"Fargo", "Eclipse", "Zazie dans le métro"})
            program.insert(code++, title);
        QProcess tool;
        tool.start(CINABREL_SQLITE3,
                   {"-bail", "-cmd", ".load " CINABREL_FRENCH_EXTENSION, program.cataloguePath()});
        tool.write((fields[0] + "PRAGMA integrity_check; SELECT nom_film FROM film ORDER BY nom_film;")
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
