#include "editor/Frm_New.h"
#include "files/ReferenceListFile.h"
#include "reflists/frm_option.h"
#include "store/Catalogue.h"
#include "store/Database.h"
#include "support/FaultyVfs.h"
#include "support/Files.h"
#include "support/MainWindow.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"
#include "ui/Form.h"
#include "support/ScriptedPlatform.h"

#include <QDir>
#include <QDirIterator>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>
#include <functional>
#include <sqlite3.h>

namespace {

const QString kCatalogue = QStringLiteral("BD/Film.mdb");

// Every file and folder under the program's folder, with the files' bytes.
QMap<QString, QByteArray> contents(const QString& folder)
{
    QMap<QString, QByteArray> found;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(folder).relativeFilePath(path);
        if (it.fileInfo().isDir()) {
            found.insert(relative + u'/', QByteArray());
        } else {
            QFile file(path);
            found.insert(relative,
                         file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArrayLiteral("<unreadable>"));
        }
    }
    return found;
}

QByteArray randomBytes(qsizetype size, quint32 seed)
{
    QRandomGenerator generator(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = char(generator.bounded(256));
    return bytes;
}

// An SQLite file, in the catalogue's journal mode, made by the given statements.
void makeDatabase(const QString& path, const char* statements)
{
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                             nullptr),
             SQLITE_OK);
    const int code = sqlite3_exec(db, statements, nullptr, nullptr, nullptr);
    const QByteArray message = sqlite3_errmsg(db);
    sqlite3_close_v2(db);
    QVERIFY2(code == SQLITE_OK, message.constData());
}

// A real catalogue of some hundred films, cut in half as a copy interrupted midway leaves it.
void makeTruncatedCatalogue(const QString& path)
{
    store::createCatalogue(path);
    {
        auto db = store::Database::open(path);
        db->execute(QStringLiteral("BEGIN"));
        for (int code = 1; code <= 400; ++code) {
            db->execute(QStringLiteral(
                                "INSERT INTO film VALUES (%1,\"Film %1 au titre assez long\",\"Drame\",\"1\","
                                "\"Bonne\",\"Avi\",\"Des notes sur ce film, assez pour remplir les pages\","
                                "\"Français\",\"DivX\",\"MP3\",\"01h30\",\"Quelqu'un\",\"Des acteurs\","
                                "\"2000\",NULL,NULL)")
                                .arg(code));
        }
        db->execute(QStringLiteral("COMMIT"));
    }
    QVERIFY(!QFile::exists(path + QStringLiteral("-wal")));
    QFile file(path);
    const qint64 size = file.size();
    QVERIFY(size > 64 * 1024);
    QVERIFY(file.resize(size / 2));
}

using Preparation = std::function<void(const QString& folder)>;

}  // namespace

Q_DECLARE_METATYPE(Preparation)

class TestBadCatalogue : public QObject {
    Q_OBJECT
private slots:
    void startUpRefusesTheCatalogue_data()
    {
        QTest::addColumn<Preparation>("prepare");
        auto at = [](const QString& folder) { return QDir(folder).filePath(kCatalogue); };
        QTest::newRow("no BD folder") << Preparation([](const QString& folder) {
            QVERIFY(QDir(QDir(folder).filePath(QStringLiteral("BD"))).removeRecursively());
        });
        QTest::newRow("no Film.mdb") << Preparation([](const QString&) {});
        QTest::newRow("text") << Preparation([at](const QString& folder) {
            QVERIFY(testing::writeBytes(
                    at(folder), QByteArrayLiteral("Liste de mes films\r\nAlien;1979\r\nBrazil;1985\r\n")));
        });
        QTest::newRow("random bytes") << Preparation([at](const QString& folder) {
            QVERIFY(testing::writeBytes(at(folder), randomBytes(64 * 1024, 7)));
        });
        QTest::newRow("zero bytes") << Preparation(
                [at](const QString& folder) { QVERIFY(testing::writeBytes(at(folder), QByteArray())); });
        QTest::newRow("database header, then random bytes") << Preparation([at](const QString& folder) {
            QVERIFY(testing::writeBytes(
                    at(folder), QByteArrayLiteral("SQLite format 3") + '\0' + randomBytes(16 * 1024, 11)));
        });
        QTest::newRow("database without the table film") << Preparation([at](const QString& folder) {
            makeDatabase(at(folder),
                         "PRAGMA journal_mode=WAL; CREATE TABLE films (code_film INTEGER, nom_film TEXT);"
                         "INSERT INTO films VALUES (1, 'Alien');");
        });
        QTest::newRow("table film lacking a column") << Preparation([at](const QString& folder) {
            makeDatabase(at(folder),
                         "PRAGMA journal_mode=WAL; CREATE TABLE film (code_film INTEGER PRIMARY KEY, "
                         "nom_film TEXT,"
                         " type_film TEXT, cd_film TEXT, qualite_film TEXT, format_film TEXT, obs_Film TEXT,"
                         " langue_Film TEXT, codec_Film TEXT, codec_Son TEXT, duree TEXT, realisateur TEXT,"
                         " acteur TEXT, pret_film TEXT, date_pret TEXT);"
                         "INSERT INTO film (code_film, nom_film) VALUES (1, 'Alien');");
        });
        QTest::newRow("truncated catalogue")
                << Preparation([at](const QString& folder) { makeTruncatedCatalogue(at(folder)); });
        QTest::newRow("folder in place of the file") << Preparation([at](const QString& folder) {
            QVERIFY(QDir().mkpath(at(folder)));
            QVERIFY(testing::writeBytes(QDir(at(folder)).filePath(QStringLiteral("dedans.txt")), "x"));
        });
    }

