#include "backups/frm_sauvegarde.h"
#include "files/ProgramFolder.h"
#include "store/Backups.h"
#include "support/Testing.h"

namespace {

constexpr int kScanFiles = 4000;
// Films enough, with long notes, that writing the restored catalogue takes a while.
constexpr int kRestoreFilms = 12000;

// The killed program, run as a child of the test: starts on the program folder, then scans a
// folder through the quick add or restores the newest backup through its window.
int killedProgram(const QString& what, const QString& programFolder, const QString& scanFolder)
{
    testing::ScriptedPlatform platform;
    platform.folders << scanFolder;
    platform.answers << ui::Answer::Yes;
    files::setProgramFolder(programFolder);
    if (!testing::startProgram())
        return 1;
    if (what == u"--scan") {
        Frm_Accueil::instance().controls().mnuajoutquick->trigger();
        Frm_ajoutquick::instance().controls().cmd_parcourir->click();
        Frm_ajoutquick::instance().controls().cmd_lancer->click();
    } else {
        Frm_Accueil::instance().controls().mnu_restaurer->trigger();
        frm_sauvegarde::instance().controls().List->selectRow(0);
        frm_sauvegarde::instance().controls().cmd_restaurer->click();
    }
    return 2;
}

// Runs the program as a child and kills it once it has gone far enough; the catalogue is then
// opened again, and must be sound.
std::unique_ptr<store::Database> killWhen(const QStringList& arguments, const QString& cataloguePath,
                                          const std::function<bool()>& farEnough)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), arguments);
    if (!child.waitForStarted())
        return nullptr;
    const QDeadlineTimer deadline(120'000);
    while (!farEnough() && child.state() == QProcess::Running && !deadline.hasExpired())
        QThread::msleep(1);
    child.kill();
    if (!child.waitForFinished() || child.exitStatus() != QProcess::CrashExit)
        return nullptr;
    auto db = store::Database::open(cataloguePath);
    return testing::integrityCheck(*db) == u"ok" ? std::move(db) : nullptr;
}

}  // namespace

class TestKilled : public QObject {
    Q_OBJECT
private slots:
    // Killed in the middle of a quick add, the program leaves a sound catalogue holding every
    // film it committed: the first files of the scan, under consecutive keys.
    void killedMidScan()
    {
        testing::TestProgram program;
        QTemporaryDir folder;
        QStringList titles;
        for (int i = 1; i <= kScanFiles; ++i) {
            titles << QStringLiteral("Film %1").arg(i, 5, 10, QChar(u'0'));
            QVERIFY(testing::writeBytes(folder.filePath(titles.last() + ".avi"), {}));
        }
        auto db = killWhen({"--scan", program.folder(), folder.path()}, program.cataloguePath(),
                           [&] { return program.count() >= 200; });
        QVERIFY2(db, "the program was not killed mid-scan, or left an unsound catalogue");
        const QList<QStringList> rows = testing::filmRows(*db);
        QVERIFY(rows.size() >= 200);
        QVERIFY2(rows.size() < kScanFiles, "the scan ended before the kill");
        for (int i = 0; i < rows.size(); ++i)
            QCOMPARE(rows[i].mid(0, 2), (QStringList {QString::number(i + 1), titles[i]}));
        QVERIFY(testing::startProgram());
        QCOMPARE(Frm_Accueil::instance().controls().List->rowCount(), rows.size());
    }

    // Killed while it writes the restored catalogue, the program leaves the catalogue either
    // wholly as it was or wholly restored.
    void killedMidRestore()
    {
        testing::TestProgram program;
        program.fill(kRestoreFilms);
        program.db().execute(QStringLiteral("UPDATE film SET obs_Film = hex(zeroblob(750))"));
        // Taken an hour before the program starts: no backup is due at start-up, and it is the newest.
        store::Backups(program.db()).backUp(program.platform().clock.addSecs(-3600));
        const QList<QStringList> restored = testing::filmRows(program.db());
        program.db().execute(QStringLiteral("DELETE FROM film WHERE code_film > 3"));
        const QList<QStringList> old = testing::filmRows(program.db());
        program.closeDb();
        const QString journal = program.cataloguePath() + QStringLiteral("-wal");
        auto db = killWhen({"--restore", program.folder(), QString()}, program.cataloguePath(),
                           [&] { return QFileInfo(journal).size() >= 2'000'000; });
        QVERIFY2(db, "the program was not killed mid-restore, or left an unsound catalogue");
        const QList<QStringList> rows = testing::filmRows(*db);
        QVERIFY2(rows == old || rows == restored, qPrintable(QString::number(rows.size())));
        qInfo("killed with the catalogue %s", rows == old ? "as it was" : "wholly restored");
    }
};

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    ui::setUpToolkit(application);
    QApplication::setQuitOnLastWindowClosed(false);
    if (argc == 4 && QByteArray(argv[1]).startsWith("--"))
        return killedProgram(QString::fromLatin1(argv[1]), QString::fromLocal8Bit(argv[2]),
                             QString::fromLocal8Bit(argv[3]));
    TestKilled test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_killed.moc"
