#include "app/Connection.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"
#include "ui/ListView.h"
#include "ui/ScriptedPlatform.h"
#include "ui/main/Frm_Accueil.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <sqlite3.h>

using testing::TestProgram;

namespace {

// Every file below the program folder with a digest of its bytes.
QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        QByteArray digest = "folder";
        if (QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly))
            digest = QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
        files.insert(QDir(folder).relativeFilePath(path), digest);
    }
    return files;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

}  // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void startsOnTheEmbeddedEmptyCatalogue()
    {
        TestProgram program;
        QVERIFY(testing::startProgram());
        Frm_Accueil& accueil = Frm_Accueil::instance();
        QVERIFY(accueil.isVisible());
        QCOMPARE(accueil.window()->windowTitle(), QStringLiteral("Cinabrel"));
        QCOMPARE(accueil.List()->rowCount(), 1);
        QCOMPARE(accueil.List()->rowText(0), QStringLiteral("Aucun film dans la base de donnée"));
        for (const char* counter : {"lbl_stat_nbr", "lbl_stat_dvd", "lbl_stat_pret", "lbl_dispo"})
            QCOMPARE(accueil.control<QLabel>(QString::fromLatin1(counter))->text(), QStringLiteral("0"));
        QVERIFY(program.platform().messages.isEmpty());
        QCOMPARE(accueil.List()->columnCaption(0), QStringLiteral("Titre"));
        QCOMPARE(accueil.innerWidth(), 11175);
        QCOMPARE(accueil.innerHeight(), 8475);
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
        TestProgram program(false);
        const QString catalogue = program.path(QStringLiteral("BD/Film.mdb"));
        if (damage == QStringLiteral("no-folder"))
            QDir(program.path(QStringLiteral("BD"))).removeRecursively();
        else if (damage == QStringLiteral("text"))
            writeFile(catalogue, "Ceci n'est pas un catalogue.\r\n");
        else if (damage == QStringLiteral("empty"))
            writeFile(catalogue, QByteArray());
        else if (damage == QStringLiteral("other-table")) {
            sqlite3* db = nullptr;
            sqlite3_open(catalogue.toUtf8().constData(), &db);
            sqlite3_exec(db, "CREATE TABLE films (code_film INTEGER)", nullptr, nullptr, nullptr);
            sqlite3_close(db);
        }
        const auto before = snapshot(program.folder());

        QVERIFY(!testing::startProgram());

        QCOMPARE(program.platform().messages.size(), 1);
        const auto message = program.platform().messages.first();
        QCOMPARE(message.prompt, QStringLiteral("Probleme de connection à la base de donnée\r\n"
                                                "Vérifiez que la base de donnée se situe dans le repertoire BD"));
        QCOMPARE(message.title, QStringLiteral("Erreur de connection"));
        QCOMPARE(message.flags, 16);
        QVERIFY(!Frm_Accueil::instance().isLoaded());
        QVERIFY(!Connection::cnx);
        QCOMPARE(snapshot(program.folder()), before);
    }
};

CINABREL_TEST_MAIN(TestStartup)

#include "test_startup.moc"
