#include "files/FilmFiles.h"
#include "files/NfoFile.h"
#include "support/Golden.h"

#include <QTest>

// What the quick add learns of a film from its files' names and from the .nfo file beside it.
class TestFilesFilms : public QObject {
    Q_OBJECT

private slots:
    void filmTitles_data() { testing::addTableRows("films/names.txt"); }

    void filmTitles()
    {
        QFETCH(QStringList, fields);
        QCOMPARE(files::filmTitle(fields[0], true), fields.value(1));
        QCOMPARE(files::filmTitle(fields[0], false), fields.value(2));
    }

    // At the root of a disc the folder above has no name; a disc without a name of its own gives
    // its DVD a title all the same.
    void dvdAtTheRootOfADisc()
    {
        const files::FilmFolder folder(QStringLiteral("/VIDEO_TS"),
                                       {QStringLiteral("VIDEO_TS.BUP"), QStringLiteral("video_ts.ifo")},
                                       true);
        QVERIFY(!folder.film(0));
        QCOMPARE(folder.film(1).value_or(files::FilmOnDisk {}).title, QStringLiteral("DVD"));
        QVERIFY(folder.film(1).value_or(files::FilmOnDisk {}).dvd);
    }

    void nfoFiles_data() { testing::addTableRows("nfo/reads.txt"); }

    void nfoFiles()
    {
        QFETCH(QStringList, fields);
        const std::optional<files::NfoFacts> facts = fields[0].startsWith(u'@')
                ? files::readNfo(testing::testData(fields[0].mid(1)))
                : files::parseNfo(fields[0].toUtf8());
        const QString bar = QStringLiteral("|");
        const QStringList read = facts ? QStringList {facts->title,
                                                      facts->year,
                                                      QString::number(facts->durationMs),
                                                      facts->genres.join(bar),
                                                      facts->directors.join(bar),
                                                      facts->actors.join(bar),
                                                      facts->plot}
                                       : QStringList {QStringLiteral("ignored")};
        QCOMPARE(read, fields.mid(1));
    }

    // A file past the size of any media centre's is not read, however well formed.
    void largeNfoFilesAreNotRead()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("film.nfo"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QByteArray head = "<movie><title>Grand</title><plot>";
        const QByteArray tail = "</plot></movie>";
        QVERIFY(file.write(head + QByteArray(files::kMaxNfoSize - head.size() - tail.size(), 'x') + tail)
                > 0);
        file.close();
        QCOMPARE(files::readNfo(path).value_or(files::NfoFacts {}).title, QStringLiteral("Grand"));
        QVERIFY(file.open(QIODevice::Append));
        QVERIFY(file.write("\n") == 1);
        file.close();
        QVERIFY(!files::readNfo(path));
    }
};

QTEST_GUILESS_MAIN(TestFilesFilms)
#include "test_files_films.moc"
