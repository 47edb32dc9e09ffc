#include "store/Catalogue.h"
#include "store/DbError.h"
#include "store/Films.h"
#include "store/Recordset.h"
#include "store/Statistics.h"
#include "support/Golden.h"
#include "support/TestCatalogue.h"

#include <QCryptographicHash>
#include <QTest>
#include <sqlite3.h>

using testing::TestCatalogue;

namespace {

// Every column of every film as the file holds it, one a line: key, column, storage class, then its
// bytes in hexadecimal (a long value by its length and a digest).
QStringList storedBytes(store::Database& db)
{
    QString statement = QStringLiteral("select code_film");
    for (const QString& column : store::filmColumns())
        statement += QStringLiteral(", typeof(%1), hex(%1)").arg(column);
    store::Recordset rs;
    rs.open(statement + QStringLiteral(" from film order by code_film"), db);
    QStringList lines;
    for (; !rs.eof(); rs.moveNext()) {
        for (int i = 0; i < store::filmColumns().size(); ++i) {
            QString hex = rs.text(2 + 2 * i);
            if (hex.size() > 96)
                hex = QStringLiteral("%1 bytes, sha1 %2")
                              .arg(hex.size() / 2)
                              .arg(QString::fromLatin1(
                                      QCryptographicHash::hash(hex.toLatin1(), QCryptographicHash::Sha1)
                                              .toHex()));
            lines.append(
                    QStringList {rs.text(0), store::filmColumns()[i], rs.text(1 + 2 * i), hex}.join(u' '));
        }
    }
    return lines;
}

// The statements the engine runs on a connection while the log lives, each with its values in
// place as the engine shows them: a text in single quotes, a number bare, NULL.
class EngineLog {
public:
    explicit EngineLog(store::Database& db) : db_(db.handle())
    {
        sqlite3_trace_v2(db_, SQLITE_TRACE_STMT, &EngineLog::record, this);
    }
    ~EngineLog() { sqlite3_trace_v2(db_, 0, nullptr, nullptr); }
    EngineLog(const EngineLog&) = delete;
    EngineLog& operator=(const EngineLog&) = delete;

    QStringList statements;

private:
    static int record(unsigned, void* self, void* statement, void* text)
    {
        // A trigger's own statements come as comments: none runs on film.
        if (qstrncmp(static_cast<const char*>(text), "--", 2) == 0)
            return 0;
        char* expanded = sqlite3_expanded_sql(static_cast<sqlite3_stmt*>(statement));
        static_cast<EngineLog*>(self)->statements.append(QString::fromUtf8(expanded));
        sqlite3_free(expanded);
        return 0;
    }

    sqlite3* db_;
};

// A film whose every detail is the given text followed by the name of its column, written out
// member by member: the store's own table of columns is what it checks.
store::FilmDetails namedAfterColumns(const QString& text)
{
    store::FilmDetails film;
    film.nom_film = text + "nom_film";
    film.type_film = text + "type_film";
    film.cd_film = text + "cd_film";
    film.qualite_film = text + "qualite_film";
    film.format_film = text + "format_film";
    film.obs_Film = text + "obs_Film";
    film.langue_Film = text + "langue_Film";
    film.codec_Film = text + "codec_Film";
    film.codec_Son = text + "codec_Son";
    film.duree = text + "duree";
    film.realisateur = text + "realisateur";
    film.acteur = text + "acteur";
    film.annee = text + "annee";
    return film;
}

const QMap<QString, store::FilmList::Kind> kListKinds {
        {"all", store::FilmList::Kind::All},
        {"dvd", store::FilmList::Kind::Dvd},
        {"french", store::FilmList::Kind::French},
        {"foreign", store::FilmList::Kind::Foreign},
        {"search", store::FilmList::Kind::TitleSearch},
        {"fields", store::FilmList::Kind::AllFieldsSearch},
        {"genre", store::FilmList::Kind::Genre},
        {"quality", store::FilmList::Kind::Quality},
        {"discs", store::FilmList::Kind::Discs},
        {"decade", store::FilmList::Kind::Decade},
        {"withoutYear", store::FilmList::Kind::WithoutYear},
        {"withDuration", store::FilmList::Kind::WithDuration},
        {"withoutDuration", store::FilmList::Kind::WithoutDuration},
        {"lent", store::FilmList::Kind::Lent},
        {"atHome", store::FilmList::Kind::AtHome}};

// A list as the main list asks for it, with the text typed.
store::FilmList listOf(const QString& kind, const QString& typed)
{
    if (kListKinds.value(kind) == store::FilmList::Kind::AllFieldsSearch)
        return store::FilmList::allFieldsSearch(typed);
    return {kListKinds.value(kind), typed};
}

// The catalogue of the lists' table: titles that sort and match in French, with quotes and
// wildcards in them, DVDs written in any letter case, films of no language, films lent.
void fillForLists(TestCatalogue& catalogue)
{
    struct {
        const char* title;
        const char* format;
        const char* language;
        const char* quality;
        const char* borrower;
    } const films[] = {
            {"été", "Dvd", "Français", "Bonne", nullptr},
            {"Éléphant", "Avi", "Anglais", "DvD", "Paul"},
            {"L'été", "dVD", "Français", nullptr, nullptr},
            {"L\"été\"", "Avi", "Allemenad", "Bonne", nullptr},
            {"100% coton", "Dvd", "français", "dvd", nullptr},
            {"100 ans", "Avi", nullptr, "--", nullptr},
            {"a_b", "Avi", "Français", nullptr, ""},
            {"axb", "Dvd", "Anglais", "Moyenne", nullptr},
            {"ABC", "Avi", "Français", "Bonne", nullptr},
            {"œil", "Avi", "Anglais", "dvd", "Marie"},
            {"Eclipse", "Avi", "Français", "Bonne", nullptr},
            {"oeil", "Mpg", "", "Bonne", nullptr},
    };
    int code = 0;
    for (const auto& film : films) {
        ++code;
        QMap<QString, QString> columns {{"type", QStringLiteral("Genre %1").arg(code)},
                                        {"duree", QStringLiteral("%1h").arg(code)},
                                        {"cd", QString::number(code % 3)},
                                        {"format", film.format}};
        if (film.language)
            columns["langue"] = film.language;
        if (film.quality)
            columns["qualite"] = film.quality;
        if (film.borrower) {
            columns["pret"] = film.borrower;
            columns["date"] = "01/12/2026";
        }
        catalogue.insert(code, film.title, columns);
        if (!film.language)
            catalogue.db().execute(
                    QStringLiteral("UPDATE film SET langue_Film=NULL WHERE code_film=%1").arg(code));
        if (!film.quality)
            catalogue.db().execute(
                    QStringLiteral("UPDATE film SET qualite_film=NULL WHERE code_film=%1").arg(code));
    }
}

}  // namespace

