#include "store/Dialect.h"
#include "store/Recordset.h"
#include "support/TestCatalogue.h"

#include <QTest>

// Texts the engine could take for something else than text: marks of byte order, the end of a
// C string, halves of a character, quotes and wildcards of the statements.
class TestStoreValues : public QObject {
    Q_OBJECT
private slots:
    void everyTextComesBackExactly_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("empty") << QString();
        QTest::newRow("byte-order mark first") << QStringLiteral("\uFEFFTitre");
        QTest::newRow("reversed byte-order mark first") << (QChar(0xFFFE) + QStringLiteral("Titre"));
        QTest::newRow("byte-order mark alone") << QStringLiteral("\uFEFF");
        QTest::newRow("two byte-order marks") << QStringLiteral("\uFEFF\uFEFFx");
        QTest::newRow("nul inside") << QString::fromUtf16(u"avant\0après", 11);
        QTest::newRow("lone high surrogate") << (QStringLiteral("a") + QChar(0xD83D) + QStringLiteral("b"));
        QTest::newRow("lone low surrogate last") << (QStringLiteral("a") + QChar(0xDE00));
        QTest::newRow("emoji") << QStringLiteral("🎬 Le film 😀");
        QTest::newRow("quotes of both kinds") << QStringLiteral("L'\"été\" ''\"\"");
        QTest::newRow("statement words") << QStringLiteral("x\"); DROP TABLE film; -- %_ %1");
        QTest::newRow("control characters") << QStringLiteral("\t\r\n\x01\x1f\x7f");
        QTest::newRow("very long") << QString(10000, QChar(u'é'));
    }

    void everyTextComesBackExactly()
    {
        QFETCH(QString, value);
        testing::TestCatalogue program;
        testing::Film witness;
        witness.code = 2;
        program.insert(witness);
        const QString q = store::quotedText(value);
        program.db().execute(
                QStringLiteral("INSERT INTO film (code_film,nom_film,type_film,cd_film,qualite_film, "
                               "format_film,obs_Film,langue_Film,codec_Film,codec_Son,duree,realisateur, "
                               "acteur,annee) VALUES (1,")
                + q + u',' + q + QStringLiteral(",\"1\",\"Bonne\",\"Avi\",") + q
                + QStringLiteral(",\"Français\",\"DivX\",\"MP3\",\"01h30\",") + q + u',' + q
                + QStringLiteral(",\"2000\")"));
        store::Recordset rs;
        rs.open(QStringLiteral("select * from film where code_film=1"), program.db());
        for (const char* column : {"nom_film", "type_film", "obs_Film", "realisateur", "acteur"})
            QCOMPARE(rs.text(QString::fromLatin1(column)), value);
        rs.close();

        program.db().execute(QStringLiteral("UPDATE film SET pret_film=") + q + QStringLiteral(", date_pret=")
                             + q + QStringLiteral("  WHERE code_film = 1"));
        QCOMPARE(program.value(QStringLiteral("select pret_film from film where code_film=1")), value);
        QCOMPARE(program.value(QStringLiteral("select date_pret from film where code_film=1")), value);

        rs.open(QStringLiteral("select * from film WHERE nom_film LIKE ")
                        + store::quotedText(value + u'%', u'\'') + QStringLiteral(" order by nom_film"),
                program.db());
        QStringList found;
        for (; !rs.eof(); rs.moveNext())
            found.append(rs.text(QStringLiteral("code_film")));
        QVERIFY(found.contains(QStringLiteral("1")));
        QCOMPARE(program.value(QStringLiteral("select nom_film from film where code_film=2")), witness.nom);
    }
};

QTEST_GUILESS_MAIN(TestStoreValues)
#include "test_store_values.moc"
