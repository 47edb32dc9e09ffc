#include "store/DbError.h"
#include "store/Films.h"
#include "support/TestCatalogue.h"

#include <QTest>
#include <sqlite3.h>

using testing::film;
using testing::Film;
using testing::TestCatalogue;

Q_DECLARE_METATYPE(QList<QStringList>)

namespace {

QList<QStringList> asLists(const QList<store::ListedRow>& rows)
{
    QList<QStringList> lists;
    for (const store::ListedRow& row : rows)
        lists.append(QStringList(row.begin(), row.end()));
    return lists;
}

// A listed row: title, genre, duration, discs, format, key.
QStringList listed(const Film& f)
{
    return {f.nom, f.type, f.duree, f.cd, f.format, QString::number(f.code)};
}

const QList<Film> kFilms = {
        film(1, "zorro", {{&Film::format, "DVD"}, {&Film::langue, "français"}, {&Film::type, "Western"}}),
        film(2, "Éléphant", {{&Film::langue, "Anglais"}, {&Film::duree, "01h21"}, {&Film::cd, "2"}}),
        film(3, "eclipse", {{&Film::format, "Dvd"}, {&Film::langue, "Français"}}),
        film(4, "L'été 100% _x_", {{&Film::langue, "Italien"}, {&Film::format, "Mpg"}}),
        film(5, "Fargo", {{&Film::langue, "Françaises"}}),
};

}  // namespace

