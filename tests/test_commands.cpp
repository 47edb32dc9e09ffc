#include "app/Connection.h"
#include "app/ProgramFolder.h"
#include "editor/Frm_New.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"
#include "ui/ListView.h"
#include "ui/ScriptedPlatform.h"
#include "ui/main/Frm_Accueil.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <sqlite3.h>

using testing::Film;

namespace {

Film lent(Film film, const QString& to, const QString& since)
{
    film.pret = to;
    film.datePret = since;
    return film;
}

Frm_Accueil& accueil() { return Frm_Accueil::instance(); }

void click(const char* button)
{
    QTest::mouseClick(accueil().control<QPushButton>(QString::fromLatin1(button)), Qt::LeftButton);
}

void trigger(const char* entry)
{
    accueil().window()->findChild<QAction*>(QString::fromLatin1(entry))->trigger();
}

QStringList listTitles()
{
    ui::ListView* list = accueil().List();
    QStringList titles;
    for (int row = 0; row < list->rowCount(); ++row)
        titles.append(list->rowText(row));
    return titles;
}

QString label(const char* name) { return accueil().control<QLabel>(QString::fromLatin1(name))->text(); }

void addFilms(testing::TestProgram& program)
{
    program.insert(testing::film(1, "Zazie dans le métro", {{&Film::format, "Dvd"}, {&Film::langue, "Français"}}));
    program.insert(testing::film(2, "Alien", {{&Film::format, "Avi"}, {&Film::langue, "Anglais"}}));
    program.insert(testing::film(3, "Metropolis", {{&Film::format, "DVD"}, {&Film::langue, "Allemenad"}}));
    program.insert(testing::film(4, "Jour de fête", {{&Film::format, "Avi"}, {&Film::langue, "Français"}}));
}

}  // namespace

