#include "store/Backups.h"
#include "store/DbError.h"
#include "store/Films.h"
#include "support/Files.h"
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
    void dueAtStartUp_data()
    {
        QTest::addColumn<int>("films");
        QTest::addColumn<QList<qint64>>("agesSecs");  // of the backups on disk, before now
        QTest::addColumn<bool>("due");
        QTest::newRow("empty catalogue, no backup") << 0 << QList<qint64> {} << false;
        QTest::newRow("no backup") << 3 << QList<qint64> {} << true;
        QTest::newRow("newest a minute short of a day") << 3 << QList<qint64> {86340, 900000} << false;
        QTest::newRow("newest a minute past a day") << 3 << QList<qint64> {86460, 900000} << true;
        QTest::newRow("newest dated after now") << 3 << QList<qint64> {-3600, 900000} << true;
    }

    void dueAtStartUp()
    {
        QFETCH(int, films);
        QFETCH(QList<qint64>, agesSecs);
        QFETCH(bool, due);
        TestCatalogue catalogue;
        catalogue.fill(films);
        store::Backups backups(catalogue.db());
        for (qint64 age : agesSecs)
            backups.backUp(kNow.addSecs(-age));
        QCOMPARE(backups.dueAtStartUp(kNow), due);
    }

    // A backup that cannot be read whole is listed as such and never restored; the others are
    // listed with their films and loans.
    void damagedBackupsAreToldAndLeftAlone_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("told");
        QTest::newRow("cut in half") << "cut"
                                     << "endommagée"
                                     << "le fichier est endommagé ou n'est pas une base de donnée";
        QTest::newRow("noise over a page") << "noise"
                                           << "endommagée"
                                           << "le fichier est endommagé ou n'est pas une base de donnée";
        QTest::newRow("text") << "text"
                              << "endommagée"
                              << "le fichier est endommagé ou n'est pas une base de donnée";
        QTest::newRow("empty file") << "empty"
                                    << "illisible"
                                    << "la base de donnée ne comprend pas l'instruction (erreur 1)";
    }

    void damagedBackupsAreToldAndLeftAlone()
    {
        QFETCH(QString, damage);
        QFETCH(QString, fault);
        QFETCH(QString, told);
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
        catalogue.insert(film(500, QStringLiteral("Gardé")));
        const QList<QStringList> rows = filmRows(catalogue.db());

        const QList<store::Backup> listed = backups.list();
        QCOMPARE(listed.size(), 2);
        QCOMPARE(listed[0].path, newer);
        QCOMPARE(listed[0].taken, kNow);
        QCOMPARE(listed[0].fault, fault);
        QCOMPARE(listed[1].path, older);
        QVERIFY(listed[1].restorable());
        QCOMPARE(listed[1].films, 200);
        QCOMPARE(listed[1].lent, 50);
        try {
            backups.restore(newer, kNow.addSecs(60));
            QFAIL("a damaged backup was restored");
        } catch (const store::DbError& error) {
            QCOMPARE(error.message(), QStringLiteral("La sauvegarde ne peut pas être restaurée : ") + told);
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
