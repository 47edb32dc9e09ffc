#include "store/DbError.h"
#include "store/Dialect.h"
#include "store/EngineMessage.h"
#include "store/Fold.h"
#include "store/Recordset.h"
#include "support/Files.h"
#include "support/Golden.h"
#include "support/TestCatalogue.h"

#include <QTest>
#include <sqlite3.h>

using testing::TestCatalogue;

// The engine under the statements: the dialect, French text, the recordset and what the user reads
// when the engine refuses.
class TestStoreDialect : public QObject {
    Q_OBJECT
private slots:
    void literalsBecomeParameters_data() { testing::addTableRows("store/literals.txt"); }

    void literalsBecomeParameters()
    {
        QFETCH(QStringList, fields);
        if (fields[1].isEmpty()) {
            QVERIFY_THROWS_EXCEPTION(store::DbError, store::translateStatement(fields[0]));
            return;
        }
        const store::Statement translated = store::translateStatement(fields[0]);
        QCOMPARE(translated.sql, fields[1]);
        QStringList texts;
        for (const store::BoundValue& value : translated.values) {
            QVERIFY(std::holds_alternative<QString>(value));
            texts.append(std::get<QString>(value));
        }
        QCOMPARE(texts, fields.mid(2));
        // Each value, written between either quote, reads back as itself.
        for (const QString& text : texts) {
            for (QChar quote : {u'"', u'\''}) {
                const QString literal = store::quotedText(text, quote);
                QVERIFY(literal.startsWith(quote));
                const std::vector<store::BoundValue> values =
                        store::translateStatement("select " + literal).values;
                QVERIFY(values.size() == 1 && std::get_if<QString>(&values[0]));
                QCOMPARE(std::get<QString>(values[0]), text);
            }
        }
    }

    // Statements run through the store on a catalogue of five films.
    void statements_data() { testing::addTableRows("store/statements.txt"); }

    void statements()
    {
        QFETCH(QStringList, fields);
        TestCatalogue catalogue;
        int code = 1;
        for (const char* title : {"été", "Éléphant", "œil", "Eclipse", "Fargo"})
            catalogue.insert(code++, title);
        const QList<QStringList> before = testing::filmRows(catalogue.db());
        const QString expected = fields.value(1);
        QStringList rows;
        try {
            for (const QStringList& row : testing::rowsOf(catalogue.db(), fields[0]))
                rows.append(row.join(", "));
        } catch (const store::DbError& error) {
            QVERIFY2(expected.startsWith("refusé : ") && error.message().endsWith(expected.mid(9)),
                     qPrintable(error.message()));
            QCOMPARE(testing::filmRows(catalogue.db()), before);
            return;
        }
        QCOMPARE(rows.join(" | "), expected);
    }

    void foldsAsTheSearchCompares_data() { testing::addTableRows("store/fold.txt"); }

    void foldsAsTheSearchCompares()
    {
        QFETCH(QStringList, fields);
        QCOMPARE(store::fold(fields[0]), fields.value(1));
    }

    // A statement's values reach the engine as given: every text exactly, whatever it holds.
    void boundTextsReachTheEngineExactly_data() { testing::addTableRows("store/any_text.txt"); }