class TestCommands : public QObject {
    Q_OBJECT
private slots:
    void modifyAndDeleteNeedASelection_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("title");
        QTest::newRow("Modifier") << "Bt_Modif" << "Oublie";
        QTest::newRow("Supprimer") << "Bt_Supp" << "Cinabrel";
    }

    void modifyAndDeleteNeedASelection()
    {
        QFETCH(QString, button);
        QFETCH(QString, title);
        testing::TestProgram program;
        addFilms(program);
        QVERIFY(testing::startProgram());
        program.platform().answers = {ui::mb::Yes};
        click(button.toLatin1().constData());
        QCOMPARE(program.platform().messages.size(), 1);
        QCOMPARE(program.platform().messages.first().prompt, QStringLiteral("Selectionne un film !!"));
        QCOMPARE(program.platform().messages.first().flags, ui::mb::Critical);
        QCOMPARE(program.platform().messages.first().title, title);
        QCOMPARE(program.platform().answers.size(), 1);
        QVERIFY(!Frm_New::instance().isLoaded());
        QVERIFY(accueil().isVisible());
        QCOMPARE(program.count(), 4);
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
        testing::TestProgram program;
        addFilms(program);
        QVERIFY(testing::startProgram());
        trigger("mnu_dvd");
        QCOMPARE(listTitles().size(), 2);
        if (fromMenu)
            trigger("mnufilm");
        else
            click("cmd_new");
        QVERIFY(Connection::nouveau_film);
        QVERIFY(Frm_New::instance().isVisible());
        QVERIFY(!accueil().isLoaded());
        QVERIFY(!program.programEnded());

        QTest::mouseClick(Frm_New::instance().control<QPushButton>(QStringLiteral("Bt_Annuler")), Qt::LeftButton);
        QVERIFY(accueil().isVisible());
        QCOMPARE(listTitles(),
                 (QStringList{"Alien", QStringLiteral("Jour de fête"), "Metropolis", QStringLiteral("Zazie dans le métro")}));
    }

    void modifyHidesTheMainWindowAsItWas()
    {
        testing::TestProgram program;
        addFilms(program);
        QVERIFY(testing::startProgram());
        trigger("mnu_dvd");
        Connection::code_selection = 3;
        click("Bt_Modif");
        QVERIFY(!Connection::nouveau_film);
        QVERIFY(Frm_New::instance().isVisible());
        QVERIFY(accueil().isLoaded());
        QVERIFY(!accueil().isVisible());
        QCOMPARE(Frm_New::instance().control<QLineEdit>(QStringLiteral("Txt_Titre"))->text(),
                 QStringLiteral("Metropolis"));

        QTest::mouseClick(Frm_New::instance().control<QPushButton>(QStringLiteral("Bt_Annuler")), Qt::LeftButton);
        QVERIFY(accueil().isVisible());
        QCOMPARE(listTitles(), (QStringList{"Metropolis", QStringLiteral("Zazie dans le métro")}));
        QCOMPARE(Connection::code_selection, qint16(3));
    }

    void modifyingAFilmThatIsGoneReloadsTheList()
    {
        testing::TestProgram program;
        addFilms(program);
        QVERIFY(testing::startProgram());
        trigger("mnu_dvd");
        Connection::code_selection = 3;
        program.db().execute(QStringLiteral("DELETE FROM film WHERE code_film=3"));
        click("Bt_Modif");
        QCOMPARE(program.platform().lastPrompt(), QStringLiteral("Ce film n'existe plus dans la base de donnée"));
        QVERIFY(!Frm_New::instance().isLoaded());
        QVERIFY(accueil().isVisible());
        QCOMPARE(Connection::code_selection, qint16(0));
        QCOMPARE(listTitles(), (QStringList{"Alien", QStringLiteral("Jour de fête"), QStringLiteral("Zazie dans le métro")}));
    }

    void deleteAnsweredNoChangesNothing()
    {
        testing::TestProgram program;
        addFilms(program);
        QVERIFY(testing::startProgram());
        Connection::code_selection = 2;
        program.platform().answers = {ui::mb::No};
        click("Bt_Supp");
        QCOMPARE(program.platform().messages.size(), 1);
        const auto question = program.platform().messages.first();
        QCOMPARE(question.prompt, QStringLiteral("Etes vous sur de vouloir supprimer ce film de votre base?"));
        QCOMPARE(question.flags, ui::mb::YesNo | ui::mb::Exclamation);
        QCOMPARE(question.title, QStringLiteral("Suppression"));
        QCOMPARE(program.count(), 4);
        QCOMPARE(Connection::code_selection, qint16(2));
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
        testing::TestProgram program;
        addFilms(program);
        program.insert(lent(testing::film(5, "Brazil"), "Paul", "01/12/2026"));
        QVERIFY(testing::startProgram());
        trigger("mnu_dvd");
        Connection::requete = QStringLiteral("inchangée");
        accueil().iniliste(layout);
        // The summary and loan box of a lent film, as a click shows them.
        accueil().control<QLabel>(QStringLiteral("lbl_qual"))->setText(QStringLiteral("Bonne"));
        accueil().control<QLabel>(QStringLiteral("lbl_date"))->setText(QStringLiteral("01/12/2026"));
        for (const char* name : {"chk_pret", "lbl_nom", "txt_nom", "lbl_date1", "lbl_date"})
            accueil().control<QWidget>(QString::fromLatin1(name))->setVisible(true);
        accueil().control<QCheckBox>(QStringLiteral("chk_pret"))->setText(QStringLiteral("Retour"));
        accueil().control<QLineEdit>(QStringLiteral("txt_nom"))->setText(QStringLiteral("Paul"));
        Connection::code_selection = 5;

        program.platform().answers = {ui::mb::Yes};
        click("Bt_Supp");
        QCOMPARE(program.platform().messages.size(), 1);
        QCOMPARE(program.count(), 4);
        QCOMPARE(program.count(QStringLiteral("code_film=5")), 0);
        QCOMPARE(Connection::code_selection, qint16(0));
        QCOMPARE(Connection::requete, QStringLiteral("inchangée"));
        QCOMPARE(accueil().type_liste, qint16(1));
        QCOMPARE(accueil().List()->columnCount(), 6);
        QCOMPARE(accueil().List()->cellText(0, 5), QStringLiteral("2"));
        QCOMPARE(listTitles(),
                 (QStringList{"Alien", QStringLiteral("Jour de fête"), "Metropolis", QStringLiteral("Zazie dans le métro")}));
        for (const char* name : {"lbl_qual", "lbl_langue", "lbl_codec", "lbl_son", "lbl_nbr", "lbl_duree", "lbl_annee"})
            QCOMPARE(label(name), QStringLiteral(" "));
        for (const char* name : {"chk_pret", "lbl_nom", "txt_nom", "lbl_date1", "lbl_date", "cmd_pret"})
            QVERIFY2(!accueil().control<QWidget>(QString::fromLatin1(name))->isVisible(), name);

        // With the film forgotten, the commands ask for a selection again.
        click("Bt_Modif");
        QCOMPARE(program.platform().lastPrompt(), QStringLiteral("Selectionne un film !!"));
        QVERIFY(!Frm_New::instance().isLoaded());
    }

    void aFailingDeleteIsReported()
    {
        testing::TestProgram program;
        addFilms(program);
        char* error = nullptr;
        QCOMPARE(sqlite3_exec(program.db().handle(),
                              "CREATE TRIGGER garde BEFORE DELETE ON film BEGIN SELECT RAISE(ABORT, 'verrouillé'); END",
                              nullptr, nullptr, &error),
                 SQLITE_OK);
        QVERIFY(testing::startProgram());
        Connection::code_selection = 2;
        program.platform().answers = {ui::mb::Yes};
        click("Bt_Supp");
        QCOMPARE(program.platform().messages.size(), 2);
        QCOMPARE(program.platform().lastPrompt(), QStringLiteral("Le film n'a pas pu être supprimé"));
        QCOMPARE(program.platform().messages.last().flags, ui::mb::Critical);
        QCOMPARE(program.count(), 4);
        QCOMPARE(Connection::code_selection, qint16(2));
    }

    void listEntries_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<bool>("searchEmptied");
        QTest::addColumn<QString>("requete");

        QTest::newRow("all films") << "mnulistF"
                                   << QStringList{"Alien", QStringLiteral("Jour de fête"), "Metropolis",
                                                  QStringLiteral("Zazie dans le métro")}
                                   << true
                                   // Emptying the search box runs the search, which leaves its own statement.
                                   << "select * from film WHERE nom_film LIKE '%' order by nom_film";
        QTest::newRow("DVDs") << "mnu_dvd" << QStringList{"Metropolis", QStringLiteral("Zazie dans le métro")} << true
                              << "SELECT * FROM Film WHERE format_film ='Dvd' ORDER BY nom_film";
        QTest::newRow("French films") << "mnu_liste_fr"
                                      << QStringList{QStringLiteral("Zazie dans le métro"), QStringLiteral("Jour de fête")}
                                      << true << QStringLiteral("SELECT * FROM Film WHERE langue_Film ='Français'");
        QTest::newRow("foreign films") << "mnu_liste_E" << QStringList{"Alien", "Metropolis"} << false
                                       << QStringLiteral("SELECT * FROM Film WHERE langue_Film <>'Français'");
    }

    void listEntries()
    {
        QFETCH(QString, entry);
        QFETCH(QStringList, titles);
        QFETCH(bool, searchEmptied);
        QFETCH(QString, requete);
        testing::TestProgram program;
        addFilms(program);
        QVERIFY(testing::startProgram());
        accueil().iniliste(0);
        auto* search = accueil().control<QLineEdit>(QStringLiteral("txt_search"));
        search->setText(QStringLiteral("Zaz"));
        Connection::requete = QStringLiteral("avant");
        trigger(entry.toLatin1().constData());
        QCOMPARE(accueil().type_liste, qint16(1));
        QCOMPARE(accueil().List()->columnCaption(0), QStringLiteral("Titre"));
        QCOMPARE(listTitles(), titles);
        QCOMPARE(search->text(), searchEmptied ? QString() : QStringLiteral("Zaz"));
        QCOMPARE(Connection::requete, requete);
    }

    void aboutBoxTellsWhatTheProgramIs()
    {
        testing::TestProgram program;
        QVERIFY(testing::startProgram());
        trigger("mnupropos");
        QCOMPARE(program.platform().messages.size(), 1);
        const auto about = program.platform().messages.first();
        QCOMPARE(about.flags, ui::mb::Information);
        QCOMPARE(about.title, QStringLiteral("Cinabrel - A propos de"));
        QVERIFY(about.prompt.endsWith(QStringLiteral("\r\n")));
        const QStringList lines = about.prompt.chopped(2).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 10);
        QCOMPARE(lines.first(), QStringLiteral("Cinabrel, version " CINABREL_VERSION));
        QVERIFY(lines.contains(QDir::toNativeSeparators(app::cataloguePath())));
        for (const char* part : {"Qt ", "LGPL 3", "SQLite ", "domaine public", "libxlsxwriter ", "BSD", "https://"})
            QVERIFY2(about.prompt.contains(QString::fromUtf8(part)), part);
        QCOMPARE(about.prompt.count(u'\n'), 10);
        QVERIFY(accueil().isVisible());
    }

    void quitEndsTheProgram()
    {
        testing::TestProgram program;
        addFilms(program);
        QVERIFY(testing::startProgram());
        trigger("mnuquit");
        QVERIFY(!accueil().isLoaded());
        QVERIFY(program.programEnded());
        QVERIFY(program.platform().messages.isEmpty());
        QCOMPARE(program.count(), 4);
    }
};

CINABREL_TEST_MAIN(TestCommands)

#include "test_commands.moc"