// The catalogue service on a real catalogue file, without windows.
class TestStoreFilms : public QObject {
    Q_OBJECT
private slots:
    void titleLookUpComparesAsTheCatalogue()
    {
        TestCatalogue catalogue;
        for (const char* title : {"BRAZIL", "ÉTÉ À NOËL", "Éclipse", "L'\"été\""})
            catalogue.insert(catalogue.count() + 1, title);
        store::Films films(catalogue.db());
        // What the opening checked and the films' insertion are not the look-ups.
        for (sqlite3_stmt* s = sqlite3_next_stmt(catalogue.db().handle(), nullptr); s;
             s = sqlite3_next_stmt(catalogue.db().handle(), s))
            sqlite3_stmt_status(s, SQLITE_STMTSTATUS_FULLSCAN_STEP, 1);
        for (const char* held : {"brazil", "été à noël", "l'\"ÉTÉ\"", "Éclipse"})
            QVERIFY2(films.hasTitle(held), held);
        for (const char* absent : {"Eclipse", "Brazil ", "Braz", "Braz%", ""})
            QVERIFY2(!films.hasTitle(absent), absent);
        // One look-up in the title index, never a pass over the whole catalogue for every file: no
        // statement the connection keeps prepared has stepped through the table.
        for (sqlite3_stmt* s = sqlite3_next_stmt(catalogue.db().handle(), nullptr); s;
             s = sqlite3_next_stmt(catalogue.db().handle(), s))
            QVERIFY2(sqlite3_stmt_status(s, SQLITE_STMTSTATUS_FULLSCAN_STEP, 0) == 0, sqlite3_sql(s));
    }

    void newFilmsTakeTheNextKey()
    {
        TestCatalogue catalogue;
        store::Films films(catalogue.db());
        QCOMPARE(films.nextKey(), 1);
        QCOMPARE(films.add(store::Films::foundOnDisk("Premier")), qint16(1));
        catalogue.insert(41);
        QCOMPARE(films.add(store::Films::foundOnDisk("Suivant")), qint16(42));
        catalogue.db().execute("Delete * from film where code_film=42");
        QCOMPARE(films.nextKey(), 42);
        catalogue.insert(32767);
        QCOMPARE(films.nextKey(), 32768);
        QVERIFY_THROWS_EXCEPTION(store::DbError, films.add(store::Films::foundOnDisk("De trop")));
        QVERIFY_THROWS_EXCEPTION(store::DbError, films.insert(32768, store::Films::foundOnDisk("De trop")));
        QCOMPARE(catalogue.films(), (QStringList {"1 Premier", "41 Film", "32767 Film"}));
    }

