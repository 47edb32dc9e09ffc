#include "support/FaultyVfs.h"
#include "support/Testing.h"

using namespace testing;

namespace {

const QString kNone = QStringLiteral("Aucun film dans la base de donnée");

Film lent(Film f, const QString& borrower, const QString& date)
{
    f.pret = borrower;
    f.datePret = date;
    return f;
}

const QList<Film> kFilms = {
        film(1, "Abyss", {{&Film::format, "Dvd"}, {&Film::langue, "Anglais"}, {&Film::type, "SF"}}),
        film(2, "abc", {{&Film::qualite, "DvD"}, {&Film::type, "Comédie"}, {&Film::duree, "00h40"}}),
        film(3, "Éclair", {{&Film::format, "DVD"}, {&Film::cd, "3"}, {&Film::langue, "français"}}),
        film(4, "L'Odyssée", {{&Film::langue, "Italien"}, {&Film::type, "Drame"}, {&Film::annee, "1968"}}),
        lent(film(5, "Zorro",
                  {{&Film::codecSon, "AC3"}, {&Film::codecVideo, "XviD"}, {&Film::type, "Aventure"}}),
             "Paul", "01/02/2020"),
};
const QStringList kAll = {"abc", "Abyss", "Éclair", "L'Odyssée", "Zorro"};

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
    void startUpShowsTheWholeCatalogue()
    {
        start(kFilms);
        QVERIFY(accueil().List->isVisible());
        QCOMPARE(titles(), kAll);
        QCOMPARE(cells(1) + cells(2) + cells(3) + cells(4) + cells(5),
                 (QStringList {"Comédie", "SF",    "Action", "Drame", "Aventure", "00h40", "01h30",
                               "01h30",   "01h30", "01h30",  "1",     "1",        "3",     "1",
                               "1",       "Avi",   "Dvd",    "DVD",   "Avi",      "Avi",   "2",
                               "1",       "3",     "4",      "5"}));
        QCOMPARE(shown({accueil().lbl_stat_nbr, accueil().lbl_stat_dvd, accueil().lbl_stat_pret,
                        accueil().lbl_dispo}),
                 (QStringList {"4", "1", "1", "4"}));
        QCOMPARE(messages(), QStringList());
        // An empty catalogue shows its placeholder row, which selects and opens nothing.
        start();
        QCOMPARE(titles(), QStringList {kNone});
        doubleClickRow(0);
        QVERIFY(!Frm_Visu::instance().isLoaded() && !accueil().chk_pret->isVisible());
        QCOMPARE(Connection::code_selection, qint16(0));
    }

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

