#include "store/Backups.h"
#include "store/BulkWrites.h"
#include "store/Database.h"
#include "store/DbError.h"
#include "store/DiskSteps.h"
#include "store/Films.h"
#include "support/Files.h"
#include "support/PowerCutRecorder.h"
#include "support/SimulatedDisk.h"
#include "support/TestCatalogue.h"

#include <QDir>
#include <QSaveFile>
#include <QScopeGuard>
#include <QRandomGenerator>
#include <QTest>
#include <algorithm>
#include <functional>
#include <sqlite3.h>

using testing::DiskEvent;
using testing::FileSet;
using testing::SimulatedDisk;

namespace {

constexpr quint32 kSeed = 20261207;
constexpr int kCuts = 100;
constexpr int kFilms = 60;
constexpr int kBulkFilms = 200;
const QString kCatalogue = QStringLiteral("BD/Film.mdb");

QDateTime at(int hour, int minute) { return QDateTime(QDate(2026, 12, 7), QTime(hour, minute)); }

store::FilmDetails details(const QString& title, int variant)
{
    store::FilmDetails film = store::Films::foundOnDisk(title);
    film.type_film = variant % 2 ? QStringLiteral("Comédie") : QStringLiteral("Drame");
    film.obs_Film = QString(300 + variant * 40, QChar(u'a' + variant % 26));
    film.acteur = QStringLiteral("Acteur n°%1").arg(variant);
    film.annee = QString::number(1950 + variant);
    return film;
}

// One thing the program does and reports done, between two steps of the recording, and what the
// catalogue holds once it is done.
struct Operation {
    QString name;
    std::size_t begin = 0, end = 0;
    QList<QStringList> after;
    // A bulk of films added under one BulkWrites scope: cut in the middle, the catalogue holds the
    // films before it and any first ones of the bulk.
    bool bulk = false;
    // A backup it wrote, relative to the program folder, and the films it holds.
    QString backup;
    QList<QStringList> backedUp;
};

// The user's day: the program started, films saved, modified, lent, returned and deleted, a quick
// add's bulk, a backup, the program closed and started again, a restore, more edits, the program
// closed. Recorded step by step under the engine and the program's disk steps.
class Day {
public:
    Day()
    {
        catalogue_.fill(kFilms);
        catalogue_.closeDb();
        recorder_ = std::make_unique<testing::PowerCutRecorder>(catalogue_.folder());
        start_ = recorder_->start();
    }

    void play()
    {
        open(QStringLiteral("start-up"));
        for (int i = 0; i < 4; ++i)
            films(QStringLiteral("save"), [i](store::Films& f) { f.add(details("Nouveau", i)); });
        for (int code : {3, 17, 30})
            films(QStringLiteral("modify"),
                  [code](store::Films& f) { f.modify(code, details("Changé", code)); });
        films(QStringLiteral("lend"), [](store::Films& f) { f.lend(5, "Marie", "07/12/2026"); });
        films(QStringLiteral("lend"), [](store::Films& f) { f.lend(6, "Paul", "07/12/2026"); });
        films(QStringLiteral("return"), [](store::Films& f) { f.giveBack(4, QDate(2026, 12, 7)); });
        films(QStringLiteral("delete"), [](store::Films& f) { f.remove(9); });
        bulkAdd();
        films(QStringLiteral("modify"), [](store::Films& f) { f.modify(kFilms + 20, details("Trouvé", 7)); });
        const QString backup = backUp();
        films(QStringLiteral("delete"), [](store::Films& f) { f.remove(12); });
        films(QStringLiteral("save"), [](store::Films& f) { f.add(details("Après la sauvegarde", 11)); });
        close(QStringLiteral("program closed"));
        open(QStringLiteral("started again"));
        films(QStringLiteral("return"), [](store::Films& f) { f.giveBack(5, QDate(2026, 12, 7)); });
        restore(backup);
        films(QStringLiteral("save"), [](store::Films& f) { f.add(details("Après la restauration", 13)); });
        films(QStringLiteral("modify"), [](store::Films& f) { f.modify(2, details("Encore", 2)); });
        films(QStringLiteral("lend"), [](store::Films& f) { f.lend(2, "Léa", "07/12/2026"); });
        close(QStringLiteral("program closed"));
        events_ = recorder_->events();
        recorder_.reset();
    }

    const FileSet& start() const { return start_; }
    const std::vector<DiskEvent>& events() const { return events_; }
    const QList<Operation>& operations() const { return operations_; }
    const QList<QStringList>& before() const { return before_; }

private:
    Operation& begin(const QString& name)
    {
        Operation operation;
        operation.name = name;
        operation.begin = recorder_->events().size();
        operations_.append(operation);
        return operations_.last();
    }

