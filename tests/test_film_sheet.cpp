#include "editor/Frm_Visu.h"
#include "support/Testing.h"

using testing::Film;

namespace {

Frm_Visu& sheet() { return Frm_Visu::instance(); }
QPlainTextEdit* notes() { return testing::control<QPlainTextEdit>(sheet(), "txt_obs"); }

// The labels of the sheet that show the film, then its notes.
QStringList shown()
{
    return testing::shown(sheet(),
                          {"lbl_film", "lblrealisateur", "lblacteur", "lblannee", "lblduree", "lbl_langue",
                           "lbl_codec", "lbl_qual", "lbl_son", "lbl_genre", "lbl_nbr", "txt_obs"});
}

void showSheet(qint16 code)
{
    Connection::code_selection = code;
    sheet().montrer();
}

const Film kFilm = {.code = 4,
                    .nom = "Les Enfants du paradis",
                    .type = "Drame",
                    .cd = "2",
                    .qualite = "DvD",
                    .format = "Svcd",
                    .obs = "Garance et Baptiste.\nUn long film.",
                    .langue = "Français",
                    .codecVideo = "XviD",
                    .codecSon = "AC3",
                    .duree = "03h10",
                    .realisateur = "Marcel Carné",
                    .acteur = "Arletty",
                    .annee = "1945",
                    .pret = "Paul",
                    .datePret = "02/03/2026"};
const QStringList kShown = {"Les Enfants du paradis",
                            "Marcel Carné",
                            "Arletty",
                            "1945",
                            "03h10",
                            "Français",
                            "XviD",
                            "DvD",
                            "AC3",
                            "Drame",
                            "2",
                            "Garance et Baptiste.\nUn long film."};

}  // namespace

class TestFilmSheet : public testing::ProgramTest {
    Q_OBJECT
private slots:
    void showsEveryColumnOfTheFilmAndNullsAsEmpty()
    {
        start({kFilm,
               testing::film(9, "Quai des brumes", {{&Film::obs, "Brouillard"}, {&Film::annee, "1938"}})});
        showSheet(4);
        QVERIFY(sheet().isVisible() && Frm_Accueil::instance().isVisible());
        QCOMPARE(sheet().window()->windowTitle(), QStringLiteral("Cinabrel - Info Film"));
        QCOMPARE(shown(), kShown);
        QCOMPARE(testing::control<QLabel>(sheet(), "Label2")->text(), QStringLiteral("Nbr CD: "));
        // Neither the format nor the loan is part of the sheet.
        for (QLabel* label : sheet().window()->findChildren<QLabel*>())
            QVERIFY2(!QStringList({"Svcd", "Paul", "02/03/2026"}).contains(label->text()),
                     qPrintable(label->objectName()));

        // Asked again while open, it shows the new film.
        showSheet(9);
        QVERIFY(sheet().isVisible());
        QCOMPARE(shown().mid(0, 4) + shown().mid(11),
                 (QStringList {"Quai des brumes", "-", "-", "1938", "Brouillard"}));

        program->db().execute("UPDATE film SET acteur=NULL, obs_Film=NULL");
        showSheet(4);
        QCOMPARE(shown(), kShown.mid(0, 2) + QStringList {""} + kShown.mid(3, 8) + QStringList {""});
    }

    void typingInTheNotesChangesNothing()
    {
        start({kFilm});
        showSheet(4);
        QTest::keyClicks(notes(), "abc 12");
        for (Qt::Key key : {Qt::Key_Backspace, Qt::Key_Return, Qt::Key_Delete, Qt::Key_Space})
            QTest::keyClick(notes(), key);
        QTest::keyClick(notes(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(notes()->toPlainText(), kFilm.obs);
        QTest::keyClick(notes(), Qt::Key_Escape);
        QVERIFY(sheet().isVisible());
        // The notes can still be selected from the keyboard.
        QTest::keyClick(notes(), Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(notes(), Qt::Key_End, Qt::ShiftModifier);
        QCOMPARE(notes()->textCursor().selectedText(), QStringLiteral("Garance et Baptiste."));
        QCOMPARE(program->column("obs_Film", 4), kFilm.obs);
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
        start({kFilm});
        Frm_Accueil::instance().hide();
        showSheet(4);
        QCOMPARE(testing::control<QPushButton>(sheet(), "Command1")->text(), QStringLiteral("Retour"));
        byCloseBox ? void(sheet().window()->close()) : testing::accueil::press(sheet(), "Command1");
        QVERIFY(!sheet().isLoaded() && Frm_Accueil::instance().isVisible() && !program->programEnded());
        QCOMPARE(program->count(), 1);
    }

    void doubleClickInTheListShowsTheFilmsSheet()
    {
        start({kFilm, testing::film(9, "Alphaville", {{&Film::annee, "1965"}})});
        testing::accueil::doubleClickRow(1);
        QVERIFY(sheet().isVisible());
        QCOMPARE(shown().first(), kFilm.nom);
        testing::accueil::doubleClickRow(0);
        QCOMPARE(shown().first() + shown().at(3), QStringLiteral("Alphaville1965"));
        QCOMPARE(Connection::code_selection, qint16(9));
    }

    void placeholderOrAFilmThatIsGoneOpensNothing()
    {
        start();
        QCOMPARE(Frm_Accueil::instance().controls().List->rowText(0), Connection::placeholderRow());
        testing::accueil::doubleClickRow(0);
        QVERIFY(!sheet().isLoaded());
        QCOMPARE(program->messages(), QStringList());
        showSheet(5);
        QCOMPARE(program->platform().lastPrompt(),
                 QStringLiteral("Ce film n'existe plus dans la base de donnée"));
        QVERIFY(!sheet().isLoaded() && Frm_Accueil::instance().isVisible());
    }
};

CINABREL_TEST_MAIN(TestFilmSheet)

#include "test_film_sheet.moc"
