#include "support/Testing.h"

#include <sqlite3.h>

namespace {

// Every file and folder below the program folder with its bytes.
QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(folder).relativeFilePath(path),
                     QFileInfo(path).isFile() ? testing::fileBytes(path) : "folder");
    }
    return files;
}

}  // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void startsOnTheEmbeddedEmptyCatalogue()
    {
        testing::TestProgram program;
        QVERIFY(testing::startProgram());
        Frm_Accueil& accueil = Frm_Accueil::instance();
        QVERIFY(accueil.isVisible());
        QCOMPARE(accueil.window()->windowTitle(), QStringLiteral("Cinabrel"));
        QCOMPARE(testing::accueil::titles(), QStringList {"Aucun film dans la base de donnée"});
        QCOMPARE(testing::accueil::labels({"lbl_stat_nbr", "lbl_stat_dvd", "lbl_stat_pret", "lbl_dispo"}),
                 QStringList(4, "0"));
        QCOMPARE(program.messages(), QStringList());
        QCOMPARE(accueil.controls().List->columnCaption(0), QStringLiteral("Titre"));
        QCOMPARE(QSize(accueil.innerWidth(), accueil.innerHeight()), QSize(11175, 8475));
    }

    void badCatalogueShowsTheMessageAndLeavesFilesAlone_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("no BD folder") << "no-folder";
        QTest::newRow("no Film.mdb") << "no-file";
        QTest::newRow("text file") << "text";
        QTest::newRow("zero bytes") << "empty";
        QTest::newRow("database without film") << "other-table";
    }

    void badCatalogueShowsTheMessageAndLeavesFilesAlone()
    {
        QFETCH(QString, damage);
        testing::TestProgram program(false);
        const QString catalogue = program.path("BD/Film.mdb");
        if (damage == u"no-folder")
            QDir(program.path("BD")).removeRecursively();
        else if (damage == u"text" || damage == u"empty")
            QVERIFY(testing::writeBytes(catalogue,
                                        damage == u"text" ? "Ceci n'est pas un catalogue.\r\n" : ""));
        else if (damage == u"other-table") {
            sqlite3* db = nullptr;
            sqlite3_open(catalogue.toUtf8().constData(), &db);
            sqlite3_exec(db, "CREATE TABLE films (code_film INTEGER)", nullptr, nullptr, nullptr);
            sqlite3_close(db);
        }
        const auto before = snapshot(program.folder());
        QVERIFY(!testing::startProgram());
        QCOMPARE(program.messages(),
                 QStringList {"16|Erreur de connection|Probleme de connection à la base de donnée\r\n"
                              "Vérifiez que la base de donnée se situe dans le repertoire BD"});
        QVERIFY(!Frm_Accueil::instance().isLoaded());
        QVERIFY(!Connection::cnx);
        QCOMPARE(snapshot(program.folder()), before);
    }
};

CINABREL_TEST_MAIN(TestStartup)

#include "test_startup.moc"
