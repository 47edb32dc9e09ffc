#include "support/FaultyVfs.h"
#include "support/Testing.h"

using namespace testing;

namespace {

QString connectionFailure()
{
    return "16|Erreur de connection|Probleme de connection à la base de donnée\r\n"
           "Vérifiez que la base de donnée se situe dans le repertoire BD";
}

// Every file under the program's folder, with its bytes.
QMap<QString, QByteArray> contents(const QString& folder)
{
    QMap<QString, QByteArray> found;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        found.insert(QDir(folder).relativeFilePath(path), fileBytes(path));
    }
    return found;
}

}  // namespace

class TestMainWindow : public ProgramTest {
    Q_OBJECT
private slots:
    void startUpRefusesWhatIsNoCatalogue_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("no BD folder") << QByteArray("-");
        QTest::newRow("no Film.mdb") << QByteArray();
        QTest::newRow("text") << QByteArray("Liste de mes films\r\nAlien;1979\r\n");
        QTest::newRow("database header, then noise")
                << QByteArray("SQLite format 3\0", 16) + QByteArray(8192, 'x');
        QTest::newRow("locked by another program") << QByteArray("locked");
    }

    void startUpRefusesWhatIsNoCatalogue()
    {
        QFETCH(QByteArray, bytes);
        TestProgram folder(bytes == "locked");
        FaultyVfs vfs;
        if (bytes == "-")
            QVERIFY(QDir(folder.path("BD")).removeRecursively());
        else if (bytes == "locked")
            vfs.inject(FaultyVfs::Fault::Locked);
        else if (!bytes.isEmpty())
            QVERIFY(writeBytes(folder.cataloguePath(), bytes));
        const QMap<QString, QByteArray> before = contents(folder.folder());
        QVERIFY(!startProgram());
        QCOMPARE(folder.messages(), QStringList {connectionFailure()});
        QCOMPARE(ui::forms::loadedCount(), 0);
        vfs.clear();
        // The program never makes or changes a file of its own accord.
        QCOMPARE(contents(folder.folder()), before);
    }
};

CINABREL_TEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
