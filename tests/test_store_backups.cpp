#include "store/Backups.h"
#include "store/DbError.h"
#include "store/Films.h"
#include "support/Files.h"
#include "support/Golden.h"
#include "support/TestCatalogue.h"

#include <QDir>
#include <QTest>

using namespace testing;

namespace {

const QDateTime kNow(QDate(2026, 12, 6), QTime(14, 30, 5));

QStringList filesIn(const QString& folder) { return QDir(folder).entryList(QDir::Files, QDir::Name); }

QString name(const QDateTime& taken) { return store::Backups::fileName(taken); }

}  // namespace

class TestStoreBackups : public QObject {
    Q_OBJECT
private slots:
    void dueAtStartUp_data() { addTableRows("store/backups_due.txt"); }

    void dueAtStartUp()
    {
        QFETCH(QStringList, fields);
        TestCatalogue catalogue;
        catalogue.fill(fields[0].toInt());
        store::Backups backups(catalogue.db());
        for (const QString& age : fields[1].split(QStringLiteral(", "), Qt::SkipEmptyParts))
            backups.backUp(kNow.addSecs(-age.toLongLong()));
        QCOMPARE(backups.dueAtStartUp(kNow), fields[2] == "yes");
    }

    // A backup that cannot be read whole is listed as such and never restored; the others are
    // listed with their films and loans.
    void damagedBackupsAreToldAndLeftAlone_data() { addTableRows("store/backups_damaged.txt"); }

    void damagedBackupsAreToldAndLeftAlone()
    {
        QFETCH(QStringList, fields);
        const QString damage = fields[0];
        TestCatalogue catalogue;
        catalogue.fill(200);
        store::Backups backups(catalogue.db());
        const QString older = backups.backUp(kNow.addDays(-1));
        const QString newer = backups.backUp(kNow);
        QByteArray bytes = fileBytes(newer);
        if (damage == "cut")
            bytes.truncate(bytes.size() / 2);
        else if (damage == "noise")
            bytes.replace(bytes.size() / 2, 4096, QByteArray(4096, '\x5a'));
        else
            bytes = damage == "text" ? "Liste de mes films\r\n" : "";
        QVERIFY(writeBytes(newer, bytes));
        catalogue.insert(500, QStringLiteral("Gardé"));
        const QList<QStringList> rows = filmRows(catalogue.db());

        const QList<store::Backup> listed = backups.list();
        QCOMPARE(listed.size(), 2);
        QCOMPARE(listed[0].path, newer);
        QCOMPARE(listed[0].taken, kNow);
        QCOMPARE(listed[0].fault, fields[1]);
        QCOMPARE(listed[1].path, older);
        QVERIFY(listed[1].restorable());
        QCOMPARE(listed[1].films, 200);
        QCOMPARE(listed[1].lent, 50);
        try {
            backups.restore(newer, kNow.addSecs(60));
            QFAIL("a damaged backup was restored");
        } catch (const store::DbError& error) {
            QCOMPARE(error.message(), QStringLiteral("La sauvegarde ne peut pas être restaurée : ") + fields[2]);
        }
        QCOMPARE(filmRows(catalogue.db()), rows);
        QCOMPARE(fileBytes(newer), bytes);
        QCOMPARE(filesIn(backups.folder()), (QStringList {name(kNow.addDays(-1)), name(kNow)}));
    }

    // A backup holds the catalogue as it was, as one lone file that never replaces another. The
    // exact rows come back, and the catalogue they replace is kept as a backup first.
    void backUpAndRestore()
    {
        TestCatalogue catalogue;
        catalogue.fill(120);
        store::Backups backups(catalogue.db());
        const QList<QStringList> saved = filmRows(catalogue.db());
        const QString backup = backups.backUp(kNow);
        store::Films films(catalogue.db());
        films.remove(3);
        films.lend(5, QStringLiteral("Marie"), QStringLiteral("06/12/2026"));
        films.add(store::Films::foundOnDisk(QStringLiteral("Ajouté par erreur")));
        QCOMPARE(backups.backUp(kNow.addMSecs(400)), QDir(backups.folder()).filePath(name(kNow.addSecs(1))));
        QCOMPARE(filmRows(*store::Database::open(backup, store::Database::Access::ReadOnly)), saved);
        const QList<QStringList> changed = filmRows(catalogue.db());
        const QString stamp = catalogue.db().contentStamp();

        backups.restore(backup, kNow.addSecs(60));
        QCOMPARE(filmRows(catalogue.db()), saved);
        QCOMPARE(integrityCheck(catalogue.db()), QStringLiteral("ok"));
        QVERIFY(catalogue.db().contentStamp() != stamp);
        QCOMPARE(filesIn(backups.folder()),
                 (QStringList {name(kNow), name(kNow.addSecs(1)), name(kNow.addSecs(60))}));
        QCOMPARE(filmRows(*store::Database::open(QDir(backups.folder()).filePath(name(kNow.addSecs(60))))),
                 changed);
        // Still the program's catalogue: it takes films as before.
        QCOMPARE(films.add(store::Films::foundOnDisk(QStringLiteral("Après"))), qint16(121));
    }
};

QTEST_GUILESS_MAIN(TestStoreBackups)
#include "test_store_backups.moc"