    void done(Operation& operation)
    {
        operation.end = recorder_->events().size();
        operation.after = db_ ? testing::filmRows(*db_) : last();
    }

    // What the operation before the last one left.
    QList<QStringList> last() const
    {
        return operations_.size() > 1 ? operations_[operations_.size() - 2].after : before_;
    }

    void open(const QString& name)
    {
        Operation& operation = begin(name);
        db_ = store::Database::open(catalogue_.cataloguePath());
        if (before_.isEmpty())
            before_ = testing::filmRows(*db_);
        done(operation);
    }

    void close(const QString& name)
    {
        Operation& operation = begin(name);
        db_.reset();
        done(operation);
    }

    void films(const QString& name, const std::function<void(store::Films&)>& change)
    {
        Operation& operation = begin(name);
        store::Films films(*db_);
        change(films);
        done(operation);
    }

    void bulkAdd()
    {
        Operation& operation = begin(QStringLiteral("bulk add"));
        operation.bulk = true;
        {
            store::BulkWrites bulk(*db_);
            store::Films films(*db_);
            const int first = films.nextKey();
            for (int i = 0; i < kBulkFilms; ++i)
                films.insert(first + i, store::Films::foundOnDisk(QStringLiteral("Trouvé %1").arg(i)));
        }
        done(operation);
    }

    QString backUp()
    {
        Operation& operation = begin(QStringLiteral("backup"));
        const QString path = store::Backups(*db_).backUp(at(12, 0));
        operation.backup = QDir(catalogue_.folder()).relativeFilePath(path);
        done(operation);
        operation.backedUp = operation.after;
        return path;
    }

    void restore(const QString& backup)
    {
        const QList<QStringList> replaced = testing::filmRows(*db_);
        Operation& operation = begin(QStringLiteral("restore"));
        store::Backups(*db_).restore(backup, at(18, 0));
        // The catalogue as it was is kept first, as a backup of its own.
        operation.backup = QStringLiteral("BD/Sauvegardes/") + store::Backups::fileName(at(18, 0));
        operation.backedUp = replaced;
        done(operation);
    }

    testing::TestCatalogue catalogue_;
    std::unique_ptr<testing::PowerCutRecorder> recorder_;
    std::unique_ptr<store::Database> db_;
    FileSet start_;
    std::vector<DiskEvent> events_;
    QList<Operation> operations_;
    QList<QStringList> before_;
};

// The films of a catalogue a cut left, opened as it is; none when it is not sound, with the
// engine's verdict, or the store's refusal.
QList<QStringList> soundFilms(const QString& path, QString& verdict)
{
    try {
        std::unique_ptr<store::Database> db = store::Database::open(path, store::Database::Access::ReadOnly);
        verdict = testing::integrityCheck(*db);
        return verdict == u"ok" ? testing::filmRows(*db) : QList<QStringList>();
    } catch (const store::DbError& error) {
        verdict = error.message();
        return {};
    }
}

// The films before an operation cut short, or those after it; for a bulk, also those before and
// any first ones of the bulk.
bool holdsWhatWasDone(const QList<QStringList>& rows, const QList<QStringList>& before,
                      const Operation* cutShort)
{
    if (rows == before)
        return true;
    if (!cutShort)
        return false;
    if (cutShort->bulk)
        return rows.size() >= before.size() && rows == cutShort->after.mid(0, rows.size());
    return rows == cutShort->after;
}

}  // namespace

// The power cut at any moment: the files as a disk would hold them (what was not synced lost, or
// some of it kept in any order), then the catalogue opened again. It is sound every time and holds
// every change reported done before the cut, column by column.
class TestStorePowerCut : public QObject {
    Q_OBJECT
private slots:
    void aDayCutAtAnyMoment()
    {
        Day day;
        day.play();
        const std::vector<DiskEvent>& events = day.events();
        const QList<Operation>& operations = day.operations();

        // A hundred moments drawn from a fixed seed, and the moment each operation reported done.
        QRandomGenerator random(kSeed);
        std::vector<std::size_t> cuts;
        for (int i = 0; i < kCuts; ++i)
            cuts.push_back(std::size_t(random.bounded(int(events.size()))) + 1);
        for (const Operation& operation : operations)
            cuts.push_back(operation.end);
        std::sort(cuts.begin(), cuts.end());
        cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());