    void listEntriesAndSearch_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("searchAfter");
        QTest::newRow("all films") << "mnulistF" << kAll << "";
        QTest::newRow("DVDs") << "mnu_dvd" << QStringList {"Abyss", "Éclair"} << "";
        QTest::newRow("French films") << "mnu_liste_fr" << QStringList {"abc", "Éclair", "Zorro"} << "";
        QTest::newRow("foreign films") << "mnu_liste_E" << QStringList {"Abyss", "L'Odyssée"} << "Z";
        QTest::newRow("search, case ignored") << "type AB" << QStringList {"abc", "Abyss"} << "AB";
        QTest::newRow("search, quote") << "type L'" << QStringList {"L'Odyssée"} << "L'";
        QTest::newRow("search, wildcards") << "type _b%s" << QStringList {"Abyss"} << "_b%s";
        QTest::newRow("search, nothing") << "type \"; --" << QStringList {kNone} << "\"; --";
    }

    void listEntriesAndSearch()
    {
        QFETCH(QString, action);
        QFETCH(QStringList, expected);
        QFETCH(QString, searchAfter);
        start(kFilms);
        Frm_Accueil::instance().iniliste(ListLayout::Loans);
        if (action.startsWith("type "))
            QTest::keyClicks(accueil().txt_search, action.mid(5));
        else {
            accueil().txt_search->setText("Z");
            Frm_Accueil::instance().window()->findChild<QAction*>(action)->trigger();
        }
        QCOMPARE(Frm_Accueil::instance().type_liste, ListLayout::Films);
        QCOMPARE(accueil().List->columnCount(), 6);
        QStringList rows = titles();
        // The language lists come in the engine's order.
        if (action.startsWith("mnu_liste")) {
            rows.sort();
            expected.sort();
        }
        QCOMPARE(rows, expected);
        QCOMPARE(accueil().txt_search->text(), searchAfter);
        QCOMPARE(messages(), QStringList());
    }

    void eachKeystrokeFillsTheListAgain()
    {
        start(kFilms);
        QList<QStringList> fills;
        connect(accueil().List->model(), &QAbstractItemModel::modelReset, this,
                [&] { fills.append(titles()); });
        QTest::keyClicks(accueil().txt_search, "ab");
        QTest::keyClick(accueil().txt_search, Qt::Key_Backspace);
        QTest::keyClick(accueil().txt_search, Qt::Key_Backspace);
        QCOMPARE(fills, (QList<QStringList> {{"abc", "Abyss"}, {"abc", "Abyss"}, {"abc", "Abyss"}, kAll}));
    }

    void selectionShowsTheFilmAndItsLoan()
    {
        start(kFilms);
        const QList<QWidget*> summary = {accueil().lbl_qual, accueil().lbl_langue, accueil().lbl_codec,
                                         accueil().lbl_son,  accueil().lbl_nbr,    accueil().lbl_duree,
                                         accueil().lbl_annee};
        const QList<QWidget*> loan = {accueil().chk_pret, accueil().txt_nom, accueil().lbl_date};
        select("Zorro");
        QCOMPARE(Connection::code_selection, qint16(5));
        QCOMPARE(shown(summary), (QStringList {"Bonne", "Français", "XviD", "AC3", "1", "01h30", "2000"}));
        QCOMPARE(accueil().chk_pret->text() + shown(loan).join('|'),
                 QStringLiteral("Retour|Paul|01/02/2020"));
        QVERIFY(accueil().txt_nom->isVisible() && accueil().txt_nom->isReadOnly()
                && accueil().lbl_date->isVisible());
        select("abc");
        QCOMPARE(shown(summary), (QStringList {"DvD", "Français", "DivX", "MP3", "1", "00h40", "2000"}));
        QCOMPARE(accueil().chk_pret->text(), QStringLiteral("Emprunt"));
        QVERIFY(accueil().chk_pret->isVisible() && !accueil().txt_nom->isVisible()
                && !accueil().lbl_date->isVisible());
        // The summary stays with the film until another row is clicked.
        accueil().mnu_dvd->trigger();
        QCOMPARE(shown(summary).first(), QStringLiteral("DvD"));
        // A film gone since the list was filled changes nothing.
        program->db().execute("DELETE FROM film WHERE code_film=3");
        select("Éclair");
        QCOMPARE(shown(summary).first(), QStringLiteral("DvD"));
        // In the loan layout the key is read from the fourth column.
        accueil().mnuliste->trigger();
        QCOMPARE(titles(), QStringList {"Zorro"});
        select("Zorro");
        QCOMPARE(Connection::code_selection, qint16(5));
    }

    void columnClickSortsByThatColumn()
    {
        start(kFilms);
        clickHeader(1);
        QCOMPARE(cells(1), (QStringList {"Action", "Aventure", "Comédie", "Drame", "SF"}));
        clickHeader(2);
        // Equal texts keep the order they had.
        QCOMPARE(titles(), (QStringList {"abc", "Éclair", "Zorro", "L'Odyssée", "Abyss"}));
        // The list stays sorted by that column when filled again.
        QTest::keyClicks(accueil().txt_search, "a");
        QCOMPARE(titles(), (QStringList {"abc", "Abyss"}));
        clickHeader(0);
        accueil().txt_search->clear();
        QCOMPARE(titles(), kAll);
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

    void commandsNeedASelection_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("message");
        QTest::newRow("Modifier") << 0 << "16|Oublie|Selectionne un film !!";
        QTest::newRow("Supprimer") << 1 << "16|Cinabrel|Selectionne un film !!";
    }

    void commandsNeedASelection()
    {
        QFETCH(int, button);
        QFETCH(QString, message);
        start(kFilms).platform().answers = {ui::Answer::Yes};
        click(button ? accueil().Bt_Supp : accueil().Bt_Modif);
        QCOMPARE(messages(), QStringList {message});
        QVERIFY(!Frm_New::instance().isLoaded() && Frm_Accueil::instance().isVisible());
        QCOMPARE(program->count(), 5);
    }

    void deleteAsksThenForgetsTheFilm()
    {
        start(kFilms);
        accueil().mnu_dvd->trigger();
        select("Abyss");
        accueil().mnuliste->trigger();
        program->platform().answers = {ui::Answer::No, ui::Answer::Yes};
        click(accueil().Bt_Supp);
        QCOMPARE(messages(),
                 QStringList {"52|Suppression|Etes vous sur de vouloir supprimer ce film de votre base?"});
        QCOMPARE(program->count(), 5);
        QCOMPARE(Frm_Accueil::instance().type_liste, ListLayout::Loans);
        click(accueil().Bt_Supp);
        QCOMPARE(program->films(), (QStringList {"2 abc", "3 Éclair", "4 L'Odyssée", "5 Zorro"}));
        // The whole list in the film layout; the deleted film is forgotten.
        QCOMPARE(titles(), (QStringList {"abc", "Éclair", "L'Odyssée", "Zorro"}));
        QCOMPARE(Connection::code_selection, qint16(0));
        QCOMPARE(shown({accueil().lbl_qual, accueil().lbl_langue}), (QStringList {" ", " "}));
        QVERIFY(!accueil().chk_pret->isVisible());
        QCOMPARE(shown({accueil().lbl_stat_nbr, accueil().lbl_stat_dvd}), (QStringList {"3", "1"}));
    }

    void modifyAndNewOpenTheEditor()
    {
        start(kFilms);
        accueil().mnu_dvd->trigger();
        select("Éclair");
        click(accueil().Bt_Modif);
        QVERIFY(!Connection::nouveau_film && Frm_New::instance().isVisible());
        QVERIFY(Frm_Accueil::instance().isLoaded() && !Frm_Accueil::instance().isVisible());
        QCOMPARE(Frm_New::instance().controls().Txt_Titre->text(), QStringLiteral("Éclair"));
        click(Frm_New::instance().controls().Bt_Annuler);
        QVERIFY(Frm_Accueil::instance().isVisible());
        QCOMPARE(titles(), (QStringList {"Abyss", "Éclair"}));
        // A film gone meanwhile is told and forgotten, and every film left is listed.
        program->db().execute("DELETE FROM film WHERE code_film=3");
        click(accueil().Bt_Modif);
        QCOMPARE(messages(), QStringList {"48|Cinabrel|Ce film n'existe plus dans la base de donnée"});
        QVERIFY(!Frm_New::instance().isLoaded());
        QCOMPARE(Connection::code_selection, qint16(0));
        QCOMPARE(titles(), (QStringList {"abc", "Abyss", "L'Odyssée", "Zorro"}));
        // A new film unloads the main window, which loads anew afterwards.
        for (QAction* entry : {accueil().mnufilm, static_cast<QAction*>(nullptr)}) {
            entry ? entry->trigger() : click(accueil().cmd_new);
            QVERIFY(Connection::nouveau_film && Frm_New::instance().isVisible());
            QVERIFY(!Frm_Accueil::instance().isLoaded() && !program->programEnded());
            click(Frm_New::instance().controls().Bt_Annuler);
            QCOMPARE(titles(), (QStringList {"abc", "Abyss", "L'Odyssée", "Zorro"}));
        }
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