    void startUpRefusesTheCatalogue()
    {
        QFETCH(Preparation, prepare);
        testing::TestProgram program(false);
        prepare(program.folder());
        if (QTest::currentTestFailed())
            return;
        const QMap<QString, QByteArray> before = contents(program.folder());

        QVERIFY(!testing::startProgram());

        QCOMPARE(program.platform().messages.size(), 1);
        const testing::ScriptedPlatform::Message& message = program.platform().messages.first();
        QCOMPARE(message.prompt,
                 QStringLiteral("Probleme de connection à la base de donnée\r\n"
                                "Vérifiez que la base de donnée se situe dans le repertoire BD"));
        QCOMPARE(message.title, QStringLiteral("Erreur de connection"));
        QCOMPARE(message.flags, 16);
        QCOMPARE(ui::forms::loadedCount(), 0);
        QCOMPARE(contents(program.folder()), before);
    }

    // Another program keeps every lock of the file for itself: the program cannot even read.
    void startUpOnALockedCatalogue()
    {
        testing::FaultyVfs vfs;
        testing::TestProgram program;
        store::Database::open(program.path(kCatalogue))
                ->execute(QStringLiteral("INSERT INTO film (code_film, nom_film) VALUES (1, \"Alien\")"));
        const QMap<QString, QByteArray> before = contents(program.folder());
        vfs.inject(testing::FaultyVfs::Fault::Locked);

        QVERIFY(!testing::startProgram());

        QCOMPARE(program.platform().messages.size(), 1);
        QCOMPARE(program.platform().messages.first().title, QStringLiteral("Erreur de connection"));
        QCOMPARE(ui::forms::loadedCount(), 0);
        vfs.clear();
        QCOMPARE(contents(program.folder()), before);
        QCOMPARE(program.count(), 1);
    }

    // The editor and the options window on a reference list file they cannot use: a message, or
    // empty lists for an empty file; a film can still be saved, and the file stays as it was.
    void badReferenceListFile_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("missing") << false << QByteArray();
        QTest::newRow("empty") << true << QByteArray();
        QTest::newRow("binary") << true << randomBytes(4096, 3);
        QTest::newRow("huge") << true << QByteArray(files::kMaxFileSize + 1, 'a');
    }

    void badReferenceListFile()
    {
        QFETCH(bool, exists);
        QFETCH(QByteArray, bytes);
        testing::TestProgram program;
        const QString path = program.path(QStringLiteral("BD/codec.cnb"));
        QVERIFY(QFile::remove(path));
        if (exists)
            QVERIFY(testing::writeBytes(path, bytes));
        const bool readable = exists && bytes.isEmpty();
        QVERIFY(testing::startProgram());

        QTest::mouseClick(testing::accueil::button(QStringLiteral("cmd_new")), Qt::LeftButton);
        QCOMPARE(program.platform().messages.size(), readable ? 0 : 1);
        if (!readable)
            QVERIFY(program.platform().lastPrompt().endsWith(
                    QStringLiteral("Les choix de codecs et de genres resteront vides.")));
        QCOMPARE(testing::control<QComboBox>(Frm_New::instance(), QStringLiteral("comb_audio"))->count(), 0);
        testing::control<QLineEdit>(Frm_New::instance(), QStringLiteral("Txt_Titre"))
                ->setText(QStringLiteral("Alien"));
        QTest::mouseClick(testing::control<QPushButton>(Frm_New::instance(), QStringLiteral("Bt_Enreg")),
                          Qt::LeftButton);
        QCOMPARE(program.count(QStringLiteral("nom_film='Alien'")), 1);

        testing::accueil::menu(QStringLiteral("mnu_audio"));
        QCOMPARE(program.platform().messages.size(), readable ? 0 : 2);
        if (!readable)
            QVERIFY(program.platform().lastPrompt().startsWith(
                    QStringLiteral("Impossible de lire le fichier des listes")));
        QVERIFY(frm_option::instance().window()->close());
        QCOMPARE(QFile::exists(path), exists);
        QCOMPARE(testing::fileBytes(path), bytes);
    }
};

CINABREL_TEST_MAIN(TestBadCatalogue)
#include "test_bad_catalogue.moc"
