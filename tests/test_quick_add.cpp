#include "quickadd/Frm_ajoutquick.h"
#include "support/Golden.h"
#include "support/Testing.h"

#include <sqlite3.h>

using namespace testing;

namespace {

// A temporary folder holding these files: "path" an empty file, "path=fixture" a copy of
// tests/data/fixture.
struct Tree : QTemporaryDir {
    explicit Tree(const QStringList& files = {})
    {
        for (const QString& file : files) {
            const QString relative = file.section(u'=', 0, 0);
            QDir().mkpath(QFileInfo(filePath(relative)).path());
            if (file.contains(u'='))
                QFile::copy(testData(file.section(u'=', 1)), filePath(relative));
            else
                QFile(filePath(relative)).open(QIODevice::WriteOnly);
        }
    }
};

Frm_ajoutquick& quickAdd() { return Frm_ajoutquick::instance(); }
const Frm_ajoutquickControls& controls() { return quickAdd().controls(); }

}  // namespace

class TestQuickAdd : public ProgramTest {
    Q_OBJECT

    QString firstCount;

    // Picks the folder through "Parcourir", leaves the two boxes ticked or unticks them, and runs
    // the scan; keeps the count shown after the first file.
    void scan(const QString& folder, bool run = true, bool read = true, bool ignore = true)
    {
        accueil().mnuajoutquick->trigger();
        QVERIFY(controls().chk_lire_fichiers->isChecked() && controls().chk_ignorer_connus->isChecked());
        if (!read)
            tick(controls().chk_lire_fichiers);
        if (!ignore)
            tick(controls().chk_ignorer_connus);
        program->platform().folders << folder;
        click(controls().cmd_parcourir);
        firstCount.clear();
        const std::function<void()> hook = program->platform().onProcessEvents;
        program->platform().onProcessEvents = [this, hook] {
            if (hook)
                hook();
            if (firstCount.isEmpty() && quickAdd().isLoaded())
                firstCount = controls().lbl_compte->text();
        };
        if (run)
            click(controls().cmd_lancer);
        program->platform().onProcessEvents = hook;
    }

private slots:
    void scanAddsTheFilmsAndGivesBackTheMainWindow()
    {
        start({film(7, "Zorro")});
        Tree tree({"brazil.avi", "Alien.avi", "notes.txt"});
        accueil().mnuajoutquick->trigger();
        QVERIFY(!Frm_Accueil::instance().isVisible() && quickAdd().isVisible());
        QVERIFY(!controls().txt_parcourir->isEnabled());
        scan(tree.path());
        QVERIFY(!quickAdd().isLoaded() && Frm_Accueil::instance().isVisible());
        QCOMPARE(titles(), (QStringList {"Alien", "brazil", "Zorro"}));
        QCOMPARE(filmRows(program->db())[1],
                 (QStringList {"8", "Alien", "----", "1", "--", "AVI", "--", "Autres", "Autres", "Autre",
                               "--", "--", "--", "0000", "<NULL>", "<NULL>"}));
        QCOMPARE(program->films(), (QStringList {"7 Zorro", "8 Alien", "9 brazil"}));
        QCOMPARE(messages(), QStringList());
    }

