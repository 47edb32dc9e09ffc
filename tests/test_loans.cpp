#include "support/FaultyVfs.h"
#include "support/Testing.h"

using namespace testing;

namespace {

// The loan box as the user sees it: the box's caption, whether it is ticked, whether the name and
// date show, whether the name is locked, whether "Enregistrer le prêt" shows, and what they show.
QString loanBox()
{
    const Frm_AccueilControls& c = accueil();
    const bool fields = c.txt_nom->isVisible();
    if (c.lbl_nom->isVisible() != fields || c.lbl_date1->isVisible() != fields
        || c.lbl_date->isVisible() != fields)
        return QStringLiteral("loan fields shown apart");
    return QStringLiteral("%1 %2 %3 %4 %5")
            .arg(c.chk_pret->isVisible() ? c.chk_pret->text() : QStringLiteral("hidden"))
            .arg(int(c.chk_pret->isChecked()))
            .arg(fields ? c.txt_nom->text() + u'@' + c.lbl_date->text() : QStringLiteral("-"))
            .arg(int(c.txt_nom->isReadOnly()))
            .arg(int(c.cmd_pret->isVisible()));
}

}  // namespace

class TestLoans : public ProgramTest {
    Q_OBJECT
private slots:
    // Each step: select a film, tick or untick the box, type a name, record the loan, or give the
    // answer to the next question.
    void loanBoxStates_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("loans");  // borrower and date of Alien and Brazil
        QTest::addColumn<QString>("counters");  // lent, available
        QTest::addColumn<QString>("message");
        const QString today = "06/12/2026";
        QTest::newRow("no film selected") << QStringList {"tick"} << "hidden 0 - 0 0"
                                          << "NULL NULL|Paul 01/12/2026"
                                          << "1 1"
                                          << "";
        QTest::newRow("film at home") << QStringList {"Alien"} << "Emprunt 0 - 0 0"
                                      << "NULL NULL|Paul 01/12/2026"
                                      << "1 1"
                                      << "";
        QTest::newRow("entering a loan") << QStringList {"Alien", "tick"} << "Emprunt 1 @" + today + " 0 1"
                                         << "NULL NULL|Paul 01/12/2026"
                                         << "1 1"
                                         << "";
        QTest::newRow("entry given up") << QStringList {"Alien", "tick", "Marie", "tick"} << "Emprunt 0 - 0 0"
                                        << "NULL NULL|Paul 01/12/2026"
                                        << "1 1"
                                        << "";
        QTest::newRow("loan recorded") << QStringList {"Alien", "tick", "Marie O'\"Hara\"", "record"}
                                       << "Retour 0 Marie O'\"Hara\"@" + today + " 1 0"
                                       << "Marie O'\"Hara\" " + today + "|Paul 01/12/2026"
                                       << "2 0"
                                       << "";
        QTest::newRow("empty name refused")
                << QStringList {"Alien", "tick", "  ", "record"} << "Emprunt 1   @" + today + " 0 1"
                << "NULL NULL|Paul 01/12/2026"
                << "1 1"
                << "64|Cinabrel|Vous devez entrer le nom de l'emprunteur";
        QTest::newRow("lent film") << QStringList {"Brazil"} << "Retour 0 Paul@01/12/2026 1 0"
                                   << "NULL NULL|Paul 01/12/2026"
                                   << "1 1"
                                   << "";
        QTest::newRow("return confirmed") << QStringList {"Brazil", "yes", "tick"} << "Emprunt 0 - 1 0"
                                          << "NULL NULL|NULL NULL"
                                          << "0 2"
                                          << "4|Cinabrel|Avez vous bien récupérez ce Divx?";
        QTest::newRow("return refused")
                << QStringList {"Brazil", "no", "tick"} << "Retour 1 Paul@01/12/2026 1 0"
                << "NULL NULL|Paul 01/12/2026"
                << "1 1"
                << "4|Cinabrel|Avez vous bien récupérez ce Divx?";
        QTest::newRow("return refused, then unticked")
                << QStringList {"Brazil", "no", "tick", "tick"} << "Retour 0 - 1 0"
                << "NULL NULL|Paul 01/12/2026"
                << "1 1"
                << "4|Cinabrel|Avez vous bien récupérez ce Divx?";
        QTest::newRow("lent, returned, lent again")
                << QStringList {"Brazil", "yes", "tick", "tick", "Léa", "record"}
                << "Retour 0 Léa@" + today + " 1 0"
                << "NULL NULL|Léa " + today << "1 1"
                << "4|Cinabrel|Avez vous bien récupérez ce Divx?";
        QTest::newRow("another film leaves the entry")
                << QStringList {"Alien", "tick", "Marie", "Brazil"} << "Retour 0 Paul@01/12/2026 1 0"
                << "NULL NULL|Paul 01/12/2026"
                << "1 1"
                << "";
    }

    void loanBoxStates()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, box);
        QFETCH(QString, loans);
        QFETCH(QString, counters);
        QFETCH(QString, message);
        Film brazil = film(2, "Brazil");
        brazil.pret = "Paul";
        brazil.datePret = "01/12/2026";
        start({film(1, "Alien"), brazil});
        for (const QString& step : steps) {
            if (step == "tick")
                accueil().chk_pret->isVisible() ? tick(accueil().chk_pret)
                                                : accueil().chk_pret->setChecked(true);
            else if (step == "record")
                click(accueil().cmd_pret);
            else if (step == "yes" || step == "no")
                program->platform().answers = {step == "yes" ? ui::Answer::Yes : ui::Answer::No};
            else if (titles().contains(step))
                select(step);
            else
                accueil().txt_nom->insert(step);
        }
        QCOMPARE(loanBox(), box);
        QCOMPARE(program->column("pret_film", 1) + ' ' + program->column("date_pret", 1) + '|'
                         + program->column("pret_film", 2) + ' ' + program->column("date_pret", 2),
                 loans);
        QCOMPARE(shown({accueil().lbl_stat_pret, accueil().lbl_dispo}).join(' '), counters);
        QCOMPARE(messages().join('\n'), message);
    }

    void loanListShowsNamedBorrowers()
    {
        Film paul = film(2, "Brazil"), nobody = film(3, "Casino"), lea = film(4, "Alien");
        paul.pret = "Paul";
        paul.datePret = "01/02/2020";
        nobody.pret = "";
        lea.pret = "Léa";
        lea.datePret = "03/04/2021";
        start({film(1, "Zorro"), paul, nobody, lea});
        accueil().txt_search->setText("Z");
        accueil().mnuliste->trigger();
        QCOMPARE(accueil().txt_search->text(), QString());
        QCOMPARE(titles() + cells(1) + cells(2) + cells(3),
                 (QStringList {"Alien", "Brazil", "Léa", "Paul", "03/04/2021", "01/02/2020", "4", "2"}));
        QCOMPARE(accueil().List->columnCount(), 4);
        QCOMPARE(accueil().List->columnWidth(3), 0);
        // Counters are left as they are; a film without a borrower's name counts as lent.
        QCOMPARE(shown({accueil().lbl_stat_pret, accueil().lbl_dispo}), (QStringList {"3", "1"}));
        start();
        accueil().mnuliste->trigger();
        QCOMPARE(titles(), QStringList());
        QCOMPARE(accueil().List->columnCount(), 4);
    }
};

CINABREL_TEST_MAIN(TestLoans)
#include "test_loans.moc"
