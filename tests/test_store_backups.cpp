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

// A catalogue of a few films, one of them lent.
void fill(TestCatalogue& catalogue, int films)
{
    catalogue.db().execute(QStringLiteral("BEGIN"));
    for (int code = 1; code <= films; ++code) {
        Film one = film(code, QStringLiteral("Film n°%1").arg(code));
        one.obs = QString(200, QChar(u'a' + code % 26));
        if (code % 4 == 0) {
            one.pret = QStringLiteral("Paul");
            one.datePret = QStringLiteral("01/12/2026");
        }
        catalogue.insert(one);
    }
    catalogue.db().execute(QStringLiteral("COMMIT"));
}

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
        fill(catalogue, films);
        store::Backups backups(catalogue.db());
        for (qint64 age : agesSecs)
            backups.backUp(kNow.addSecs(-age));
        QCOMPARE(backups.dueAtStartUp(kNow), due);
    }

    // A backup holds the catalogue as it was, as one lone file; it never replaces another.
    void backUpCopiesTheCatalogue()
    {
        TestCatalogue catalogue;
        fill(catalogue, 40);
        store::Backups backups(catalogue.db());
        const QString first = backups.backUp(kNow);
        catalogue.insert(film(100, QStringLiteral("Ajouté ensuite")));
        QCOMPARE(backups.backUp(kNow.addMSecs(400)), QDir(backups.folder()).filePath(name(kNow.addSecs(1))));
        QCOMPARE(filesIn(backups.folder()), (QStringList {name(kNow), name(kNow.addSecs(1))}));
        auto copy = store::Database::open(first, store::Database::Access::ReadOnly);
        QCOMPARE(filmRows(*copy), filmRows(catalogue.db()).mid(0, 40));
    }

    // A backup that cannot be read whole is listed as such; the others with their films and loans.
    void listTellsDamagedBackups_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("fault");
        QTest::newRow("sound") << ""
                               << "";
        QTest::newRow("cut in half") << "cut"
                                     << "endommagée";
        QTest::newRow("noise over a page") << "noise"
                                           << "endommagée";
        QTest::newRow("text") << "text"
                              << "endommagée";
        QTest::newRow("empty file") << "empty"
                                    << "illisible";
    }

    void listTellsDamagedBackups()
    {
        QFETCH(QString, damage);
        QFETCH(QString, fault);
        TestCatalogue catalogue;
        fill(catalogue, 200);
        store::Backups backups(catalogue.db());
        const QString older = backups.backUp(kNow.addDays(-1));
        const QString newer = backups.backUp(kNow);
        QByteArray bytes = fileBytes(newer);
        if (damage == "cut")
            bytes.truncate(bytes.size() / 2);
        else if (damage == "noise")
            bytes.replace(bytes.size() / 2, 4096, QByteArray(4096, '\x5a'));
        else if (damage == "text")
            bytes = "Liste de mes films\r\n";
        else if (damage == "empty")
            bytes.clear();
        QVERIFY(writeBytes(newer, bytes));

        const QList<store::Backup> listed = backups.list();
        QCOMPARE(listed.size(), 2);
        QCOMPARE(listed[0].path, newer);
        QCOMPARE(listed[0].taken, kNow);
        QCOMPARE(listed[0].fault, fault);
        QCOMPARE(listed[1].path, older);
        QVERIFY(listed[1].restorable());
        QCOMPARE(listed[1].films, 200);
        QCOMPARE(listed[1].lent, 50);
        // Listing changes no backup.
        QCOMPARE(fileBytes(newer), bytes);
        QCOMPARE(filesIn(backups.folder()).size(), 2);
    }

    // The exact rows come back, and the catalogue they replaced is kept as a backup first.
    void restoreRoundTrip()
    {
        TestCatalogue catalogue;
        fill(catalogue, 120);
        store::Backups backups(catalogue.db());
        const QList<QStringList> saved = filmRows(catalogue.db());
        const QString backup = backups.backUp(kNow);
        store::Films films(catalogue.db());
        films.remove(3);
        films.lend(5, QStringLiteral("Marie"), QStringLiteral("06/12/2026"));
        films.add(store::Films::foundOnDisk(QStringLiteral("Ajouté par erreur")));
        const QList<QStringList> changed = filmRows(catalogue.db());
        const QString stamp = catalogue.db().contentStamp();

        backups.restore(backup, kNow.addSecs(60));
        QCOMPARE(filmRows(catalogue.db()), saved);
        QCOMPARE(integrityCheck(catalogue.db()), QStringLiteral("ok"));
        QVERIFY(catalogue.db().contentStamp() != stamp);
        auto before = store::Database::open(QDir(backups.folder()).filePath(name(kNow.addSecs(60))));
        QCOMPARE(filmRows(*before), changed);
        // Still the program's catalogue: it takes films as before.
        QCOMPARE(films.add(store::Films::foundOnDisk(QStringLiteral("Après"))), qint16(121));
    }

    void restoreRefusesADamagedBackup()
    {
        TestCatalogue catalogue;
        fill(catalogue, 200);
        store::Backups backups(catalogue.db());
        const QString backup = backups.backUp(kNow);
        QByteArray bytes = fileBytes(backup);
        bytes.replace(bytes.size() / 2, 4096, QByteArray(4096, '\x5a'));
        QVERIFY(writeBytes(backup, bytes));
        catalogue.insert(film(500, QStringLiteral("Gardé")));
        const QList<QStringList> rows = filmRows(catalogue.db());
        try {
            backups.restore(backup, kNow.addSecs(60));
            QFAIL("a damaged backup was restored");
        } catch (const store::DbError& error) {
            QVERIFY2(
                    error.message().startsWith(QStringLiteral("La sauvegarde ne peut pas être restaurée : ")),
                    qPrintable(error.message()));
        }
        QCOMPARE(filmRows(catalogue.db()), rows);
        QCOMPARE(filesIn(backups.folder()), QStringList {name(kNow)});
    }
};

QTEST_GUILESS_MAIN(TestStoreBackups)
#include "test_store_backups.moc"
