#include "store/Dialect.h"
#include "support/Testing.h"

using namespace testing::accueil;

namespace {

const QString kQuestion = QStringLiteral("4|Cinabrel|Avez vous bien récupérez ce Divx?");

QCheckBox* chk() { return checkBox("chk_pret"); }
QLineEdit* nom() { return textBox("txt_nom"); }

// The loan box as "tag caption ticked fields-shown name-locked button-shown", and the name and date shown.
QString box()
{
    const bool fields = nom()->isVisible();
    for (const char* field : {"lbl_nom", "lbl_date1", "lbl_date"})
        if (label(field)->isVisible() != fields)
            return QStringLiteral("loan fields shown apart");
    return QStringLiteral("%1 %2 %3 %4 %5")
            .arg(chk()->text())
            .arg(int(chk()->isChecked()))
            .arg(int(fields))
            .arg(int(fields && nom()->isReadOnly()))
            .arg(int(button("cmd_pret")->isVisible()));
}

const QString atHome = QStringLiteral("Emprunt 0 0 0 0");
const QString enteringLoan = QStringLiteral("Emprunt 1 1 0 1");
const QString lent = QStringLiteral("Retour 0 1 1 0");

void lendTo(const QString& name)
{
    QTest::keyClicks(nom(), name);
    QTest::mouseClick(button("cmd_pret"), Qt::LeftButton);
}

}  // namespace

class TestLoans : public testing::ProgramTest {
    Q_OBJECT

    void start()
    {
        ProgramTest::start({{.code = 1, .nom = "Alien"},
                            {.code = 2, .nom = "Batman", .pret = "Paul", .datePret = "01/02/2020"},
                            {.code = 3, .nom = "Casino", .qualite = "DvD"}});
    }
    QString loan(int code)
    {
        return program->column("pret_film", code) + u'|' + program->column("date_pret", code);
    }
    // The counters shown, against those the catalogue gives.
    void checkCounters(const QString& lentCount)
    {
        QCOMPARE(labels({"lbl_stat_pret", "lbl_dispo"}),
                 (QStringList {lentCount, QString::number(3 - lentCount.toInt())}));
        QCOMPARE(program->count("pret_film IS NOT NULL"), lentCount.toInt());
    }
    void select(const QString& title) { clickRow(rowOf(title)); }

private slots:
    void boxWaitsForASelection()
    {
        start();
        QVERIFY(!chk()->isVisible());
        chk()->setChecked(true);
        QVERIFY(!chk()->isChecked() && !button("cmd_pret")->isVisible());
        QCOMPARE(program->messages(), QStringList());
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
        select("Alien");
        QCOMPARE(box(), atHome);
        tick(chk());
        QCOMPARE(box(), enteringLoan);
        QCOMPARE(nom()->text() + '|' + label("lbl_date")->text(), QStringLiteral("|06/12/2026"));
        tick(chk());
        QCOMPARE(box(), atHome);
        QCOMPARE(loan(1), QStringLiteral("NULL|NULL"));

        tick(chk());
        program->platform().clock = QDateTime(QDate(2027, 1, 3), QTime(9, 0));
        lendTo(name);
        QCOMPARE(loan(1), name + "|03/01/2027");
        QCOMPARE(box(), lent);
        QCOMPARE(nom()->text() + '|' + label("lbl_date")->text(), name + "|03/01/2027");
        checkCounters("2");
        // A loan just recorded is returned like any other.
        program->platform().answers = {ui::Answer::Yes};
        tick(chk());
        QCOMPARE(program->messages(), QStringList {kQuestion});
        QCOMPARE(loan(1), QStringLiteral("NULL|NULL"));
        QCOMPARE(box(), atHome);
        checkCounters("1");
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
        select("Alien");
        tick(chk());
        lendTo(name);
        QCOMPARE(program->messages(), QStringList {"64|Cinabrel|Vous devez entrer le nom de l'emprunteur"});
        QCOMPARE(Frm_Accueil::instance().window()->focusWidget(), nom());
        QCOMPARE(box(), enteringLoan);
        QCOMPARE(loan(1), QStringLiteral("NULL|NULL"));
    }

