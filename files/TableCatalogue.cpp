// Tables saved by a spreadsheet: CSV or tab-separated text, as LibreOffice Calc and Excel write it.
#include "files/CatalogueReaders.h"
#include "files/ImportMapping.h"
#include "files/NameTable.h"
#include "files/Windows1252.h"
#include "store/Fold.h"

#include <QHash>
#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <optional>

namespace files::catalogue {

namespace {

// What a column of the table holds.
enum class Column {
    Ignored,
    Title,
    OriginalTitle,
    Year,
    Directors,
    Actors,
    Genres,
    Duration,
    Medium,
    Languages,
    VideoCodec,
    AudioCodec,
    Discs,
    Plot,
    Comments,
    Borrower,
    LoanDate
};

// The names a header gives each column, in French and English, folded (store/Fold.h).
const QHash<QString, Column>& columnNames()
{
    static const QHash<QString, Column> names = [] {
        QHash<QString, Column> table;
        addNames(table, Column::Title,
                 {"titre", "title", "nom", "nom du film", "film", "titre du film", "titre francais",
                  "titre traduit", "french title", "translated title", "name"});
        addNames(table, Column::OriginalTitle,
                 {"titre original", "titre vo", "titre en vo", "original title", "original"});
        addNames(table, Column::Year,
                 {"annee", "year", "annee de sortie", "date de sortie", "sortie", "release year",
                  "release date", "date"});
        addNames(table, Column::Directors,
                 {"realisateur", "realisateurs", "realisation", "realise par", "metteur en scene", "director",
                  "directors", "directed by"});
        addNames(table, Column::Actors,
                 {"acteurs", "acteur", "actrices et acteurs", "interpretes", "distribution", "casting",
                  "actors", "actor", "cast", "starring"});
        addNames(table, Column::Genres, {"genre", "genres", "categorie", "categories", "category"});
        addNames(table, Column::Duration,
                 {"duree", "duree min", "duree en minutes", "runtime", "running time", "length", "duration",
                  "time"});
        addNames(table, Column::Medium,
                 {"format", "support", "medium", "media", "media type", "type de support"});
        addNames(table, Column::Languages,
                 {"langue", "langues", "langue audio", "language", "languages", "audio language"});
        addNames(table, Column::VideoCodec,
                 {"codec video", "video codec", "video", "format video", "video format"});
        addNames(table, Column::AudioCodec,
                 {"codec audio", "audio codec", "audio", "son", "format audio", "audio format"});
        addNames(table, Column::Discs,
                 {"disques", "disque", "nb disques", "nombre de disques", "cd", "cds", "nb cd", "nb cds",
                  "nombre de cd", "discs", "disks", "disc", "disk", "number of discs"});
        addNames(
                table, Column::Plot,
                {"synopsis", "resume", "histoire", "description", "plot", "summary", "synopsis observation"});
        addNames(table, Column::Comments,
                 {"notes", "commentaires", "commentaire", "observations", "observation", "remarques",
                  "comments", "comment"});
        addNames(
                table, Column::Borrower,
                {"emprunte par", "emprunteur", "prete a", "borrower", "borrowed by", "loaned to", "lent to"});
        addNames(table, Column::LoanDate,
                 {"date du pret", "date de pret", "date d emprunt", "prete le", "loan date", "lend date",
                  "lent on"});
        return table;
    }();
    return names;
}

Column columnNamed(const QString& header) { return columnNames().value(store::fold(header), Column::Ignored); }

// A cell into the film: a list column takes every cell it is given, a one-value column its first
// one that is not empty (a table may name the same column twice).
void fill(ImportedFilm& film, Column column, const QString& cell)
{
    const auto set = [&cell](QString& value) {
        if (value.isEmpty())
            value = cell;
    };
    switch (column) {
    case Column::Ignored:
        break;
    case Column::Title:
        set(film.title);
        break;
    case Column::OriginalTitle:
        set(film.originalTitle);
        break;
    case Column::Year:
        set(film.year);
        break;
    case Column::Directors:
        film.directors.append(cell);
        break;
    case Column::Actors:
        film.actors.append(cell);
        break;
    case Column::Genres:
        film.genres.append(cell);
        break;
    case Column::Duration:
        set(film.duration);
        break;
    case Column::Medium:
        set(film.medium);
        break;
    case Column::Languages:
        film.languages.append(cell);
        break;
    case Column::VideoCodec:
        film.videoCodecs.append(cell);
        break;
    case Column::AudioCodec:
        film.audioCodecs.append(cell);
        break;
    case Column::Discs:
        set(film.discs);
        break;
    case Column::Plot:
        set(film.plot);
        break;
    case Column::Comments:
        set(film.comments);
        break;
    case Column::Borrower:
        set(film.borrower);
        break;
    case Column::LoanDate:
        set(film.loanDate);
        break;
    }
}

struct DecodedText {
    QString text;
    QString encoding;
};

// A byte order mark tells the encoding; without one, text that is valid UTF-8 is UTF-8, any other
// is Windows-1252, in which every byte is a character (Excel's "CSV" in a French Windows).
DecodedText decoded(const QByteArray& bytes)
{
    struct Mark {
        QByteArrayView bytes;
        QStringConverter::Encoding encoding;
        const char* name;
    };
    static const std::array<Mark, 3> marks = {{{"\xEF\xBB\xBF", QStringConverter::Utf8, "UTF-8"},
                                               {"\xFF\xFE", QStringConverter::Utf16LE, "UTF-16"},
                                               {"\xFE\xFF", QStringConverter::Utf16BE, "UTF-16"}}};
    for (const Mark& mark : marks) {
        if (bytes.startsWith(mark.bytes)) {
            QStringDecoder decoder(mark.encoding, QStringConverter::Flag::Stateless);
            return {decoder.decode(QByteArrayView(bytes).sliced(mark.bytes.size())),
                    QString::fromLatin1(mark.name)};
        }
    }
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return {std::move(text), QStringLiteral("UTF-8")};
    return {fromWindows1252(bytes), QStringLiteral("Windows-1252")};
}

// A table of films has a few dozen columns; a line of a million separators would take the memory
// of a million cells.
constexpr int kMaxColumns = 1'000;

// One record of the table: its cells and the line where it starts.
struct Record {
    QStringList cells;
    int line = 0;
};

// Reads the text record by record, as the spreadsheets write it: a cell that starts with a quote
// runs to the quote that closes it, over separators and line ends, a doubled quote standing for
// one; any other cell runs to the next separator or line end (CR LF, LF or CR).
class TableReader {
public:
    TableReader(const QString& text, QChar separator) : text_(text), separator_(separator) { }

