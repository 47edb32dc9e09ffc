#include "store/Catalogue.h"
#include "store/DbError.h"
#include "store/Dialect.h"
#include "store/FrenchText.h"
#include "store/Recordset.h"
#include "support/Files.h"
#include "support/TestCatalogue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <sqlite3.h>

using testing::film;
using testing::Film;
using testing::TestCatalogue;

namespace {

QStringList titles(TestCatalogue& catalogue, const QString& where)
{
    store::Recordset rs;
    rs.open("select nom_film from film " + where, catalogue.db());
    QStringList result;
    for (; !rs.eof(); rs.moveNext())
        result.append(rs.text("NOM_FILM"));
    return result;
}

}  // namespace

// The engine under the statements: the dialect, French text, the file and the recordset.
class TestStoreDialect : public QObject {
    Q_OBJECT
private slots:
    void literalsBecomeParameters_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("both quotes, doubled inside")
                << "UPDATE film SET pret_film=\"l'\"\"ami\", date_pret='01''02'  WHERE code_film = 5"
                << "UPDATE film SET pret_film=?, date_pret=?  WHERE code_film = 5"
                << QStringList {"l'\"ami", "01'02"};
        QTest::newRow("delete star") << "  Delete * from film where code_film=5"
                                     << "DELETE FROM film where code_film=5" << QStringList();
        QTest::newRow("star elsewhere kept") << "select * from film"
                                             << "select * from film" << QStringList();
        QTest::newRow("empty literal last") << "select \"\""
                                            << "select ?" << QStringList {""};
    }

    void literalsBecomeParameters()
    {
        QFETCH(QString, statement);
        QFETCH(QString, sql);
        QFETCH(QStringList, texts);
        const store::TranslatedStatement translated = store::translateStatement(statement);
        QCOMPARE(translated.sql, sql);
        QCOMPARE(translated.texts, texts);
    }

    void quotedTextReadsBackAsItsValue()
    {
        for (const QString& value : {QString(), QStringLiteral("a\"b\"\""), QStringLiteral("l'été")}) {
            for (QChar quote : {u'"', u'\''}) {
                const QString literal = store::quotedText(value, quote);
                QCOMPARE(literal.front(), quote);
                QCOMPARE(store::translateStatement("select " + literal).texts, QStringList {value});
            }
        }
        QVERIFY_THROWS_EXCEPTION(store::DbError, store::translateStatement("select 'abc"));
        QVERIFY_THROWS_EXCEPTION(store::DbError, store::translateStatement("select \"abc''"));
    }

    void namesAndComparisonsIgnoreLetterCase_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("equal") << "WHERE nom_film = 'ÉTÉ'" << QStringList {"été"};
        QTest::newRow("double-quoted literal is text")
                << "WHERE nom_film = \"Fargo\"" << QStringList {"Fargo"};
        QTest::newRow("not equal") << "WHERE NOM_FILM <> 'été' order by nom_film"
                                   << QStringList {"Eclipse", "Éléphant", "Fargo", "œil"};
        QTest::newRow("like, accented letter")
                << "WHERE nom_film LIKE 'é%'" << QStringList {"Éléphant", "été"};
        QTest::newRow("like, plain letter") << "WHERE nom_film LIKE 'E%'" << QStringList {"Eclipse"};
        QTest::newRow("like, underscore") << "WHERE nom_film LIKE '_t_'" << QStringList {"été"};
        QTest::newRow("like, ligature") << "WHERE nom_film LIKE 'Œ%'" << QStringList {"œil"};
        QTest::newRow("null never equal")
                << "WHERE pret_film = pret_film OR pret_film <> 'x'" << QStringList();
        QTest::newRow("French order")
                << "order by nom_film" << QStringList {"Eclipse", "Éléphant", "été", "Fargo", "œil"};
        QTest::newRow("descending") << "ORDER BY Nom_Film DESC"
                                    << QStringList {"œil", "Fargo", "été", "Éléphant", "Eclipse"};
    }

    void namesAndComparisonsIgnoreLetterCase()
    {
        QFETCH(QString, where);
        QFETCH(QStringList, expected);
        TestCatalogue catalogue;
        int code = 1;
        for (const char* title : {"été", "Éléphant", "œil", "Eclipse", "Fargo"})
            catalogue.insert(film(code++, title));
        QStringList found = titles(catalogue, where);
        if (!where.contains("order", Qt::CaseInsensitive))
            found.sort();
        QCOMPARE(found, expected);
    }

    void frenchTextFunctions()
    {
        QCOMPARE(store::compareFrench(u"ÉTÉ", u"été"), 0);
        QCOMPARE(store::compareFrench(u"Eclipse", u"Éléphant"), -1);
        QCOMPARE(store::compareFrench(u"Zorro", u"abyss"), 1);
        QCOMPARE(store::compareFrench(u"œuvre", u"oeil"), 1);
        QVERIFY(store::likeFrench(u"", u""));
        QVERIFY(!store::likeFrench(u"a", u""));
        QVERIFY(!store::likeFrench(u"", u"a"));
        QVERIFY(store::likeFrench(u"%", u""));
        QVERIFY(store::likeFrench(u"a%%", u"A"));
        QVERIFY(store::likeFrench(u"%😀_", u"x😀é"));
        QVERIFY(!store::likeFrench(u"😀", u"😁"));
        QVERIFY(store::likeFrench(u"%b%c", u"abxbc"));
        QVERIFY(!store::likeFrench(u"%b%c", u"abxbcd"));
        // A pathological pattern over a long text answers at once instead of backtracking forever.
        const QString text(10000, u'a');
        QVERIFY(!store::likeFrench(u"%a%a%a%a%a%a%a%a%b", text));
        QVERIFY(store::likeFrench(u"%a%a%a%a%a%a%a%a%", text));
    }

    void recordsetReadsFieldsByName()
    {
        TestCatalogue catalogue;
        catalogue.insert(film(41, "Alien"));
        store::Recordset rs;
        QVERIFY_THROWS_EXCEPTION(store::DbError, rs.eof());
        rs.open("select code_film as Cle, nom_film, pret_film, 2.5 as n from film", catalogue.db());
        QVERIFY(rs.isOpen() && !rs.eof());
        QCOMPARE(rs.fieldCount(), 4);
        QCOMPARE(rs.fieldIndex("cle"), 0);
        QCOMPARE(rs.value("CLE"), QVariant(qint64(41)));
        QCOMPARE(rs.text(0), QStringLiteral("41"));
        QCOMPARE(rs.value("nom_film"), QVariant(QStringLiteral("Alien")));
        QVERIFY(rs.isNull("pret_film") && !rs.isNull(1) && rs.value(2).isNull() && rs.text(2).isEmpty());
        QCOMPARE(rs.value(3), QVariant(2.5));
        QVERIFY_THROWS_EXCEPTION(store::DbError, rs.text("absent"));
        QVERIFY_THROWS_EXCEPTION(store::DbError, rs.text(4));
        rs.moveNext();
        QVERIFY(rs.eof());
        QVERIFY_THROWS_EXCEPTION(store::DbError, rs.text(0));
        QVERIFY_THROWS_EXCEPTION(store::DbError, rs.moveNext());
        // A statement without rows runs at once and leaves the recordset closed.
        rs.open("Delete * from film where code_film=41", catalogue.db());
        QVERIFY(!rs.isOpen());
        QCOMPARE(catalogue.count(), 0);
    }

    void statementsAreKeptPreparedAndRefusedWhole()
    {
        TestCatalogue catalogue;
        store::Database& db = catalogue.db();
        // More distinct statements than the connection keeps prepared, then the first again.
        for (int i = 0; i <= 60; ++i)
            QCOMPARE(
                    db.execute(
                            QStringLiteral("INSERT INTO film (code_film, nom_film) VALUES (%1, 'x')").arg(i)),
                    1);
        QCOMPARE(db.execute("UPDATE film SET nom_film='y' WHERE code_film < 10"), 10);
        QCOMPARE(db.execute("UPDATE film SET nom_film='y' WHERE code_film < 10"), 10);
        QCOMPARE(catalogue.count("nom_film = 'y'"), 10);
        for (const char* refused :
             {"", "select * from nulle_part", "select ?", "INSERT INTO film (code_film) VALUES (0)"})
            QVERIFY_THROWS_EXCEPTION(store::DbError, db.execute(QString::fromLatin1(refused)));
        // Keys stay unique and sixteen-bit.
        for (int code : {32768, -32769})
            QVERIFY_THROWS_EXCEPTION(store::DbError, catalogue.insert(film(code)));
        catalogue.insert(film(-32768));
        QCOMPARE(catalogue.count(), 62);
    }

    void contentStampMovesWithEveryChange()
    {
        TestCatalogue catalogue;
        store::Database& db = catalogue.db();
        const QString first = db.contentStamp();
        QCOMPARE(db.contentStamp(), first);
        catalogue.insert(film(1));
        const QString second = db.contentStamp();
        QVERIFY(second != first);
        auto other = store::Database::open(catalogue.cataloguePath());
        other->execute("UPDATE film SET nom_film='autre'");
        QVERIFY(db.contentStamp() != second);
    }

    void onlyACatalogueOpens_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("statements");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << QByteArray() << QString() << "introuvable";
        QTest::newRow("a folder") << QByteArray() << "folder"
                                  << "introuvable";
        QTest::newRow("text") << QByteArray("Titre;Durée\r\n") << QString()
                              << "le fichier est endommagé ou n'est pas une base de donnée";
        QTest::newRow("no table film") << QByteArray() << "CREATE TABLE autre (x)"
                                       << "n'est pas un catalogue";
        QTest::newRow("a column missing")
                << QByteArray() << "CREATE TABLE film (code_film, nom_film, type_film)"
                << "Il manque la colonne cd_film";
    }

    void onlyACatalogueOpens()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, statements);
        QFETCH(QString, message);
        TestCatalogue catalogue(false);
        const QString path = catalogue.cataloguePath();
        if (!content.isEmpty())
            QVERIFY(testing::writeBytes(path, content));
        if (statements == "folder") {
            QVERIFY(QDir().mkpath(path));
        } else if (!statements.isEmpty()) {
            sqlite3* db = nullptr;
            sqlite3_open(path.toUtf8().constData(), &db);
            QCOMPARE(sqlite3_exec(db, statements.toUtf8().constData(), nullptr, nullptr, nullptr), SQLITE_OK);
            sqlite3_close(db);
        }
        try {
            store::Database::open(path);
            QFAIL("opened");
        } catch (const store::DbError& error) {
            QVERIFY2(error.message().contains(message), qPrintable(error.message()));
        }
        // Nothing is ever made over an existing file.
        if (QFileInfo::exists(path))
            QVERIFY_THROWS_EXCEPTION(store::DbError, store::createCatalogue(path));
    }
};

QTEST_GUILESS_MAIN(TestStoreDialect)
#include "test_store_dialect.moc"