    void numbering_data()
    {
        QTest::addColumn<int>("highest");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("expected");
        const QStringList oneFilm = {
                "GRAND.AVI",           "petit.Avi",      "a.avi", "Vol.2.avi", "L'été \"chaud\", à Noël.avi",
                " deux  espaces .avi", "x\"),(2,\"y.avi"};
        for (const QString& file : oneFilm)
            QTest::newRow(qPrintable(file))
                    << 0 << QStringList {file} << QStringList {"1 " + file.chopped(4)};
        for (const char* file : {"Ravi", "film_avi", "clip.avi.txt", "avi"})
            QTest::newRow(file) << 0 << QStringList {file} << QStringList();
        QTest::newRow("every file moves the key") << 41 << QStringList {"a.txt", "b.avi", "c.avi"}
                                                  << QStringList {"41 Existant", "43 b", "44 c"};
        QTest::newRow("letter case ignored")
                << 0 << QStringList {"b.avi", "C.avi", "A.avi", "a.nfo"} << QStringList {"1 A", "3 b", "4 C"};
        QTest::newRow("depth first, key read again in each folder")
                << 0 << QStringList {"m.avi",    "n.txt",        "o.txt",    "B/b1.avi",
                                     "B/b2.txt", "B/deep/d.avi", "a/a1.avi", "a/x/ax.avi"}
                << QStringList {"1 m", "2 a1", "3 ax", "4 b1", "5 d"};
        QTest::newRow("two keys left")
                << 32765 << QStringList {"a.avi", "b.avi", "c.avi", "d.avi", "sub/e.avi"}
                << QStringList {"32765 Existant", "32766 a", "32767 b"};
        QTest::newRow("last key taken by a file that is no film")
                << 32766 << QStringList {"a.txt", "b.nfo"} << QStringList {"32766 Existant"};
    }

    void numbering()
    {
        QFETCH(int, highest);
        QFETCH(QStringList, files);
        QFETCH(QStringList, expected);
        start(highest ? QList<Film> {film(highest, "Existant")} : QList<Film> {});
        Tree tree(files);
        scan(tree.path());
        QCOMPARE(program->films(), expected);
        const bool runOut = expected.value(expected.size() - 1).startsWith("32767");
        QCOMPARE(messages(),
                 runOut ? QStringList {"48|Cinabrel|Plus aucun numéro de film n'est disponible (32767 au "
                                       "plus)"}
                        : QStringList());
        QVERIFY(!quickAdd().isLoaded() && Frm_Accueil::instance().isVisible());
        QCOMPARE(titles().size(), qMax(expected.size(), qsizetype(1)));
    }

    void entriesLeftOut()
    {
        start();
        Tree tree({"vu.avi", ".cache.avi", ".cache/x.avi", "sub/film.avi"});
        Tree elsewhere({"loin.avi"});
        QVERIFY(QFile::link(tree.path(), tree.filePath("sub/boucle")));
        QVERIFY(QFile::link(elsewhere.path(), tree.filePath("ailleurs")));
        scan(tree.path());
        QCOMPARE(program->films(), (QStringList {"1 vu", "2 film"}));
        QCOMPARE(messages(), QStringList());
    }

    // A folder removed during the scan gives an empty listing: the scan goes on without it.
    void folderGoneMidwayIsSkipped()
    {
        start();
        Tree tree({"a/in.avi", "b/secret.avi", "c/out.avi"});
        // The start folder holds no file: the first pending events come once its subfolders are listed.
        program->platform().onProcessEvents = [b = tree.filePath("b"), done = false]() mutable {
            if (!std::exchange(done, true))
                QDir(b).removeRecursively();
        };
        scan(tree.path());
        QCOMPARE(program->films(), (QStringList {"1 in", "2 out"}));
        QVERIFY(Frm_Accueil::instance().isVisible());
    }

    void pickerAsksForTheFilmFolder()
    {
        start();
        scan("/films", false);
        QCOMPARE(controls().txt_parcourir->text(), QStringLiteral("/films"));
        click(controls().cmd_parcourir);
        QCOMPARE(controls().txt_parcourir->text(), QString());
        QCOMPARE(program->platform().folderRequests.size(), 2);
        QCOMPARE(program->platform().folderRequests.first().prompt,
                 QStringLiteral("Séléctionnez le répertoire de Film"));
        QCOMPARE(program->platform().folderRequests.first().initialFolder, QDir::homePath());
        QCOMPARE(program->platform().folderRequests.first().owner, quickAdd().window());
    }

    void closingTheWindowStopsTheScan_data()
    {
        QTest::addColumn<bool>("quit");
        QTest::newRow("window closed") << false;
        QTest::newRow("window closed, then the program") << true;
    }