    bool atEnd() const { return i_ >= text_.size(); }

    Record next()
    {
        Record record;
        record.line = line_;
        const qsizetype size = text_.size();
        QString cell;
        bool blank = true;  // the cell holds spaces at most: a quote opens it
        for (;;) {
            if (i_ >= size) {
                record.cells.append(cell);
                return record;
            }
            const QChar c = text_[i_];
            if (c == separator_) {
                record.cells.append(std::exchange(cell, QString()));
                if (record.cells.size() >= kMaxColumns)
                    throw Fault {QStringLiteral("Sa ligne %1 compte plus de %2 colonnes : ce n'est pas un "
                                                "tableau de films.")
                                         .arg(record.line)
                                         .arg(frenchNumber(kMaxColumns))};
                blank = true;
                ++i_;
            } else if (c == u'\r' || c == u'\n') {
                skipLineEnd();
                record.cells.append(cell);
                return record;
            } else if (c == u'"' && blank) {
                cell = quoted();
                blank = false;
            } else {
                cell.append(c);
                blank = blank && c.isSpace();
                ++i_;
            }
        }
    }

private:
    void skipLineEnd()
    {
        if (text_[i_] == u'\r' && i_ + 1 < text_.size() && text_[i_ + 1] == u'\n')
            ++i_;
        ++i_;
        ++line_;
    }