// The catalogue service on a real catalogue file, without windows.
class TestStoreFilms : public QObject {
    Q_OBJECT
private slots:
    void listsGiveTheirRowsInOrder_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QList<int>>("codes");
        QTest::newRow("all, French order") << store::Films::allFilms() << QList<int> {3, 2, 5, 4, 1};
        QTest::newRow("DVDs, any case") << store::Films::dvdFilms() << QList<int> {3, 1};
        QTest::newRow("French, any case") << store::Films::frenchFilms() << QList<int> {1, 3};
        QTest::newRow("foreign") << store::Films::foreignFilms() << QList<int> {2, 4, 5};
        QTest::newRow("search, accents count") << store::Films::titleSearch("é") << QList<int> {2};
        QTest::newRow("search, quote and wildcards")
                << store::Films::titleSearch("l'É%_x_") << QList<int> {4};
        QTest::newRow("the six columns named")
                << "SELECT code_film, nom_film, type_film, duree, cd_film, format_film FROM film "
                   "WHERE code_film > 3 ORDER BY code_film"
                << QList<int> {4, 5};
    }

    void listsGiveTheirRowsInOrder()
    {
        QFETCH(QString, statement);
        QFETCH(QList<int>, codes);
        TestCatalogue catalogue;
        for (const Film& f : kFilms)
            catalogue.insert(f);
        QList<QStringList> expected;
        for (int code : codes)
            expected.append(listed(kFilms[code - 1]));
        QList<QStringList> rows = asLists(store::Films(catalogue.db()).listed(statement));
        if (!statement.contains("order by", Qt::CaseInsensitive)) {
            std::sort(rows.begin(), rows.end(), [](auto& a, auto& b) { return a[5] < b[5]; });
            std::sort(expected.begin(), expected.end(), [](auto& a, auto& b) { return a[5] < b[5]; });
        }
        QCOMPARE(rows, expected);
    }

    void listWithoutItsColumnsFails()
    {
        TestCatalogue catalogue;
        catalogue.insert(film(1));
        store::Films films(catalogue.db());
        QVERIFY_THROWS_EXCEPTION(store::DbError, films.listed("select code_film, nom_film from film"));
        QVERIFY_THROWS_EXCEPTION(store::DbError, films.listed("select * from film where"));
    }

    void titleLookUpComparesAsTheCatalogue()
    {
        TestCatalogue catalogue;
        for (const char* title : {"BRAZIL", "ÉTÉ À NOËL", "Éclipse", "L'\"été\""})
            catalogue.insert(film(catalogue.count() + 1, title));
        store::Films films(catalogue.db());
        for (const char* held : {"brazil", "été à noël", "l'\"ÉTÉ\"", "Éclipse"})
            QVERIFY2(films.hasTitle(held), held);
        for (const char* absent : {"Eclipse", "Brazil ", "Braz", "Braz%", ""})
            QVERIFY2(!films.hasTitle(absent), absent);
        // One look-up in the title index, never a pass over the whole catalogue for every file.
        QByteArray statement;
        sqlite3_trace_v2(
                catalogue.db().handle(), SQLITE_TRACE_STMT,
                [](unsigned, void* seen, void* prepared, void*) {
                    *static_cast<QByteArray*>(seen) = sqlite3_sql(static_cast<sqlite3_stmt*>(prepared));
                    return 0;
                },
                &statement);
        films.hasTitle("Zorro");
        sqlite3_trace_v2(catalogue.db().handle(), 0, nullptr, nullptr);
        sqlite3_stmt* plan = nullptr;
        QCOMPARE(sqlite3_prepare_v2(catalogue.db().handle(), "EXPLAIN QUERY PLAN " + statement, -1, &plan,
                                    nullptr),
                 SQLITE_OK);
        QVERIFY(sqlite3_step(plan) == SQLITE_ROW);
        QVERIFY(QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(plan, 3)))
                        .contains("INDEX film_par_titre"));
        sqlite3_finalize(plan);
    }

    void countersCoverTheWholeCatalogue_data()
    {
        QTest::addColumn<QStringList>("qualities");
        QTest::addColumn<QStringList>("borrowers");  // "-" for a film at home
        QTest::addColumn<QList<qint64>>("expected");  // divx, dvd, lent, at home
        QTest::newRow("empty") << QStringList() << QStringList() << QList<qint64> {0, 0, 0, 0};
        QTest::newRow("a DVD and a lent film")
                << QStringList {"DvD", "Bonne", "Moyenne"} << QStringList {"-", "Paul", "-"}
                << QList<qint64> {2, 1, 1, 2};
        QTest::newRow("lent DVDs, any case") << QStringList {"dvd", "DVD", "--"}
                                             << QStringList {"Paul", "", "-"} << QList<qint64> {1, 2, 2, 1};
    }

    void countersCoverTheWholeCatalogue()
    {
        QFETCH(QStringList, qualities);
        QFETCH(QStringList, borrowers);
        QFETCH(QList<qint64>, expected);
        TestCatalogue catalogue;
        for (int i = 0; i < qualities.size(); ++i) {
            Film f = film(i + 1, "Film", {{&Film::qualite, qualities[i]}});
            if (borrowers[i] != "-")
                f.pret = borrowers[i];
            catalogue.insert(f);
        }
        // A film without quality is neither a video file nor a DVD.
        catalogue.db().execute("INSERT INTO film (code_film, nom_film) VALUES (99, 'Sans qualité')");
        const store::Counters counters = store::Films(catalogue.db()).counters();
        QCOMPARE((QList<qint64> {counters.divx, counters.dvd, counters.lent, counters.atHome}),
                 (QList<qint64> {expected[0], expected[1], expected[2], expected[3] + 1}));
    }

    void findReadsEveryColumn()
    {
        TestCatalogue catalogue;
        Film lent = film(7, "Brazil",
                         {{&Film::type, "Comédie"},
                          {&Film::cd, "2"},
                          {&Film::qualite, "DvD"},
                          {&Film::format, "Dvd"},
                          {&Film::obs, "Notes"},
                          {&Film::langue, "Anglais"},
                          {&Film::codecVideo, "XviD"},
                          {&Film::codecSon, "AC3"},
                          {&Film::duree, "02h12"},
                          {&Film::realisateur, "Gilliam"},
                          {&Film::acteur, "Pryce"},
                          {&Film::annee, "1985"}});
        lent.pret = "Paul";
        lent.datePret = "01/12/2026";
        catalogue.insert(lent);
        catalogue.insert(film(8, "Chez soi"));
        catalogue.db().execute("INSERT INTO film (code_film) VALUES (9)");
        store::Films films(catalogue.db());

        const std::optional<store::Film> found = films.find(7);
        QVERIFY(found.has_value());
        QStringList columns;
        for (const store::DetailColumn& column : store::kDetailColumns)
            columns.append((*found).*column.member);
        QCOMPARE(columns,
                 (QStringList {"Brazil", "Comédie", "2", "DvD", "Dvd", "Notes", "Anglais", "XviD", "AC3",
                               "02h12", "Gilliam", "Pryce", "1985"}));
        QCOMPARE(found->code_film, qint16(7));
        QCOMPARE(found->pret_film, std::optional<QString>("Paul"));
        QCOMPARE(found->date_pret, QStringLiteral("01/12/2026"));

        QCOMPARE(films.find(8)->pret_film, std::nullopt);
        // A column the program always fills reads as empty text when another program left it empty.
        QCOMPARE(films.find(9)->nom_film, QString());
        QVERIFY(!films.find(10).has_value());
    }

    void newFilmsTakeTheNextKey()
    {
        TestCatalogue catalogue;
        store::Films films(catalogue.db());
        QCOMPARE(films.nextKey(), 1);
        QCOMPARE(films.add(store::Films::foundOnDisk("Premier")), qint16(1));
        catalogue.insert(film(41));
        QCOMPARE(films.add(store::Films::foundOnDisk("Suivant")), qint16(42));
        catalogue.db().execute("Delete * from film where code_film=42");
        QCOMPARE(films.nextKey(), 42);
        catalogue.insert(film(32767));
        QCOMPARE(films.nextKey(), 32768);
        QVERIFY_THROWS_EXCEPTION(store::DbError, films.add(store::Films::foundOnDisk("De trop")));
        QVERIFY_THROWS_EXCEPTION(store::DbError, films.insert(32768, store::Films::foundOnDisk("De trop")));
        QCOMPARE(catalogue.films(), (QStringList {"1 Premier", "41 Film", "32767 Film"}));
    }

    void anyTextIsStoredExactly_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("empty") << QString();
        QTest::newRow("byte-order mark first") << QStringLiteral("\uFEFFTitre");
        QTest::newRow("reversed byte-order mark first") << (QChar(0xFFFE) + QStringLiteral("Titre"));
        QTest::newRow("nul inside") << QString::fromUtf16(u"avant\0après", 11);
        QTest::newRow("lone surrogates")
                << (QStringLiteral("a") + QChar(0xD83D) + QChar(0xDE00) + QChar(0xD83D));
        QTest::newRow("quotes of both kinds") << QStringLiteral("L'\"été\" ''\"\"");
        QTest::newRow("statement words") << QStringLiteral("x\"); DROP TABLE film; -- %_ %1");
        QTest::newRow("control characters") << QStringLiteral("\t\r\n\x01\x1f\x7f");
        QTest::newRow("very long") << QString(10000, QChar(u'é'));
    }

    void anyTextIsStoredExactly()
    {
        QFETCH(QString, value);
        TestCatalogue catalogue;
        catalogue.insert(film(2, "Témoin"));
        const QStringList witness = testing::filmRows(catalogue.db())[0];
        store::Films films(catalogue.db());
        store::FilmDetails details;
        for (const store::DetailColumn& column : store::kDetailColumns)
            details.*column.member = value;
        films.insert(1, details);
        films.lend(1, value, value);
        QCOMPARE(testing::filmRows(catalogue.db())[0], QStringList {"1"} + QStringList(15, value));
        details.acteur = "autre";
        QVERIFY(films.modify(1, details));
        QCOMPARE(films.find(1)->acteur, QStringLiteral("autre"));
        QCOMPARE(films.find(1)->realisateur, value);
        bool found = false;
        for (const store::ListedRow& row : films.listed(store::Films::titleSearch(value)))
            found = found || row[5] == "1";
        QVERIFY(found);
        QCOMPARE(testing::filmRows(catalogue.db())[1], witness);
    }
};

QTEST_GUILESS_MAIN(TestStoreFilms)
#include "test_store_films.moc"