    void closingTheWindowStopsTheScan()
    {
        QFETCH(bool, quit);
        start();
        Tree tree({"a.avi", "b.avi", "c.avi", "d/e.avi"});
        scan(tree.path(), false);
        QStringList seen;
        program->platform().onProcessEvents = [&] {
            if (!quickAdd().isLoaded())
                return;
            seen << QStringLiteral("%1 %2 %3 %4")
                            .arg(int(quickAdd().window()->cursor().shape() == Qt::WaitCursor))
                            .arg(int(controls().cmd_parcourir->isEnabled()))
                            .arg(int(controls().cmd_lancer->isEnabled()))
                            .arg(controls().lbl_compte->text());
            if (seen.size() == 2) {
                quickAdd().window()->close();
                if (quit)
                    Frm_Accueil::instance().unload();
            }
        };
        click(controls().cmd_lancer);
        // Hourglass on, both buttons off; the count shows the first film at once.
        QCOMPARE(seen.first(), QStringLiteral("1 0 0 1 film(s) ajouté(s), 0 déjà au catalogue"));
        QVERIFY(seen.last().startsWith("1 0 0 "));
        QCOMPARE(program->films(), (QStringList {"1 a", "2 b"}));
        QVERIFY(!quickAdd().isLoaded());
        QCOMPARE(program->programEnded(), quit);
        QCOMPARE(Frm_Accueil::instance().isLoaded(), !quit);
        if (!quit) {
            QVERIFY(Frm_Accueil::instance().isVisible());
            QCOMPARE(titles(), (QStringList {"a", "b"}));
            // The window opens again ready for another scan.
            accueil().mnuajoutquick->trigger();
            QVERIFY(controls().cmd_lancer->isEnabled());
            QCOMPARE(controls().lbl_compte->text(), QString());
        }
    }

    void failedInsertKeepsTheFilmsBefore()
    {
        start();
        QCOMPARE(sqlite3_exec(program->db().handle(),
                              "CREATE TRIGGER refus BEFORE INSERT ON film WHEN NEW.nom_film = 'b' "
                              "BEGIN SELECT RAISE(ABORT, 'disque plein'); END",
                              nullptr, nullptr, nullptr),
                 SQLITE_OK);
        Tree tree({"a.avi", "b.avi", "c.avi"});
        scan(tree.path());
        QCOMPARE(program->films(), QStringList {"1 a"});
        QCOMPARE(messages().size(), 1);
        QVERIFY(program->platform().lastPrompt().contains("disque plein"));
        QVERIFY(!quickAdd().isLoaded() && Frm_Accueil::instance().isVisible());
        QCOMPARE(titles(), QStringList {"a"});
    }
    void readingAndKnownFilms_data()
    {
        QTest::addColumn<bool>("read");
        QTest::addColumn<bool>("ignore");
        QTest::addColumn<QStringList>("catalogue");  // titles, keyed from 41
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QString>("count");
        QTest::newRow("both unticked: the scan of old")
                << false << false << QStringList {"Brazil"}
                << QStringList {"Alien.avi=divx_mp3.avi", "brazil.avi=xvid_ac3.avi"}
                << QStringList {"42 Alien|--|Autres|Autre", "43 brazil|--|Autres|Autre"}
                << "1 film(s) ajouté(s)";
        QTest::newRow("files read") << true << false << QStringList {"Brazil"}
                                    << QStringList {"Alien.avi=divx_mp3.avi",
                                                    "brazil.avi=xvid_ac3.avi",
                                                    "c.avi=mjpeg_adpcm.avi",
                                                    "d.avi=truncated.avi",
                                                    "e.avi=text.avi",
                                                    "f.avi",
                                                    "z.txt",
                                                    "zz.avi"}
                                    << QStringList {"42 Alien|00h00|DivX|MP3", "43 brazil|00h00|XviD|AC3",
                                                    "44 c|00h00|Autres|Autre", "45 d|--|Autres|Autre",
                                                    "46 e|--|Autres|Autre",    "47 f|--|Autres|Autre",
                                                    "49 zz|--|Autres|Autre"}
                                    << "1 film(s) ajouté(s)";
        QTest::newRow("known films left out, without a key")
                << false << true << QStringList {"Brazil", "L'Été"}
                << QStringList {"BRAZIL.avi", "c.avi", "l'été.avi", "m.txt", "n.avi"}
                << QStringList {"43 c|--|Autres|Autre", "45 n|--|Autres|Autre"}
                << "0 film(s) ajouté(s), 1 déjà au catalogue";
        QTest::newRow("one title in two folders")
                << false << true << QStringList() << QStringList {"Film.avi", "x/autre.avi", "x/FILM.avi"}
                << QStringList {"1 Film|--|Autres|Autre", "2 autre|--|Autres|Autre"}
                << "1 film(s) ajouté(s), 0 déjà au catalogue";
        QTest::newRow("both ticked; accents tell titles apart")
                << true << true << QStringList {"Éclipse"}
                << QStringList {"Eclipse.avi=divx_mp3.avi", "éclipse.avi=xvid_ac3.avi"}
                << QStringList {"42 Eclipse|00h00|DivX|MP3"} << "1 film(s) ajouté(s), 0 déjà au catalogue";
    }

