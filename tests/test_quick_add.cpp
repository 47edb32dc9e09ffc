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
};

CINABREL_TEST_MAIN(TestQuickAdd)

#include "test_quick_add.moc"
