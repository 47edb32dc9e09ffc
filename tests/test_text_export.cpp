#include "files/ProgramFolder.h"
#include "support/Testing.h"

using testing::accueil::menu;

namespace {

// The listing as the user's text editor reads it, built by hand from its lines.
QByteArray listing(const QList<QByteArray>& filmLines,
                   const QByteArray& dateAndTime = "06/12/2026 \xe0 14:30:05")
{
    QByteArray text = "   *Titre*                              *Dur\xe9"
                      "e*           *Qualit\xe9*\r\n\r\n\r\n";
    for (const QByteArray& line : filmLines)
        text += line + "\r\n";
    text += "\r\n\r\n** Nombre de fim(s):  " + QByteArray::number(filmLines.size()) + "\r\n\r\n\r\n";
    return text + "** Fichier mis \xe0 jour le " + dateAndTime + " **\r\n";
}

// The line of a film whose title, duration and quality fit their columns.
QByteArray line(const QByteArray& title, const QByteArray& duration = "01h30",
                const QByteArray& quality = "Bonne")
{
    return "-> " + title + QByteArray(38 - title.size(), ' ') + duration
            + QByteArray(21 - duration.size(), ' ') + quality;
}

QByteArray written() { return testing::fileBytes(files::listingPath()); }

}  // namespace

class TestTextExport : public testing::ProgramTest {
    Q_OBJECT
private slots:
    void filmLine_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("duration");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("short title") << "Alien"
                                     << "01h57" << line("Alien", "01h57");
        QTest::newRow("title of 37") << QString(37, u'T') << "01h30" << line(QByteArray(37, 'T'));
        QTest::newRow("title of 38") << QString(38, u'T') << "01h30" << line(QByteArray(38, 'T'));
        QTest::newRow("title of 45") << QString(45, u'T') << "--"
                                     << QByteArray("-> " + QByteArray(45, 'T') + "--" + QByteArray(19, ' ')
                                                   + "Bonne");
        QTest::newRow("duration of 20") << "A" << QString(20, u'9') << line("A", QByteArray(20, '9'));
        QTest::newRow("duration of 21") << "A" << QString(21, u'9') << line("A", QByteArray(21, '9'));
        QTest::newRow("accents are single bytes") << "Amélie à Noël – Œuvre"
                                                  << "01h30" << line("Am\xe9lie \xe0 No\xebl \x96 \x8cuvre");
        QTest::newRow("outside the 8-bit set") << "Ōkami 東京 😀"
                                               << "01h30" << line("?kami ?? ?");
    }

    void filmLine()
    {
        QFETCH(QString, title);
        QFETCH(QString, duration);
        QFETCH(QByteArray, expected);
        start({{.code = 1, .nom = title, .duree = duration}});
        menu("mnuexporter");
        QCOMPARE(written(), listing({expected}));
    }

    void emptyCatalogueAndNullColumns()
    {
        start();
        menu("mnuexporter");
        QCOMPARE(written(), listing({}));
        QCOMPARE(program->platform().openedDocuments, QStringList {files::listingPath()});
        QCOMPARE(program->messages(), QStringList());

        program->insert(testing::film(1, "Alien"));
        program->insert(testing::film(2, "Brazil"));
        program->db().execute("UPDATE film SET duree = NULL, qualite_film = NULL WHERE code_film = 1");
        program->db().execute("UPDATE film SET nom_film = NULL WHERE code_film = 2");
        menu("mnuexporter");
        QCOMPARE(written(), listing({line(""), line("Alien", "", "")}));
    }

    // Whatever the list shows and whatever an earlier query left open, the listing holds the whole
    // catalogue in title order, letter case and accents aside.
    void wholeCatalogueInTitleOrder()
    {
        start({{.code = 1, .nom = "zorro", .qualite = "DvD"},
               {.code = 2, .nom = "Été meurtrier"},
               {.code = 3, .nom = "Amadeus", .qualite = "DvD"},
               {.code = 4, .nom = "brazil"}});
        Connection::chargeliste("select * from film WHERE qualite_film='dvd' order by nom_film");
        QCOMPARE(Frm_Accueil::instance().controls().List->rowCount(), 2);
        menu("mnuexporter");
        QCOMPARE(written(),
                 listing({line("Amadeus", "01h30", "DvD"), line("brazil"), line("\xc9t\xe9 meurtrier"),
                          line("zorro", "01h30", "DvD")}));
        QCOMPARE(Frm_Accueil::instance().controls().List->rowCount(), 2);
    }

    void secondExportReplacesTheFirstAndThePreviewShowsIt()
    {
        start({testing::film(1, "Alien"), testing::film(2, "Brazil")});
        menu("mnuapercu");
        QCOMPARE(program->platform().openedDocuments, QStringList());
        menu("mnuexporter");
        program->db().execute("DELETE FROM film WHERE code_film = 2");
        program->platform().clock = QDateTime(QDate(2027, 1, 2), QTime(9, 5, 7));
        program->platform().documentsOpen = false;
        menu("mnuexporter");
        menu("mnuapercu");
        QCOMPARE(written(), listing({line("Alien")}, "02/01/2027 \xe0 09:05:07"));
        QCOMPARE(QDir(program->folder()).entryList(QDir::Files), QStringList {"Film.txt"});
        QCOMPARE(program->platform().openedDocuments, QStringList(3, files::listingPath()));
        // Nothing is said when no program opens the listing, nor when there is none to preview.
        QCOMPARE(program->messages(), QStringList());
    }

    void unwritableListingIsTold()
    {
        start();
        QVERIFY(QDir(program->folder()).mkdir("Film.txt"));
        menu("mnuexporter");
        QCOMPARE(program->platform().lastPrompt(),
                 "Impossible d'écrire le fichier :\r\n" + QDir::toNativeSeparators(files::listingPath()));
        QCOMPARE(program->platform().openedDocuments, QStringList());
    }
};

CINABREL_TEST_MAIN(TestTextExport)

#include "test_text_export.moc"
