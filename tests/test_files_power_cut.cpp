#include "files/ReferenceListFile.h"
#include "files/TextListing.h"
#include "files/WholeSave.h"
#include "support/Files.h"
#include "support/PowerCutRecorder.h"
#include "support/SimulatedDisk.h"

#include <QDir>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>

using testing::CutState;
using testing::DiskEvent;
using testing::SimulatedDisk;

namespace {

// Saves one of the program's files in a folder, as the window that saves it does.
using Save = void (*)(const QString& folder);

void saveLists(const QString& folder)
{
    files::writeReferenceLists(QDir(folder).filePath("codec.cnb"),
                               {{"MP3", "AC3", QString(700, u'é')}, {"DivX", "XviD"}, {"Comédie", "Drame"}});
}

void saveListing(const QString& folder)
{
    QSaveFile file(QDir(folder).filePath("Film.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    files::TextListing listing(file);
    listing.writeHeader();
    for (int i = 0; i < 40; ++i)
        listing.writeFilm(QStringLiteral("Film n°%1").arg(i), u"01h30", u"Bonne");
    listing.writeFooter(QDateTime(QDate(2026, 12, 7), QTime(9, 0)));
    QVERIFY(files::commitWhole(file));
}

const Save saves[] = {saveLists, saveListing};

}  // namespace

// A saved file replaced while the power is cut, at every step of its saving: every state the disk
// could be left in holds the former file whole or the new one whole, and the new one once the
// program said it was saved.
class TestFilesPowerCut : public QObject {
    Q_OBJECT
private slots:
    void savedFileIsFormerOrNewWhole_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("former");
        QTest::addColumn<int>("save");
        QTest::newRow("reference lists") << "codec.cnb" << QByteArray("\"aMP3\"\r\n\"vDivX\"\r\n") << 0;
        QTest::newRow("reference lists, none before") << "codec.cnb" << QByteArray() << 0;
        QTest::newRow("listing") << "Film.txt" << QByteArray(3000, 'x') << 1;
    }

    void savedFileIsFormerOrNewWhole()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, former);
        QFETCH(int, save);
        QTemporaryDir folder;
        if (!former.isNull())
            QVERIFY(testing::writeBytes(folder.filePath(name), former));
        std::vector<DiskEvent> events;
        testing::FileSet start;
        {
            testing::PowerCutRecorder recorder(folder.path());
            start = recorder.start();
            saves[save](folder.path());
            events = recorder.events();
        }
        const QByteArray saved = testing::fileBytes(folder.filePath(name));
        QVERIFY(saved != former);

        SimulatedDisk disk(start);
        std::set<std::optional<QByteArray>> seen;
        for (std::size_t step = 0; step <= events.size(); ++step) {
            for (const CutState& state : disk.statesAfterCut({name})) {
                const std::optional<QByteArray>& left = state.at(name);
                const bool formerWhole = former.isNull() ? !left : left == former;
                QVERIFY2(formerWhole || left == saved,
                         qPrintable(QStringLiteral("step %1 of %2: %3 bytes left")
                                            .arg(step)
                                            .arg(events.size())
                                            .arg(left ? left->size() : -1)));
                QVERIFY2(step < events.size() || left == saved, "the saved file is not on the disk");
                seen.insert(left);
            }
            if (step < events.size())
                disk.apply(events[step]);
        }
        QCOMPARE(seen.size(), std::size_t(2));
    }

    // The simulated disk itself sees what a missing step would cost: a file renamed before its bytes
    // are synced may be left empty or in part, a rename whose folder is not synced may be undone.
    void theSimulatedDiskSeesAMissingStep()
    {
        const QByteArray former("former");
        const QByteArray saved(1200, 'n');
        auto statesOf = [&](bool synced, bool folderSynced) {
            SimulatedDisk disk({{"f", former}});
            disk.apply(DiskEvent::create("f.saving"));
            disk.apply(DiskEvent::write("f.saving", 0, saved));
            if (synced)
                disk.apply(DiskEvent::sync("f.saving"));
            disk.apply(DiskEvent::rename("f.saving", "f"));
            if (folderSynced)
                disk.apply(DiskEvent::syncFolder(""));
            std::set<QByteArray> left;
            for (const CutState& state : disk.statesAfterCut({"f"}))
                left.insert(state.at("f").value_or("(none)"));
            return left;
        };
        QCOMPARE(statesOf(true, true), (std::set<QByteArray> {saved}));
        QCOMPARE(statesOf(true, false), (std::set<QByteArray> {former, saved}));
        // Three sectors, each kept or lost: eight states, the empty file among them.
        const std::set<QByteArray> unsynced = statesOf(false, true);
        QCOMPARE(unsynced.size(), std::size_t(8));
        QVERIFY(unsynced.count(QByteArray()));
        QVERIFY(unsynced.count(saved));
    }
};

QTEST_GUILESS_MAIN(TestFilesPowerCut)
#include "test_files_power_cut.moc"
