#include "store/DbError.h"
#include "store/Recordset.h"
#include "support/Testing.h"

using namespace testing::accueil;

namespace {

const QStringList kCounters = {"lbl_stat_nbr", "lbl_stat_dvd", "lbl_stat_pret", "lbl_dispo"};
const QStringList kEmpty = {"Aucun film dans la base de donnée"};

}  // namespace

class TestChargeliste : public testing::ProgramTest {
    Q_OBJECT
private slots:
    void filmRowsCarryTheirCellsAndKey()
    {
        start({{.code = 2, .nom = "Brazil", .type = "Drame", .cd = "2", .format = "Dvd", .duree = "02h12"},
               {.code = 9, .nom = "Alien"},
               {.code = 5, .nom = "alien"}});
        program->db().execute("INSERT INTO film (code_film, nom_film) VALUES (12, \"Nu\")");
        Connection::chargeliste("select * from film order by nom_film");
        QCOMPARE(titles().mid(2), (QStringList {"Brazil", "Nu"}));
        QCOMPARE(list()->cellCount(2), 5);
        QCOMPARE(QStringList({cells(1)[2], cells(2)[2], cells(3)[2], cells(4)[2], cells(5)[2]}),
                 (QStringList {"Drame", "02h12", "2", "Dvd", "2"}));
        // NULL columns show as empty text.
        QCOMPARE(cells(1)[3] + '|' + cells(5)[3], QStringLiteral("|12"));
        // One title twice: both rows, each with its own key.
        QCOMPARE(QSet<QString>({cells(5)[0], cells(5)[1]}), QSet<QString>({"9", "5"}));
        QCOMPARE(titles()[0].toLower(), QStringLiteral("alien"));
    }

    void countersCoverTheWholeCatalogue()
    {
        // An empty borrower still counts as lent; NULL quality is neither a Divx nor a DVD.
        start({{.code = 1, .nom = "A", .qualite = "DvD"},
               {.code = 2, .nom = "B", .pret = "Paul", .datePret = "01/12/2026"},
               {.code = 3, .nom = "C"},
               {.code = 4, .nom = "D", .qualite = "dvd", .pret = "", .datePret = "02/12/2026"}});
        program->db().execute("INSERT INTO film (code_film, nom_film) VALUES (12, \"Nu\")");
        Connection::chargeliste("select * from film order by nom_film");
        QCOMPARE(labels(kCounters), (QStringList {"2", "2", "2", "3"}));
        // A filter changes the rows, never the counters.
        Connection::chargeliste("SELECT * FROM Film WHERE format_film ='Dvd' ORDER BY nom_film");
        QCOMPARE(titles(), kEmpty);
        QCOMPARE(labels(kCounters), (QStringList {"2", "2", "2", "3"}));

        program->db().execute("Delete * from film");
        Connection::chargeliste("select * from film order by nom_film");
        QCOMPARE(titles(), kEmpty);
        QCOMPARE(list()->cellCount(0), 0);
        QCOMPARE(labels(kCounters), QStringList(4, "0"));
    }

    void rowsWithoutOrderComeInTheEnginesOrder()
    {
        QList<testing::Film> films;
        for (int code : {30, 4, 17, 8})
            films.append({.code = code,
                          .nom = QStringLiteral("Film %1").arg(code),
                          .langue = code % 2 ? "Anglais" : "Français"});
        start(films);
        for (const char* statement : {"SELECT * FROM Film WHERE langue_Film ='Français'",
                                      "SELECT * FROM Film WHERE langue_Film <>'Français'"}) {
            store::Recordset rs;
            rs.open(QString::fromUtf8(statement), program->db());
            QStringList engineOrder;
            for (; !rs.eof(); rs.moveNext())
                engineOrder.append(rs.text("nom_film"));
            Connection::chargeliste(QString::fromUtf8(statement));
            QCOMPARE(titles(), engineOrder);
        }
        QCOMPARE(titles(), QStringList {"Film 17"});
    }

    void alwaysFillsTheFilmLayoutOrNothing()
    {
        start({{.code = 3, .nom = "Clé"}});
        Frm_Accueil::instance().iniliste(ListLayout::Loans);
        QCOMPARE(list()->columnCount(), 4);
        Connection::chargeliste("select * from film order by nom_film");
        QCOMPARE(Frm_Accueil::instance().type_liste, ListLayout::Films);
        QCOMPARE(list()->columnCount(), 6);
        QCOMPARE(list()->columnWidth(5), 0);
        QCOMPARE(list()->cellText(0, 5), QStringLiteral("3"));
        // A failing statement leaves the list as it was.
        QVERIFY_THROWS_EXCEPTION(store::DbError, Connection::chargeliste("select * from film where"));
        QVERIFY_THROWS_EXCEPTION(store::DbError, Connection::chargeliste("select code_film from film"));
        QCOMPARE(titles(), QStringList {"Clé"});
    }
};

CINABREL_TEST_MAIN(TestChargeliste)

#include "test_chargeliste.moc"
