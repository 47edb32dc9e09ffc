#include "app/Connection.h"
#include "store/DbError.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"
#include "ui/ListView.h"
#include "ui/main/Frm_Accueil.h"

#include <QLabel>

using testing::Film;
using testing::TestProgram;

namespace {

const QString kAll = QStringLiteral("select * from film order by nom_film");

QStringList counters()
{
    QStringList values;
    for (const char* name : {"lbl_stat_nbr", "lbl_stat_dvd", "lbl_stat_pret", "lbl_dispo"})
        values.append(Frm_Accueil::instance().control<QLabel>(QString::fromLatin1(name))->text());
    return values;
}

QStringList shownTitles()
{
    ui::ListView* list = Frm_Accueil::instance().List();
    QStringList titles;
    for (int i = 0; i < list->rowCount(); ++i)
        titles.append(list->rowText(i));
    return titles;
}

}  // namespace

class TestChargeliste : public QObject {
    Q_OBJECT
private slots:
    void filmRowsCarryTheirCellsAndKey()
    {
        TestProgram program;
        program.insert({.code = 2, .nom = QStringLiteral("Brazil"), .type = QStringLiteral("Drame"),
                        .cd = QStringLiteral("2"), .format = QStringLiteral("Dvd"), .duree = QStringLiteral("02h12")});
        program.insert({.code = 9, .nom = QStringLiteral("Alien")});
        program.insert({.code = 5, .nom = QStringLiteral("alien")});
        QVERIFY(testing::startProgram());
        ui::ListView* list = Frm_Accueil::instance().List();
        QCOMPARE(list->rowCount(), 3);
        QCOMPARE(list->rowText(2), QStringLiteral("Brazil"));
        QCOMPARE(list->cellCount(2), 5);
        QCOMPARE(list->cellText(2, 1), QStringLiteral("Drame"));
        QCOMPARE(list->cellText(2, 2), QStringLiteral("02h12"));
        QCOMPARE(list->cellText(2, 3), QStringLiteral("2"));
        QCOMPARE(list->cellText(2, 4), QStringLiteral("Dvd"));
        QCOMPARE(list->cellText(2, 5), QStringLiteral("2"));
        // One title twice: both rows, each with its own key.
        QCOMPARE(QSet<QString>({list->cellText(0, 5), list->cellText(1, 5)}), QSet<QString>({"9", "5"}));
        QCOMPARE(list->rowText(0).toLower(), QStringLiteral("alien"));
    }

    void countersCoverTheWholeCatalogue()
    {
        TestProgram program;
        program.insert({.code = 1, .nom = QStringLiteral("A"), .qualite = QStringLiteral("DvD")});
        program.insert({.code = 2, .nom = QStringLiteral("B"), .pret = QStringLiteral("Paul"),
                        .datePret = QStringLiteral("01/12/2026")});
        program.insert({.code = 3, .nom = QStringLiteral("C")});
        QVERIFY(testing::startProgram());
        QCOMPARE(counters(), (QStringList{"2", "1", "1", "2"}));

        // A filter changes the rows, never the counters.
        Connection::chargeliste(QStringLiteral("SELECT * FROM Film WHERE format_film ='Dvd' ORDER BY nom_film"));
        QCOMPARE(shownTitles(), QStringList{QStringLiteral("Aucun film dans la base de donnée")});
        QCOMPARE(counters(), (QStringList{"2", "1", "1", "2"}));
    }

    void availableFilmsAreTheFilmsNotLent()
    {
        TestProgram program;
        program.insert({.code = 1, .nom = QStringLiteral("Divx")});
        program.insert({.code = 2, .nom = QStringLiteral("Dvd 1"), .qualite = QStringLiteral("DvD"),
                        .pret = QStringLiteral("Léa"), .datePret = QStringLiteral("01/12/2026")});
        program.insert({.code = 3, .nom = QStringLiteral("Dvd 2"), .qualite = QStringLiteral("dvd"),
                        .pret = QString(), .datePret = QStringLiteral("02/12/2026")});
        QVERIFY(testing::startProgram());
        // An empty borrower still counts as lent.
        QCOMPARE(counters(), (QStringList{"1", "2", "2", "1"}));
    }

