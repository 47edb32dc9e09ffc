#include "files/ProgramFolder.h"
#include "editor/Frm_New.h"
#include "support/Testing.h"

#include <sqlite3.h>

using namespace testing::accueil;
using testing::Film;

namespace {

Frm_Accueil& accueil() { return Frm_Accueil::instance(); }

const QList<Film> kFilms = {
        testing::film(1, "Zazie dans le métro", {{&Film::format, "Dvd"}, {&Film::langue, "Français"}}),
        testing::film(2, "Alien", {{&Film::format, "Avi"}, {&Film::langue, "Anglais"}}),
        testing::film(3, "Metropolis", {{&Film::format, "DVD"}, {&Film::langue, "Allemenad"}}),
        testing::film(4, "Jour de fête", {{&Film::format, "Avi"}, {&Film::langue, "Français"}})};
const QStringList kAll = {"Alien", "Jour de fête", "Metropolis", "Zazie dans le métro"};

}  // namespace

class TestCommands : public testing::ProgramTest {
    Q_OBJECT
private slots:
    void modifyAndDeleteNeedASelection_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("title");
        QTest::newRow("Modifier") << "Bt_Modif"
                                  << "Oublie";
        QTest::newRow("Supprimer") << "Bt_Supp"
                                   << "Cinabrel";
    }

    void modifyAndDeleteNeedASelection()
    {
        QFETCH(QString, button);
        QFETCH(QString, title);
        start(kFilms).platform().answers = {ui::Answer::Yes};
        press(button);
        QCOMPARE(program->messages(), QStringList {"16|" + title + "|Selectionne un film !!"});
        QCOMPARE(program->platform().answers.size(), 1);
        QVERIFY(!Frm_New::instance().isLoaded() && accueil().isVisible());
        QCOMPARE(program->count(), 4);
    }

    void newFilmUnloadsTheMainWindow_data()
    {
        QTest::addColumn<bool>("fromMenu");
        QTest::newRow("button") << false;
        QTest::newRow("menu") << true;
    }

    void newFilmUnloadsTheMainWindow()
    {
        QFETCH(bool, fromMenu);
        start(kFilms);
        menu("mnu_dvd");
        QCOMPARE(titles().size(), 2);
        fromMenu ? menu("mnufilm") : press("cmd_new");
        QVERIFY(Connection::nouveau_film && Frm_New::instance().isVisible());
        QVERIFY(!accueil().isLoaded() && !program->programEnded());
        press(Frm_New::instance(), "Bt_Annuler");
        QVERIFY(accueil().isVisible());
        QCOMPARE(titles(), kAll);
    }

    void modifyHidesTheMainWindowAsItWas()
    {
        start(kFilms);
        menu("mnu_dvd");
        openEditor(3);
        QVERIFY(!Connection::nouveau_film && Frm_New::instance().isVisible());
        QVERIFY(accueil().isLoaded() && !accueil().isVisible());
        QCOMPARE(testing::control<QLineEdit>(Frm_New::instance(), "Txt_Titre")->text(),
                 QStringLiteral("Metropolis"));
        press(Frm_New::instance(), "Bt_Annuler");
        QVERIFY(accueil().isVisible());
        QCOMPARE(titles(), (QStringList {"Metropolis", "Zazie dans le métro"}));
        QCOMPARE(Connection::code_selection, qint16(3));

        // A film that is gone is told, forgotten, and the list shows every film left.
        program->db().execute("DELETE FROM film WHERE code_film=3");
        openEditor(3);
        QCOMPARE(program->messages(),
                 QStringList {"48|Cinabrel|Ce film n'existe plus dans la base de donnée"});
        QVERIFY(!Frm_New::instance().isLoaded() && accueil().isVisible());
        QCOMPARE(Connection::code_selection, qint16(0));
        QCOMPARE(titles(), (QStringList {"Alien", "Jour de fête", "Zazie dans le métro"}));
    }

    void deleteAnsweredYesForgetsTheFilm_data()
    {
        QTest::addColumn<int>("layout");
        QTest::newRow("film layout") << 1;
        QTest::newRow("loan layout") << 0;
    }

    void deleteAnsweredYesForgetsTheFilm()
    {
        QFETCH(int, layout);
        start(kFilms + QList<Film> {{.code = 5, .nom = "Brazil", .pret = "Paul", .datePret = "01/12/2026"}});
        menu("mnu_dvd");
        accueil().iniliste(ListLayout(layout));
        // The summary and loan box of a lent film, as a click shows them.
        label("lbl_qual")->setText("Bonne");
        const QStringList loanBox = {"chk_pret", "lbl_nom", "txt_nom", "lbl_date1", "lbl_date"};
        for (const QString& name : loanBox)
            testing::control<QWidget>(accueil(), name)->setVisible(true);
        Connection::code_selection = 5;

        // Answered No, nothing changes; answered Yes, the film is forgotten.
        program->platform().answers = {ui::Answer::No, ui::Answer::Yes};
        press("Bt_Supp");
        QCOMPARE(program->messages(),
                 QStringList {"52|Suppression|Etes vous sur de vouloir supprimer ce film de votre base?"});
        QCOMPARE(QList<int>({program->count(), Connection::code_selection}), QList<int>({5, 5}));
        QVERIFY(label("lbl_qual")->text() == u"Bonne" && checkBox("chk_pret")->isVisible());
        press("Bt_Supp");
        QCOMPARE(program->messages().size(), 2);
        QCOMPARE(program->films(),
                 (QStringList {"1 Zazie dans le métro", "2 Alien", "3 Metropolis", "4 Jour de fête"}));
        QCOMPARE(Connection::code_selection, qint16(0));
        QCOMPARE(accueil().type_liste, ListLayout::Films);
        QCOMPARE(list()->columnCount(), 6);
        QCOMPARE(list()->cellText(0, 5), QStringLiteral("2"));
        QCOMPARE(titles(), kAll);
        QCOMPARE(labels({"lbl_qual", "lbl_langue", "lbl_codec", "lbl_son", "lbl_nbr", "lbl_duree",
                         "lbl_annee"}),
                 QStringList(7, " "));
        for (const QString& name : loanBox + QStringList {"cmd_pret"})
            QVERIFY2(!testing::control<QWidget>(accueil(), name)->isVisible(), qPrintable(name));

        // With the film forgotten, the commands ask for a selection again.
        press("Bt_Modif");
        QCOMPARE(program->platform().lastPrompt(), QStringLiteral("Selectionne un film !!"));
        QVERIFY(!Frm_New::instance().isLoaded());
    }

    void aFailingDeleteIsReported()
    {
        start(kFilms, false);
        QCOMPARE(sqlite3_exec(program->db().handle(),
                              "CREATE TRIGGER garde BEFORE DELETE ON film BEGIN SELECT RAISE(ABORT, "
                              "'verrouillé'); END",
                              nullptr, nullptr, nullptr),
                 SQLITE_OK);
        QVERIFY(testing::startProgram());
        Connection::code_selection = 2;
        program->platform().answers = {ui::Answer::Yes};
        press("Bt_Supp");
        QCOMPARE(program->messages().value(1),
                 QStringLiteral("16|Cinabrel|Le film n'a pas pu être supprimé"));
        QCOMPARE(program->count(), 4);
        QCOMPARE(Connection::code_selection, qint16(2));
    }

    void listEntries_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("search");
        QTest::newRow("all films") << "mnulistF" << kAll << "";
        QTest::newRow("DVDs") << "mnu_dvd" << QStringList {"Metropolis", "Zazie dans le métro"} << "";
        QTest::newRow("French films")
                << "mnu_liste_fr" << QStringList {"Zazie dans le métro", "Jour de fête"} << "";
        QTest::newRow("foreign films") << "mnu_liste_E" << QStringList {"Alien", "Metropolis"} << "Zaz";
    }

    void listEntries()
    {
        QFETCH(QString, entry);
        QFETCH(QStringList, expected);
        QFETCH(QString, search);
        start(kFilms);
        accueil().iniliste(ListLayout::Loans);
        textBox("txt_search")->setText("Zaz");
        menu(entry);
        QCOMPARE(accueil().type_liste, ListLayout::Films);
        QCOMPARE(list()->columnCaption(0), QStringLiteral("Titre"));
        QCOMPARE(titles(), expected);
        QCOMPARE(textBox("txt_search")->text(), search);
    }

    void aboutBoxTellsWhatTheProgramIs()
    {
        start();
        menu("mnupropos");
        QCOMPARE(program->platform().messages.size(), 1);
        const auto about = program->platform().messages.first();
        QCOMPARE(about.flags, int(ui::Icon::Information));
        QCOMPARE(about.title, QStringLiteral("Cinabrel - A propos de"));
        QVERIFY(about.prompt.endsWith("\r\n"));
        const QStringList lines = about.prompt.chopped(2).split("\r\n");
        QCOMPARE(lines.size(), 10);
        QCOMPARE(lines.first(), QStringLiteral("Cinabrel, version " CINABREL_VERSION));
        QVERIFY(lines.contains(QDir::toNativeSeparators(files::cataloguePath())));
        for (const char* part :
             {"Qt ", "LGPL 3", "SQLite ", "domaine public", "libxlsxwriter ", "BSD", "https://"})
            QVERIFY2(about.prompt.contains(QString::fromUtf8(part)), part);
        QCOMPARE(about.prompt.count(u'\n'), 10);
        QVERIFY(accueil().isVisible());
    }

    void quitEndsTheProgram()
    {
        start(kFilms);
        menu("mnuquit");
        QVERIFY(!accueil().isLoaded() && program->programEnded());
        QCOMPARE(program->messages(), QStringList());
        QCOMPARE(program->count(), 4);
    }
};

CINABREL_TEST_MAIN(TestCommands)

#include "test_commands.moc"
