#include "backups/frm_sauvegarde.h"
#include "files/ProgramFolder.h"
#include "store/Backups.h"
#include "support/Testing.h"

#include <sqlite3.h>

namespace {

// Films enough, with long notes, that writing the restored catalogue takes a while.
constexpr int kFilms = 12000;
const QString kRestoreArgument = QStringLiteral("--restore");

// The killed program: restores the newest backup through its window.
int restore(const QString& programFolder)
{
    testing::ScriptedPlatform platform;
    platform.answers << ui::Answer::Yes;
    files::setProgramFolder(programFolder);
    if (!testing::startProgram())
        return 1;
    testing::accueil().mnu_restaurer->trigger();
    frm_sauvegarde::instance().controls().List->selectRow(0);
    frm_sauvegarde::instance().controls().cmd_restaurer->click();
    return 2;
}

}  // namespace

class TestKilledRestore : public QObject {
    Q_OBJECT
private slots:
    // Killed while it writes the restored catalogue, the program leaves the catalogue sound and
    // either wholly as it was or wholly restored.
    void killedMidRestore()
    {
        testing::TestProgram program;
        const QByteArray fill =
                QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                               "INSERT INTO film (code_film, nom_film, type_film, cd_film, qualite_film, "
                               "format_film, obs_Film, "
                               "langue_Film, codec_Film, codec_Son, duree, realisateur, acteur, annee) "
                               "SELECT i, 'Film ' || i, 'Action', '1', 'Bonne', 'Avi', hex(zeroblob(750)), "
                               "'Français', "
                               "'DivX', 'MP3', '01h30', '-', '-', '2000' FROM n")
                        .arg(kFilms)
                        .toUtf8();
        QCOMPARE(sqlite3_exec(program.db().handle(), fill.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
        // Taken an hour before the program starts: no backup is due at start-up, and it is the newest.
        store::Backups(program.db()).backUp(program.platform().clock.addSecs(-3600));
        const QList<QStringList> restored = testing::filmRows(program.db());
        program.db().execute(QStringLiteral("DELETE FROM film WHERE code_film > 3"));
        const QList<QStringList> old = testing::filmRows(program.db());
        program.closeDb();

        const QString journal = program.cataloguePath() + QStringLiteral("-wal");
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {kRestoreArgument, program.folder()});
        QVERIFY(child.waitForStarted());
        const QDeadlineTimer deadline(120'000);
        while (QFileInfo(journal).size() < 2'000'000 && child.state() == QProcess::Running
               && !deadline.hasExpired())
            QThread::usleep(200);
        child.kill();
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        auto db = store::Database::open(program.cataloguePath());
        QCOMPARE(testing::integrityCheck(*db), QStringLiteral("ok"));
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
    if (argc == 3 && argv[1] == kRestoreArgument)
        return restore(QString::fromLocal8Bit(argv[2]));
    TestKilledRestore test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_killed_restore.moc"
