#include "support/TestMain.h"
#include "support/TestProgram.h"

#include "app/Connection.h"
#include "quickadd/Frm_ajoutquick.h"
#include "store/Recordset.h"
#include "ui/ListView.h"
#include "ui/ScriptedPlatform.h"
#include "ui/main/Frm_Accueil.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>

namespace {

// A folder tree built for one test.
class Tree {
public:
    QString path(const QString& relative = QString()) const
    {
        return relative.isEmpty() ? dir_.path() : QDir(dir_.path()).filePath(relative);
    }
    void files(const QStringList& relatives) const
    {
        for (const QString& relative : relatives) {
            QDir().mkpath(QFileInfo(path(relative)).path());
            QFile file(path(relative));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
    }
    void folder(const QString& relative) const { QVERIFY(QDir().mkpath(path(relative))); }
    void link(const QString& relative, const QString& target) const { QVERIFY(QFile::link(target, path(relative))); }

private:
    QTemporaryDir dir_;
};

Frm_ajoutquick& quickAdd() { return Frm_ajoutquick::instance(); }

QPushButton* button(const char* name) { return quickAdd().control<QPushButton>(QString::fromLatin1(name)); }

// Starts the program and opens the quick add window from the main window's menu.
void openQuickAdd()
{
    QVERIFY(testing::startProgram());
    Frm_Accueil::instance().control<QAction>(QStringLiteral("mnuajoutquick"))->trigger();
}

// Picks the folder through "Parcourir" and runs the scan.
void scan(testing::TestProgram& program, const QString& folder)
{
    openQuickAdd();
    program.platform().folders << folder;
    QTest::mouseClick(button("cmd_parcourir"), Qt::LeftButton);
    QTest::mouseClick(button("cmd_lancer"), Qt::LeftButton);
}

// The catalogue as "key title", by key.
QStringList films(testing::TestProgram& program)
{
    store::Recordset rs;
    rs.open(QStringLiteral("select code_film, nom_film from film order by code_film"), program.db());
    QStringList out;
    for (; !rs.eof(); rs.moveNext())
        out << rs.text(0) + u' ' + rs.text(1);
    return out;
}

QStringList listTitles()
{
    QStringList titles;
    ui::ListView* list = Frm_Accueil::instance().List();
    for (int row = 0; row < list->rowCount(); ++row)
        titles << list->rowText(row);
    return titles;
}

}  // namespace

class TestQuickAdd : public QObject {
    Q_OBJECT
private slots:
    void scanAddsTheFilmsAndGivesBackTheMainWindow()
    {
        testing::TestProgram program;
        program.insert(testing::film(7, QStringLiteral("Zorro")));
        Tree tree;
        tree.files({QStringLiteral("brazil.avi"), QStringLiteral("Alien.avi"), QStringLiteral("notes.txt")});

        openQuickAdd();
        QVERIFY(!Frm_Accueil::instance().isVisible());
        QVERIFY(quickAdd().isVisible());
        auto* folderBox = quickAdd().control<QLineEdit>(QStringLiteral("txt_parcourir"));
        QVERIFY(!folderBox->isEnabled());
        QCOMPARE(folderBox->text(), QString());

        program.platform().folders << tree.path();
        QTest::mouseClick(button("cmd_parcourir"), Qt::LeftButton);
        QCOMPARE(folderBox->text(), tree.path());
        QTest::mouseClick(button("cmd_lancer"), Qt::LeftButton);

        QVERIFY(!quickAdd().isLoaded());
        QVERIFY(Frm_Accueil::instance().isVisible());
        QCOMPARE(listTitles(), (QStringList{QStringLiteral("Alien"), QStringLiteral("brazil"), QStringLiteral("Zorro")}));
        QCOMPARE(films(program), (QStringList{QStringLiteral("7 Zorro"), QStringLiteral("8 Alien"),
                                              QStringLiteral("9 brazil")}));
        QCOMPARE(program.value(QStringLiteral("select type_film || '|' || cd_film || '|' || qualite_film || '|' || "
                                              "format_film || '|' || obs_Film || '|' || langue_Film || '|' || "
                                              "codec_Film || '|' || codec_Son || '|' || duree || '|' || "
                                              "realisateur || '|' || acteur || '|' || annee from film where code_film = 8")),
                 QStringLiteral("----|1|--|AVI|--|Autres|Autres|Autre|--|--|--|0000"));
        QVERIFY(program.isNull(QStringLiteral("select pret_film from film where code_film = 8")));
        QCOMPARE(Connection::requete, QString());
        QVERIFY(program.platform().messages.isEmpty());
    }

