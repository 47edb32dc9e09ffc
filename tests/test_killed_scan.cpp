#include "files/ProgramFolder.h"
#include "support/Testing.h"

namespace {

constexpr int kFiles = 4000;
const QString kScanArgument = QStringLiteral("--scan");

// The killed program: the real quick add of the folder, on the catalogue of the program folder.
int scan(const QString& programFolder, const QString& folder)
{
    testing::ScriptedPlatform platform;
    platform.folders << folder;
    files::setProgramFolder(programFolder);
    if (!testing::startProgram())
        return 1;
    testing::accueil().mnuajoutquick->trigger();
    Frm_ajoutquick::instance().controls().cmd_parcourir->click();
    Frm_ajoutquick::instance().controls().cmd_lancer->click();
    return 2;
}

}  // namespace

class TestKilledScan : public QObject {
    Q_OBJECT
private slots:
    // Killed in the middle of a quick add, the program leaves a sound catalogue holding every
    // film it committed: the first files of the scan, under consecutive keys.
    void killedMidScan()
    {
        testing::TestProgram program;
        QTemporaryDir folder;
        const QStringList titles = testing::makeVideoFiles(folder.path(), QStringLiteral("Film"), kFiles, 5);
        QVERIFY(!titles.isEmpty());
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {kScanArgument, program.folder(), folder.path()});
        QVERIFY(child.waitForStarted());
        const QDeadlineTimer deadline(120'000);
        while (program.count() < 200 && child.state() == QProcess::Running && !deadline.hasExpired())
            QThread::msleep(5);
        child.kill();
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        auto db = store::Database::open(program.cataloguePath());
        QCOMPARE(testing::integrityCheck(*db), QStringLiteral("ok"));
        const QList<QStringList> rows = testing::filmRows(*db);
        QVERIFY(rows.size() >= 200);
        QVERIFY2(rows.size() < kFiles, "the scan ended before the kill");
        for (int i = 0; i < rows.size(); ++i)
            QCOMPARE(rows[i].mid(0, 2), (QStringList {QString::number(i + 1), titles[i]}));

        QVERIFY(testing::startProgram());
        QCOMPARE(testing::titles().size(), rows.size());
    }
};

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    ui::setUpToolkit(application);
    QApplication::setQuitOnLastWindowClosed(false);
    if (argc == 4 && argv[1] == kScanArgument)
        return scan(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    TestKilledScan test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_killed_scan.moc"