    void readingAndKnownFilms()
    {
        QFETCH(bool, read);
        QFETCH(bool, ignore);
        QFETCH(QStringList, catalogue);
        QFETCH(QStringList, files);
        QFETCH(QStringList, added);
        QFETCH(QString, count);
        QList<Film> films;
        for (const QString& title : catalogue)
            films << film(41 + int(films.size()), title);
        start(films);
        Tree tree(files);
        scan(tree.path(), true, read, ignore);

        QStringList stored;
        for (const QStringList& row : filmRows(program->db()).mid(catalogue.size()))
            stored << row[0] + ' ' + row[1] + '|' + row[10] + '|' + row[8] + '|' + row[9];
        QCOMPARE(stored, added);
        QCOMPARE(firstCount, count);
        QCOMPARE(program->count(), catalogue.size() + added.size());
        QCOMPARE(messages(), QStringList());
        QCOMPARE(titles().size(), catalogue.size() + added.size());
        // The next opening ticks both boxes again.
        scan(tree.path(), false);
    }

    void listsAsTheyStandAtTheStart_data()
    {
        QTest::addColumn<bool>("fileThere");
        QTest::addColumn<QString>("added");
        QTest::newRow("DivX removed") << true << "1 Alien|00h00|Autres|MP3";
        QTest::newRow("no list file") << false << "1 Alien|00h00|Autres|Autre";
    }

    void listsAsTheyStandAtTheStart()
    {
        QFETCH(bool, fileThere);
        QFETCH(QString, added);
        start();
        const QString lists = program->path("BD/codec.cnb");
        if (fileThere) {
            files::ReferenceLists edited = files::readReferenceLists(lists);
            edited.video.removeAll("DivX");
            files::writeReferenceLists(lists, edited);
        } else {
            QVERIFY(QFile::remove(lists));
        }
        Tree tree({"Alien.avi=divx_mp3.avi"});
        scan(tree.path());
        const QStringList row = filmRows(program->db()).value(0);
        QCOMPARE(row[0] + ' ' + row[1] + '|' + row[10] + '|' + row[8] + '|' + row[9], added);
        // An unreadable file is said once, before the scan; the scan still adds the film.
        QCOMPARE(messages().size(), fileThere ? 0 : 1);
        QVERIFY(messages().join("").contains("Impossible de lire le fichier des listes") != fileThere);
    }
};

CINABREL_TEST_MAIN(TestQuickAdd)

#include "test_quick_add.moc"
