#include "files/CatalogueFile.h"
#include "files/CatalogueFileError.h"
#include "files/ImportMapping.h"
#include "files/ReferenceListFile.h"
#include "files/Windows1252.h"
#include "support/Files.h"
#include "support/Golden.h"

#include <QDir>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using files::ImportedFilm;
using files::MappedFilm;

namespace {

const files::ReferenceLists& defaultLists()
{
    static const files::ReferenceLists lists =
            files::readReferenceLists(CINABREL_SOURCE_DIR "/data/codec.cnb");
    return lists;
}

QString escaped(QString text)
{
    return text.replace(u'\r', QStringLiteral("\\r")).replace(u'\n', QStringLiteral("\\n"));
}

// What a reader found in a film, as "name=value", the empty values left out.
QStringList readFields(const ImportedFilm& film)
{
    QStringList fields;
    const auto add = [&fields](const char* name, const QString& value) {
        if (!value.isEmpty())
            fields.append(QString::fromLatin1(name) + u'=' + escaped(value));
    };
    const auto list = [](const QStringList& values) { return values.join(QStringLiteral(" ; ")); };
    add("title", film.title);
    add("original", film.originalTitle);
    add("year", film.year);
    add("directors", list(film.directors));
    add("actors", list(film.actors));
    add("genres", list(film.genres));
    add("duration", film.duration);
    add("minutes", film.minutes >= 0 ? QString::number(film.minutes) : QString());
    add("medium", film.medium);
    add("languages", list(film.languages));
    add("video", list(film.videoCodecs));
    add("audio", list(film.audioCodecs));
    add("discs", film.discs);
    add("plot", film.plot);
    add("comments", film.comments);
    add("borrower", film.borrower);
    add("loan", film.loanDate);
    return fields;
}

// The thirteen values the film takes with the default lists, a value new to its list marked "(+)",
// then its loan.
QString mappedFields(const MappedFilm& film)
{
    const auto marked = [](const QString& value, bool isNew) {
        return isNew ? value + QStringLiteral(" (+)") : value;
    };
    QStringList fields = {film.nom_film,
                          marked(film.type_film, film.newGenre),
                          film.cd_film,
                          film.qualite_film,
                          film.format_film,
                          escaped(film.obs_Film),
                          film.langue_Film,
                          marked(film.codec_Film, film.newVideoCodec),
                          marked(film.codec_Son, film.newAudioCodec),
                          film.duree,
                          film.realisateur,
                          film.acteur,
                          film.annee};
    if (!film.borrower.isEmpty())
        fields.append(QStringLiteral("prêté à %1 le %2").arg(film.borrower, film.loanDate));
    return fields.join(QStringLiteral(" | "));
}

// A golden file of films: for each, its line, what was read and the film's columns.
QStringList described(const QList<ImportedFilm>& films)
{
    QStringList lines;
    const QList<MappedFilm> mapped = files::mapFilms(films, defaultLists()).films;
    for (qsizetype i = 0; i < films.size(); ++i) {
        const ImportedFilm& film = films[i];
        lines.append(QStringLiteral("line %1%2").arg(film.line).arg(film.hasTitle() ? "" : " (sans titre)"));
        lines.append(QStringLiteral("  read: ") + readFields(film).join(QStringLiteral(" | ")));
        lines.append(QStringLiteral("  film: ") + mappedFields(mapped[i]));
    }
    return lines;
}

QByteArray encoded(const QString& text, const QString& encoding)
{
    if (encoding == QLatin1String("windows-1252"))
        return files::toWindows1252(text);
    if (encoding == QLatin1String("utf-8-bom"))
        return "\xEF\xBB\xBF" + text.toUtf8();
    if (encoding == QLatin1String("utf-16le-bom"))
        return QStringEncoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom).encode(text);
    if (encoding == QLatin1String("utf-16be-bom"))
        return QStringEncoder(QStringEncoder::Utf16BE, QStringEncoder::Flag::WriteBom).encode(text);
    return text.toUtf8();
}

}  // namespace

