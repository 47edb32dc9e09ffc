#include "reflists/ReferenceListFile.h"
#include "support/Files.h"
#include "support/TestMain.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using reflists::ReferenceLists;

class TestReferenceLists : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    QString file() const { return dir_.filePath(QStringLiteral("codec.cnb")); }

private slots:
    void writtenListsReadBackUnchanged_data()
    {
        QTest::addColumn<QStringList>("audio");
        QTest::addColumn<QStringList>("video");
        QTest::addColumn<QStringList>("genre");
        QTest::newRow("plain") << QStringList{"MP3", "AC3", "Ogg Vorbis"} << QStringList{"DivX", "XviD"}
                               << QStringList{"Action", "Drame"};
        QTest::newRow("commas and spaces") << QStringList{"AC3, 5.1", " DTS "} << QStringList{"MPEG-2,MPEG-4"}
                                           << QStringList{",", "a, b, c"};
        QTest::newRow("accents") << QStringList{"Débit €"} << QStringList{"Vidéo"}
                                 << QStringList{"Comédie dramatique", "Œuvre à thèse"};
        QTest::newRow("empty entries and lists") << QStringList{""} << QStringList{} << QStringList{"", "g"};
    }

    void writtenListsReadBackUnchanged()
    {
        QFETCH(QStringList, audio);
        QFETCH(QStringList, video);
        QFETCH(QStringList, genre);
        reflists::writeReferenceLists(file(), {audio, video, genre});
        const ReferenceLists read = reflists::readReferenceLists(file());
        QCOMPARE(read.audio, audio);
        QCOMPARE(read.video, video);
        QCOMPARE(read.genre, genre);
    }

    void writerGroupsQuotedRecordsInWindows1252()
    {
        reflists::writeReferenceLists(
            file(), {{QStringLiteral("MP3"), QStringLiteral("Dolby, 5.1")}, {QStringLiteral("DivX")},
                     {QStringLiteral("Comédie"), QString()}});
        QCOMPARE(testing::fileBytes(file()),
                 QByteArray("\"aMP3\"\r\n\"aDolby, 5.1\"\r\n\"vDivX\"\r\n\"gCom\xE9" "die\"\r\n\"g\"\r\n"));
    }

    void writerStoresWhatTheFormatCannotHold()
    {
        reflists::writeReferenceLists(file(), {{QStringLiteral("中文 😀 €")}, {QStringLiteral("Le \"vrai\"")},
                                               {QStringLiteral("deux\r\nlignes")}});
        QCOMPARE(testing::fileBytes(file()), QByteArray("\"a?? ? \x80\"\r\n\"vLe 'vrai'\"\r\n\"gdeux  lignes\"\r\n"));
    }

    void readerFields_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("audio");
        QTest::addColumn<QStringList>("video");
        QTest::addColumn<QStringList>("genre");
        QTest::newRow("empty file") << QByteArray() << QStringList{} << QStringList{} << QStringList{};
        QTest::newRow("lone marker") << QByteArray("\"a\"\r\n\"v\"\r\n") << QStringList{""} << QStringList{""}
                                     << QStringList{};
        QTest::newRow("upper-case and unknown markers skipped")
            << QByteArray("\"AMP3\"\r\n\"VDivX\"\r\n\"GDrame\"\r\n\"xAutre\"\r\n\"gDrame\"\r\n") << QStringList{}
            << QStringList{} << QStringList{"Drame"};
        QTest::newRow("interleaved records keep file order")
            << QByteArray("\"gWestern\"\r\n\"aMP3\"\r\n\"vDivX\"\r\n\"aAC3\"\r\n\"gAction\"\r\n\"vXviD\"\r\n")
            << QStringList{"MP3", "AC3"} << QStringList{"DivX", "XviD"} << QStringList{"Western", "Action"};
        QTest::newRow("empty lines skipped") << QByteArray("\r\n\"aMP3\"\r\n\r\n\r\n\"aAC3\"\r\n\r\n")
                                             << QStringList{"MP3", "AC3"} << QStringList{} << QStringList{};
        QTest::newRow("unquoted line without comma") << QByteArray("aMP3 st\xE9r\xE9o \r\n")
                                                     << QStringList{"MP3 st\u00e9r\u00e9o "} << QStringList{}
                                                     << QStringList{};
        QTest::newRow("unquoted line split at commas")
            << QByteArray("aMP3,vDivX, gDrame,Autre,\r\n") << QStringList{"MP3"} << QStringList{"DivX"}
            << QStringList{"Drame"};
        QTest::newRow("leading blanks and text after the closing quote")
            << QByteArray(" \t\"aMP3\" reste ignor\xE9, \"vDivX\"\r\n") << QStringList{"MP3"} << QStringList{"DivX"}
            << QStringList{};
        QTest::newRow("unclosed quote ends with its line") << QByteArray("\"aMP3\r\n\"vDivX\"\r\n")
                                                           << QStringList{"MP3"} << QStringList{"DivX"}
                                                           << QStringList{};
        QTest::newRow("bare line feeds and no final line end") << QByteArray("\"aMP3\"\n\"vDivX\"\r\"gDrame\"")
                                                               << QStringList{"MP3"} << QStringList{"DivX"}
                                                               << QStringList{"Drame"};
        QTest::newRow("accented letters as single bytes") << QByteArray("\"gCom\xE9" "die\"\r\n\"g\x8C" "uvre\"\r\n")
                                                          << QStringList{} << QStringList{}
                                                          << QStringList{"Comédie", "Œuvre"};
    }

    void readerFields()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, audio);
        QFETCH(QStringList, video);
        QFETCH(QStringList, genre);
        QVERIFY(testing::writeBytes(file(), bytes));
        const ReferenceLists read = reflists::readReferenceLists(file());
        QCOMPARE(read.audio, audio);
        QCOMPARE(read.video, video);
        QCOMPARE(read.genre, genre);
    }

    void unreadableFileIsReportedAndLeftAlone_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("binary") << QByteArray("\"aMP3\"\r\n\x00\x01\x02\xFF", 12);
        QTest::newRow("byte undefined in Windows-1252") << QByteArray("\"aMP3\x81\"\r\n");
        QTest::newRow("UTF-8 with a byte order mark") << QByteArray("\xEF\xBB\xBF\"aMP3\"\r\n");
        QTest::newRow("too large") << QByteArray(reflists::kMaxFileSize + 1, 'a');
    }

    void unreadableFileIsReportedAndLeftAlone()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(testing::writeBytes(file(), bytes));
        try {
            reflists::readReferenceLists(file());
            QFAIL("the file was read");
        } catch (const reflists::ReferenceListError& error) {
            QCOMPARE(error.message(),
                     QStringLiteral("Impossible de lire le fichier des listes :\r\n") + QDir::toNativeSeparators(file()));
        }
        QCOMPARE(testing::fileBytes(file()), bytes);
    }

    void missingFileOrFolderIsReported()
    {
        QVERIFY_THROWS_EXCEPTION(reflists::ReferenceListError,
                                 reflists::readReferenceLists(dir_.filePath(QStringLiteral("absent.cnb"))));
        QVERIFY_THROWS_EXCEPTION(reflists::ReferenceListError, reflists::readReferenceLists(dir_.path()));
        const QString nowhere = dir_.filePath(QStringLiteral("absent/codec.cnb"));
        try {
            reflists::writeReferenceLists(nowhere, {{QStringLiteral("MP3")}, {}, {}});
            QFAIL("the file was written");
        } catch (const reflists::ReferenceListError& error) {
            QCOMPARE(error.message(),
                     QStringLiteral("Impossible d'enregistrer les listes dans :\r\n") + QDir::toNativeSeparators(nowhere));
        }
    }

    void failedWriteKeepsTheOldFile()
    {
        const QByteArray old("\"aMP3\"\r\n");
        QVERIFY(testing::writeBytes(file(), old));
        const QStringList huge(3, QString(reflists::kMaxFileSize / 3, u'x'));
        QVERIFY_THROWS_EXCEPTION(reflists::ReferenceListError, reflists::writeReferenceLists(file(), {huge, {}, {}}));
        QCOMPARE(testing::fileBytes(file()), old);
        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files), QStringList{QStringLiteral("codec.cnb")});
    }
};

CINABREL_TEST_MAIN(TestReferenceLists)

#include "test_reference_lists.moc"
