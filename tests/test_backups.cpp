#include "backups/frm_sauvegarde.h"
#include "store/Backups.h"
#include "support/FaultyVfs.h"
#include "support/Testing.h"

using namespace testing;

namespace {

const QList<Film> kFilms = {film(1, "Alien"), film(2, "Brazil", {{&Film::qualite, "DvD"}}),
                            film(3, "Casablanca")};

const frm_sauvegardeControls& restoreWindow() { return frm_sauvegarde::instance().controls(); }

void clickBackup(int row)
{
    ui::ListView* list = restoreWindow().List;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(row, 0)).center());
}

QString backupName(const QDateTime& taken) { return store::Backups::fileName(taken); }

}  // namespace

class TestBackups : public ProgramTest {
    Q_OBJECT

    // The backups on disk, oldest first.
    QStringList backups() const
    {
        return QDir(program->path("BD/Sauvegardes")).entryList(QDir::Files, QDir::Name);
    }
    QString backupPath(const QString& name) const { return program->path("BD/Sauvegardes/" + name); }

    void restartAt(const QDateTime& clock)
    {
        stopProgram();
        program->platform().clock = clock;
        QVERIFY(startProgram());
    }

private slots:
    // Once a day at most, never of an empty catalogue; the ten newest kept.
    void startUpBacksUpOnceADay()
    {
        start();
        QVERIFY(!QFileInfo::exists(program->path("BD/Sauvegardes")));
        start(kFilms);
        const QDateTime first = program->platform().clock;
        QCOMPARE(backups(), QStringList {backupName(first)});
        restartAt(first.addSecs(23 * 3600));
        QCOMPARE(backups(), QStringList {backupName(first)});
        // A file of the user's own in the folder is left alone.
        QVERIFY(writeBytes(backupPath("Film à garder.mdb"), "notes"));
        QStringList expected {backupName(first)};
        for (int day = 1; day <= 11; ++day) {
            restartAt(first.addSecs(day * 25 * 3600));
            expected.append(backupName(program->platform().clock));
        }
        QCOMPARE(backups(), expected.mid(2) << "Film à garder.mdb");
        QCOMPARE(messages(), QStringList());
        QCOMPARE(titles(), (QStringList {"Alien", "Brazil", "Casablanca"}));
    }

    // The catalogue as it was before the scan is kept, whatever the time of the last backup.
    void quickAddBacksUpFirst()
    {
        start(kFilms);
        const QList<QStringList> beforeScan = filmRows(program->db());
        QTemporaryDir folder;
        QVERIFY(!makeVideoFiles(folder.path(), "Scan", 2, 1).isEmpty());
        const QDateTime scanTime = program->platform().clock.addSecs(60);
        program->platform().clock = scanTime;
        accueil().mnuajoutquick->trigger();
        program->platform().folders << folder.path();
        click(Frm_ajoutquick::instance().controls().cmd_parcourir);
        click(Frm_ajoutquick::instance().controls().cmd_lancer);
        QCOMPARE(backups().last(), backupName(scanTime));
        QCOMPARE(filmRows(*store::Database::open(backupPath(backups().last()))), beforeScan);
        QCOMPARE(program->count(), 5);
        QCOMPARE(messages(), QStringList());
    }