    void boundTextsReachTheEngineExactly()
    {
        QFETCH(QStringList, fields);
        TestCatalogue catalogue;
        const QString& text = fields[1];
        const store::Statement statement {"select ?, typeof(?), hex(?)", {text, text, text}};
        const QList<QStringList> rows = testing::rowsOf(catalogue.db(), statement);
        QCOMPARE(rows.value(0).value(0), text);
        // The catalogue's own bytes: UTF-16, little end first, nothing added or dropped.
        const QByteArray units(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        QCOMPARE(rows.value(0).mid(1), (QStringList {"text", QString::fromLatin1(units.toHex().toUpper())}));
    }

    // A number stays a number, a text of digits stays text, NULL is NULL; a statement given more or
    // fewer values than its placeholders is refused before it runs.
    void boundValuesKeepTheirKind()
    {
        TestCatalogue catalogue;
        store::Database& db = catalogue.db();
        const QList<QStringList> rows = testing::rowsOf(
                db,
                store::Statement {"select typeof(?), typeof(?), typeof(?), ?, ? = 7",
                                  {QStringLiteral("7"), qint64(7), nullptr, qint64(1) << 40, qint64(7)}});
        QCOMPARE(rows, (QList<QStringList> {{"text", "integer", "null", "1099511627776", "1"}}));
        QVERIFY_THROWS_EXCEPTION(
                store::DbError, db.execute(store::Statement {"INSERT INTO film (code_film) VALUES (?)", {}}));
        QVERIFY_THROWS_EXCEPTION(
                store::DbError,
                db.execute(store::Statement {"INSERT INTO film (code_film) VALUES (1)", {qint64(2)}}));
        QCOMPARE(catalogue.count(), 0);
        // A value the engine cannot take is refused, never left unbound to be stored as NULL.
        sqlite3_limit(db.handle(), SQLITE_LIMIT_LENGTH, 1000);
        QVERIFY_THROWS_EXCEPTION(
                store::DbError,
                db.execute(store::Statement {"INSERT INTO film (code_film, nom_film) VALUES (?, ?)",
                                             {qint64(1), QString(1000, u'a')}}));
        QCOMPARE(catalogue.count(), 0);
    }

    void recordsetReadsFieldsByName()
    {
        TestCatalogue catalogue;
        catalogue.insert(41, "Alien");
        store::Recordset rs;
        QVERIFY_THROWS_EXCEPTION(store::DbError, rs.eof());
        rs.open("select code_film as Cle, nom_film, pret_film, 2.5 as n from film", catalogue.db());
        QVERIFY(rs.isOpen() && !rs.eof() && rs.isNull("pret_film") && !rs.isNull(1));
        QCOMPARE((QVariantList {rs.fieldCount(), rs.value("CLE"), rs.text(0), rs.value("Nom_Film"),
                                rs.value(2), rs.text(2), rs.value(3)}),
                 (QVariantList {4, qint64(41), "41", "Alien", QVariant(), "", 2.5}));
        QVERIFY_THROWS_EXCEPTION(store::DbError, rs.text("absent"));
        // A text read without a copy reads as the copy does.
        QCOMPARE((QStringList {rs.view(0).toString(), rs.view(1).toString(), rs.view(2).toString()}),
                 (QStringList {"41", "Alien", ""}));
        // A field past either end is refused by every reading, never read from the engine.
        for (int outside : {-1, 4}) {
            QVERIFY_THROWS_EXCEPTION(store::DbError, rs.text(outside));
            QVERIFY_THROWS_EXCEPTION(store::DbError, rs.view(outside));
            QVERIFY_THROWS_EXCEPTION(store::DbError, rs.value(outside));
            QVERIFY_THROWS_EXCEPTION(store::DbError, rs.isNull(outside));
        }
        rs.moveNext();
        QVERIFY(rs.eof());
        QVERIFY_THROWS_EXCEPTION(store::DbError, rs.view(0));
        QVERIFY_THROWS_EXCEPTION(store::DbError, rs.text(0));
        QVERIFY_THROWS_EXCEPTION(store::DbError, rs.value(0));
        QVERIFY_THROWS_EXCEPTION(store::DbError, rs.moveNext());
        // A statement without rows runs at once and leaves the recordset closed.
        rs.open("Delete * from film where code_film=41", catalogue.db());
        QVERIFY(!rs.isOpen());
        QCOMPARE(catalogue.count(), 0);
        // Closed before its last row, it holds the catalogue no longer.
        catalogue.insert(1);
        catalogue.insert(2);
        rs.open("select * from film", catalogue.db());
        rs.close();
        for (sqlite3_stmt* s = sqlite3_next_stmt(catalogue.db().handle(), nullptr); s;
             s = sqlite3_next_stmt(catalogue.db().handle(), s))
            QVERIFY2(!sqlite3_stmt_busy(s), sqlite3_sql(s));
    }

    // Every result code the engine has, with or without its kind, reads in French.
    void noResultCodeShowsTheEnginesEnglish()
    {
        for (int primary = SQLITE_ERROR; primary <= SQLITE_WARNING; ++primary) {
            for (int kind = 0; kind < 16; ++kind) {
                const int code = primary | kind << 8;
                const QString message = store::engineMessage(nullptr, code);
                const QString english = QString::fromUtf8(sqlite3_errstr(code));
                QVERIFY2(!message.isEmpty() && !message.contains(english, Qt::CaseInsensitive),
                         qPrintable(QStringLiteral("%1: %2").arg(code).arg(message)));
            }
        }
        QCOMPARE(store::engineMessage(nullptr, SQLITE_NOTICE),
                 QStringLiteral("le moteur de base de donnée a signalé l'erreur 27"));
    }

    // A connection closed lets the catalogue go whole: the engine folds its journal back into it,
    // also after more statements than the connection keeps prepared.
    void closedConnectionLeavesNoJournal()
    {
        TestCatalogue catalogue;
        {
            auto db = store::Database::open(catalogue.cataloguePath());
            testing::rowsOf(*db, "select * from film");
            for (int code = 1; code <= 100; ++code)
                db->execute(QStringLiteral("INSERT INTO film (code_film) VALUES (%1)").arg(code));
            QVERIFY(QFile::exists(catalogue.cataloguePath() + "-wal"));
        }
        QVERIFY(!QFile::exists(catalogue.cataloguePath() + "-wal"));
    }
};

QTEST_GUILESS_MAIN(TestStoreDialect)
#include "test_store_dialect.moc"
