#include "files/ProgramFolder.h"
#include "support/Golden.h"
#include "support/Testing.h"

using namespace testing;

namespace {

// The system's temporary folder pointed at a folder of the test's own while it lasts.
class TemporaryFolder {
public:
    explicit TemporaryFolder(const QString& path = QString()) : saved_(qgetenv("TMPDIR"))
    {
        qputenv("TMPDIR", QFile::encodeName(path.isEmpty() ? own_.path() : path));
    }
    ~TemporaryFolder() { qputenv("TMPDIR", saved_); }
    QString path() const { return own_.path(); }

private:
    QTemporaryDir own_;
    QByteArray saved_;
};

const QList<Film> kFilms = {
        film(1, "zorro", {{&Film::qualite, "DvD"}, {&Film::format, "Dvd"}, {&Film::duree, "01h37"}}),
        film(2, "Été meurtrier", {{&Film::type, "Drame"}, {&Film::cd, "2"}}),
        film(3, "2001", {{&Film::duree, "02h21"}, {&Film::qualite, "Exellente"}, {&Film::cd, "1.5"}}),
        film(4, "007 Spectre", {{&Film::type, "Western"}, {&Film::qualite, "DvD"}, {&Film::format, "DVD"}}),
};

}  // namespace

class TestExports : public ProgramTest {
    Q_OBJECT
private slots:
    void textListingOfTheWholeCatalogue()
    {
        start(kFilms);
        program->db().execute("UPDATE film SET duree = NULL, qualite_film = NULL WHERE code_film = 2");
        accueil().mnu_dvd->trigger();
        accueil().mnuapercu->trigger();
        QCOMPARE(program->platform().openedDocuments, QStringList());
        accueil().mnuexporter->trigger();
        compareWithGolden(fileBytes(files::listingPath()), "listing/catalogue.txt");
        accueil().mnuapercu->trigger();
        QCOMPARE(program->platform().openedDocuments, QStringList(2, files::listingPath()));
        // A second export replaces the listing; nothing is said when no program opens it.
        program->db().execute("DELETE FROM film WHERE code_film > 1");
        program->platform().documentsOpen = false;
        accueil().mnuexporter->trigger();
        QCOMPARE(fileBytes(files::listingPath()).count("->"), 1);
        QCOMPARE(messages(), QStringList());
        QCOMPARE(QDir(program->folder()).entryList(QDir::Files), QStringList {"Film.txt"});
    }

    void listingNotWrittenIsTold()
    {
        start(kFilms);
        QVERIFY(QDir(program->folder()).mkdir("Film.txt"));
        accueil().mnuexporter->trigger();
        QCOMPARE(messages(),
                 QStringList {"16|Cinabrel|Impossible d'écrire le fichier :\r\n"
                              + QDir::toNativeSeparators(files::listingPath())});
        QCOMPARE(program->platform().openedDocuments, QStringList());
    }

    void workbookOfWhatTheListShows_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::newRow("films") << "mnulistF";
        QTest::newRow("dvds-by-genre") << "mnu_dvd";
        QTest::newRow("loans") << "mnuliste";
        QTest::newRow("placeholder") << "";
    }

    void workbookOfWhatTheListShows()
    {
        QFETCH(QString, shown);
        TemporaryFolder temporary;
        Film lent = film(5, "Brazil");
        lent.pret = "Marie O'Hara";
        lent.datePret = "01/12/2026";
        start(shown.isEmpty() ? QList<Film> {} : kFilms + QList<Film> {lent});
        if (!shown.isEmpty())
            Frm_Accueil::instance().window()->findChild<QAction*>(shown)->trigger();
        if (shown == "mnu_dvd")
            clickHeader(1);
        QList<int> progress;
        program->platform().onProcessEvents = [&] {
            QVERIFY(accueil().fra_export->isVisible());
            progress.append(accueil().Progbar->value());
        };
        accueil().mnu_excel->trigger();
        QVERIFY(!accueil().fra_export->isVisible());
        QCOMPARE(messages(), QStringList());
        const QStringList opened = program->platform().openedDocuments;
        QCOMPARE(opened.size(), 1);
        QCOMPARE(QFileInfo(opened[0]).absoluteFilePath(),
                 QDir(temporary.path()).filePath("Liste Des films.xlsx"));
        compareWithGolden(workbookCells(opened[0]), "workbook/" + QString(QTest::currentDataTag()) + ".txt");
        const int rows = titles().size();
        if (titles() != QStringList {"Aucun film dans la base de donnée"})
            QCOMPARE(progress.last(), 100);
        QCOMPARE(progress.size(), shown.isEmpty() ? 0 : rows);
        // Each export makes a workbook of its own, leaving the earlier one as it was.
        accueil().mnu_excel->trigger();
        QCOMPARE(QFileInfo(program->platform().openedDocuments.last()).fileName(),
                 QStringLiteral("Liste Des films (2).xlsx"));
    }

    void workbookNotWrittenOrNotOpened()
    {
        start(kFilms);
        const QString notAFolder = program->path("pas un dossier");
        QVERIFY(writeBytes(notAFolder, "x"));
        {
            TemporaryFolder temporary(notAFolder);
            accueil().mnu_excel->trigger();
        }
        QCOMPARE(messages(),
                 QStringList {"16|Cinabrel|Impossible d'écrire le fichier :\r\n"
                              + QDir::toNativeSeparators(notAFolder + "/Liste Des films.xlsx")});
        QCOMPARE(program->platform().openedDocuments, QStringList());
        QVERIFY(!accueil().fra_export->isVisible());
        TemporaryFolder temporary;
        program->platform().documentsOpen = false;
        accueil().mnu_excel->trigger();
        const QString path = program->platform().openedDocuments.value(0);
        QVERIFY(QFileInfo(path).size() > 0);
        QCOMPARE(messages().last(),
                 "64|Cinabrel|Le classeur a été enregistré ici :\r\n" + QDir::toNativeSeparators(path));
    }
};

CINABREL_TEST_MAIN(TestExports)
#include "test_exports.moc"
