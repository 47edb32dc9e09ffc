#include "store/DbError.h"
#include "store/Dialect.h"
#include "store/FrenchText.h"
#include "store/Recordset.h"
#include "support/TestCatalogue.h"

#include <QTest>

using testing::TestCatalogue;

namespace {

QStringList titles(TestCatalogue& program, const QString& statement)
{
    store::Recordset rs;
    rs.open(statement, program.db());
    QStringList result;
    for (; !rs.eof(); rs.moveNext())
        result.append(rs.text("nom_film"));
    return result;
}

}  // namespace

// The statement texts of the windows, run as written on a real catalogue file.
class TestDialect : public QObject {
    Q_OBJECT
private slots:
    void literalsBecomeParameters()
    {
        const auto t = store::translateStatement(
                "UPDATE film SET pret_film=\"l'\"\"ami\", date_pret=\"01/02/2026\"  WHERE code_film = 5");
        QCOMPARE(t.sql, QStringLiteral("UPDATE film SET pret_film=?, date_pret=?  WHERE code_film = 5"));
        QCOMPARE(t.texts, (QStringList {"l'\"ami", "01/02/2026"}));
        QCOMPARE(store::translateStatement("Delete * from film where code_film=5").sql,
                 QStringLiteral("DELETE FROM film where code_film=5"));
        QVERIFY_THROWS_EXCEPTION(store::DbError, store::translateStatement("select 'abc"));
        QCOMPARE(store::quotedText("a\"b"), QStringLiteral("\"a\"\"b\""));
        QCOMPARE(store::quotedText("l'été", u'\''), QStringLiteral("'l''été'"));
    }

    void writersStoreEveryValueExactly()
    {
        TestCatalogue program;
        auto& db = program.db();
        db.execute("INSERT INTO film (code_film,nom_film,type_film,cd_film,qualite_film, "
                   "format_film,obs_Film,langue_Film,"
                   "codec_Film,codec_Son,duree,realisateur, acteur,annee) VALUES "
                   "(1,\"acteur\",\"----\",\"1\",\"Bonne\","
                   "\"Avi\",\"-\",\"Français\",\"DivX\",\"MP3\",\"00h00\",\"-\",\"Jean \"\"Le "
                   "Grand\"\"\",\"2001\")");
        QCOMPARE(program.value("select nom_film || '|' || acteur from film"),
                 QStringLiteral("acteur|Jean \"Le Grand\""));
        QCOMPARE(program.column("pret_film", 1), QStringLiteral("NULL"));

        db.execute("UPDATE film SET nom_film=\"codec_Son\", type_film = \"Drame\",cd_film=\"2\", "
                   "qualite_film=\"DvD\","
                   "format_film=\"Dvd\", obs_Film=\"l'été; -- fin\",langue_Film=\"Anglais\", "
                   "codec_Film=\"XviD\","
                   "codec_Son=\"AC3\", duree=\"01h40\",realisateur=\"R\", acteur=\"A\",annee=\"1999\" WHERE "
                   "code_film=1");
        QCOMPARE(program.value("select NOM_FILM || '|' || obs_film || '|' || codec_son from FILM"),
                 QStringLiteral("codec_Son|l'été; -- fin|AC3"));

        db.execute("UPDATE film SET pret_film=\"\", date_pret=\"06/12/2026\"  WHERE code_film = 1");
        QCOMPARE(program.column("pret_film", 1), QString());
        store::Recordset rs;
        rs.open("UPDATE film SET pret_film=NULL WHERE code_film = 1", db);
        QVERIFY(!rs.isOpen());
        rs.open("UPDATE film SET date_pret=NULL WHERE code_film = 1", db);
        QCOMPARE(program.column("pret_film", 1) + program.column("date_pret", 1), QStringLiteral("NULLNULL"));
        rs.open("Delete * from film where code_film=1", db);
        QCOMPARE(program.count(), 0);
    }