    void failedBackupIsToldOnce_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("cause");
        QTest::newRow("disk full") << int(FaultyVfs::Fault::DiskFull) << "le disque est plein";
        QTest::newRow("write error") << int(FaultyVfs::Fault::WriteError)
                                     << "le disque a refusé une écriture";
    }

    // The program starts all the same; the catalogue and the older backups stay as they were.
    void failedBackupIsToldOnce()
    {
        QFETCH(int, fault);
        QFETCH(QString, cause);
        FaultyVfs vfs;
        start(kFilms, false);
        const QDateTime older = program->platform().clock.addDays(-2);
        store::Backups(program->db()).backUp(older);
        const QByteArray olderBytes = fileBytes(backupPath(backupName(older)));
        const QList<QStringList> rows = filmRows(program->db());

        vfs.inject(FaultyVfs::Fault(fault));
        QVERIFY(startProgram());
        QVERIFY(vfs.refused() > 0);
        vfs.clear();
        QCOMPARE(messages(),
                 QStringList {"16|Cinabrel|La sauvegarde automatique du catalogue n'a pas pu être faite : "
                              + cause});
        QVERIFY(Frm_Accueil::instance().isVisible());
        QCOMPARE(titles(), (QStringList {"Alien", "Brazil", "Casablanca"}));
        QCOMPARE(filmRows(program->db()), rows);
        QCOMPARE(backups(), QStringList {backupName(older)});
        QCOMPARE(fileBytes(backupPath(backupName(older))), olderBytes);
    }

    // "Non" changes nothing; "Oui" brings the exact rows back, the list and counters reloaded, and
    // keeps the replaced catalogue as a backup.
    void restoreRoundTrip()
    {
        start(kFilms);
        const QDateTime taken = program->platform().clock;
        const QList<QStringList> saved = filmRows(program->db());
        Connection::films().remove(1);
        Connection::films().add(store::Films::foundOnDisk("Erreur 1"));
        Connection::films().add(store::Films::foundOnDisk("Erreur 2"));
        accueil().mnulistF->trigger();
        select("Brazil");
        const QList<QStringList> changed = filmRows(program->db());
        program->platform().clock = taken.addSecs(3600);

        accueil().mnu_restaurer->trigger();
        QCOMPARE(cellsOf(*restoreWindow().List, 0), QStringList {"06/12/2026 à 14:30:05"});
        QCOMPARE(cellsOf(*restoreWindow().List, 1) + cellsOf(*restoreWindow().List, 2),
                 (QStringList {"3", "0"}));
        clickBackup(0);
        program->platform().answers << ui::Answer::No;
        click(restoreWindow().cmd_restaurer);
        QCOMPARE(filmRows(program->db()), changed);
        QCOMPARE(backups().size(), 1);

        program->platform().answers << ui::Answer::Yes;
        click(restoreWindow().cmd_restaurer);
        const QString question = "52|Restaurer une sauvegarde|Remplacer le catalogue actuel (4 films) par la "
                                 "sauvegarde du 06/12/2026 à 14:30 (3 films) ?";
        QCOMPARE(messages(), (QStringList {question, question}));
        QCOMPARE(filmRows(program->db()), saved);
        QVERIFY(!frm_sauvegarde::instance().isLoaded());
        QCOMPARE(titles(), (QStringList {"Alien", "Brazil", "Casablanca"}));
        QCOMPARE(shown({accueil().lbl_stat_nbr, accueil().lbl_stat_dvd}), (QStringList {"2", "1"}));
        QCOMPARE(Connection::code_selection, qint16(0));
        QCOMPARE(backups(), (QStringList {backupName(taken), backupName(program->platform().clock)}));
        QCOMPARE(filmRows(*store::Database::open(backupPath(backups().last()))), changed);
    }

    void damagedBackupIsNotRestored()
    {
        start(kFilms);
        const QString damaged = backupPath(backups().first());
        QVERIFY(writeBytes(damaged, "SQLite format 3" + QByteArray(8192, 'x')));
        Connection::films().remove(1);
        const QList<QStringList> rows = filmRows(program->db());
        accueil().mnu_restaurer->trigger();
        QCOMPARE(cellsOf(*restoreWindow().List, 3), QStringList {"Endommagée"});
        clickBackup(0);
        program->platform().answers << ui::Answer::Yes;
        click(restoreWindow().cmd_restaurer);
        QCOMPARE(messages(),
                 QStringList {
                         "48|Cinabrel|Cette sauvegarde est endommagée : elle ne peut pas être restaurée"});
        QCOMPARE(filmRows(program->db()), rows);
    }

    // A backup is an ordinary catalogue: put by hand in place of the catalogue, the program opens it.
    void backupOpensAsTheCatalogue()
    {
        start(kFilms);
        const QString backup = backupPath(backups().first());
        Connection::films().remove(2);
        stopProgram();
        program->closeDb();
        for (const char* suffix : {"", "-wal", "-shm"})
            QFile::remove(program->cataloguePath() + suffix);
        QVERIFY(QFile::copy(backup, program->cataloguePath()));
        QVERIFY(startProgram());
        QCOMPARE(titles(), (QStringList {"Alien", "Brazil", "Casablanca"}));
        QCOMPARE(messages(), QStringList());
    }
};

CINABREL_TEST_MAIN(TestBackups)
#include "test_backups.moc"
