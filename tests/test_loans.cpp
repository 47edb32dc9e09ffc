#include "app/Connection.h"
#include "support/MainWindow.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"
#include "ui/ListView.h"
#include "ui/ScriptedPlatform.h"
#include "ui/main/Frm_Accueil.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace testing::accueil;

namespace {

const QString kQuestion = QStringLiteral("Avez vous bien récupérez ce Divx?");

QCheckBox* chk() { return checkBox(QStringLiteral("chk_pret")); }
QLineEdit* nom() { return textBox(QStringLiteral("txt_nom")); }
QPushButton* cmdPret() { return button(QStringLiteral("cmd_pret")); }

// What the loan box shows: tag, caption, ticked, loan fields shown, name locked, button shown.
struct Box {
    QString tag;
    QString caption;
    bool ticked;
    bool fields;
    bool locked;
    bool button;
};

void expectBox(const Box& expected)
{
    QCOMPARE(chk()->property("Tag").toString(), expected.tag);
    QCOMPARE(chk()->text(), expected.caption);
    QCOMPARE(chk()->isChecked(), expected.ticked);
    for (const char* field : {"lbl_nom", "lbl_date1", "lbl_date", "txt_nom"})
        QCOMPARE(Frm_Accueil::instance().control<QWidget>(QString::fromLatin1(field))->isVisible(), expected.fields);
    if (expected.fields)
        QCOMPARE(nom()->isReadOnly(), expected.locked);
    QCOMPARE(cmdPret()->isVisible(), expected.button);
}

const Box atHome{"0", "Emprunt", false, false, false, false};
const Box enteringLoan{"0", "Emprunt", true, true, false, true};
const Box lent{"1", "Retour", false, true, true, false};
const Box returnRefused{"1", "Retour", true, true, true, false};
const Box lentFieldsHidden{"1", "Retour", false, false, true, false};

}  // namespace

class TestLoans : public QObject {
    Q_OBJECT
    std::unique_ptr<testing::TestProgram> program;

    void start()
    {
        program = std::make_unique<testing::TestProgram>();
        testing::Film alien;
        alien.code = 1;
        alien.nom = QStringLiteral("Alien");
        program->insert(alien);
        testing::Film batman;
        batman.code = 2;
        batman.nom = QStringLiteral("Batman");
        batman.pret = QStringLiteral("Paul");
        batman.datePret = QStringLiteral("01/02/2020");
        program->insert(batman);
        testing::Film casino;
        casino.code = 3;
        casino.nom = QStringLiteral("Casino");
        casino.qualite = QStringLiteral("DvD");
        program->insert(casino);
        QVERIFY(testing::startProgram());
    }

    QString pret(int code) { return loanColumn(QStringLiteral("pret_film"), code); }
    QString datePret(int code) { return loanColumn(QStringLiteral("date_pret"), code); }
    // The column's value, or "NULL".
    QString loanColumn(const QString& column, int code)
    {
        const QString statement = QStringLiteral("SELECT %1 FROM film WHERE code_film = %2").arg(column).arg(code);
        return program->isNull(statement) ? QStringLiteral("NULL") : program->value(statement);
    }

    // The counters shown, against those the catalogue gives.
    void checkCounters()
    {
        QCOMPARE(label(QStringLiteral("lbl_stat_pret"))->text(), QString::number(program->count("pret_film IS NOT NULL")));
        QCOMPARE(label(QStringLiteral("lbl_dispo"))->text(), QString::number(program->count("pret_film IS NULL")));
    }

    void selectFilm(const QString& title) { clickRow(rowOf(title)); }

private slots:
    void cleanup() { program.reset(); }

    void boxWaitsForASelection()
    {
        start();
        QVERIFY(!chk()->isVisible());
        QCOMPARE(chk()->property("Tag").toString(), QString());
        chk()->setChecked(true);
        QVERIFY(!chk()->isChecked());
        QVERIFY(!cmdPret()->isVisible());
        QCOMPARE(program->platform().messages.size(), 0);
    }