    void filmFiles_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("title");
        QTest::newRow("upper case") << QStringLiteral("GRAND.AVI") << QStringLiteral("GRAND");
        QTest::newRow("mixed case") << QStringLiteral("petit.Avi") << QStringLiteral("petit");
        QTest::newRow("one letter") << QStringLiteral("a.avi") << QStringLiteral("a");
        QTest::newRow("inner dot") << QStringLiteral("Vol.2.avi") << QStringLiteral("Vol.2");
        QTest::newRow("no dot") << QStringLiteral("Ravi") << QString();
        QTest::newRow("underscore") << QStringLiteral("film_avi") << QString();
        QTest::newRow("other extension") << QStringLiteral("clip.avi.txt") << QString();
        QTest::newRow("extension alone") << QStringLiteral("avi") << QString();
        QTest::newRow("quotes and accents") << QStringLiteral("L'été \"chaud\", à Noël.avi")
                                            << QStringLiteral("L'été \"chaud\", à Noël");
        QTest::newRow("spaces") << QStringLiteral(" deux  espaces .avi") << QStringLiteral(" deux  espaces ");
        QTest::newRow("statement words") << QStringLiteral("x\"),(2,\"y.avi") << QStringLiteral("x\"),(2,\"y");
    }

    void filmFiles()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, title);
        testing::TestProgram program;
        Tree tree;
        tree.files({fileName});
        scan(program, tree.path());
        QCOMPARE(films(program), title.isEmpty() ? QStringList() : QStringList{QStringLiteral("1 ") + title});
        if (!title.isEmpty())
            QCOMPARE(listTitles(), QStringList{title});
    }

    void numbering_data()
    {
        QTest::addColumn<int>("highest");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("every file moves the key") << 41 << QStringList{"a.txt", "b.avi", "c.avi"}
                                                  << QStringList{"41 Existant", "43 b", "44 c"};
        QTest::newRow("empty catalogue") << 0 << QStringList{"a.avi"} << QStringList{"1 a"};
        QTest::newRow("letter case ignored") << 0 << QStringList{"b.avi", "C.avi", "A.avi", "a.nfo"}
                                             << QStringList{"1 A", "3 b", "4 C"};
        QTest::newRow("depth first, key read again in each folder")
            << 0
            << QStringList{"m.avi", "n.txt", "o.txt", "B/b1.avi", "B/b2.txt", "B/deep/d.avi", "a/a1.avi", "a/x/ax.avi"}
            << QStringList{"1 m", "2 a1", "3 ax", "4 b1", "5 d"};
    }

    void numbering()
    {
        QFETCH(int, highest);
        QFETCH(QStringList, files);
        QFETCH(QStringList, expected);
        testing::TestProgram program;
        if (highest)
            program.insert(testing::film(highest, QStringLiteral("Existant")));
        Tree tree;
        tree.files(files);
        scan(program, tree.path());
        QCOMPARE(films(program), expected);
    }

    void entriesLeftOut()
    {
        testing::TestProgram program;
        Tree tree;
        Tree elsewhere;
        elsewhere.files({QStringLiteral("loin.avi")});
        tree.files({QStringLiteral("vu.avi"), QStringLiteral(".cache.avi"), QStringLiteral(".cache/x.avi"),
                    QStringLiteral("sub/film.avi")});
        tree.link(QStringLiteral("sub/boucle"), tree.path());
        tree.link(QStringLiteral("ailleurs"), elsewhere.path());
        scan(program, tree.path());
        QCOMPARE(films(program), (QStringList{QStringLiteral("1 vu"), QStringLiteral("2 film")}));
        QVERIFY(program.platform().messages.isEmpty());
    }

    void folderThatCannotBeListedIsSkipped_data()
    {
        QTest::addColumn<bool>("vanishes");
        QTest::newRow("removed during the scan") << true;
        QTest::newRow("not readable") << false;
    }

    void folderThatCannotBeListedIsSkipped()
    {
        QFETCH(bool, vanishes);
        testing::TestProgram program;
        Tree tree;
        tree.files({QStringLiteral("a/in.avi"), QStringLiteral("b/secret.avi"), QStringLiteral("c/out.avi")});
        if (vanishes) {
            // The start folder holds no file: the first pending events come once its subfolders are listed.
            program.platform().onProcessEvents = [&tree, done = false]() mutable {
                if (!done)
                    QDir(tree.path(QStringLiteral("b"))).removeRecursively();
                done = true;
            };
        } else {
            QFile::setPermissions(tree.path(QStringLiteral("b")), QFileDevice::Permissions());
            if (!QDir(tree.path(QStringLiteral("b"))).entryList(QDir::Files).isEmpty()) {
                QFile::setPermissions(tree.path(QStringLiteral("b")), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                                          QFileDevice::ExeOwner);
                QSKIP("This account reads every folder.");
            }
        }
        scan(program, tree.path());
        QFile::setPermissions(tree.path(QStringLiteral("b")),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(films(program), (QStringList{QStringLiteral("1 in"), QStringLiteral("2 out")}));
        QVERIFY(Frm_Accueil::instance().isVisible());
    }

    void keysRunOut_data()
    {
        QTest::addColumn<int>("highest");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<bool>("warned");
        QTest::newRow("two keys left") << 32765 << QStringList{"a.avi", "b.avi", "c.avi", "d.avi", "sub/e.avi"}
                                       << QStringList{"32765 Existant", "32766 a", "32767 b"} << true;
        QTest::newRow("last key taken by a file that is no film")
            << 32766 << QStringList{"a.txt", "b.nfo"} << QStringList{"32766 Existant"} << false;
    }

    void keysRunOut()
    {
        QFETCH(int, highest);
        QFETCH(QStringList, files);
        QFETCH(QStringList, expected);
        QFETCH(bool, warned);
        testing::TestProgram program;
        program.insert(testing::film(highest, QStringLiteral("Existant")));
        Tree tree;
        tree.files(files);
        scan(program, tree.path());
        QCOMPARE(films(program), expected);
        QCOMPARE(program.platform().messages.size(), warned ? 1 : 0);
        if (warned) {
            QCOMPARE(program.platform().lastPrompt(),
                     QStringLiteral("Plus aucun numéro de film n'est disponible (32767 au plus)"));
            QCOMPARE(program.platform().messages.first().flags, ui::mb::Exclamation);
        }
        QVERIFY(!quickAdd().isLoaded());
        QVERIFY(Frm_Accueil::instance().isVisible());
        QCOMPARE(Frm_Accueil::instance().List()->rowCount(), expected.size());
    }

    void pickerAsksForTheFilmFolder()
    {
        testing::TestProgram program;
        openQuickAdd();
        program.platform().folders << QStringLiteral("/films") << QString();
        auto* folderBox = quickAdd().control<QLineEdit>(QStringLiteral("txt_parcourir"));
        QTest::mouseClick(button("cmd_parcourir"), Qt::LeftButton);
        QCOMPARE(folderBox->text(), QStringLiteral("/films"));
        QTest::mouseClick(button("cmd_parcourir"), Qt::LeftButton);
        QCOMPARE(folderBox->text(), QString());
        QCOMPARE(program.platform().folderRequests.size(), 2);
        QCOMPARE(program.platform().folderRequests.first().prompt, QStringLiteral("Séléctionnez le répertoire de Film"));
        QCOMPARE(program.platform().folderRequests.first().initialFolder, QDir::homePath());
        QVERIFY(program.platform().unanswered.isEmpty());
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
        testing::TestProgram program;
        Tree tree;
        tree.files({QStringLiteral("a.avi"), QStringLiteral("b.avi"), QStringLiteral("c.avi"), QStringLiteral("d/e.avi")});
        openQuickAdd();
        program.platform().folders << tree.path();
        QTest::mouseClick(button("cmd_parcourir"), Qt::LeftButton);

        QStringList seen;
        QStringList counts;
        program.platform().onProcessEvents = [&] {
            if (!quickAdd().isLoaded())
                return;
            QMainWindow* window = quickAdd().window();
            seen << QStringLiteral("%1 %2 %3")
                        .arg(int(window->cursor().shape() == Qt::WaitCursor))
                        .arg(int(button("cmd_parcourir")->isEnabled()))
                        .arg(int(button("cmd_lancer")->isEnabled()));
            counts << quickAdd().control<QLabel>(QStringLiteral("lbl_compte"))->text();
            if (seen.size() == 2) {
                window->close();
                if (quit)
                    Frm_Accueil::instance().unload();
            }
        };
        QTest::mouseClick(button("cmd_lancer"), Qt::LeftButton);

        // Hourglass on, both buttons off; the count shows the first film at once.
        QCOMPARE(seen, (QStringList{QStringLiteral("1 0 0"), QStringLiteral("1 0 0")}));
        QCOMPARE(counts.first(), QStringLiteral("1 film(s) ajouté(s)"));
        QCOMPARE(films(program), (QStringList{QStringLiteral("1 a"), QStringLiteral("2 b")}));
        QVERIFY(!quickAdd().isLoaded());
        QCOMPARE(program.programEnded(), quit);
        QCOMPARE(Frm_Accueil::instance().isLoaded(), !quit);
        if (!quit) {
            QVERIFY(Frm_Accueil::instance().isVisible());
            QCOMPARE(listTitles(), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
            // The window opens again ready for another scan.
            Frm_Accueil::instance().control<QAction>(QStringLiteral("mnuajoutquick"))->trigger();
            QVERIFY(button("cmd_lancer")->isEnabled());
            QCOMPARE(quickAdd().control<QLabel>(QStringLiteral("lbl_compte"))->text(), QString());
        }
    }

    void failedInsertKeepsTheFilmsBefore()
    {
        testing::TestProgram program;
        QCOMPARE(sqlite3_exec(program.db().handle(),
                              "CREATE TRIGGER refus BEFORE INSERT ON film WHEN NEW.nom_film = 'b' "
                              "BEGIN SELECT RAISE(ABORT, 'disque plein'); END",
                              nullptr, nullptr, nullptr),
                 SQLITE_OK);
        Tree tree;
        tree.files({QStringLiteral("a.avi"), QStringLiteral("b.avi"), QStringLiteral("c.avi")});
        scan(program, tree.path());
        QCOMPARE(films(program), QStringList{QStringLiteral("1 a")});
        QCOMPARE(program.platform().messages.size(), 1);
        QVERIFY(program.platform().lastPrompt().contains(QStringLiteral("disque plein")));
        QVERIFY(!quickAdd().isLoaded());
        QVERIFY(Frm_Accueil::instance().isVisible());
        QCOMPARE(listTitles(), QStringList{QStringLiteral("a")});
    }
};

CINABREL_TEST_MAIN(TestQuickAdd)

#include "test_quick_add.moc"