    // Every service that writes, with every text of the table below, reaches the file byte for byte
    // as the store wrote it when it still carried its values in the statements' text (the golden
    // file was written then): the same films, each column of the same storage class and bytes. A
    // film is read back with each text exactly.
    void writesReachTheFileAsBefore()
    {
        TestCatalogue catalogue;
        store::Films films(catalogue.db());
        int code = 0;
        for (const QStringList& fields : testing::tableRows("store/any_text.txt")) {
            const QString value = fields[1];
            store::FilmDetails same;
            for (const store::DetailColumn& column : store::kDetailColumns)
                same.*column.member = value;
            const store::FilmDetails each = namedAfterColumns(value);
            films.insert(++code, same);
            const store::Film read = films.find(qint16(code)).value();
            for (const store::DetailColumn& column : store::kDetailColumns)
                QCOMPARE(read.*column.member, value);
            films.lend(code, value, value);
            code = films.add(each);
            films.lend(code, value + "pret", value + "date");
            films.insert(++code, store::Films::foundOnDisk(value));
            films.lend(code, value, value);
            films.giveBack(code, QDate(2026, 12, 6));
            QVERIFY(films.modify(code, each));
            films.insert(++code, same);
            films.remove(code);
        }
        testing::compareWithGolden(storedBytes(catalogue.db()), "store/written.golden");
    }

    // Each list on a catalogue of twelve films: which rows, in which order, each row the film's
    // title, genre, duration, discs, format and key.
    void listsGiveTheirRows_data() { testing::addTableRows("store/lists.txt"); }

    void listsGiveTheirRows()
    {
        QFETCH(QStringList, fields);
        QVERIFY2(kListKinds.contains(fields[0]), qPrintable(fields[0]));
        const store::FilmList list = listOf(fields[0], fields[1]);
        TestCatalogue catalogue;
        fillForLists(catalogue);
        store::Films films(catalogue.db());
        // How the engine reads the list's rows: the plan of the very statement the list runs.
        store::Statement plan = store::Films::statementOf(list);
        plan.sql.prepend("EXPLAIN QUERY PLAN ");
        QStringList steps;
        for (const QStringList& step : testing::rowsOf(catalogue.db(), plan))
            steps.append(step.last());
        QCOMPARE(steps.join(" | "), fields.value(3));
        QStringList keys;
        for (const store::ListedRow& row : films.listed(list)) {
            const std::optional<store::Film> film = films.find(qint16(row.value(5).toInt()));
            QVERIFY2(film, qPrintable(row.value(5)));
            QCOMPARE(QStringList(row.cbegin(), row.cend()),
                     (QStringList {film->nom_film, film->type_film, film->duree, film->cd_film,
                                   film->format_film, QString::number(film->code_film)}));
            keys.append(row[5]);
        }
        QCOMPARE(keys.join(u' '), fields.value(2));
    }

    // What each service asks of the engine, every value bound: the key a number, each text in its
    // column, NULL for a film given back.
    void servicesBindTheirValues_data() { testing::addTableRows("store/bound.txt"); }

    void servicesBindTheirValues()
    {
        QFETCH(QStringList, fields);
        TestCatalogue catalogue;
        catalogue.insert(7, "Alien");
        store::Films films(catalogue.db());
        auto details = [](const QString& title) {
            store::FilmDetails film = namedAfterColumns({});
            film.nom_film = title;
            return film;
        };
        const QString operation = fields[0];
        const QStringList a = fields.mid(1, fields.size() - 2);
        EngineLog log(catalogue.db());
        if (operation == "insert")
            films.insert(a[0].toInt(), details(a[1]));
        else if (operation == "add")
            films.add(details(a[0]));
        else if (operation == "modify")
            films.modify(qint16(a[0].toInt()), details(a[1]));
        else if (operation == "lend")
            films.lend(qint16(a[0].toInt()), a[1], a[2]);
        else if (operation == "giveBack")
            films.giveBack(qint16(a[0].toInt()), QDate::fromString(a[1], Qt::ISODate));
        else if (operation == "remove")
            films.remove(qint16(a[0].toInt()));
        else if (operation == "find")
            films.find(qint16(a[0].toInt()));
        else if (operation == "hasTitle")
            films.hasTitle(a[0]);
        else if (operation == "list")
            films.listed(listOf(a[0], a.value(1)));
        else if (operation == "lentFilms")
            films.lentFilms();
        else if (operation == "counters")
            films.counters();
        else if (operation == "statistics")
            films.statistics();
        else
            QFAIL(qPrintable("unknown operation " + operation));
        QCOMPARE(log.statements.join(" | "), fields.last());
    }

    void countersCountTheWholeCatalogue()
    {
        TestCatalogue catalogue;
        fillForLists(catalogue);
        store::Films films(catalogue.db());
        // Searched or not, the counters are the catalogue's: three DVDs whatever their letter case,
        // seven video files (two films have no quality), three lent films (one to an empty name).
        const store::Counters counters = films.counters();
        QCOMPARE((QList<qint64> {counters.divx, counters.dvd, counters.lent, counters.atHome,
                                 counters.films()}),
                 (QList<qint64> {7, 3, 3, 9, 12}));
    }
};

QTEST_GUILESS_MAIN(TestStoreFilms)
#include "test_store_films.moc"
