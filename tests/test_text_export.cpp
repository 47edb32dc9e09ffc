#include "app/Connection.h"
#include "app/ProgramFolder.h"
#include "support/Files.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"
#include "ui/ListView.h"
#include "ui/ScriptedPlatform.h"
#include "ui/main/Frm_Accueil.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTest>

using testing::Film;
using testing::fileBytes;

namespace {

// The listing as the user's text editor reads it, built by hand from its lines.
QByteArray listing(const QList<QByteArray>& filmLines, const QByteArray& dateAndTime = "06/12/2026 \xe0 14:30:05")
{
    QByteArray text = "   *Titre*                              *Dur\xe9" "e*           *Qualit\xe9*\r\n\r\n\r\n";
    for (const QByteArray& line : filmLines)
        text += line + "\r\n";
    text += "\r\n\r\n** Nombre de fim(s):  " + QByteArray::number(filmLines.size()) + "\r\n\r\n\r\n";
    text += "** Fichier mis \xe0 jour le " + dateAndTime + " **\r\n";
    return text;
}

Film film(int code, const QString& title, const QString& duration = QStringLiteral("01h30"),
          const QString& quality = QStringLiteral("Bonne"))
{
    Film f;
    f.code = code;
    f.nom = title;
    f.duree = duration;
    f.qualite = quality;
    return f;
}

void trigger(const char* entry)
{
    Frm_Accueil::instance().window()->findChild<QAction*>(QString::fromLatin1(entry))->trigger();
}

}  // namespace

class TestTextExport : public QObject {
    Q_OBJECT
private slots:
    void emptyCatalogue()
    {
        testing::TestProgram program;
        QVERIFY(testing::startProgram());
        trigger("mnuexporter");
        QCOMPARE(fileBytes(app::listingPath()), listing({}));
        QCOMPARE(program.platform().openedDocuments, QStringList{app::listingPath()});
        QVERIFY(program.platform().messages.isEmpty());
    }

