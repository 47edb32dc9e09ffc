#include "store/DbError.h"
#include "files/Workbook.h"
#include "store/EngineMessage.h"
#include "support/TestCatalogue.h"

#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>

// What the user reads when the engine or the workbook's library fails: French, never their English.
class TestStoreMessages : public QObject {
    Q_OBJECT
private slots:
    void refusedStatementsAreToldInFrench_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("french");
        QTest::addColumn<bool>("tableDropped");
        QTest::newRow("missing table") << "select * from film"
                                       << "la table « film » n'existe pas" << true;
        QTest::newRow("missing column") << "select titre from film"
                                        << "la colonne « titre » n'existe pas" << false;
        QTest::newRow("syntax") << "selec * from film"
                                << "l'instruction est mal formée près de « selec »" << false;
        QTest::newRow("same key twice") << "INSERT INTO film (code_film) VALUES (7)"
                                        << "ce numéro ou cette valeur existe déjà" << false;
        QTest::newRow("key out of range") << "INSERT INTO film (code_film) VALUES (40000)"
                                          << "une valeur est hors des limites permises" << false;
    }

    void refusedStatementsAreToldInFrench()
    {
        QFETCH(QString, statement);
        QFETCH(QString, french);
        QFETCH(bool, tableDropped);
        testing::TestCatalogue catalogue;
        catalogue.insert(testing::film(7));
        if (tableDropped)
            catalogue.db().execute(QStringLiteral("DROP TABLE film"));
        try {
            catalogue.db().execute(statement);
            QFAIL("the statement was not refused");
        } catch (const store::DbError& error) {
            QVERIFY2(error.message().endsWith(QStringLiteral(" : ") + french), qPrintable(error.message()));
        }
    }

    // Every result code the engine has, with or without its kind, reads in French.
    void noResultCodeShowsTheEnginesEnglish()
    {
        for (int primary = SQLITE_ERROR; primary <= SQLITE_WARNING; ++primary) {
            for (int kind = 0; kind < 16; ++kind) {
                const int code = primary | kind << 8;
                const QString message = store::engineMessage(nullptr, code);
                const QString english = QString::fromUtf8(sqlite3_errstr(code));
                QVERIFY2(!message.isEmpty() && !message.contains(english, Qt::CaseInsensitive),
                         qPrintable(QStringLiteral("%1: %2").arg(code).arg(message)));
            }
        }
        QCOMPARE(store::engineMessage(nullptr, SQLITE_NOTICE),
                 QStringLiteral("le moteur de base de donnée a signalé l'erreur 27"));
    }

    void workbookFailureIsToldInFrench()
    {
        QTemporaryDir folder;
        QString error;
        QVERIFY(!files::Workbook().save(folder.filePath(QStringLiteral("absent/classeur.xlsx")), error));
        QCOMPARE(error, QStringLiteral("le fichier n'a pas pu être créé"));
    }
};

QTEST_GUILESS_MAIN(TestStoreMessages)
#include "test_store_messages.moc"
