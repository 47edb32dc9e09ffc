#include "store/Backups.h"

#include "store/Database.h"
#include "store/DbError.h"
#include "store/DiskSteps.h"
#include "store/EngineMessage.h"
#include "store/Films.h"
#include "store/Loans.h"
#include "store/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <sqlite3.h>

namespace store {

namespace {

const QString kNameFormat = QStringLiteral("'Film 'yyyy-MM-dd HH-mm-ss'.mdb'");
// A backup being written: it takes its name only once checked.
const QString kUnfinished = QStringLiteral(".tmp");
constexpr qint64 kStartUpIntervalSecs = 24 * 3600;

QString backupFailed()
{
    return QStringLiteral("La sauvegarde automatique du catalogue n'a pas pu être faite");
}

// The French cause of a failure that the store reported with its engine code.
QString causeOf(const DbError& error)
{
    return error.engineCode() != 0 ? engineMessage(nullptr, error.engineCode()) : error.message();
}

// A connection of the engine's own, closed when it goes.
struct OwnedConnection {
    sqlite3* db = nullptr;
    ~OwnedConnection() { sqlite3_close_v2(db); }
};

// Copies the catalogue page by page into a new file, as one file without a journal beside it, on
// the disk whole once this returns. Gives the engine's result code and, on failure, its cause.
int copyCatalogue(sqlite3* catalogue, const QString& path, QString& cause)
{
    OwnedConnection copy;
    int code = sqlite3_open_v2(path.toUtf8().constData(), &copy.db,
                               SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (code == SQLITE_OK) {
        sqlite3_extended_result_codes(copy.db, 1);
        // Each commit of the copy syncs it (the engine's default, not left to how it was built):
        // the copy is whole on the disk before it takes its name.
        code = sqlite3_exec(copy.db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
    }
    if (code == SQLITE_OK) {
        sqlite3_backup* backup = sqlite3_backup_init(copy.db, "main", catalogue, "main");
        if (!backup) {
            code = sqlite3_extended_errcode(copy.db);
        } else {
            code = sqlite3_backup_step(backup, -1);
            const int finished = sqlite3_backup_finish(backup);
            code = code == SQLITE_DONE ? finished : code;
        }
    }
    // The copy keeps the catalogue's write-ahead journal, whose files would come and go beside it
    // at every reading.
    if (code == SQLITE_OK)
        code = sqlite3_exec(copy.db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    if (code != SQLITE_OK)
        cause = engineMessage(copy.db, code);
    return code;
}

// Opens a backup without changing it and checks it whole; throws DbError otherwise.
std::unique_ptr<Database> openChecked(const QString& path)
{
    std::unique_ptr<Database> db = Database::open(path, Database::Access::ReadOnly);
    PreparedStatement check = db->prepare(QStringLiteral("PRAGMA quick_check"));
    QStringList verdict;
    while (check.step())
        verdict.append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(check.get(), 0))));
    if (verdict != QStringList {QStringLiteral("ok")})
        throw DbError(QStringLiteral("La sauvegarde est endommagée : %1").arg(verdict.join(u' ')),
                      SQLITE_CORRUPT);
    return db;
}

void removeUnfinished(const QString& path)
{
    for (const char* suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(path + QString::fromLatin1(suffix));
}

QString folderBeside(const QString& cataloguePath)
{
    return QFileInfo(cataloguePath).dir().filePath(QStringLiteral("Sauvegardes"));
}

// The backups' times, newest first, read from their names.
QList<QDateTime> timesIn(const QString& folder)
{
    QList<QDateTime> found;
    const QStringList names =
            QDir(folder).entryList({QStringLiteral("Film *.mdb")}, QDir::Files, QDir::Name | QDir::Reversed);
    for (const QString& name : names) {
        // Files of the user's own in the folder are neither listed nor deleted.
        const QDateTime taken = QDateTime::fromString(name, kNameFormat);
        if (taken.isValid())
            found.append(taken);
    }
    return found;
}

QList<Backup> listIn(const QString& folder)
{
    QList<Backup> backups;
    for (const QDateTime& taken : timesIn(folder)) {
        Backup backup;
        backup.path = QDir(folder).filePath(Backups::fileName(taken));
        backup.taken = taken;
        try {
            std::unique_ptr<Database> db = openChecked(backup.path);
            const Counters counters = Films(*db).counters();
            backup.films = counters.films();
            backup.lent = counters.lent;
        } catch (const DbError& error) {
            const int kind = error.engineCode() & 0xff;
            backup.fault = kind == SQLITE_CORRUPT || kind == SQLITE_NOTADB ? QStringLiteral("endommagée")
                                                                           : QStringLiteral("illisible");
        }
        backups.append(backup);
    }
    return backups;
}

}  // namespace

QString Backups::folder() const { return folderBeside(db_.path()); }

QString Backups::fileName(const QDateTime& taken) { return taken.toString(kNameFormat); }

QList<QDateTime> Backups::times() const { return timesIn(folder()); }

QList<Backup> Backups::besideCatalogue(const QString& cataloguePath)
{
    return listIn(folderBeside(cataloguePath));
}

QString Backups::replaceDamaged(const QString& cataloguePath, const QString& backupPath, const QDateTime& now)
{
    const auto fail = [](const QString& cause, int code = 0) {
        throw DbError(QStringLiteral("La sauvegarde n'a pas pu remplacer le catalogue : %1").arg(cause),
                      code);
    };
    try {
        // Checked again: it may have been damaged since it was listed.
        openChecked(backupPath);
    } catch (const DbError& error) {
        fail(causeOf(error), error.engineCode());
    }
    QFile backup(backupPath);
    if (!backup.open(QIODevice::ReadOnly))
        fail(QStringLiteral("la sauvegarde ne peut pas être lue"));
    const QByteArray bytes = backup.readAll();
    const QString folder = QFileInfo(cataloguePath).path();
    QDateTime at = now.addMSecs(-now.time().msec());
    const auto asideName = [&] {
        return QDir(folder).filePath(
                at.toString(QStringLiteral("'Film endommagé 'yyyy-MM-dd HH-mm-ss'.mdb'")));
    };
    while (QFileInfo::exists(asideName()))
        at = at.addSecs(1);
    const QString aside = asideName();

    // The damaged file goes aside with any journal of its own, which the engine would otherwise play
    // into the restored catalogue; the names are on the disk before the backup takes the file's.
    QStringList moved;
    const auto putBack = [&] {
        for (const QString& suffix : moved)
            diskSteps().rename(aside + suffix, cataloguePath + suffix);
        diskSteps().syncFolder(folder);
    };
    for (const QString& suffix :
         {QString(), QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal")}) {
        if (!QFileInfo::exists(cataloguePath + suffix))
            continue;
        if (!diskSteps().rename(cataloguePath + suffix, aside + suffix)) {
            putBack();
            fail(QStringLiteral("le catalogue endommagé n'a pas pu être mis de côté"));
        }
        moved.append(suffix);
    }
    diskSteps().syncFolder(folder);

    QSaveFile restored(cataloguePath);
    if (!restored.open(QIODevice::WriteOnly) || restored.write(bytes) != bytes.size()
        || !diskSteps().syncFile(restored) || restored.size() != bytes.size()
        || !diskSteps().commit(restored)) {
        restored.cancelWriting();
        putBack();
        fail(QStringLiteral("la sauvegarde n'a pas pu être copiée à la place du catalogue"));
    }
    diskSteps().syncFolder(folder);
    return aside;
}

bool Backups::dueAtStartUp(const QDateTime& now)
{
    try {
        if (Films(db_).counters().films() == 0)
            return false;
    } catch (const DbError& error) {
        throw DbError(QStringLiteral("%1 : %2").arg(backupFailed(), causeOf(error)), error.engineCode());
    }
    const QList<QDateTime> taken = times();
    // A backup dated after now (the clock was put back) says nothing of the last day.
    return taken.isEmpty() || taken.first().secsTo(now) > kStartUpIntervalSecs || taken.first() > now;
}

QString Backups::backUp(const QDateTime& now)
{
    const QString path = write(now);
    keepNewest();
    return path;
}

QString Backups::write(const QDateTime& now)
{
    auto fail = [](const QString& cause, int code = 0) {
        throw DbError(QStringLiteral("%1 : %2").arg(backupFailed(), cause), code);
    };
    const QDir dir(folder());
    const bool madeNow = !dir.exists();
    if (!dir.mkpath(QStringLiteral(".")))
        fail(QStringLiteral("le dossier des sauvegardes ne peut pas être créé"));
    // A folder made now survives a power cut only once the catalogue's folder is synced.
    if (madeNow)
        diskSteps().syncFolder(QFileInfo(dir.path()).path());
    if (!QFileInfo(dir.path()).isWritable())
        fail(QStringLiteral("le dossier des sauvegardes ne peut pas être modifié"));
    // What a program killed in the middle of a backup left behind.
    for (const QString& name :
         dir.entryList({QStringLiteral("Film *.mdb") + kUnfinished + u'*'}, QDir::Files))
        QFile::remove(dir.filePath(name));

    // A backup is never replaced: one taken in the same second as another takes the next free second.
    QDateTime taken = now.addMSecs(-now.time().msec());
    while (QFileInfo::exists(dir.filePath(fileName(taken))))
        taken = taken.addSecs(1);
    const QString path = dir.filePath(fileName(taken));
    const QString unfinished = path + kUnfinished;

    QString cause;
    const int code = copyCatalogue(db_.handle(), unfinished, cause);
    if (code != SQLITE_OK) {
        removeUnfinished(unfinished);
        fail(cause, code);
    }
    try {
        openChecked(unfinished);
    } catch (const DbError& error) {
        removeUnfinished(unfinished);
        fail(causeOf(error), error.engineCode());
    }
    if (!diskSteps().rename(unfinished, path)) {
        removeUnfinished(unfinished);
        fail(QStringLiteral("la sauvegarde ne peut pas prendre son nom"));
    }
    // Its name survives a power cut before an older backup goes or the catalogue is replaced.
    diskSteps().syncFolder(dir.path());
    return path;
}

void Backups::keepNewest()
{
    // A backup that cannot be deleted now goes at the next backup.
    for (const QDateTime& taken : times().mid(kKept))
        diskSteps().remove(QDir(folder()).filePath(fileName(taken)));
}

QList<Backup> Backups::list() const { return listIn(folder()); }

void Backups::restore(const QString& backupPath, const QDateTime& now)
{
    std::unique_ptr<Database> source;
    try {
        source = openChecked(backupPath);
    } catch (const DbError& error) {
        throw DbError(QStringLiteral("La sauvegarde ne peut pas être restaurée : %1").arg(causeOf(error)),
                      error.engineCode());
    }
    try {
        write(now);
    } catch (const DbError& error) {
        throw DbError(error.message() + QStringLiteral("\r\nLe catalogue n'a pas été remplacé."),
                      error.engineCode());
    }
    // One step copies every page in one transaction of the catalogue, committed at its end.
    const QString what = QStringLiteral("Le catalogue n'a pas pu être remplacé par la sauvegarde");
    sqlite3_backup* backup = sqlite3_backup_init(db_.handle(), "main", source->handle(), "main");
    if (!backup)
        throwEngineError(db_.handle(), sqlite3_extended_errcode(db_.handle()), what);
    const int code = sqlite3_backup_step(backup, -1);
    const int finished = sqlite3_backup_finish(backup);
    if (code != SQLITE_DONE)
        throwEngineError(db_.handle(), code, what);
    if (finished != SQLITE_OK)
        throwEngineError(db_.handle(), finished, what);
    db_.contentReplaced();
    // A backup of an older version lacks the tables kept beside the films, and the loans of its
    // lent films.
    completeSchema(db_);
    try {
        Loans(db_).bringInStep(now.date());
    } catch (const DbError&) {
        // The catalogue is replaced all the same; the next opening brings them in step.
    }
    source.reset();
    keepNewest();
}

}  // namespace store
