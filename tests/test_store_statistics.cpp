#include "store/FrenchText.h"
#include "store/Statistics.h"
#include "support/Golden.h"
#include "support/TestCatalogue.h"

#include <QTest>

using testing::TestCatalogue;

namespace {

// The catalogue of tests/data/statistics/catalogue.txt, each value bound as written, "<NULL>" NULL.
void fillFromTable(TestCatalogue& catalogue)
{
    const QString sql = QStringLiteral(
            "INSERT INTO film (code_film, nom_film, type_film, format_film, qualite_film, langue_Film, "
            "codec_Film, codec_Son, cd_film, annee, duree, pret_film, date_pret, obs_Film, realisateur, "
            "acteur) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,'-','-','-')");
    for (const QStringList& fields : testing::tableRows("statistics/catalogue.txt")) {
        std::vector<store::BoundValue> values {qint64(fields[0].toInt())};
        for (const QString& field : fields.mid(1))
            values.emplace_back(field == "<NULL>" ? store::BoundValue(nullptr) : store::BoundValue(field));
        values.emplace_back(fields.last() == "<NULL>" ? store::BoundValue(nullptr)
                                                      : store::BoundValue(QStringLiteral("01/12/2026")));
        catalogue.db().execute(store::Statement {sql, std::move(values)});
    }
}

// A table as tables.txt writes it: "value=films" joined by " | ", "" for the films without a value.
QString written(const QList<store::Group>& groups)
{
    QStringList rows;
    for (const store::Group& group : groups)
        rows.append((group.value.isEmpty() ? QStringLiteral("\"\"") : group.value) + u'='
                    + QString::number(group.films));
    return rows.join(QStringLiteral(" | "));
}

QString writtenTotals(const store::Statistics& statistics)
{
    const store::Counters& c = statistics.counters;
    return QStringLiteral(
                   "films=%1 dvd=%2 divx=%3 lent=%4 atHome=%5 minutes=%6 timed=%7 untimed=%8 average=%9")
            .arg(c.films())
            .arg(c.dvd)
            .arg(c.divx)
            .arg(c.lent)
            .arg(c.atHome)
            .arg(statistics.minutes)
            .arg(statistics.timed)
            .arg(statistics.untimed)
            .arg(statistics.averageMinutes() ? QString::number(*statistics.averageMinutes())
                                             : QStringLiteral("none"));
}

// Every table of the statistics by the name tables.txt gives it.
QMap<QString, QString> tablesOf(const store::Statistics& statistics)
{
    const char* const names[] = {"genre", "format", "quality", "language", "video", "audio", "discs"};
    QMap<QString, QString> tables;
    for (std::size_t i = 0; i < statistics.byField.size(); ++i)
        tables.insert(names[i], written(statistics.byField[i]));
    tables.insert("decade", written(statistics.byDecade));
    tables.insert("totals", writtenTotals(statistics));
    return tables;
}

// What the engine makes of a text through one of the statistics' functions: its number or "<NULL>".
QString engineReading(TestCatalogue& catalogue, const QString& function, const QString& text)
{
    return testing::rowsOf(catalogue.db(),
                           store::Statement {QStringLiteral("SELECT %1(?)").arg(function), {text}})
            .value(0)
            .value(0);
}

}  // namespace

// The statistics of the catalogue, without windows: what reads as a running time and a year, the
// tables on a catalogue made for them, and the films behind each of their rows.
class TestStoreStatistics : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { fillFromTable(catalogue_); }

    // The store and the engine read each text alike: a list finds the films a figure counted.
    void runningTimesRead_data() { testing::addTableRows("statistics/durations.txt"); }
    void runningTimesRead()
    {
        QFETCH(QStringList, fields);
        const std::optional<int> minutes = store::runningMinutes(fields[0]);
        QCOMPARE(minutes ? QString::number(*minutes) : QStringLiteral("sans durée"), fields[1]);
        QCOMPARE(engineReading(catalogue_, "running_minutes", fields[0]),
                 minutes ? fields[1] : QStringLiteral("<NULL>"));
    }

    void yearsRead_data() { testing::addTableRows("statistics/years.txt"); }
    void yearsRead()
    {
        QFETCH(QStringList, fields);
        const std::optional<int> year = store::filmYear(fields[0]);
        QCOMPARE(year ? QString::number(*year) : QStringLiteral("sans année"), fields[1]);
        QCOMPARE(engineReading(catalogue_, "film_year", fields[0]),
                 year ? fields[1] : QStringLiteral("<NULL>"));
    }

    void tablesGroupAsTheCatalogueCompares_data() { testing::addTableRows("statistics/tables.txt"); }
    void tablesGroupAsTheCatalogueCompares()
    {
        QFETCH(QStringList, fields);
        const QMap<QString, QString> tables = tablesOf(store::Films(catalogue_.db()).statistics());
        QVERIFY2(tables.contains(fields[0]), qPrintable(fields[0]));
        QCOMPARE(tables[fields[0]], fields[1]);
    }

    // Each row of a table lists exactly the films it counted, by title; the rows of a table together
    // list every film once. The totals list theirs.
    void everyRowLeadsToItsFilms()
    {
        store::Films films(catalogue_.db());
        const store::Statistics statistics = films.statistics();
        const qint64 all = statistics.counters.films();
        QList<QList<store::Group>> tables(statistics.byField.cbegin(), statistics.byField.cend());
        tables.append(statistics.byDecade);
        using Kind = store::FilmList::Kind;
        tables.append({{"lent", statistics.counters.lent, store::FilmList::of(Kind::Lent)},
                       {"at home", statistics.counters.atHome, store::FilmList::of(Kind::AtHome)}});
        tables.append({{"timed", statistics.timed, store::FilmList::of(Kind::WithDuration)},
                       {"untimed", statistics.untimed, store::FilmList::of(Kind::WithoutDuration)}});
        for (const QList<store::Group>& table : tables) {
            QSet<QString> keys;
            for (const store::Group& group : table) {
                const QList<store::ListedRow> rows = films.listed(group.list);
                const QString row = QStringLiteral("%1 (%2)").arg(group.value, group.list.text);
                QCOMPARE(qint64(rows.size()), group.films);
                for (qsizetype i = 0; i < rows.size(); ++i) {
                    QVERIFY2(!keys.contains(rows[i][5]), qPrintable(row));
                    keys.insert(rows[i][5]);
                    if (i > 0)
                        QVERIFY2(store::compareFrench(rows[i - 1][0], rows[i][0]) <= 0, qPrintable(row));
                }
            }
            QCOMPARE(qint64(keys.size()), all);
        }
        QCOMPARE(qint64(films.listed(store::FilmList::all()).size()), all);
        QCOMPARE(qint64(films.listed({Kind::Quality, "dvd"}).size()), statistics.counters.dvd);
    }

    void anEmptyCatalogueCountsNothing()
    {
        TestCatalogue empty;
        const store::Statistics statistics = store::Films(empty.db()).statistics();
        QCOMPARE(writtenTotals(statistics),
                 "films=0 dvd=0 divx=0 lent=0 atHome=0 minutes=0 timed=0 untimed=0 average=none");
        for (const QList<store::Group>& table : statistics.byField)
            QVERIFY(table.isEmpty());
        QVERIFY(statistics.byDecade.isEmpty());
    }

private:
    TestCatalogue catalogue_;
};

QTEST_GUILESS_MAIN(TestStoreStatistics)
#include "test_store_statistics.moc"