    void returningALentFilm()
    {
        start();
        select("Batman");
        QCOMPARE(box(), lent);
        program->platform().answers = {ui::Answer::No};
        tick(chk());
        QCOMPARE(program->messages(), QStringList {kQuestion});
        QCOMPARE(box(), QStringLiteral("Retour 1 1 1 0"));
        QCOMPARE(loan(2), QStringLiteral("Paul|01/02/2020"));
        tick(chk());
        QCOMPARE(box(), QStringLiteral("Retour 0 0 0 0"));
        QCOMPARE(program->messages().size(), 1);

        program->platform().answers = {ui::Answer::Yes};
        tick(chk());
        QCOMPARE(program->messages().size(), 2);
        QCOMPARE(loan(2), QStringLiteral("NULL|NULL"));
        QCOMPARE(box(), atHome);
        checkCounters("0");

        // Taken back, the film can be lent again at once.
        tick(chk());
        QCOMPARE(box(), enteringLoan);
        lendTo("Marie");
        QCOMPARE(loan(2), QStringLiteral("Marie|06/12/2026"));
        checkCounters("1");
        QCOMPARE(program->platform().unanswered, QStringList());
    }

    void selectingAnotherFilmLeavesAnyState()
    {
        start();
        select("Alien");
        tick(chk());
        select("Batman");
        QCOMPARE(box(), lent);
        QCOMPARE(nom()->text() + '|' + label("lbl_date")->text(), QStringLiteral("Paul|01/02/2020"));
        select("Casino");
        QCOMPARE(box(), atHome);
        QCOMPARE(program->messages(), QStringList());
        QCOMPARE(loan(1), QStringLiteral("NULL|NULL"));
    }

    void lockedCatalogueChangesNothing()
    {
        start();
        select("Alien");
        tick(chk());
        program->db().execute("BEGIN IMMEDIATE");
        lendTo("Jean");
        QCOMPARE(program->messages().size(), 1);
        QVERIFY(program->platform().lastPrompt().startsWith("Le prêt n'a pas pu être enregistré :\r\n"));
        QCOMPARE(box(), enteringLoan);
        QCOMPARE(nom()->text(), QStringLiteral("Jean"));
        QCOMPARE(label("lbl_stat_pret")->text(), QStringLiteral("1"));

        select("Batman");
        program->platform().answers = {ui::Answer::Yes};
        tick(chk());
        QCOMPARE(program->messages().size(), 3);
        QVERIFY(program->platform().lastPrompt().startsWith(
                "Le retour du film n'a pas pu être enregistré :\r\n"));
        QCOMPARE(box(), lent);
        QCOMPARE(nom()->text(), QStringLiteral("Paul"));

        program->db().execute("ROLLBACK");
        QCOMPARE(loan(1) + ' ' + loan(2), QStringLiteral("NULL|NULL Paul|01/02/2020"));
        checkCounters("1");
        // Once the catalogue is free again the same return goes through.
        program->platform().answers = {ui::Answer::Yes};
        tick(chk());
        QCOMPARE(loan(2), QStringLiteral("NULL|NULL"));
    }

    void loanListShowsNamedBorrowersOnly()
    {
        start();
        program->db().execute("UPDATE film SET pret_film=\"\", date_pret=\"05/05/2021\" WHERE code_film = 3");
        QTest::keyClicks(textBox("txt_search"), "c");
        menu("mnuliste");
        QCOMPARE(textBox("txt_search")->text(), QString());
        QCOMPARE(list()->columnCount(), 4);
        QCOMPARE(list()->columnCaption(1) + '|' + list()->columnCaption(2),
                 QStringLiteral("Emprunté par|Date emprunts"));
        QCOMPARE(list()->columnWidth(3), 0);
        QCOMPARE(titles(), QStringList {"Batman"});
        QCOMPARE(cells(1) + cells(2) + cells(3), (QStringList {"Paul", "01/02/2020", "2"}));
        // An empty name still counts as a loan for the box.
        textBox("txt_search")->setText("Cas");
        select("Casino");
        QCOMPARE(box(), lent);
        QCOMPARE(nom()->text(), QString());

        program->db().execute("UPDATE film SET pret_film=NULL, date_pret=NULL");
        menu("mnuliste");
        QCOMPARE(list()->rowCount(), 0);
        QCOMPARE(list()->columnCount(), 4);
    }
};

CINABREL_TEST_MAIN(TestLoans)

#include "test_loans.moc"
