#include "app/Connection.h"
#include "editor/Frm_Visu.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"
#include "ui/ListView.h"
#include "ui/ScriptedPlatform.h"
#include "ui/main/Frm_Accueil.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using testing::Film;

namespace {

QString shown(const char* name) { return Frm_Visu::instance().control<QLabel>(QString::fromLatin1(name))->text(); }
QPlainTextEdit* notes() { return Frm_Visu::instance().control<QPlainTextEdit>(QStringLiteral("txt_obs")); }

void showSheet(qint16 code)
{
    Connection::code_selection = code;
    Frm_Visu::instance().montrer();
}

Film sampleFilm()
{
    Film film = testing::film(4, QStringLiteral("Les Enfants du paradis"),
                              {{&Film::type, "Drame"},
                               {&Film::cd, "2"},
                               {&Film::qualite, "DvD"},
                               {&Film::format, "Svcd"},
                               {&Film::obs, "Garance et Baptiste.\nUn long film."},
                               {&Film::langue, QStringLiteral("Français")},
                               {&Film::codecVideo, "XviD"},
                               {&Film::codecSon, "AC3"},
                               {&Film::duree, "03h10"},
                               {&Film::realisateur, QStringLiteral("Marcel Carné")},
                               {&Film::acteur, "Arletty"},
                               {&Film::annee, "1945"}});
    film.pret = QStringLiteral("Paul");
    film.datePret = QStringLiteral("02/03/2026");
    return film;
}

const Film kFilm = sampleFilm();

}  // namespace

class TestFilmSheet : public QObject {
    Q_OBJECT
private slots:
    void showsEveryColumnOfTheFilm()
    {
        testing::TestProgram program;
        program.insert(kFilm);
        QVERIFY(testing::startProgram());
        showSheet(4);
        QVERIFY(Frm_Visu::instance().isVisible());
        QVERIFY(Frm_Accueil::instance().isVisible());
        QCOMPARE(Frm_Visu::instance().window()->windowTitle(), QStringLiteral("Cinabrel - Info Film"));

        QCOMPARE(shown("lbl_film"), kFilm.nom);
        QCOMPARE(shown("lblrealisateur"), kFilm.realisateur);
        QCOMPARE(shown("lblacteur"), kFilm.acteur);
        QCOMPARE(shown("lblannee"), kFilm.annee);
        QCOMPARE(shown("lblduree"), kFilm.duree);
        QCOMPARE(shown("lbl_langue"), kFilm.langue);
        QCOMPARE(shown("lbl_codec"), kFilm.codecVideo);
        QCOMPARE(shown("lbl_qual"), QStringLiteral("DvD"));
        QCOMPARE(shown("lbl_son"), kFilm.codecSon);
        QCOMPARE(shown("lbl_genre"), kFilm.type);
        QCOMPARE(shown("lbl_nbr"), kFilm.cd);
        QCOMPARE(notes()->toPlainText(), kFilm.obs);
        QCOMPARE(shown("Label2"), QStringLiteral("Nbr CD: "));

        // Neither the format nor the loan is part of the sheet.
        const QStringList hidden = {kFilm.format, *kFilm.pret, *kFilm.datePret};
        for (QLabel* label : Frm_Visu::instance().window()->findChildren<QLabel*>())
            QVERIFY2(!hidden.contains(label->text()), qPrintable(label->objectName()));
    }

    void nullColumnsShowAsEmptyText()
    {
        testing::TestProgram program;
        program.insert(kFilm);
        program.db().execute(QStringLiteral("UPDATE film SET acteur=NULL, obs_Film=NULL"));
        QVERIFY(testing::startProgram());
        showSheet(4);
        QCOMPARE(shown("lblacteur"), QString());
        QCOMPARE(notes()->toPlainText(), QString());
        QCOMPARE(shown("lblrealisateur"), kFilm.realisateur);
    }

