#include "files/ReferenceListFile.h"
#include "quickadd/Frm_ajoutquick.h"
#include "store/Recordset.h"
#include "support/Testing.h"

using namespace testing::accueil;

namespace {

Frm_ajoutquick& quickAdd() { return Frm_ajoutquick::instance(); }

// A temporary folder holding these files, "path" empty or "path=fixture" a copy of tests/data/fixture.
struct Tree : QTemporaryDir {
    explicit Tree(const QStringList& files)
    {
        for (const QString& file : files) {
            const QString relative = file.section(u'=', 0, 0);
            const QString fixture = file.section(u'=', 1);
            QDir().mkpath(QFileInfo(filePath(relative)).path());
            if (fixture.isEmpty())
                QFile(filePath(relative)).open(QIODevice::WriteOnly);
            else
                QFile::copy(QFINDTESTDATA("data/" + fixture), filePath(relative));
        }
    }
};

}  // namespace

class TestQuickAddReading : public testing::ProgramTest {
    Q_OBJECT

    QString firstCount;

    // Opens the quick add, sets its two boxes, picks the folder and runs the scan; keeps the count
    // shown at the first pause, which follows the first file.
    void scan(const QString& folder, bool read, bool ignore)
    {
        menu("mnuajoutquick");
        const Frm_ajoutquickControls& c = quickAdd().controls();
        QVERIFY(c.chk_lire_fichiers->isChecked() && c.chk_ignorer_connus->isChecked());
        if (!read)
            tick(c.chk_lire_fichiers);
        if (!ignore)
            tick(c.chk_ignorer_connus);
        program->platform().folders << folder;
        press(quickAdd(), "cmd_parcourir");
        firstCount.clear();
        program->platform().onProcessEvents = [this] {
            if (firstCount.isEmpty() && quickAdd().isLoaded())
                firstCount = quickAdd().controls().lbl_compte->text();
        };
        press(quickAdd(), "cmd_lancer");
        program->platform().onProcessEvents = nullptr;
    }

    // The films keyed above `after`: "key title|duree|codec_Film|codec_Son".
    QStringList filmsAfter(int after)
    {
        store::Recordset rs;
        rs.open(QStringLiteral(
                        "select code_film || ' ' || nom_film || '|' || duree || '|' || codec_Film || '|' "
                        "|| codec_Son from film where code_film > %1 order by code_film")
                        .arg(after),
                program->db());
        QStringList films;
        for (; !rs.eof(); rs.moveNext())
            films << rs.text(0);
        return films;
    }

private slots:
    void scan_data()
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

    void scan()
    {
        QFETCH(bool, read);
        QFETCH(bool, ignore);
        QFETCH(QStringList, catalogue);
        QFETCH(QStringList, files);
        QFETCH(QStringList, added);
        QFETCH(QString, count);
        QList<testing::Film> films;
        for (const QString& title : catalogue)
            films << testing::film(41 + int(films.size()), title);
        start(films);
        Tree tree(files);
        scan(tree.path(), read, ignore);

        const int highest = catalogue.isEmpty() ? 0 : 40 + int(catalogue.size());
        QCOMPARE(filmsAfter(highest), added);
        QCOMPARE(firstCount, count);
        QCOMPARE(program->count(), catalogue.size() + added.size());
        // Every other column keeps the scan's usual values.
        QCOMPARE(program->value(
                         QStringLiteral("select group_concat(distinct type_film || '|' || cd_film || '|' "
                                        "|| qualite_film || '|' || format_film || '|' || obs_Film || '|' "
                                        "|| langue_Film || '|' || realisateur || '|' || acteur || '|' || "
                                        "annee || '|' || ifnull(pret_film, 'NULL')) from film where "
                                        "code_film > %1")
                                 .arg(highest)),
                 QStringLiteral("----|1|--|AVI|--|Autres|--|--|0000|NULL"));
        QCOMPARE(program->messages(), QStringList());
        QCOMPARE(titles().size(), catalogue.size() + added.size());

        // The next opening ticks both boxes again.
        menu("mnuajoutquick");
        QVERIFY(quickAdd().controls().chk_lire_fichiers->isChecked());
        QVERIFY(quickAdd().controls().chk_ignorer_connus->isChecked());
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
        scan(tree.path(), true, true);
        QCOMPARE(filmsAfter(0), QStringList {added});
        if (fileThere) {
            QCOMPARE(program->messages(), QStringList());
        } else {
            // Said once, before the scan; the scan still adds the film.
            QCOMPARE(program->platform().messages.size(), 1);
            QVERIFY(program->platform().lastPrompt().startsWith("Impossible de lire le fichier des listes"));
        }
    }
};

CINABREL_TEST_MAIN(TestQuickAddReading)

#include "test_quick_add_reading.moc"
