#include "store/DbError.h"
#include "store/Dialect.h"
#include "store/FrenchText.h"
#include "store/Recordset.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"

using testing::Film;
using testing::TestProgram;

// The statement texts of the windows, run as written on a real catalogue file.
class TestDialect : public QObject {
    Q_OBJECT

    QStringList titles(TestProgram& program, const QString& statement)
    {
        store::Recordset rs;
        rs.open(statement, program.db());
        QStringList result;
        while (!rs.eof()) {
            result.append(rs.text(QStringLiteral("nom_film")));
            rs.moveNext();
        }
        return result;
    }

private slots:
    void literalsBecomeParameters()
    {
        const auto t = store::translateStatement(
            QStringLiteral("UPDATE film SET pret_film=\"l'\"\"ami\", date_pret=\"01/02/2026\"  WHERE code_film = 5"));
        QCOMPARE(t.sql, QStringLiteral("UPDATE film SET pret_film=?, date_pret=?  WHERE code_film = 5"));
        QCOMPARE(t.texts, (QStringList{QStringLiteral("l'\"ami"), QStringLiteral("01/02/2026")}));
        QCOMPARE(store::translateStatement(QStringLiteral("Delete * from film where code_film=5")).sql,
                 QStringLiteral("DELETE FROM film where code_film=5"));
        QVERIFY_THROWS_EXCEPTION(store::DbError, store::translateStatement(QStringLiteral("select 'abc")));
        QCOMPARE(store::quotedText(QStringLiteral("a\"b")), QStringLiteral("\"a\"\"b\""));
        QCOMPARE(store::quotedText(QStringLiteral("l'été"), u'\''), QStringLiteral("'l''été'"));
    }

    void writersStoreEveryValueExactly()
    {
        TestProgram program;
        auto& db = program.db();
        db.execute(QStringLiteral(
            "INSERT INTO film (code_film,nom_film,type_film,cd_film,qualite_film, format_film,obs_Film,langue_Film,"
            "codec_Film,codec_Son,duree,realisateur, acteur,annee) VALUES (1,\"acteur\",\"----\",\"1\",\"Bonne\","
            "\"Avi\",\"-\",\"Français\",\"DivX\",\"MP3\",\"00h00\",\"-\",\"Jean \"\"Le Grand\"\"\",\"2001\")"));
        QCOMPARE(program.value(QStringLiteral("select nom_film from film")), QStringLiteral("acteur"));
        QCOMPARE(program.value(QStringLiteral("select acteur from film")), QStringLiteral("Jean \"Le Grand\""));
        QVERIFY(program.isNull(QStringLiteral("select pret_film from film")));

        db.execute(QStringLiteral(
            "UPDATE film SET nom_film=\"codec_Son\", type_film = \"Drame\",cd_film=\"2\", qualite_film=\"DvD\","
            "format_film=\"Dvd\", obs_Film=\"l'été; -- fin\",langue_Film=\"Anglais\", codec_Film=\"XviD\","
            "codec_Son=\"AC3\", duree=\"01h40\",realisateur=\"R\", acteur=\"A\",annee=\"1999\" WHERE code_film=1"));
        QCOMPARE(program.value(QStringLiteral("select NOM_FILM from FILM")), QStringLiteral("codec_Son"));
        QCOMPARE(program.value(QStringLiteral("select obs_film from film")), QStringLiteral("l'été; -- fin"));
        QCOMPARE(program.value(QStringLiteral("select codec_son from Film")), QStringLiteral("AC3"));

        db.execute(QStringLiteral("UPDATE film SET pret_film=\"\", date_pret=\"06/12/2026\"  WHERE code_film = 1"));
        QVERIFY(!program.isNull(QStringLiteral("select pret_film from film")));
        QCOMPARE(program.value(QStringLiteral("select pret_film from film")), QString());
        store::Recordset rs;
        rs.open(QStringLiteral("UPDATE film SET pret_film=NULL WHERE code_film = 1"), db);
        QVERIFY(!rs.isOpen());
        rs.open(QStringLiteral("UPDATE film SET date_pret=NULL WHERE code_film = 1"), db);
        QVERIFY(program.isNull(QStringLiteral("select pret_film from film")));
        QVERIFY(program.isNull(QStringLiteral("select date_pret from film")));

        rs.open(QStringLiteral("Delete * from film where code_film=1"), db, store::Recordset::Dynamic,
                store::Recordset::Optimistic);
        QCOMPARE(program.count(), 0);
    }

