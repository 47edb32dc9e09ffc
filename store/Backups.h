#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

namespace store {

class Database;

// One backup as the restore window lists it.
struct Backup {
    QString path;
    QDateTime taken;
    // Why it cannot be restored ("illisible", "endommagée"); empty when it can.
    QString fault;
    qint64 films = 0;
    qint64 lent = 0;
    bool restorable() const { return fault.isEmpty(); }
};

// Dated copies of the catalogue, "Film AAAA-MM-JJ HH-MM-SS.mdb" in the folder Sauvegardes beside it.
// Each is an ordinary catalogue file, on disk whole or not at all; the ten newest are kept.
class Backups {
public:
    static constexpr int kKept = 10;

    explicit Backups(Database& db) : db_(db) { }

    QString folder() const;
    static QString fileName(const QDateTime& taken);

    // The backups beside a catalogue that cannot be opened, newest first, each opened and checked.
    static QList<Backup> besideCatalogue(const QString& cataloguePath);
    // Puts a backup in place of a catalogue file that cannot be opened as one. The damaged file, and
    // any journal beside it, is kept aside as "Film endommagé AAAA-MM-JJ HH-MM-SS.mdb" in its folder,
    // never deleted; gives that name. On failure throws DbError, every file as it was.
    static QString replaceDamaged(const QString& cataloguePath, const QString& backupPath,
                                  const QDateTime& now);

    // At start-up: the catalogue holds a film and no backup was taken in the 24 hours before now.
    bool dueAtStartUp(const QDateTime& now);
    // Copies the catalogue into a new backup named after now, checked before it takes its name,
    // then deletes all but the ten newest; gives its path. On failure throws DbError ("La sauvegarde
    // automatique du catalogue n'a pas pu être faite : le disque est plein"), the catalogue and the
    // other backups left as they were.
    QString backUp(const QDateTime& now);
    // Every backup, newest first, each opened and checked.
    QList<Backup> list() const;
    // Backs up the catalogue, then replaces its whole content with the backup's in one transaction:
    // after a failure, or a program killed meanwhile, the catalogue is wholly as it was. The loans'
    // history is then brought in step with the films, as at an opening, on now's day.
    void restore(const QString& backupPath, const QDateTime& now);

private:
    QList<QDateTime> times() const;
    QString write(const QDateTime& now);
    void keepNewest();

    Database& db_;
};

}  // namespace store
