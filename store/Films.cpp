#include "store/Films.h"

#include "store/Database.h"
#include "store/DbError.h"
#include "store/Loans.h"
#include "store/Recordset.h"
#include "store/SearchTexts.h"
#include "store/Statistics.h"
#include "store/Transaction.h"

#include <algorithm>

namespace store {

const std::array<DetailColumn, 13> kDetailColumns = {{
        {"nom_film", &FilmDetails::nom_film},
        {"type_film", &FilmDetails::type_film},
        {"cd_film", &FilmDetails::cd_film},
        {"qualite_film", &FilmDetails::qualite_film},
        {"format_film", &FilmDetails::format_film},
        {"obs_Film", &FilmDetails::obs_Film},
        {"langue_Film", &FilmDetails::langue_Film},
        {"codec_Film", &FilmDetails::codec_Film},
        {"codec_Son", &FilmDetails::codec_Son},
        {"duree", &FilmDetails::duree},
        {"realisateur", &FilmDetails::realisateur},
        {"acteur", &FilmDetails::acteur},
        {"annee", &FilmDetails::annee},
}};

namespace {

BoundValue key(int code) { return qint64(code); }

// A statement whose text is all it needs.
Statement fixed(const QString& sql) { return {sql, {}}; }

// The details' values in the order of kDetailColumns.
std::vector<BoundValue> detailValues(const FilmDetails& film)
{
    std::vector<BoundValue> values;
    values.reserve(kDetailColumns.size() + 1);
    for (const DetailColumn& column : kDetailColumns)
        values.emplace_back(film.*column.member);
    return values;
}

// A new film: its key, then its details.
Statement insertStatement(int code, const FilmDetails& film)
{
    static const QString sql = [] {
        QString columns = QStringLiteral("code_film");
        QString placeholders = QStringLiteral("?");
        for (const DetailColumn& column : kDetailColumns) {
            columns += u',' + QLatin1String(column.name);
            placeholders += QStringLiteral(",?");
        }
        return QStringLiteral("INSERT INTO film (%1) VALUES (%2)").arg(columns, placeholders);
    }();
    std::vector<BoundValue> values = detailValues(film);
    values.insert(values.begin(), key(code));
    return {sql, std::move(values)};
}

// The details of a film, then its key.
Statement updateStatement(int code, const FilmDetails& film)
{
    static const QString sql = [] {
        QStringList assignments;
        for (const DetailColumn& column : kDetailColumns)
            assignments.append(QLatin1String(column.name) + QStringLiteral("=?"));
        return QStringLiteral("UPDATE film SET %1 WHERE code_film=?").arg(assignments.join(u','));
    }();
    std::vector<BoundValue> values = detailValues(film);
    values.push_back(key(code));
    return {sql, std::move(values)};
}

// Answered from the indexes: the films without a quality, the DVDs and the lent films are looked
// up, every other film with a quality is a video file.
Statement countersStatement()
{
    return {QStringLiteral("SELECT COUNT(*) AS films, "
                           "(SELECT COUNT(*) FROM film WHERE qualite_film IS NULL) AS sans_qualite, "
                           "(SELECT COUNT(*) FROM film WHERE qualite_film=?) AS dvd, "
                           "(SELECT COUNT(*) FROM film WHERE pret_film IS NOT NULL) AS pret FROM film"),
            {QStringLiteral("dvd")}};
}

// The films in which a search of every field finds each word, by key, on a catalogue whose folded
// texts are not those of its films as they stand (read only, or held by another program while films
// are left to fold): each film is folded as it is read, which takes longer and finds the same films.
Statement foldingAsItReads(const FilmList& list)
{
    return {QStringLiteral("SELECT code_film FROM film WHERE cinabrel_contient(cinabrel_pli(%1), ?)")
                    .arg(QLatin1String(SearchTexts::searchedColumns())),
            {list.text}};
}

// Moves whenever a film's row may have changed: a film added, modified or deleted through this
// connection, anything committed by another, the whole content replaced. A loan or the search's
// texts written leave it.
QString rowsStamp(Database& db)
{
    return QString::number(db.searchMemo().filmChanges) + u':' + db.outsideStamp();
}

// The rows of the list's six columns, in the order the statement gives them.
QList<ListedRow> readRows(Database& db, const Statement& statement)
{
    Recordset rs;
    rs.open(statement, db);
    QList<ListedRow> rows;
    if (rs.eof())
        return rows;
    const int fields[] = {
            rs.fieldIndex(QStringLiteral("nom_film")),    rs.fieldIndex(QStringLiteral("type_film")),
            rs.fieldIndex(QStringLiteral("duree")),       rs.fieldIndex(QStringLiteral("cd_film")),
            rs.fieldIndex(QStringLiteral("format_film")), rs.fieldIndex(QStringLiteral("code_film"))};
    for (; !rs.eof(); rs.moveNext()) {
        ListedRow row;
        for (int field : fields)
            row.append(rs.text(field));
        rows.append(std::move(row));
    }
    return rows;
}

// The films of some loans of the history, by title.
Statement lentAmong(const QString& listed, Loans::Among loans, const FilmList& list)
{
    Statement keys = Loans::filmKeys(loans, list.text);
    return {listed + QStringLiteral(" WHERE code_film IN (%1) ORDER BY nom_film").arg(keys.sql),
            std::move(keys.values)};
}

// The films behind a figure of the statistics, by title: those the statistics counted in it, the
// running time and the year read as the statistics read them.
Statement figureStatement(const QString& listed, const FilmList& list)
{
    const QString byTitle = QStringLiteral(" ORDER BY nom_film");
    if (const char* column = countedColumn(list.kind)) {
        const QString name = QLatin1String(column);
        // The films without a value hold an empty text or NULL: both are one row of the statistics.
        const QString where = list.text.isEmpty() ? QStringLiteral(" WHERE (%1=? OR %1 IS NULL)").arg(name)
                                                  : QStringLiteral(" WHERE %1=?").arg(name);
        return {listed + where + byTitle, {list.text}};
    }
    switch (list.kind) {
    case FilmList::Kind::Decade: {
        const qint64 first = list.text.toInt();
        return {listed + QStringLiteral(" WHERE film_year(annee) BETWEEN ? AND ?") + byTitle,
                {first, first + 9}};
    }
    case FilmList::Kind::WithoutYear:
        return fixed(listed + QStringLiteral(" WHERE film_year(annee) IS NULL") + byTitle);
    case FilmList::Kind::WithDuration:
        return fixed(listed + QStringLiteral(" WHERE running_minutes(duree) IS NOT NULL") + byTitle);
    case FilmList::Kind::WithoutDuration:
        return fixed(listed + QStringLiteral(" WHERE running_minutes(duree) IS NULL") + byTitle);
    case FilmList::Kind::Lent:
        return fixed(listed + QStringLiteral(" WHERE pret_film IS NOT NULL") + byTitle);
    case FilmList::Kind::AtHome:
        return fixed(listed + QStringLiteral(" WHERE pret_film IS NULL") + byTitle);
    case FilmList::Kind::EverLent:
        return lentAmong(listed, Loans::Among::Every, list);
    case FilmList::Kind::Returned:
        return lentAmong(listed, Loans::Among::Returned, list);
    case FilmList::Kind::ReturnedLate:
        return lentAmong(listed, Loans::Among::ReturnedLate, list);
    case FilmList::Kind::Borrowed:
        return lentAmong(listed, Loans::Among::Borrower, list);
    case FilmList::Kind::OneFilm:
        return {listed + QStringLiteral(" WHERE code_film=?"), {qint64(list.text.toInt())}};
    default:
        break;
    }
    return fixed(listed + byTitle);
}

}  // namespace

// The list shows six columns of the film: the engine is asked for those alone, which spares it
// reading and copying the ten others of every film, and lets it read them from the title index.
// The lists' fixed texts are bound like any value, so the engine plans them as it always has.
Statement Films::statementOf(const FilmList& list)
{
    static const QString listed =
            QStringLiteral("SELECT code_film, nom_film, type_film, duree, cd_film, format_film FROM film");
    switch (list.kind) {
    case FilmList::Kind::Dvd:
        return {listed + QStringLiteral(" WHERE format_film=? ORDER BY nom_film"), {QStringLiteral("Dvd")}};
    case FilmList::Kind::French:
        return {listed + QStringLiteral(" WHERE langue_Film=?"), {QStringLiteral("Français")}};
    case FilmList::Kind::Foreign:
        return {listed + QStringLiteral(" WHERE langue_Film<>?"), {QStringLiteral("Français")}};
    case FilmList::Kind::TitleSearch:
        // The typed text starts the pattern: a "%" or a "_" in it stays a wildcard.
        return {listed + QStringLiteral(" WHERE nom_film LIKE ? ORDER BY nom_film"), {list.text + u'%'}};
    case FilmList::Kind::AllFieldsSearch:
        // The keys of the films found, from their folded texts alone; their rows are those of the
        // whole list.
        if (list.text.isEmpty())
            break;
        return {QStringLiteral("SELECT code_film FROM film_recherche WHERE cinabrel_contient(texte, ?)"),
                {list.text}};
    case FilmList::Kind::Genre:
    case FilmList::Kind::Format:
    case FilmList::Kind::Quality:
    case FilmList::Kind::Language:
    case FilmList::Kind::VideoCodec:
    case FilmList::Kind::AudioCodec:
    case FilmList::Kind::Discs:
    case FilmList::Kind::Decade:
    case FilmList::Kind::WithoutYear:
    case FilmList::Kind::WithDuration:
    case FilmList::Kind::WithoutDuration:
    case FilmList::Kind::Lent:
    case FilmList::Kind::AtHome:
    case FilmList::Kind::EverLent:
    case FilmList::Kind::Returned:
    case FilmList::Kind::ReturnedLate:
    case FilmList::Kind::Borrowed:
    case FilmList::Kind::OneFilm:
        return figureStatement(listed, list);
    case FilmList::Kind::All:
        break;
    }
    return fixed(listed + QStringLiteral(" ORDER BY nom_film"));
}

QList<ListedRow> Films::listed(const FilmList& list)
{
    const bool everyField = list.kind == FilmList::Kind::AllFieldsSearch;
    // The lists of all the films, and the searches of every field, take their rows from one reading.
    if (list.kind == FilmList::Kind::All || (everyField && list.text.isEmpty()))
        return rowsOfAll();
    if (!everyField)
        return readRows(db_, statementOf(list));

    const Statement found = SearchTexts(db_).bringUpToDate() ? statementOf(list) : foldingAsItReads(list);
    const QList<ListedRow>& all = rowsOfAll();
    const std::vector<int>& keys = db_.searchMemo().keys;
    if (keys.empty())
        return {};
    // One mark a key, from the lowest key listed.
    const auto [lowest, highest] = std::minmax_element(keys.begin(), keys.end());
    std::vector<bool> marked(std::size_t(*highest - *lowest + 1));
    qsizetype count = 0;
    Recordset rs;
    for (rs.open(found, db_); !rs.eof(); rs.moveNext()) {
        const qint64 key = rs.value(0).toLongLong();
        if (key >= *lowest && key <= *highest && !marked[std::size_t(key - *lowest)]) {
            marked[std::size_t(key - *lowest)] = true;
            ++count;
        }
    }
    if (count == all.size())
        return all;
    QList<ListedRow> rows;
    rows.reserve(count);
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (marked[std::size_t(keys[i] - *lowest)])
            rows.append(all[qsizetype(i)]);
    return rows;
}

// Read once for every list of all the films and every search of every field made until a film's
// row may have changed.
const QList<ListedRow>& Films::rowsOfAll()
{
    SearchMemo& memo = db_.searchMemo();
    const QString stamp = rowsStamp(db_);
    if (memo.rowsAt != stamp) {
        memo.rows = readRows(db_, statementOf(FilmList::all()));
        memo.keys.clear();
        memo.keys.reserve(std::size_t(memo.rows.size()));
        for (const ListedRow& row : memo.rows)
            memo.keys.push_back(row[5].toInt());
        memo.rowsAt = stamp;
    }
    return memo.rows;
}

QList<ListedRow> Films::lentFilms()
{
    Recordset rs;
    rs.open(Statement {QStringLiteral("SELECT code_film, nom_film, pret_film, date_pret FROM film "
                                      "WHERE pret_film<>? ORDER BY nom_film"),
                       {QStringLiteral("")}},
            db_);
    QList<ListedRow> rows;
    for (; !rs.eof(); rs.moveNext())
        rows.append(ListedRow {rs.text(1), rs.text(2), rs.text(3), rs.text(0)});
    return rows;
}

Counters Films::counters()
{
    Recordset rs;
    rs.open(countersStatement(), db_);
    Counters counters;
    const qint64 films = rs.value(QStringLiteral("films")).toLongLong();
    counters.dvd = rs.value(QStringLiteral("dvd")).toLongLong();
    counters.divx = films - rs.value(QStringLiteral("sans_qualite")).toLongLong() - counters.dvd;
    counters.lent = rs.value(QStringLiteral("pret")).toLongLong();
    counters.atHome = films - counters.lent;
    return counters;
}

Statistics Films::statistics()
{
    // Every film once, from the table alone: the counted columns, the year and the running time as
    // text, then whether the film has no quality and whether it is lent.
    static const QString sql = [] {
        QStringList columns;
        for (const CountedField& field : kCountedFields)
            columns.append(QLatin1String(field.column));
        columns << QStringLiteral("annee") << QStringLiteral("duree")
                << QStringLiteral("qualite_film IS NULL") << QStringLiteral("pret_film IS NOT NULL");
        return QStringLiteral("SELECT %1 FROM film").arg(columns.join(QStringLiteral(", ")));
    }();
    Recordset rs;
    rs.open(fixed(sql), db_);
    StatisticsTally tally;
    std::array<QString, kCountedFields.size() + 2> values;
    const int flags = int(values.size());
    for (; !rs.eof(); rs.moveNext()) {
        for (int i = 0; i < flags; ++i)
            values[std::size_t(i)] = rs.text(i);
        tally.addFilm(values, rs.value(flags).toLongLong() != 0, rs.value(flags + 1).toLongLong() != 0);
    }
    return tally.result();
}

QString Films::contentStamp() { return db_.contentStamp(); }

std::optional<Film> Films::find(qint16 code)
{
    Recordset rs;
    rs.open(Statement {QStringLiteral("SELECT * FROM film WHERE code_film=?"), {key(code)}}, db_);
    if (rs.eof())
        return std::nullopt;
    Film film;
    film.code_film = code;
    for (const DetailColumn& column : kDetailColumns)
        film.*column.member = rs.text(QString::fromLatin1(column.name));
    if (!rs.isNull(QStringLiteral("pret_film")))
        film.pret_film = rs.text(QStringLiteral("pret_film"));
    film.date_pret = rs.text(QStringLiteral("date_pret"));
    return film;
}

bool Films::hasTitle(const QString& title)
{
    Recordset rs;
    rs.open(Statement {QStringLiteral("SELECT code_film FROM film WHERE nom_film=? LIMIT 1"), {title}}, db_);
    return !rs.eof();
}

int Films::nextKey()
{
    Recordset rs;
    rs.open(fixed(QStringLiteral("SELECT max(code_film) AS nouv FROM film")), db_);
    return rs.isNull(0) ? 1 : rs.value(0).toInt() + 1;
}

qint16 Films::add(const FilmDetails& film)
{
    const int code = nextKey();
    if (code > kLastKey)
        throw DbError(QStringLiteral("Le catalogue n'a plus de numéro libre pour un nouveau film."));
    insert(code, film);
    return qint16(code);
}

// The triggers on film write to the table of the search's texts: it is made again first if another
// program dropped it.
void Films::insert(int code, const FilmDetails& film)
{
    SearchTexts(db_).beforeChange();
    ++db_.searchMemo().filmChanges;
    db_.execute(insertStatement(code, film));
}

bool Films::modify(qint16 code, const FilmDetails& film)
{
    SearchTexts(db_).beforeChange();
    ++db_.searchMemo().filmChanges;
    return db_.execute(updateStatement(code, film)) > 0;
}

void Films::lend(qint16 code, const QString& borrower, const QString& date)
{
    Transaction transaction(db_);
    if (db_.execute(Statement {QStringLiteral("UPDATE film SET pret_film=?, date_pret=? WHERE code_film=?"),
                               {borrower, date, key(code)}})
        > 0) {
        // Every caller dates a loan as the program writes dates; a date of another form, which only
        // another program could give, leaves the history the day it is recorded.
        const QDate day = Loans::dayOf(date);
        Loans(db_).open(code, borrower, day.isValid() ? day : QDate::currentDate());
    }
    transaction.commit();
}

void Films::giveBack(qint16 code, const QDate& today)
{
    Transaction transaction(db_);
    db_.execute(Statement {QStringLiteral("UPDATE film SET pret_film=? WHERE code_film=?"),
                           {nullptr, key(code)}});
    db_.execute(Statement {QStringLiteral("UPDATE film SET date_pret=? WHERE code_film=?"),
                           {nullptr, key(code)}});
    Loans(db_).close(code, today);
    transaction.commit();
}

void Films::remove(qint16 code)
{
    SearchTexts(db_).beforeChange();
    ++db_.searchMemo().filmChanges;
    Transaction transaction(db_);
    db_.execute(Statement {QStringLiteral("DELETE FROM film WHERE code_film=?"), {key(code)}});
    Loans(db_).forget(code);
    transaction.commit();
}

void Films::forEachByTitle(const std::function<void(const QString&, const QString&, const QString&)>& visit)
{
    // The listing's three columns ride along in the title index: the films are read from it alone.
    Recordset rs;
    rs.open(fixed(QStringLiteral("SELECT nom_film, duree, qualite_film FROM film ORDER BY nom_film")), db_);
    for (; !rs.eof(); rs.moveNext())
        visit(rs.text(0), rs.text(1), rs.text(2));
}

FilmDetails Films::foundOnDisk(const QString& title)
{
    FilmDetails film;
    film.nom_film = title;
    film.type_film = QStringLiteral("----");
    film.cd_film = QStringLiteral("1");
    film.qualite_film = QStringLiteral("--");
    film.format_film = QStringLiteral("AVI");
    film.obs_Film = QStringLiteral("--");
    film.langue_Film = QStringLiteral("Autres");
    film.codec_Film = QStringLiteral("Autres");
    film.codec_Son = QStringLiteral("Autre");
    film.duree = QStringLiteral("--");
    film.realisateur = QStringLiteral("--");
    film.acteur = QStringLiteral("--");
    film.annee = QStringLiteral("0000");
    return film;
}

}  // namespace store