    void lendingAFilmAtHome_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "Jean";
        QTest::newRow("quotes and spaces") << " Jean \"le grand\" O'Brien ";
    }

    void lendingAFilmAtHome()
    {
        QFETCH(QString, name);
        start();
        selectFilm(QStringLiteral("Alien"));
        expectBox(atHome);

        tick(chk());
        expectBox(enteringLoan);
        QCOMPARE(nom()->text(), QString());
        QCOMPARE(label(QStringLiteral("lbl_date"))->text(), QStringLiteral("06/12/2026"));

        tick(chk());
        expectBox(atHome);
        QCOMPARE(pret(1), QStringLiteral("NULL"));

        tick(chk());
        QTest::keyClicks(nom(), name);
        program->platform().clock = QDateTime(QDate(2027, 1, 3), QTime(9, 0));
        QTest::mouseClick(cmdPret(), Qt::LeftButton);
        QCOMPARE(pret(1), name);
        QCOMPARE(datePret(1), QStringLiteral("03/01/2027"));
        expectBox(lent);
        QCOMPARE(nom()->text(), name);
        QCOMPARE(label(QStringLiteral("lbl_date"))->text(), QStringLiteral("03/01/2027"));
        QCOMPARE(label(QStringLiteral("lbl_stat_pret"))->text(), QStringLiteral("2"));
        QCOMPARE(label(QStringLiteral("lbl_dispo"))->text(), QStringLiteral("1"));
        QCOMPARE(program->platform().messages.size(), 0);
    }

    void loanStatementIsTheProgramsOwn()
    {
        start();
        selectFilm(QStringLiteral("Alien"));
        tick(chk());
        QTest::keyClicks(nom(), QStringLiteral("Jean"));
        QTest::mouseClick(cmdPret(), Qt::LeftButton);
        QCOMPARE(Connection::requete,
                 QStringLiteral("UPDATE film SET pret_film=\"Jean\", date_pret=\"06/12/2026\"  WHERE code_film = 1"));
    }

    void emptyBorrowerIsRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << "";
        QTest::newRow("spaces") << "   ";
    }

    void emptyBorrowerIsRefused()
    {
        QFETCH(QString, name);
        start();
        selectFilm(QStringLiteral("Alien"));
        tick(chk());
        QTest::keyClicks(nom(), name);
        QTest::mouseClick(cmdPret(), Qt::LeftButton);
        QCOMPARE(program->platform().messages.size(), 1);
        const auto message = program->platform().messages.first();
        QCOMPARE(message.prompt, QStringLiteral("Vous devez entrer le nom de l'emprunteur"));
        QCOMPARE(message.flags, 64);
        QCOMPARE(message.title, QStringLiteral("Cinabrel"));
        QCOMPARE(Frm_Accueil::instance().window()->focusWidget(), nom());
        expectBox(enteringLoan);
        QCOMPARE(pret(1), QStringLiteral("NULL"));
        QCOMPARE(datePret(1), QStringLiteral("NULL"));
    }

    void returningALentFilm()
    {
        start();
        selectFilm(QStringLiteral("Batman"));
        expectBox(lent);

        program->platform().answers = {ui::mb::No};
        tick(chk());
        QCOMPARE(program->platform().lastPrompt(), kQuestion);
        QCOMPARE(program->platform().messages.last().flags, 4);
        QCOMPARE(program->platform().messages.last().title, QStringLiteral("Cinabrel"));
        expectBox(returnRefused);
        QCOMPARE(pret(2), QStringLiteral("Paul"));

        tick(chk());
        expectBox(lentFieldsHidden);
        QCOMPARE(program->platform().messages.size(), 1);

        program->platform().answers = {ui::mb::Yes};
        tick(chk());
        QCOMPARE(program->platform().messages.size(), 2);
        QCOMPARE(pret(2), QStringLiteral("NULL"));
        QCOMPARE(datePret(2), QStringLiteral("NULL"));
        expectBox(atHome);
        checkCounters();
        QCOMPARE(label(QStringLiteral("lbl_stat_pret"))->text(), QStringLiteral("0"));

        // Taken back, the film can be lent again at once.
        tick(chk());
        expectBox(enteringLoan);
        QTest::keyClicks(nom(), QStringLiteral("Marie"));
        QTest::mouseClick(cmdPret(), Qt::LeftButton);
        QCOMPARE(pret(2), QStringLiteral("Marie"));
        checkCounters();
        QCOMPARE(program->platform().unanswered, QStringList());
    }

    void recordedLoanIsReturnedLikeAnyOther()
    {
        start();
        selectFilm(QStringLiteral("Casino"));
        tick(chk());
        QTest::keyClicks(nom(), QStringLiteral("Luc"));
        QTest::mouseClick(cmdPret(), Qt::LeftButton);
        checkCounters();
        QCOMPARE(label(QStringLiteral("lbl_stat_pret"))->text(), QStringLiteral("2"));

        program->platform().answers = {ui::mb::Yes};
        tick(chk());
        QCOMPARE(program->platform().lastPrompt(), kQuestion);
        QCOMPARE(pret(3), QStringLiteral("NULL"));
        expectBox(atHome);
        checkCounters();
    }

    void selectingAnotherFilmLeavesAnyState()
    {
        start();
        selectFilm(QStringLiteral("Alien"));
        tick(chk());
        expectBox(enteringLoan);
        selectFilm(QStringLiteral("Batman"));
        expectBox(lent);
        QCOMPARE(nom()->text(), QStringLiteral("Paul"));
        QCOMPARE(label(QStringLiteral("lbl_date"))->text(), QStringLiteral("01/02/2020"));
        selectFilm(QStringLiteral("Casino"));
        expectBox(atHome);
        QCOMPARE(program->platform().messages.size(), 0);
        QCOMPARE(pret(1), QStringLiteral("NULL"));
    }

    void lockedCatalogueChangesNothing()
    {
        start();
        selectFilm(QStringLiteral("Alien"));
        tick(chk());
        QTest::keyClicks(nom(), QStringLiteral("Jean"));
        program->db().execute(QStringLiteral("BEGIN IMMEDIATE"));
        QTest::mouseClick(cmdPret(), Qt::LeftButton);
        QCOMPARE(program->platform().messages.size(), 1);
        QVERIFY(program->platform().lastPrompt().startsWith(QStringLiteral("Le prêt n'a pas pu être enregistré :\r\n")));
        expectBox(enteringLoan);
        QCOMPARE(nom()->text(), QStringLiteral("Jean"));
        QCOMPARE(label(QStringLiteral("lbl_stat_pret"))->text(), QStringLiteral("1"));

        selectFilm(QStringLiteral("Batman"));
        program->platform().answers = {ui::mb::Yes};
        tick(chk());
        QCOMPARE(program->platform().messages.size(), 3);
        QVERIFY(program->platform().lastPrompt().startsWith(
            QStringLiteral("Le retour du film n'a pas pu être enregistré :\r\n")));
        expectBox(lent);
        QCOMPARE(nom()->text(), QStringLiteral("Paul"));

        program->db().execute(QStringLiteral("ROLLBACK"));
        QCOMPARE(pret(1), QStringLiteral("NULL"));
        QCOMPARE(pret(2), QStringLiteral("Paul"));
        QCOMPARE(datePret(2), QStringLiteral("01/02/2020"));
        checkCounters();

        // Once the catalogue is free again the same return goes through.
        program->platform().answers = {ui::mb::Yes};
        tick(chk());
        QCOMPARE(pret(2), QStringLiteral("NULL"));
        QCOMPARE(datePret(2), QStringLiteral("NULL"));
    }

    void loanListShowsNamedBorrowersOnly()
    {
        start();
        program->db().execute(QStringLiteral("UPDATE film SET pret_film=\"\", date_pret=\"05/05/2021\" WHERE code_film = 3"));
        QTest::keyClicks(textBox(QStringLiteral("txt_search")), QStringLiteral("c"));
        menu(QStringLiteral("mnuliste"));
        QCOMPARE(textBox(QStringLiteral("txt_search"))->text(), QString());
        QCOMPARE(list()->columnCount(), 4);
        QCOMPARE(list()->columnCaption(1), QStringLiteral("Emprunté par"));
        QCOMPARE(list()->columnWidth(3), 0);
        QCOMPARE(list()->rowCount(), 1);
        QCOMPARE(list()->rowText(0), QStringLiteral("Batman"));
        QCOMPARE(list()->cellText(0, 1), QStringLiteral("Paul"));
        QCOMPARE(list()->cellText(0, 2), QStringLiteral("01/02/2020"));
        QCOMPARE(list()->cellText(0, 3), QStringLiteral("2"));
        QCOMPARE(Connection::requete, QStringLiteral("SELECT code_film, nom_film, pret_film, date_pret FROM Film "
                                                     "WHERE pret_film <>'' ORDER BY nom_film"));

        // An empty name still counts as a loan for the box.
        textBox(QStringLiteral("txt_search"))->setText(QStringLiteral("Cas"));
        selectFilm(QStringLiteral("Casino"));
        expectBox(lent);
        QCOMPARE(nom()->text(), QString());
    }

    void loanListWithoutLoansKeepsItsColumns()
    {
        start();
        program->db().execute(QStringLiteral("UPDATE film SET pret_film=NULL, date_pret=NULL"));
        menu(QStringLiteral("mnuliste"));
        QCOMPARE(list()->rowCount(), 0);
        QCOMPARE(list()->columnCount(), 4);
        QCOMPARE(list()->columnCaption(2), QStringLiteral("Date emprunts"));
    }
};

CINABREL_TEST_MAIN(TestLoans)

#include "test_loans.moc"