// Catalogues of other programs and spreadsheets read whole (each format against golden films), the
// files refused with what is wrong with them, and the mappings of their values into the film's
// columns.
class TestFilesImport : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    QString written(const QByteArray& bytes, const QString& name = QStringLiteral("catalogue.csv"))
    {
        const QString path = dir_.filePath(name);
        [&] { QVERIFY(testing::writeBytes(path, bytes)); }();
        return path;
    }

    // The bad files too large to keep in tests/data: "largest" and "huge", zeros of the largest size
    // read and of one byte more; "films", a table of one film more than a file may hold; "columns", a
    // table whose first line has one column more than a table may have. "folder" and "missing" are
    // what they say.
    QString madeBadFile(const QString& name)
    {
        if (name == QLatin1String("folder"))
            return dir_.path();
        if (name == QLatin1String("missing"))
            return dir_.filePath(QStringLiteral("absent.csv"));
        if (name == QLatin1String("films"))
            return written("Titre\n" + QByteArray("Alien\n").repeated(files::kMaxCatalogueFilms + 1), name);
        if (name == QLatin1String("columns"))
            return written("Titre" + QByteArray(1'000, ';') + "\nAlien\n", name);
        QFile file(dir_.filePath(name));
        [&] {
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(files::kMaxCatalogueSize + (name == QLatin1String("huge") ? 1 : 0)));
        }();
        return file.fileName();
    }

private slots:
    // Each line: a catalogue file of tests/data/import, the name of the format found, and the golden
    // file of its films; the same films saved in other forms share a golden file.
    void formatsAreRead_data() { testing::addTableRows("import/reads.txt"); }

    void formatsAreRead()
    {
        QFETCH(QStringList, fields);
        const files::CatalogueContent content =
                files::readCatalogueFile(testing::testData("import/" + fields[0]));
        QCOMPARE(content.formatName, fields[1]);
        testing::compareWithGolden(described(content.films), "import/" + fields[2]);
    }

    // Each line: an encoding, a table's text, the format found and the films' titles.
    void tablesAreSplit_data() { testing::addTableRows("import/tables.txt"); }

    void tablesAreSplit()
    {
        QFETCH(QStringList, fields);
        const files::CatalogueContent content =
                files::readCatalogueFile(written(encoded(fields[1], fields[0])));
        QCOMPARE(content.formatName, fields[2]);
        QStringList titles;
        for (const ImportedFilm& film : content.films)
            titles.append(film.hasTitle() ? film.title : QStringLiteral("(sans titre)"));
        QCOMPARE(titles.join(QStringLiteral(" | ")), fields.value(3));
    }

    // Each line: a column's name in a table's first line, and the film's value it fills ("-": none).
    void headerNames_data() { testing::addTableRows("import/headers.txt"); }

    void headerNames()
    {
        QFETCH(QStringList, fields);
        const QString table = fields[0] + QStringLiteral(";Titre\r\nvaleur;Un film\r\n");
        const files::CatalogueContent content = files::readCatalogueFile(written(table.toUtf8()));
        QCOMPARE(content.films.size(), 1);
        QStringList filled;
        for (const QString& field : readFields(content.films[0])) {
            if (field.endsWith(QLatin1String("=valeur")))
                filled.append(field.chopped(7));
        }
        QCOMPARE(filled.join(u' '), fields[1] == QLatin1String("-") ? QString() : fields[1]);
    }

    // The list of films Cinabrel exports as a workbook, saved as CSV by a spreadsheet, brings back
    // each film's title, genre, duration, discs and format.
    void workbookComesBackFilmForFilm()
    {
        QStringList expected;
        const QString films =
                QString::fromUtf8(testing::fileBytes(testing::testData("import/workbook-films.txt")));
        for (const QString& line : films.split(u'\n', Qt::SkipEmptyParts)) {
            if (!line.startsWith(u'#'))
                expected.append(line);
        }
        for (const char* saved : {"import/workbook-calc.csv", "import/workbook-calc-1252.csv"}) {
            const files::CatalogueContent content = files::readCatalogueFile(testing::testData(saved));
            QStringList back;
            for (const MappedFilm& mapped : files::mapFilms(content.films, defaultLists()).films) {
                back.append(QStringList {mapped.nom_film, mapped.type_film, mapped.duree, mapped.cd_film,
                                         mapped.format_film}
                                    .join(u'\t'));
            }
            QCOMPARE(back, expected);
        }
    }

    // Each line: a file of tests/data/import/bad, or one made here (madeBadFile), and what the
    // message says is wrong after naming the file.
    void badFilesAreRefused_data() { testing::addTableRows("import/bad.txt"); }

    void badFilesAreRefused()
    {
        QFETCH(QStringList, fields);
        const QString path = fields[0].startsWith(u'@') ? madeBadFile(fields[0].mid(1))
                                                        : testing::testData("import/bad/" + fields[0]);
        try {
            files::readCatalogueFile(path);
            QFAIL("the file was read");
        } catch (const files::CatalogueFileError& error) {
            QCOMPARE(error.message(),
                     "Impossible d'importer le fichier :\r\n" + QDir::toNativeSeparators(path) + "\r\n"
                             + fields[1]);
        }
    }

    void minutesAndDurations_data() { testing::addTableRows("import/durations.txt"); }

    void minutesAndDurations()
    {
        QFETCH(QStringList, fields);
        QCOMPARE(files::minutesOf(fields[0]), fields[1].toInt());
        QCOMPARE(files::durationEntry(fields[0]), fields[2]);
    }

    void languages_data() { testing::addTableRows("import/languages.txt"); }

    void languages()
    {
        QFETCH(QStringList, fields);
        QCOMPARE(files::languageEntry({fields[0]}), fields[1]);
    }

    void listEntries_data() { testing::addTableRows("import/entries.txt"); }

    void listEntries()
    {
        QFETCH(QStringList, fields);
        const files::ListEntry entry = files::listEntry({fields[0]}, fields[1].split(QStringLiteral(", ")));
        QCOMPARE(entry.text, fields[2]);
        QCOMPARE(entry.inList, fields[3] == QLatin1String("yes"));
    }

    void formats_data() { testing::addTableRows("import/formats.txt"); }

    void formats()
    {
        QFETCH(QStringList, fields);
        const files::FormatAndQuality format = files::formatOf(fields[0]);
        QCOMPARE(format.format, fields[1]);
        QCOMPARE(format.quality, fields[2]);
    }

    void years_data() { testing::addTableRows("import/years.txt"); }

    void years()
    {
        QFETCH(QStringList, fields);
        QCOMPARE(files::yearEntry(fields[0]), fields[1]);
    }

    void discs_data() { testing::addTableRows("import/discs.txt"); }

    void discs()
    {
        QFETCH(QStringList, fields);
        QCOMPARE(files::discsEntry(fields[0]), fields[1]);
    }

    void people_data() { testing::addTableRows("import/people.txt"); }

    void people()
    {
        QFETCH(QStringList, fields);
        QCOMPARE(files::peopleEntry(fields[0].split(u'+')), fields[1]);
    }

    void notes_data() { testing::addTableRows("import/notes.txt"); }

    void notes()
    {
        QFETCH(QStringList, fields);
        QCOMPARE(files::notesEntry(fields[0], fields[1]), fields[2]);
    }

    void loanDates_data() { testing::addTableRows("import/loan-dates.txt"); }

    void loanDates()
    {
        QFETCH(QStringList, fields);
        QCOMPARE(files::loanDateEntry(fields[0]), fields.value(1));
    }

    // A catalogue's films mapped in file order, each new entry taken into its list as the list file
    // holds it: one spelling per entry, the film's value the list's.
    void newEntriesOfACatalogue_data() { testing::addTableRows("import/new-entries.txt"); }

    void newEntriesOfACatalogue()
    {
        QFETCH(QStringList, fields);
        const QString& kind = fields[0];
        QList<ImportedFilm> films;
        for (const QString& value : fields[2].split(QStringLiteral(" | "))) {
            ImportedFilm film;
            film.title = QStringLiteral("Film %1").arg(films.size() + 1);
            QStringList& values = kind == u"genre" ? film.genres
                    : kind == u"video"             ? film.videoCodecs
                                                   : film.audioCodecs;
            values = {value};
            films.append(film);
        }
        files::ReferenceLists lists;
        QStringList& list = kind == u"genre" ? lists.genre : kind == u"video" ? lists.video : lists.audio;
        list = fields[1].split(QStringLiteral(", "));

        const files::MappedCatalogue mapped = files::mapFilms(films, lists);
        QStringList taken;
        for (const MappedFilm& film : mapped.films) {
            const auto [value, brought] = kind == u"genre" ? std::pair {film.type_film, film.newGenre}
                    : kind == u"video"                     ? std::pair {film.codec_Film, film.newVideoCodec}
                                                           : std::pair {film.codec_Son, film.newAudioCodec};
            taken.append(brought ? value + QStringLiteral(" (+)") : value);
        }
        QCOMPARE(taken.join(QStringLiteral(" | ")), fields[3]);
        const files::ReferenceLists& added = mapped.newEntries;
        QCOMPARE((added.genre + added.video + added.audio).join(QStringLiteral(", ")), fields.value(4));
        QCOMPARE(kind == u"genre"           ? added.genre
                         : kind == u"video" ? added.video
                                            : added.audio,
                 added.genre + added.video + added.audio);
    }
};

QTEST_GUILESS_MAIN(TestFilesImport)
#include "test_files_import.moc"