    // From the opening quote to the closing one, which the cell's end must follow; a quote
    // followed by anything else closes the quoted part, the rest of the cell kept as written.
    QString quoted()
    {
        const int openedOn = line_;
        QString cell;
        ++i_;
        const qsizetype size = text_.size();
        while (i_ < size) {
            const QChar c = text_[i_];
            if (c == u'"') {
                if (i_ + 1 < size && text_[i_ + 1] == u'"') {
                    cell.append(u'"');
                    i_ += 2;
                    continue;
                }
                ++i_;
                return cell;
            }
            if (c == u'\r' || c == u'\n') {
                const qsizetype start = i_;
                skipLineEnd();
                cell.append(QStringView(text_).sliced(start, i_ - start));
                continue;
            }
            cell.append(c);
            ++i_;
        }
        throw Fault {QStringLiteral("Un guillemet ouvert à la ligne %1 n'est jamais fermé.").arg(openedOn)};
    }

    const QString& text_;
    const QChar separator_;
    qsizetype i_ = 0;
    int line_ = 1;
};

bool isBlank(const Record& record)
{
    return std::all_of(record.cells.begin(), record.cells.end(),
                       [](const QString& cell) { return cell.trimmed().isEmpty(); });
}

// The first record that is not blank: the header.
Record header(const QString& text, QChar separator)
{
    TableReader reader(text, separator);
    while (!reader.atEnd()) {
        Record record = reader.next();
        if (!isBlank(record))
            return record;
    }
    return {};
}

// The separator that makes the header name the most known columns, a title among them; ties go to
// the tab, then the semicolon (a comma may stand inside a name).
struct Layout {
    QChar separator;
    QList<Column> columns;
};

std::optional<Layout> layoutOf(const QString& text)
{
    std::optional<Layout> best;
    qsizetype bestKnown = 0;
    for (QChar separator : {u'\t', u';', u','}) {
        Layout layout {separator, {}};
        for (const QString& name : header(text, separator).cells)
            layout.columns.append(columnNamed(name));
        const qsizetype known = layout.columns.size() - layout.columns.count(Column::Ignored);
        const bool titled =
                layout.columns.contains(Column::Title) || layout.columns.contains(Column::OriginalTitle);
        if (titled && known > bestKnown) {
            best = std::move(layout);
            bestKnown = known;
        }
    }
    return best;
}

QString separatorName(QChar separator)
{
    if (separator == u'\t')
        return QStringLiteral("tabulation");
    return separator == u';' ? QStringLiteral("point-virgule") : QStringLiteral("virgule");
}

}  // namespace

CatalogueContent readTable(const QByteArray& bytes)
{
    const DecodedText decodedText = decoded(bytes);
    const QString& text = decodedText.text;
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); }))
        throw Fault {QStringLiteral("Il est vide.")};
    if (text.contains(QChar(u'\0')))
        throw Fault {unknownFormat()};
    const std::optional<Layout> layout = layoutOf(text);
    if (!layout)
        throw Fault {QStringLiteral(
                "Sa première ligne ne nomme pas la colonne des titres (« Titre » ou « Title ») : "
                "ce n'est ni un tableau de films, ni une collection Tellico, GCstar ou Ant "
                "Movie Catalog.")};

    CatalogueContent content;
    content.formatName = QStringLiteral("Tableau CSV, séparateur %1, %2")
                                 .arg(separatorName(layout->separator), decodedText.encoding);
    TableReader reader(text, layout->separator);
    bool headerRead = false;
    while (!reader.atEnd()) {
        const Record record = reader.next();
        if (isBlank(record))
            continue;
        if (!std::exchange(headerRead, true))
            continue;
        ImportedFilm film;
        film.line = record.line;
        const qsizetype cells = qMin(record.cells.size(), layout->columns.size());
        for (qsizetype k = 0; k < cells; ++k) {
            const QString cell = record.cells[k].trimmed();
            if (!cell.isEmpty())
                fill(film, layout->columns[k], cell);
        }
        film.minutes = minutesOf(film.duration);
        addFilm(content, std::move(film));
    }
    return content;
}

}  // namespace files::catalogue