    void countsAndKeys()
    {
        TestCatalogue program;
        store::Recordset rs;
        rs.open("select max(code_film) as nouv from film", program.db());
        QVERIFY(rs.isNull("NOUV"));
        program.insert({.code = 41, .qualite = "DvD"});
        program.insert({.code = 7, .qualite = "Bonne"});
        rs.open("select max(code_film) as nouv from film", program.db());
        QCOMPARE(rs.value("nouv").toInt(), 41);
        rs.open("select COUNT (*) as Test from film WHERE qualite_film='dvd'", program.db());
        QCOMPARE(rs.text("test"), QStringLiteral("1"));
        rs.open("select COUNT (*) as Test from film WHERE qualite_film <>'dvd'", program.db());
        QCOMPARE(rs.text("TEST"), QStringLiteral("1"));
        QVERIFY_THROWS_EXCEPTION(store::DbError, rs.text("nothing"));

        // Keys stay unique and sixteen-bit; invalid statements are refused.
        program.insert({.code = 32767});
        program.insert({.code = -32768});
        for (int code : {32767, 32768, -32769})
            QVERIFY_THROWS_EXCEPTION(store::DbError, program.insert({.code = code}));
        QVERIFY_THROWS_EXCEPTION(store::DbError, program.db().execute("select * from nulle_part"));
        QVERIFY_THROWS_EXCEPTION(store::DbError, program.db().execute(""));
        QCOMPARE(program.count(), 4);
    }

    void textComparisonsIgnoreLetterCase_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("equal, accents") << "nom_film = 'ÉTÉ'" << QStringList {"été"};
        QTest::newRow("like, accented first letter")
                << "nom_film LIKE 'é%'" << QStringList {"Éléphant", "été", "Été indien"};
        QTest::newRow("like, underscore") << "nom_film LIKE '_t_'" << QStringList {"été"};
        QTest::newRow("accent still counts") << "nom_film LIKE 'e%'" << QStringList {"Eclipse"};
        QTest::newRow("not equal") << "nom_film <> 'ECLIPSE' AND nom_film LIKE '%e%'"
                                   << QStringList {"Été indien"};
        QTest::newRow("quality dvd") << "qualite_film='dvd'" << QStringList {"Éléphant"};
    }

    void textComparisonsIgnoreLetterCase()
    {
        QFETCH(QString, where);
        QFETCH(QStringList, expected);
        TestCatalogue program;
        int code = 1;
        for (const QString title : {"été", "Éléphant", "Été indien", "Eclipse", "Fargo"})
            program.insert({.code = code++, .nom = title, .qualite = title == u"Éléphant" ? "DvD" : "Bonne"});
        QCOMPARE(titles(program, "select * from film WHERE " + where + " order by nom_film"), expected);
    }

    void titlesSortTheFrenchWay()
    {
        TestCatalogue program;
        int code = 1;
        for (const QString title :
             {"Fargo", "oeil de verre", "Éléphant", "eclipse", "œil", "Zorro", "abyss", "Abba"})
            program.insert({.code = code++, .nom = title});
        const QStringList sorted = titles(program, "select * from film order by nom_film");
        QCOMPARE(sorted.mid(2),
                 (QStringList {"eclipse", "Éléphant", "Fargo", "œil", "oeil de verre", "Zorro"}));
        QCOMPARE(sorted.first().toLower(), QStringLiteral("abba"));
        QVERIFY(store::compareFrench(u"ÉTÉ", u"été") == 0);
    }

    void wildcardsStayLinear()
    {
        // A pathological pattern over a long text answers at once instead of backtracking forever.
        const QString text = QString(10000, u'a');
        QVERIFY(!store::likeFrench(u"%a%a%a%a%a%a%a%a%b", text));
        QVERIFY(store::likeFrench(u"%a%a%a%a%a%a%a%a%", text));
        QVERIFY(store::likeFrench(u"%😀_", u"x😀é"));
        QVERIFY(!store::likeFrench(u"a", u""));
        QVERIFY(store::likeFrench(u"", u""));
    }
};

QTEST_GUILESS_MAIN(TestDialect)

#include "test_store_dialect.moc"
