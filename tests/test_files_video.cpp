#include "files/CodecEntries.h"
#include "files/ReferenceListFile.h"
#include "files/VideoFile.h"

#include "support/Golden.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const files::ReferenceLists& defaultLists()
{
    static const files::ReferenceLists lists =
            files::readReferenceLists(QStringLiteral(CINABREL_SOURCE_DIR "/data/codec.cnb"));
    return lists;
}

}  // namespace

// What the quick add learns from a film file: its running time and the entries of the reference
// lists that name its codecs.
class TestVideoFiles : public QObject {
    Q_OBJECT
private slots:
    void readsTheHeaders_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QString>("copyAs");
        QTest::addColumn<qint64>("durationMs");
        QTest::addColumn<QString>("video");
        QTest::addColumn<QString>("audio");
        auto row = [](const char* name, const char* fixture, const char* copyAs, qint64 ms, const char* video,
                      const char* audio) {
            QTest::newRow(name) << fixture << copyAs << ms << video << audio;
        };
        row("DX50 and MP3", "divx_mp3.avi", "", 2200, "DivX", "MP3");
        row("XVID and AC-3", "xvid_ac3.avi", "", 2016, "XviD", "AC3");
        row("codecs no list names", "mjpeg_adpcm.avi", "", 2036, "", "");
        row("cut inside its headers", "truncated.avi", "", -1, "", "");
        row("text", "text.avi", "", -1, "", "");
        row("accents and quotes in the name", "divx_mp3.avi", "L'été \"à\" Noël – œuvre.avi", 2200, "DivX",
            "MP3");
        row("missing", "", "absent.avi", -1, "", "");
    }

    void readsTheHeaders()
    {
        QFETCH(QString, fixture);
        QFETCH(QString, copyAs);
        QFETCH(qint64, durationMs);
        QFETCH(QString, video);
        QFETCH(QString, audio);
        QString path = fixture.isEmpty() ? QString() : testing::testData(fixture);
        QTemporaryDir folder;
        if (!copyAs.isEmpty()) {
            const QString copy = folder.filePath(copyAs);
            QVERIFY(path.isEmpty() || QFile::copy(path, copy));
            path = copy;
        }
        files::VideoFileReader reader;
        const files::VideoFileFacts facts = reader.read(path);
        QCOMPARE(facts.durationMs, durationMs);
        QCOMPARE(files::videoCodecEntry(facts, defaultLists().video), video);
        QCOMPARE(files::audioCodecEntry(facts, defaultLists().audio), audio);
    }

    void codecEntries_data()
    {
        // What the library tells of a stream: format, version or profile, codec id (and the
        // hint of a video codec).
        QTest::addColumn<bool>("isVideo");
        QTest::addColumn<QStringList>("stream");
        QTest::addColumn<QStringList>("list");  // empty: the default list
        QTest::addColumn<QString>("entry");
        auto video = [](const char* name, QStringList stream, QString entry, QStringList list = {}) {
            QTest::newRow(name) << true << stream << list << entry;
        };
        auto audio = [](const char* name, QStringList stream, QString entry, QStringList list = {}) {
            QTest::newRow(name) << false << stream << list << entry;
        };
        video("DX50", {"MPEG-4 Visual", "", "DX50", "DivX 5"}, "DivX");
        video("DIV3, lower case", {"MPEG-4 Visual", "", "div3", ""}, "DivX");
        video("DivX hint alone", {"MPEG-4 Visual", "", "", "DivX 3 Low"}, "DivX");
        video("XVID", {"MPEG-4 Visual", "", "XVID", "XviD"}, "XviD");
        video("other MPEG-4 part 2", {"MPEG-4 Visual", "", "FMP4", ""}, "MPEG-4");
        video("MPEG-2", {"MPEG Video", "Version 2", "", ""}, "MPEG-2");
        video("MPEG-1, not in the list", {"MPEG Video", "Version 1", "", ""}, "");
        video("AVC", {"AVC", "", "H264", ""}, "H.264");
        video("AVC, list names it so", {"AVC", "", "H264", ""}, "AVC", {"Autres", "AVC"});
        video("HEVC, not in the list", {"HEVC", "", "", ""}, "");
        video("Motion JPEG", {"JPEG", "", "MJPG", ""}, "");
        video("the library's name in the list", {"JPEG", "", "MJPG", ""}, "JPEG", {"Autres", "JPEG"});
        video("DivX removed from the list", {"MPEG-4 Visual", "", "DX50", "DivX 5"}, "", {"XviD", "Autres"});
        video("list spells it otherwise", {"MPEG-4 Visual", "", "DX50", "DivX 5"}, "", {"Divx", "Autres"});
        video("nothing told", {"", "", "", ""}, "");
        audio("MP3", {"MPEG Audio", "Layer 3", "55"}, "MP3");
        audio("MP3 by its id", {"MPEG Audio", "", "55"}, "MP3");
        audio("MP2, not in the list", {"MPEG Audio", "Layer 2", "50"}, "");
        audio("AC-3", {"AC-3", "", "2000"}, "AC3");
        audio("E-AC-3, not in the list", {"E-AC-3", "", ""}, "");
        audio("AAC", {"AAC", "LC", "FF"}, "AAC");
        audio("DTS", {"DTS", "", "2001"}, "DTS");
        audio("PCM", {"PCM", "", "1"}, "PCM");
        audio("Vorbis", {"Vorbis", "", ""}, "Ogg Vorbis");
        audio("ADPCM", {"ADPCM", "", "2"}, "");
    }

    void codecEntries()
    {
        QFETCH(bool, isVideo);
        QFETCH(QStringList, stream);
        QFETCH(QStringList, list);
        QFETCH(QString, entry);
        files::VideoFileFacts facts;
        if (isVideo) {
            facts.videoFormat = stream[0];
            facts.videoVersion = stream[1];
            facts.videoCodecId = stream[2];
            facts.videoCodecHint = stream[3];
            QCOMPARE(files::videoCodecEntry(facts, list.isEmpty() ? defaultLists().video : list), entry);
        } else {
            facts.audioFormat = stream[0];
            facts.audioProfile = stream[1];
            facts.audioCodecId = stream[2];
            QCOMPARE(files::audioCodecEntry(facts, list.isEmpty() ? defaultLists().audio : list), entry);
        }
    }

    void durationText_data()
    {
        QTest::addColumn<qint64>("ms");
        QTest::addColumn<QString>("text");
        auto row = [](const char* name, qint64 ms, const char* text) { QTest::newRow(name) << ms << text; };
        row("unknown", -1, "");
        row("nothing", 0, "00h00");
        row("under half a minute", 29'999, "00h00");
        row("half a minute", 30'000, "00h01");
        row("1 h 45 min 29 s", 6'329'999, "01h45");
        row("1 h 45 min 30 s", 6'330'000, "01h46");
        row("59 min 30 s", 3'570'000, "01h00");
        row("100 hours", 360'000'000, "100h00");
    }

    void durationText()
    {
        QFETCH(qint64, ms);
        QFETCH(QString, text);
        QCOMPARE(files::durationText(ms), text);
    }
};

QTEST_GUILESS_MAIN(TestVideoFiles)

#include "test_files_video.moc"