    void countsAndHighestKey()
    {
        TestProgram program;
        store::Recordset rs;
        rs.open(QStringLiteral("select max(code_film) as nouv from film"), program.db());
        QVERIFY(rs.isNull(QStringLiteral("NOUV")));
        program.insert({.code = 41, .qualite = QStringLiteral("DvD")});
        program.insert({.code = 7, .qualite = QStringLiteral("Bonne")});
        rs.open(QStringLiteral("select max(code_film) as nouv from film"), program.db());
        QCOMPARE(rs.value(QStringLiteral("nouv")).toInt(), 41);
        rs.open(QStringLiteral("select COUNT (*) as Test from film WHERE qualite_film='dvd'"), program.db());
        QCOMPARE(rs.text(QStringLiteral("test")), QStringLiteral("1"));
        rs.open(QStringLiteral("select COUNT (*) as Test from film WHERE qualite_film <>'dvd'"), program.db());
        QCOMPARE(rs.text(QStringLiteral("TEST")), QStringLiteral("1"));
        QVERIFY_THROWS_EXCEPTION(store::DbError, rs.text(QStringLiteral("nothing")));
    }

    void keysStayUniqueAndSixteenBit()
    {
        TestProgram program;
        program.insert({.code = 32767});
        program.insert({.code = -32768});
        QVERIFY_THROWS_EXCEPTION(store::DbError, program.insert({.code = 32767}));
        QVERIFY_THROWS_EXCEPTION(store::DbError, program.insert({.code = 32768}));
        QVERIFY_THROWS_EXCEPTION(store::DbError, program.insert({.code = -32769}));
        QCOMPARE(program.count(), 2);
    }

    void textComparisonsIgnoreLetterCase_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("equal, accents") << "nom_film = 'ÉTÉ'" << QStringList{"été"};
        QTest::newRow("like, accented first letter") << "nom_film LIKE 'é%'" << QStringList{"Éléphant", "été", "Été indien"};
        QTest::newRow("like, underscore") << "nom_film LIKE '_t_'" << QStringList{"été"};
        QTest::newRow("accent still counts") << "nom_film LIKE 'e%'" << QStringList{"Eclipse"};
        QTest::newRow("not equal") << "nom_film <> 'ECLIPSE' AND nom_film LIKE '%e%'" << QStringList{"Été indien"};
        QTest::newRow("quality dvd") << "qualite_film='dvd'" << QStringList{"Éléphant"};
    }

    void textComparisonsIgnoreLetterCase()
    {
        QFETCH(QString, where);
        QFETCH(QStringList, expected);
        TestProgram program;
        int code = 1;
        for (const char* title : {"été", "Éléphant", "Été indien", "Eclipse", "Fargo"})
            program.insert({.code = code++, .nom = QString::fromUtf8(title),
                            .qualite = QString::fromUtf8(title) == QStringLiteral("Éléphant") ? QStringLiteral("DvD")
                                                                                               : QStringLiteral("Bonne")});
        QStringList found = titles(program, QStringLiteral("select * from film WHERE ") + where + " order by nom_film");
        QCOMPARE(found, expected);
    }

    void titlesSortTheFrenchWay()
    {
        TestProgram program;
        int code = 1;
        for (const char* title : {"Fargo", "oeil de verre", "Éléphant", "eclipse", "œil", "Zorro", "abyss", "Abba"})
            program.insert({.code = code++, .nom = QString::fromUtf8(title)});
        const QStringList sorted = titles(program, QStringLiteral("select * from film order by nom_film"));
        QCOMPARE(sorted.indexOf("eclipse") + 1, sorted.indexOf(QString::fromUtf8("Éléphant")));
        QVERIFY(sorted.indexOf(QString::fromUtf8("Éléphant")) < sorted.indexOf("Fargo"));
        QVERIFY(sorted.indexOf(QString::fromUtf8("œil")) < sorted.indexOf("oeil de verre"));
        QVERIFY(sorted.indexOf("Fargo") < sorted.indexOf(QString::fromUtf8("œil")));
        QCOMPARE(sorted.first().toLower(), QStringLiteral("abba"));
        QCOMPARE(sorted.last(), QStringLiteral("Zorro"));
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

    void invalidStatementsAreRefused()
    {
        TestProgram program;
        QVERIFY_THROWS_EXCEPTION(store::DbError, program.db().execute(QStringLiteral("select * from nulle_part")));
        QVERIFY_THROWS_EXCEPTION(store::DbError, program.db().execute(QStringLiteral("")));
        QCOMPARE(program.count(), 0);
    }
};

CINABREL_TEST_MAIN(TestDialect)

#include "test_dialect.moc"