    void typingInTheNotesChangesNothing()
    {
        testing::TestProgram program;
        program.insert(kFilm);
        QVERIFY(testing::startProgram());
        showSheet(4);
        QTest::keyClicks(notes(), QStringLiteral("abc 12"));
        for (Qt::Key key : {Qt::Key_Backspace, Qt::Key_Return, Qt::Key_Delete, Qt::Key_Space})
            QTest::keyClick(notes(), key);
        QTest::keyClick(notes(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(notes()->toPlainText(), kFilm.obs);
        QTest::keyClick(notes(), Qt::Key_Escape);
        QVERIFY(Frm_Visu::instance().isVisible());

        // The notes can still be selected from the keyboard.
        QTest::keyClick(notes(), Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(notes(), Qt::Key_End, Qt::ShiftModifier);
        QCOMPARE(notes()->textCursor().selectedText(), QStringLiteral("Garance et Baptiste."));
        QCOMPARE(program.value(QStringLiteral("SELECT obs_Film FROM film")), kFilm.obs);
    }

    void askingAgainWhileOpenShowsTheNewFilm()
    {
        testing::TestProgram program;
        program.insert(kFilm);
        program.insert(testing::film(9, "Quai des brumes", {{&Film::obs, "Brouillard"}, {&Film::annee, "1938"}}));
        QVERIFY(testing::startProgram());
        showSheet(4);
        showSheet(9);
        QVERIFY(Frm_Visu::instance().isVisible());
        QCOMPARE(shown("lbl_film"), QStringLiteral("Quai des brumes"));
        QCOMPARE(shown("lblannee"), QStringLiteral("1938"));
        QCOMPARE(notes()->toPlainText(), QStringLiteral("Brouillard"));
    }

    void closingBringsTheMainWindowBack_data()
    {
        QTest::addColumn<bool>("byCloseBox");
        QTest::newRow("Retour") << false;
        QTest::newRow("close box") << true;
    }

    void closingBringsTheMainWindowBack()
    {
        QFETCH(bool, byCloseBox);
        testing::TestProgram program;
        program.insert(kFilm);
        QVERIFY(testing::startProgram());
        Frm_Accueil::instance().hide();
        showSheet(4);
        QCOMPARE(Frm_Visu::instance().control<QPushButton>(QStringLiteral("Command1"))->text(),
                 QStringLiteral("Retour"));
        if (byCloseBox)
            Frm_Visu::instance().window()->close();
        else
            QTest::mouseClick(Frm_Visu::instance().control<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
        QVERIFY(!Frm_Visu::instance().isLoaded());
        QVERIFY(Frm_Accueil::instance().isVisible());
        QVERIFY(!program.programEnded());
        QCOMPARE(program.count(), 1);
    }

    void doubleClickInTheListShowsTheFilmsSheet()
    {
        testing::TestProgram program;
        program.insert(kFilm);
        program.insert(testing::film(9, "Alphaville", {{&Film::annee, "1965"}}));
        QVERIFY(testing::startProgram());
        ui::ListView* list = Frm_Accueil::instance().List();
        auto doubleClick = [list](int row) {
            const QRect cell = list->visualRect(list->model()->index(row, 0));
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
        };
        doubleClick(1);
        QVERIFY(Frm_Visu::instance().isVisible());
        QCOMPARE(shown("lbl_film"), kFilm.nom);
        doubleClick(0);
        QCOMPARE(shown("lbl_film"), QStringLiteral("Alphaville"));
        QCOMPARE(shown("lblannee"), QStringLiteral("1965"));
        QCOMPARE(Connection::code_selection, qint16(9));
    }

    void doubleClickOnThePlaceholderOpensNothing()
    {
        testing::TestProgram program;
        QVERIFY(testing::startProgram());
        ui::ListView* list = Frm_Accueil::instance().List();
        QCOMPARE(list->rowText(0), Connection::placeholderRow());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
        QVERIFY(!Frm_Visu::instance().isLoaded());
        QVERIFY(program.platform().messages.isEmpty());
    }

    void aFilmThatIsGoneIsReported()
    {
        testing::TestProgram program;
        program.insert(kFilm);
        QVERIFY(testing::startProgram());
        showSheet(5);
        QCOMPARE(program.platform().lastPrompt(), QStringLiteral("Ce film n'existe plus dans la base de donnée"));
        QVERIFY(!Frm_Visu::instance().isLoaded());
        QVERIFY(Frm_Accueil::instance().isVisible());
    }
};

CINABREL_TEST_MAIN(TestFilmSheet)

#include "test_film_sheet.moc"