    void filmLine_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("duration");
        QTest::addColumn<QByteArray>("line");
        const QString t37 = QString(37, u'T');
        const QString t38 = QString(38, u'T');
        const QByteArray b37(37, 'T');
        const QByteArray b38(38, 'T');
        QTest::newRow("short title") << "Alien" << "01h57"
                                     << QByteArray("-> Alien" + QByteArray(33, ' ') + "01h57" + QByteArray(16, ' ') + "Bonne");
        QTest::newRow("title of 37") << t37 << "01h30" << QByteArray("-> " + b37 + " 01h30" + QByteArray(16, ' ') + "Bonne");
        QTest::newRow("title of 38") << t38 << "01h30" << QByteArray("-> " + b38 + "01h30" + QByteArray(16, ' ') + "Bonne");
        QTest::newRow("title of 45") << QString(45, u'T') << "--"
                                     << QByteArray("-> " + QByteArray(45, 'T') + "--" + QByteArray(19, ' ') + "Bonne");
        QTest::newRow("duration of 20") << "A" << QString(20, u'9')
                                        << QByteArray("-> A" + QByteArray(37, ' ') + QByteArray(20, '9') + " Bonne");
        QTest::newRow("duration of 21") << "A" << QString(21, u'9')
                                        << QByteArray("-> A" + QByteArray(37, ' ') + QByteArray(21, '9') + "Bonne");
        QTest::newRow("accents are single bytes")
            << QStringLiteral("Amélie à Noël – Œuvre") << QStringLiteral("01h30")
            << QByteArray("-> Am\xe9lie \xe0 No\xebl \x96 \x8cuvre" + QByteArray(17, ' ') + "01h30" + QByteArray(16, ' ') +
                          "Bonne");
        QTest::newRow("outside the 8-bit set") << QStringLiteral("Ōkami 東京 😀") << QStringLiteral("01h30")
                                               << QByteArray("-> ?kami ?? ?" + QByteArray(28, ' ') + "01h30" +
                                                             QByteArray(16, ' ') + "Bonne");
    }

    void filmLine()
    {
        QFETCH(QString, title);
        QFETCH(QString, duration);
        QFETCH(QByteArray, line);
        testing::TestProgram program;
        program.insert(film(1, title, duration));
        QVERIFY(testing::startProgram());
        trigger("mnuexporter");
        QCOMPARE(fileBytes(app::listingPath()), listing({line}));
    }

    void nullColumnsShowAsEmpty()
    {
        testing::TestProgram program;
        program.insert(film(1, QStringLiteral("Alien")));
        program.insert(film(2, QStringLiteral("Brazil")));
        program.db().execute(QStringLiteral("UPDATE film SET duree = NULL, qualite_film = NULL WHERE code_film = 1"));
        program.db().execute(QStringLiteral("UPDATE film SET nom_film = NULL WHERE code_film = 2"));
        QVERIFY(testing::startProgram());
        trigger("mnuexporter");
        QCOMPARE(fileBytes(app::listingPath()),
                 listing({"-> " + QByteArray(38, ' ') + "01h30" + QByteArray(16, ' ') + "Bonne",
                          "-> Alien" + QByteArray(33, ' ') + QByteArray(21, ' ')}));
    }

    // Whatever the list shows and whatever an earlier query left open, the listing holds the whole
    // catalogue in title order, letter case and accents aside.
    void wholeCatalogueInTitleOrder()
    {
        testing::TestProgram program;
        program.insert(film(1, QStringLiteral("zorro"), QStringLiteral("01h30"), QStringLiteral("DvD")));
        program.insert(film(2, QStringLiteral("Été meurtrier")));
        program.insert(film(3, QStringLiteral("Amadeus"), QStringLiteral("01h30"), QStringLiteral("DvD")));
        program.insert(film(4, QStringLiteral("brazil")));
        QVERIFY(testing::startProgram());
        Connection::chargeliste(QStringLiteral("select * from film WHERE qualite_film='dvd' order by nom_film"));
        QCOMPARE(Frm_Accueil::instance().List()->rowCount(), 2);
        Connection::rs = store::Recordset();
        Connection::rs.open(QStringLiteral("select * from film"), Connection::connection());

        trigger("mnuexporter");
        auto line = [](const QByteArray& title, const QByteArray& quality) {
            return "-> " + title + QByteArray(38 - title.size(), ' ') + "01h30" + QByteArray(16, ' ') + quality;
        };
        QCOMPARE(fileBytes(app::listingPath()), listing({line("Amadeus", "DvD"), line("brazil", "Bonne"),
                                                         line("\xc9t\xe9 meurtrier", "Bonne"), line("zorro", "DvD")}));
        QVERIFY(!Connection::rs.isOpen());
        QCOMPARE(Connection::requete, QStringLiteral("select * from film ORDER BY nom_film"));
        QCOMPARE(Frm_Accueil::instance().List()->rowCount(), 2);
    }

    void secondExportReplacesTheFirstAndThePreviewShowsIt()
    {
        testing::TestProgram program;
        program.insert(film(1, QStringLiteral("Alien")));
        program.insert(film(2, QStringLiteral("Brazil")));
        QVERIFY(testing::startProgram());
        trigger("mnuexporter");
        program.db().execute(QStringLiteral("DELETE FROM film WHERE code_film = 2"));
        program.platform().clock = QDateTime(QDate(2027, 1, 2), QTime(9, 5, 7));
        trigger("mnuexporter");
        trigger("mnuapercu");

        QCOMPARE(fileBytes(app::listingPath()),
                 listing({"-> Alien" + QByteArray(33, ' ') + "01h30" + QByteArray(16, ' ') + "Bonne"},
                         "02/01/2027 \xe0 09:05:07"));
        const QStringList files = QDir(program.folder()).entryList(QDir::Files);
        QCOMPARE(files, QStringList{QStringLiteral("Film.txt")});
        QCOMPARE(program.platform().openedDocuments, QStringList(3, app::listingPath()));
    }

    void previewBeforeAnyExportOpensNothingAndSaysNothing()
    {
        testing::TestProgram program;
        QVERIFY(testing::startProgram());
        trigger("mnuapercu");
        QVERIFY(program.platform().openedDocuments.isEmpty());
        QVERIFY(program.platform().messages.isEmpty());
    }

    void noProgramForTextIsSilent()
    {
        testing::TestProgram program;
        program.platform().documentsOpen = false;
        QVERIFY(testing::startProgram());
        trigger("mnuexporter");
        trigger("mnuapercu");
        QCOMPARE(program.platform().openedDocuments.size(), 2);
        QVERIFY(program.platform().messages.isEmpty());
        QCOMPARE(fileBytes(app::listingPath()), listing({}));
    }

    void unwritableListingIsTold()
    {
        testing::TestProgram program;
        QVERIFY(QDir(program.folder()).mkdir(QStringLiteral("Film.txt")));
        QVERIFY(testing::startProgram());
        trigger("mnuexporter");
        QCOMPARE(program.platform().lastPrompt(),
                 QStringLiteral("Impossible d'écrire le fichier :\r\n") + QDir::toNativeSeparators(app::listingPath()));
        QVERIFY(program.platform().openedDocuments.isEmpty());
    }
};

CINABREL_TEST_MAIN(TestTextExport)

#include "test_text_export.moc"
