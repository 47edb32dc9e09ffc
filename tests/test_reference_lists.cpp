#include "files/ReferenceListFile.h"
#include "support/Testing.h"

using files::ReferenceLists;

namespace {

// The three lists as one list: the audio entries, "|", the video entries, "|", the genres.
QStringList joined(const ReferenceLists& lists)
{
    return lists.audio + QStringList {"|"} + lists.video + QStringList {"|"} + lists.genre;
}

}  // namespace

class TestReferenceLists : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString file() const { return dir_.filePath("codec.cnb"); }

private slots:
    void writtenListsReadBackUnchanged_data()
    {
        QTest::addColumn<ReferenceLists>("lists");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("plain, accents, commas, empty entries")
                << ReferenceLists {{"MP3", "Dolby, 5.1", " DTS "}, {"DivX"}, {"Comédie", "", "Œuvre à thèse"}}
                << QByteArray("\"aMP3\"\r\n\"aDolby, 5.1\"\r\n\"a DTS \"\r\n\"vDivX\"\r\n\"gCom\xE9"
                              "die\"\r\n\"g\"\r\n"
                              "\"g\x8C"
                              "uvre \xE0 th\xE8se\"\r\n");
        QTest::newRow("empty lists") << ReferenceLists {{""}, {}, {","}} << QByteArray("\"a\"\r\n\"g,\"\r\n");
    }

    void writtenListsReadBackUnchanged()
    {
        QFETCH(ReferenceLists, lists);
        QFETCH(QByteArray, bytes);
        files::writeReferenceLists(file(), lists);
        QCOMPARE(testing::fileBytes(file()), bytes);
        QCOMPARE(joined(files::readReferenceLists(file())), joined(lists));
    }

    void writerStoresWhatTheFormatCannotHold()
    {
        files::writeReferenceLists(file(), {{"中文 😀 €"}, {"Le \"vrai\""}, {"deux\r\nlignes"}});
        QCOMPARE(testing::fileBytes(file()),
                 QByteArray("\"a?? ? \x80\"\r\n\"vLe 'vrai'\"\r\n\"gdeux  lignes\"\r\n"));
    }

    void readerFields_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lists");
        QTest::newRow("empty file") << QByteArray() << QStringList {"|", "|"};
        QTest::newRow("lone marker") << QByteArray("\"a\"\r\n\"v\"\r\n") << QStringList {"", "|", "", "|"};
        QTest::newRow("upper-case and unknown markers skipped")
                << QByteArray("\"AMP3\"\r\n\"VDivX\"\r\n\"GDrame\"\r\n\"xAutre\"\r\n\"gDrame\"\r\n")
                << QStringList {"|", "|", "Drame"};
        QTest::newRow("interleaved records keep file order") << QByteArray(
                "\"gWestern\"\r\n\"aMP3\"\r\n\"vDivX\"\r\n\"aAC3\"\r\n\"gAction\"\r\n\"vXviD\"\r\n")
                                                             << QStringList {"MP3",     "AC3",   "|",
                                                                             "DivX",    "XviD",  "|",
                                                                             "Western", "Action"};
        QTest::newRow("empty lines skipped") << QByteArray("\r\n\"aMP3\"\r\n\r\n\r\n\"aAC3\"\r\n\r\n")
                                             << QStringList {"MP3", "AC3", "|", "|"};
        QTest::newRow("unquoted line without comma")
                << QByteArray("aMP3 st\xE9r\xE9o \r\n") << QStringList {"MP3 stéréo ", "|", "|"};
        QTest::newRow("unquoted line split at commas") << QByteArray("aMP3,vDivX, gDrame,Autre,\r\n")
                                                       << QStringList {"MP3", "|", "DivX", "|", "Drame"};
        QTest::newRow("leading blanks and text after the closing quote")
                << QByteArray(" \t\"aMP3\" reste ignor\xE9, \"vDivX\"\r\n")
                << QStringList {"MP3", "|", "DivX", "|"};
        QTest::newRow("unclosed quote ends with its line")
                << QByteArray("\"aMP3\r\n\"vDivX\"\r\n") << QStringList {"MP3", "|", "DivX", "|"};
        QTest::newRow("bare line feeds and no final line end")
                << QByteArray("\"aMP3\"\n\"vDivX\"\r\"gDrame\"")
                << QStringList {"MP3", "|", "DivX", "|", "Drame"};
    }

    void readerFields()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lists);
        QVERIFY(testing::writeBytes(file(), bytes));
        QCOMPARE(joined(files::readReferenceLists(file())), lists);
    }

    void unreadableFileIsReportedAndLeftAlone_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("binary") << QByteArray("\"aMP3\"\r\n\x00\x01\x02\xFF", 12);
        QTest::newRow("byte undefined in Windows-1252") << QByteArray("\"aMP3\x81\"\r\n");
        QTest::newRow("UTF-8 with a byte order mark") << QByteArray("\xEF\xBB\xBF\"aMP3\"\r\n");
        QTest::newRow("too large") << QByteArray(files::kMaxFileSize + 1, 'a');
    }

    void unreadableFileIsReportedAndLeftAlone()
    {
        QFETCH(QByteArray, bytes);
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

    void missingFileOrFolderIsReported()
    {
        QVERIFY_THROWS_EXCEPTION(files::ReferenceListError,
                                 files::readReferenceLists(dir_.filePath("absent.cnb")));
        QVERIFY_THROWS_EXCEPTION(files::ReferenceListError, files::readReferenceLists(dir_.path()));
        const QString nowhere = dir_.filePath("absent/codec.cnb");
        try {
            files::writeReferenceLists(nowhere, {{"MP3"}, {}, {}});
            QFAIL("the file was written");
        } catch (const files::ReferenceListError& error) {
            QCOMPARE(error.message(),
                     "Impossible d'enregistrer les listes dans :\r\n" + QDir::toNativeSeparators(nowhere));
        }
    }

    void failedWriteKeepsTheOldFile()
    {
        QVERIFY(testing::writeBytes(file(), "\"aMP3\"\r\n"));
        const QStringList huge(3, QString(files::kMaxFileSize / 3, u'x'));
        QVERIFY_THROWS_EXCEPTION(files::ReferenceListError,
                                 files::writeReferenceLists(file(), {huge, {}, {}}));
        QCOMPARE(testing::fileBytes(file()), QByteArray("\"aMP3\"\r\n"));
        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files), QStringList {"codec.cnb"});
    }
};

CINABREL_TEST_MAIN(TestReferenceLists)

#include "test_reference_lists.moc"