    void countersFollowTheCatalogueDownToEmpty()
    {
        TestProgram program;
        program.insert({.code = 1, .nom = QStringLiteral("Seul"), .pret = QStringLiteral("Max"),
                        .datePret = QStringLiteral("03/12/2026")});
        QVERIFY(testing::startProgram());
        QCOMPARE(counters(), (QStringList{"1", "0", "1", "0"}));
        program.db().execute(QStringLiteral("Delete * from film where code_film=1"));
        Connection::chargeliste(kAll);
        QCOMPARE(shownTitles(), QStringList{QStringLiteral("Aucun film dans la base de donnée")});
        QCOMPARE(Frm_Accueil::instance().List()->cellCount(0), 0);
        QCOMPARE(counters(), (QStringList{"0", "0", "0", "0"}));
    }

    void rowsWithoutOrderComeInTheEnginesOrder()
    {
        TestProgram program;
        for (int code : {30, 4, 17, 8})
            program.insert({.code = code, .nom = QStringLiteral("Film %1").arg(code),
                            .langue = code % 2 ? QStringLiteral("Anglais") : QStringLiteral("Français")});
        QVERIFY(testing::startProgram());
        for (const QString& statement : {QStringLiteral("SELECT * FROM Film WHERE langue_Film ='Français'"),
                                        QStringLiteral("SELECT * FROM Film WHERE langue_Film <>'Français'")}) {
            store::Recordset rs;
            rs.open(statement, program.db());
            QStringList engineOrder;
            for (; !rs.eof(); rs.moveNext())
                engineOrder.append(rs.text(QStringLiteral("nom_film")));
            Connection::chargeliste(statement);
            QCOMPARE(shownTitles(), engineOrder);
        }
        QCOMPARE(shownTitles(), QStringList{QStringLiteral("Film 17")});
    }

    void nullColumnsShowAsEmptyText()
    {
        TestProgram program;
        program.db().execute(QStringLiteral("INSERT INTO film (code_film, nom_film) VALUES (12, \"Nu\")"));
        QVERIFY(testing::startProgram());
        ui::ListView* list = Frm_Accueil::instance().List();
        QCOMPARE(list->rowText(0), QStringLiteral("Nu"));
        QCOMPARE(list->cellText(0, 1), QString());
        QCOMPARE(list->cellText(0, 5), QStringLiteral("12"));
        // NULL quality is neither a Divx nor a DVD; the film is at home.
        QCOMPARE(counters(), (QStringList{"0", "0", "0", "1"}));
    }

    void alwaysFillsTheFilmLayout()
    {
        TestProgram program;
        program.insert({.code = 3, .nom = QStringLiteral("Clé")});
        QVERIFY(testing::startProgram());
        Frm_Accueil& accueil = Frm_Accueil::instance();
        accueil.iniliste(0);
        QCOMPARE(accueil.List()->columnCount(), 4);
        Connection::chargeliste(kAll);
        QCOMPARE(accueil.type_liste, 1);
        QCOMPARE(accueil.List()->columnCount(), 6);
        QCOMPARE(accueil.List()->columnWidth(5), 0);
        QCOMPARE(accueil.List()->cellText(0, 5), QStringLiteral("3"));
    }

    void aFailingStatementLeavesTheListAsItWas()
    {
        TestProgram program;
        program.insert({.code = 1, .nom = QStringLiteral("Reste")});
        QVERIFY(testing::startProgram());
        QVERIFY_THROWS_EXCEPTION(store::DbError, Connection::chargeliste(QStringLiteral("select * from film where")));
        QCOMPARE(shownTitles(), QStringList{QStringLiteral("Reste")});
        QVERIFY_THROWS_EXCEPTION(store::DbError,
                                 Connection::chargeliste(QStringLiteral("select code_film from film")));
        QCOMPARE(shownTitles(), QStringList{QStringLiteral("Reste")});
    }
};

CINABREL_TEST_MAIN(TestChargeliste)

#include "test_chargeliste.moc"