        SimulatedDisk disk(day.start());
        std::size_t applied = 0;
        int checked = 0;
        int inFlight = 0;
        for (const std::size_t cut : cuts) {
            while (applied < cut)
                disk.apply(events[applied++]);
            // The last operation done before the cut, and the one it fell in, if any.
            const Operation* done = nullptr;
            const Operation* cutShort = nullptr;
            for (const Operation& operation : operations) {
                if (operation.end <= cut)
                    done = &operation;
                else if (operation.begin < cut)
                    cutShort = &operation;
            }
            inFlight += cutShort != nullptr;
            const QList<QStringList> before = done ? done->after : day.before();
            QRandomGenerator keep(kSeed + quint32(cut));
            for (const bool someKept : {false, true}) {
                const FileSet files = someKept ? disk.afterCut(keep) : disk.afterCut();
                const QString where =
                        QStringLiteral("cut after step %1 of %2, %3%4, %5")
                                .arg(cut)
                                .arg(events.size())
                                .arg(done ? "after " + done->name : QStringLiteral("at start"))
                                .arg(cutShort ? ", during " + cutShort->name : QString())
                                .arg(someKept ? "some of what was not synced kept" : "all of it lost");
                QTemporaryDir folder;
                SimulatedDisk::lay(files, folder.path());
                QString verdict;
                const QList<QStringList> rows = soundFilms(QDir(folder.path()).filePath(kCatalogue), verdict);
                QVERIFY2(verdict == u"ok", qPrintable(where + ": " + verdict));
                QVERIFY2(holdsWhatWasDone(rows, before, cutShort),
                         qPrintable(QStringLiteral("%1: %2 films where %3 were expected")
                                            .arg(where)
                                            .arg(rows.size())
                                            .arg(before.size())));
                // Every backup made before the cut is there, whole.
                for (const Operation& operation : operations) {
                    if (operation.backup.isEmpty() || operation.end > cut)
                        continue;
                    QVERIFY2(files.count(operation.backup), qPrintable(where + ": no " + operation.backup));
                    QVERIFY2(soundFilms(QDir(folder.path()).filePath(operation.backup), verdict)
                                     == operation.backedUp,
                             qPrintable(where + ": " + operation.backup + " not whole, " + verdict));
                }
                ++checked;
            }
        }
        QCOMPARE(checked, int(cuts.size()) * 2);
        // The moments drawn fall in the middle of operations too, not only between them.
        QVERIFY(inFlight > kCuts / 2);
    }

    // A backup written whole or not at all: at every step, every state a cut could leave holds
    // either no new backup, or the new one byte for byte, and then the former ones all but those
    // past the ten kept; once written, the new one is there.
    void aBackupCutAtEveryStep()
    {
        testing::TestCatalogue catalogue;
        catalogue.fill(kFilms);
        store::Backups backups(catalogue.db());
        QStringList former;
        for (int hour = 0; hour < store::Backups::kKept; ++hour)
            former << QDir(catalogue.folder()).relativeFilePath(backups.backUp(at(hour, 0)));
        std::vector<DiskEvent> events;
        FileSet start;
        QString written;
        {
            testing::PowerCutRecorder recorder(catalogue.folder());
            start = recorder.start();
            written = QDir(catalogue.folder()).relativeFilePath(backups.backUp(at(20, 0)));
            events = recorder.events();
        }
        SimulatedDisk disk(start);
        for (const DiskEvent& event : events)
            disk.apply(event);
        const QByteArray whole = disk.now().at(written);
        QCOMPARE(disk.now().count(former.first()), std::size_t(0));

        SimulatedDisk replayed(start);
        const QStringList watched = QStringList {written} + former;
        int states = 0;
        for (std::size_t step = 0; step <= events.size(); ++step) {
            for (const testing::CutState& state : replayed.statesAfterCut(watched)) {
                const std::optional<QByteArray>& backup = state.at(written);
                QVERIFY2(!backup || *backup == whole,
                         qPrintable(QStringLiteral("step %1: a backup cut short").arg(step)));
                QVERIFY2(backup || step < events.size(), "the backup written is not on the disk");
                for (const QString& path : former) {
                    const std::optional<QByteArray>& kept = state.at(path);
                    QVERIFY2(kept ? *kept == start.at(path) : backup.has_value(),
                             qPrintable(QStringLiteral("step %1: %2 lost before the new one was whole")
                                                .arg(step)
                                                .arg(path)));
                }
                ++states;
            }
            if (step < events.size())
                replayed.apply(events[step]);
        }
        QVERIFY(states > int(events.size()));
    }

    // A damaged catalogue replaced by its backup, cut at every step: the damaged file is never lost,
    // under its name or aside; the catalogue's name holds it, nothing, or the backup whole; once
    // replaced, the backup is there and the damaged file aside.
    void aDamagedCatalogueReplacedCutAtEveryStep()
    {
        testing::TestCatalogue catalogue;
        catalogue.fill(kFilms);
        const QDir folder(catalogue.folder());
        const QString backup = folder.relativeFilePath(store::Backups(catalogue.db()).backUp(at(1, 0)));
        catalogue.closeDb();
        const QByteArray damaged = QByteArray("SQLite format 3", 16) + QByteArray(8192, 'x');
        QVERIFY(testing::writeBytes(catalogue.cataloguePath(), damaged));
        std::vector<DiskEvent> events;
        FileSet start;
        QString aside;
        {
            testing::PowerCutRecorder recorder(catalogue.folder());
            start = recorder.start();
            aside = folder.relativeFilePath(
                    store::Backups::replaceDamaged(catalogue.cataloguePath(), catalogue.path(backup), at(2, 0)));
            events = recorder.events();
        }
        QCOMPARE(aside, QStringLiteral("BD/Film endommagé 2026-12-07 02-00-00.mdb"));
        const QString name = folder.relativeFilePath(catalogue.cataloguePath());
        const QByteArray restored = start.at(backup);
        SimulatedDisk replayed(start);
        for (std::size_t step = 0; step <= events.size(); ++step) {
            for (const testing::CutState& state : replayed.statesAfterCut({name, aside})) {
                const std::optional<QByteArray>& there = state.at(name);
                const std::optional<QByteArray>& kept = state.at(aside);
                QVERIFY2(there == damaged || kept == damaged,
                         qPrintable(QStringLiteral("step %1: the damaged file lost").arg(step)));
                QVERIFY2(!there || *there == damaged || *there == restored,
                         qPrintable(QStringLiteral("step %1: the catalogue cut short").arg(step)));
                if (step == events.size())
                    QVERIFY(there == restored && kept == damaged);
            }
            if (step < events.size())
                replayed.apply(events[step]);
        }
    }

    // A damaged catalogue that cannot be replaced, its journal refused a place aside or the backup
    // refused its name: the files already moved come back, every file as it was, and it is told.
    void aDamagedCatalogueNotReplacedStaysAsItWas_data()
    {
        QTest::addColumn<QString>("refused");
        QTest::newRow("journal put aside") << "rename -wal";
        QTest::newRow("backup put in place") << "commit";
    }
    void aDamagedCatalogueNotReplacedStaysAsItWas()
    {
        QFETCH(QString, refused);
        struct Refusing : store::DiskSteps {
            QString refused;
            bool rename(const QString& from, const QString& to) override
            {
                return !(refused == "rename -wal" && from.endsWith("-wal")) && DiskSteps::rename(from, to);
            }
            bool commit(QSaveFile& file) override { return refused != "commit" && DiskSteps::commit(file); }
        } steps;
        steps.refused = refused;
        testing::TestCatalogue catalogue;
        catalogue.fill(kFilms);
        const QString backup = store::Backups(catalogue.db()).backUp(at(1, 0));
        catalogue.closeDb();
        const QString path = catalogue.cataloguePath();
        const QByteArray damaged = QByteArray("SQLite format 3", 16) + QByteArray(8192, 'x');
        QVERIFY(testing::writeBytes(path, damaged));
        QVERIFY(testing::writeBytes(path + "-wal", "journal"));
        const QStringList before = QDir(catalogue.folder() + "/BD").entryList(QDir::Files);
        store::setDiskSteps(&steps);
        const auto usual = qScopeGuard([] { store::setDiskSteps(nullptr); });
        QVERIFY_THROWS_EXCEPTION(store::DbError,
                                 store::Backups::replaceDamaged(path, backup, at(2, 0)));
        QCOMPARE(testing::fileBytes(path), damaged);
        QCOMPARE(testing::fileBytes(path + "-wal"), "journal");
        QCOMPARE(QDir(catalogue.folder() + "/BD").entryList(QDir::Files), before);
    }

    // The program syncs a folder after every save it puts in place: none may keep a file open.
    void syncingFoldersLeavesNoFileOpen()
    {
        const QDir open(QStringLiteral("/proc/self/fd"));
        const qsizetype before = open.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size();
        for (int time = 0; time < 20; ++time)
            store::diskSteps().syncFolder(QDir::tempPath());
        QCOMPARE(open.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size(), before);
    }

    // Commits in a bulk are not synced one by one; the connection's commits are again once the scope
    // ends, also after a scope within another. Outside any scope, every commit is.
    void bulkWritesRelaxOnlyTheirOwnCommits()
    {
        testing::TestCatalogue catalogue;
        store::Database& db = catalogue.db();
        auto level = [&db] {
            return testing::rowsOf(db, QStringLiteral("PRAGMA synchronous")).value(0).value(0);
        };
        QCOMPARE(level(), QStringLiteral("3"));
        {
            store::BulkWrites outer(db);
            QCOMPARE(level(), QStringLiteral("1"));
            {
                store::BulkWrites inner(db);
                QCOMPARE(level(), QStringLiteral("1"));
            }
            QCOMPARE(level(), QStringLiteral("1"));
        }
        QCOMPARE(level(), QStringLiteral("3"));
    }
};

QTEST_GUILESS_MAIN(TestStorePowerCut)
#include "test_store_power_cut.moc"
