#include "files/CodecEntries.h"
#include "files/ReferenceListFile.h"
#include "files/TextListing.h"
#include "files/VideoFile.h"
#include "files/Workbook.h"
#include "support/Files.h"
#include "support/Golden.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using files::ReferenceLists;

namespace {

// The three lists as one: the audio entries, "|", the video entries, "|", the genres.
QStringList joined(const ReferenceLists& lists)
{
    return lists.audio + QStringList {"|"} + lists.video + QStringList {"|"} + lists.genre;
}

const ReferenceLists& defaultLists()
{
    static const ReferenceLists lists = files::readReferenceLists(CINABREL_SOURCE_DIR "/data/codec.cnb");
    return lists;
}

}  // namespace

// The program's files, byte for byte against golden files in tests/data, and what the quick add
// learns from a film file: its running time and the entries of the reference lists that name its
// codecs.
class TestFiles : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString file(const QString& name = "codec.cnb") const { return dir_.filePath(name); }

private slots:
    void referenceListsAreRead_data() { testing::addTableRows("codec/reads.txt"); }

    void referenceListsAreRead()
    {
        QFETCH(QStringList, fields);
        testing::compareWithGolden(joined(files::readReferenceLists(testing::testData(fields[0]))),
                                   fields[1]);
    }

    void referenceListsAreWritten()
    {
        const ReferenceLists lists {{"MP3", "Dolby, 5.1", " DTS ", "中文 😀 €", "\u0080"},
                                    {"DivX", "Le \"vrai\"", "\x01"},
                                    {"Comédie", "", "Œuvre à thèse", "deux\r\nlignes"}};
        files::writeReferenceLists(file(), lists);
        testing::compareWithGolden(testing::fileBytes(file()), "codec/written.cnb");
        // What the format cannot hold comes back changed, and only that.
        ReferenceLists back = lists;
        back.audio[3] = "?? ? €";
        back.audio[4] = "?";
        back.video[1] = "Le 'vrai'";
        back.video[2] = "?";
        back.genre[3] = "deux  lignes";
        QCOMPARE(joined(files::readReferenceLists(file())), joined(back));
        // Each entry as the file gives it back, told before it is written.
        QStringList told = joined(lists);
        std::transform(told.begin(), told.end(), told.begin(), files::storedEntry);
        QCOMPARE(told, joined(back));
    }

    void unreadableListsAreRefusedAndLeftAlone_data() { testing::addTableRows("codec/unreadable.txt"); }

    void unreadableListsAreRefusedAndLeftAlone()
    {
        QFETCH(QStringList, fields);
        const QByteArray bytes = fields[0].toLatin1();
        QVERIFY(testing::writeBytes(file(), bytes));
        try {
            files::readReferenceLists(file());
            QFAIL("the file was read");
        } catch (const files::ReferenceListError& error) {
            QCOMPARE(error.message(),
                     "Impossible de lire le fichier des listes :\r\n" + QDir::toNativeSeparators(file()));
        }
        QCOMPARE(testing::fileBytes(file()), bytes);
    }

    // Lists of the largest size are written and read back; larger ones are not written, and the
    // old file stays whole. A folder is no list file.
    void largestListsAndFolders()
    {
        QVERIFY_THROWS_EXCEPTION(files::ReferenceListError, files::readReferenceLists(dir_.path()));
        const QStringList largest {QString(files::kMaxFileSize - 5, u'x')};
        QVERIFY_THROWS_NO_EXCEPTION(files::writeReferenceLists(file(), {largest, {}, {}}));
        QVERIFY_THROWS_NO_EXCEPTION(QCOMPARE(files::readReferenceLists(file()).audio, largest));
        QVERIFY(testing::writeBytes(file(), "\"aMP3\"\r\n"));
        const QStringList huge(3, QString(files::kMaxFileSize / 3, u'x'));
        QVERIFY_THROWS_EXCEPTION(files::ReferenceListError,
                                 files::writeReferenceLists(file(), {huge, {}, {}}));
        QCOMPARE(testing::fileBytes(file()), QByteArray("\"aMP3\"\r\n"));
        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files), QStringList {"codec.cnb"});
    }

    void listingLinesUpItsColumns()
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        files::TextListing listing(buffer);
        listing.writeHeader();
        // Each line of films.in: a title, a running time and a quality.
        const QString films = QString::fromUtf8(testing::fileBytes(testing::testData("listing/films.in")));
        for (const QString& line : films.split(u'\n', Qt::SkipEmptyParts)) {
            const QStringList film = testing::unescaped(line).split(u'\t');
            listing.writeFilm(film[0], film[1], film[2]);
        }
        listing.writeFooter(QDateTime(QDate(2026, 12, 6), QTime(9, 5, 7)));
        QCOMPARE(listing.filmCount(), 8);
        testing::compareWithGolden(buffer.data(), "listing/films.txt");

        QBuffer empty;
        empty.open(QIODevice::WriteOnly);
        files::TextListing none(empty);
        none.writeHeader();
        none.writeFooter(QDateTime(QDate(2027, 1, 31), QTime(23, 59, 0)));
        testing::compareWithGolden(empty.data(), "listing/empty.txt");
    }

    void workbookHoldsWhatWasTyped()
    {
        files::Workbook book;
        book.setSheetName("Une feuille au nom bien plus long que permis");
        book.setColumnWidth("A:A", 4);
        book.setColumnWidth("D:E", 8);
        book.setColumnWidth("F:F", 0);
        book.setHorizontalAlignment("C:J", files::Workbook::Alignment::Center);
        book.setHorizontalAlignment("B:B", files::Workbook::Alignment::Left);
        const QStringList typed = {"N°", "2001", "-12.5", "007", "1.50", "1e3", "-0", "=1+1", "", "0.25"};
        for (int i = 0; i < typed.size(); ++i) {
            book.select(QStringLiteral("%1%2").arg(QChar(u'A' + i % 5)).arg(1 + i / 5));
            book.type(typed[i]);
        }
        book.select("B1");
        book.setSelectionBold(true);
        book.drawAllBorders(1, 2);
        book.clearBorder(1, 2, files::Workbook::Edge::Top);
        book.drawAllBorders(2, 3);
        book.clearBorder(2, 3, files::Workbook::Edge::Bottom);
        book.clearBorder(2, 3, files::Workbook::Edge::Left);
        book.select("C7");
        book.type(QString(40000, u'x'));
        const QString path = file("classeur.xlsx");
        QString error;
        QVERIFY(book.save(path, error));
        testing::compareWithGolden(testing::workbookXml(path), "workbook/typed.xml");
        QVERIFY(!book.save(file("absent/classeur.xlsx"), error));
        QCOMPARE(error, QStringLiteral("le fichier n'a pas pu être créé"));
        // A name the sheet cannot take: nothing is left on disk.
        book.setSheetName("Films [à voir]");
        QVERIFY(!book.save(file("refus.xlsx"), error));
        QVERIFY(!QFile::exists(file("refus.xlsx")));
    }

    // Sheets after the first, each with its own columns; numbers entered as numbers, shown in the
    // format of their column; a sheet's name the workbook already holds is refused, nothing left.
    void workbookHoldsSeveralSheets()
    {
        files::Workbook book;
        book.setSheetName("Totaux");
        book.setColumnWidth("A:A", 30);
        book.select("A1");
        book.type("Films");
        book.select("B1");
        book.enterNumber(32767);
        book.addSheet("Genre");
        book.setColumnWidth("A:A", 24);
        book.setNumberFormat("C:C", "0.0%");
        book.select("A1");
        book.type("Genre");
        book.setSelectionBold(true);
        book.select("C2");
        book.enterNumber(1.0 / 3);
        book.select("C3");
        book.enterNumber(1e-05);
        // A format given to a column after its cells are written reaches them too.
        book.addSheet("Décennie");
        book.select("A1");
        book.type("années 1990");
        book.select("B1");
        book.enterNumber(0.5);
        book.setNumberFormat("B:B", "0.0%");
        QCOMPARE(book.sheetName(), QStringLiteral("Décennie"));
        // The test's own folder stands for the temporary one.
        const QByteArray temporary = qgetenv("TMPDIR");
        const auto restore = qScopeGuard([&] { qputenv("TMPDIR", temporary); });
        qputenv("TMPDIR", QFile::encodeName(file("tmp")));
        QString path;
        // A temporary folder that does not exist: nothing is written, not even where the program runs.
        QVERIFY(!book.saveInTemporaryFolder("Classeur d'essai", path));
        QCOMPARE(path, QStringLiteral("Classeur d'essai.xlsx"));
        QVERIFY(!QFile::exists(path));
        QVERIFY(QDir().mkpath(file("tmp")));
        QVERIFY(book.saveInTemporaryFolder("Classeur d'essai", path));
        QCOMPARE(path, file("tmp/Classeur d'essai.xlsx"));
        testing::compareWithGolden(testing::workbookXml(path), "workbook/sheets.xml");
        QVERIFY(book.saveInTemporaryFolder("Classeur d'essai", path));
        QCOMPARE(path, file("tmp/Classeur d'essai (2).xlsx"));
        book.addSheet("Genre");
        QString error;
        QVERIFY(!book.save(file("double.xlsx"), error));
        QCOMPARE(error, QStringLiteral("nom de feuille refusé : Genre"));
        QVERIFY(!QFile::exists(file("double.xlsx")));
    }

    void readsTheHeaders_data() { testing::addTableRows("codec/films.txt"); }

    void readsTheHeaders()
    {
        QFETCH(QStringList, fields);
        QString path = fields[0].isEmpty() ? QString() : testing::testData(fields[0]);
        QTemporaryDir folder;
        if (!fields[1].isEmpty()) {
            const QString copy = folder.filePath(fields[1]);
            QVERIFY(path.isEmpty() || QFile::copy(path, copy));
            path = copy;
        }
        const files::VideoFileFacts facts = files::VideoFileReader().read(path);
        QCOMPARE(facts.durationMs, fields[2].toLongLong());
        QCOMPARE(files::videoCodecEntry(facts, defaultLists().video), fields.value(3));
        QCOMPARE(files::audioCodecEntry(facts, defaultLists().audio), fields.value(4));
    }

    void codecEntries_data() { testing::addTableRows("codec/entries.txt", u'|'); }

    void codecEntries()
    {
        QFETCH(QStringList, fields);
        const bool video = fields[0] == "video";
        const files::VideoFileFacts facts = video
                ? files::VideoFileFacts {-1, fields[1], fields[2], fields[3], fields[4], {}, {}, {}}
                : files::VideoFileFacts {-1, {}, {}, {}, {}, fields[1], fields[2], fields[3]};
        const QStringList list = !fields[5].isEmpty() ? fields[5].split(QStringLiteral(", "))
                : video                               ? defaultLists().video
                                                      : defaultLists().audio;
        QCOMPARE(video ? files::videoCodecEntry(facts, list) : files::audioCodecEntry(facts, list),
                 fields[6]);
    }

    void durationText_data() { testing::addTableRows("codec/durations.txt"); }

    void durationText()
    {
        QFETCH(QStringList, fields);
        QCOMPARE(files::durationText(fields[0].toLongLong()), fields.value(1));
    }
};

QTEST_GUILESS_MAIN(TestFiles)
#include "test_files.moc"
