#include "support/FaultyVfs.h"
#include "support/Testing.h"

using namespace testing;

namespace {

const QList<Film> kFilms = {film(1, "Abyss"), film(2, "abc")};

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

    // A backup put by hand in place of the catalogue is a catalogue the program opens.
    void backupOpensAsTheCatalogue()
    {
        start(kFilms);
        const QString backup =
                QDir(program->path("BD/Sauvegardes")).entryInfoList(QDir::Files).value(0).filePath();
        Connection::films().remove(2);
        stopProgram();
        program->closeDb();
        for (const char* suffix : {"", "-wal", "-shm"})
            QFile::remove(program->cataloguePath() + suffix);
        QVERIFY(QFile::copy(backup, program->cataloguePath()));
        QVERIFY(startProgram());
        QCOMPARE(titles(), (QStringList {"abc", "Abyss"}));
        QCOMPARE(messages(), QStringList());
    }

    void listFollowsTheWindowSize()
    {
        start(kFilms);
        QMainWindow* window = Frm_Accueil::instance().window();
        window->resize(800, 600);
        const QRect list = accueil().List->geometry();
        const int hint = accueil().lbldouble->y();
        window->resize(900, 640);
        QCOMPARE(accueil().List->geometry(), list.adjusted(0, 0, 100, 40));
        QCOMPARE(accueil().lbldouble->y(), hint + 40);
        // Too small to show a list: it stays as it was.
        window->resize(240, 60);
        QCOMPARE(accueil().List->geometry(), list.adjusted(0, 0, 100, 40));
    }

    void aboutAndQuit()
    {
        start(kFilms);
        select("abc");
        accueil().mnupropos->trigger();
        QCOMPARE(program->platform().messages.size(), 1);
        QCOMPARE(program->platform().messages[0].flags, 64);
        QCOMPARE(program->platform().messages[0].title, QStringLiteral("Cinabrel - A propos de"));
        QVERIFY(program->platform().messages[0].prompt.contains(
                QDir::toNativeSeparators(program->cataloguePath())));
        Frm_Visu::instance().montrer();
        accueil().mnuquit->trigger();
        QVERIFY(!program->programEnded());
        // The sheet gives the main window back, loaded anew.
        click(Frm_Visu::instance().controls().Command1);
        QVERIFY(Frm_Accueil::instance().isVisible() && !program->programEnded());
        QVERIFY(Frm_Accueil::instance().window()->close());
        QVERIFY(program->programEnded());
    }
};

CINABREL_TEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
