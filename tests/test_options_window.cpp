#include "support/Testing.h"

using namespace testing;

namespace {

const frm_optionControls& options() { return frm_option::instance().controls(); }

QStringList rows()
{
    QStringList items;
    for (int i = 0; i < options().List->count(); ++i)
        items.append(options().List->item(i)->text());
    return items;
}

void add(const QString& text)
{
    options().txt_codec->setText(text);
    click(options().cmd_ajout);
}

void clickEntry(int row)
{
    QListWidget* list = options().List;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

const QString kPath = QStringLiteral("BD/codec.cnb");

}  // namespace

class TestOptionsWindow : public ProgramTest {
    Q_OBJECT
private slots:
    void init() { frm_option::instance().index_courant = 0; }

    void eachTabShowsItsList()
    {
        start();
        Connection::onglet_option = files::ReferenceList::Genre;
        accueil().mnu_audio->trigger();
        QCOMPARE(Connection::onglet_option, files::ReferenceList::Audio);
        QVERIFY(frm_option::instance().isVisible() && Frm_Accueil::instance().isVisible());
        QVERIFY(!options().Command1->isEnabled());
        const QStringList first = {"MP3", "DivX", "Action"};
        const QStringList captions = {"Ajout codec Audio", "Ajout codec Video", "Ajout Genre film"};
        for (int tab : {0, 1, 2, 0}) {
            options().TabStrip1->setCurrentIndex(tab);
            QCOMPARE(options().lbl_codec->text() + '|' + rows().value(0), captions[tab] + '|' + first[tab]);
        }
        QCOMPARE(rows().size(), 7);
        // Opening on another list: the window reads what the option says.
        frm_option::instance().unload();
        Connection::onglet_option = files::ReferenceList::Video;
        frm_option::instance().show();
        QCOMPARE(options().TabStrip1->currentIndex(), 1);
        QCOMPARE(rows().value(0), QStringLiteral("DivX"));
    }

    void addRefusals_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << ""
                               << "Ce codec est déjà entré";
        QTest::newRow("already in the list") << "AC3"
                                             << "Ce codec est déjà entré";
        QTest::newRow("in another case is new") << "ac3"
                                                << "";
        QTest::newRow("double quote") << "Dolby \"5.1\""
                                      << "Le caractère \" n'est pas autorisé";
    }

    void addRefusals()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        start();
        accueil().mnu_audio->trigger();
        add(text);
        QCOMPARE(messages(), message.isEmpty() ? QStringList() : QStringList {"0|Cinabrel|" + message});
        QCOMPARE(options().txt_codec->text(), QString());
        QCOMPARE(rows().size(), message.isEmpty() ? 8 : 7);
    }

    void addAndMoveThenSaveOnClosing()
    {
        start();
        accueil().mnu_audio->trigger();
        add("FLAC");
        QCOMPARE(frm_option::instance().index_courant, 7);
        for (int i = 0; i < 9; ++i)
            click(options().cmd_M);
        QCOMPARE(rows().mid(0, 3), (QStringList {"FLAC", "MP3", "AC3"}));
        QCOMPARE(options().List->currentRow(), 0);
        clickEntry(2);
        click(options().Cmd_D);
        QCOMPARE(rows().mid(2, 2), (QStringList {"DTS", "AC3"}));
        // The entry to move is kept across tabs, and a move stops at either end.
        options().TabStrip1->setCurrentIndex(2);
        QCOMPARE(frm_option::instance().index_courant, 3);
        clickEntry(13);
        for (int i = 0; i < 3; ++i)
            click(options().Cmd_D);
        QCOMPARE(rows().mid(12), (QStringList {"Thriller", "Western"}));
        options().TabStrip1->setCurrentIndex(1);
        clickEntry(1);
        click(options().cmd_M);
        add("AV1");
        QVERIFY(frm_option::instance().window()->close());
        const QByteArray file = fileBytes(program->path(kPath));
        QVERIFY(file.startsWith("\"aFLAC\"\r\n\"aMP3\"\r\n\"aDTS\"\r\n\"aAC3\"\r\n\"aAAC\"\r\n"));
        QVERIFY(file.contains("\"aAutre\"\r\n\"vXviD\"\r\n\"vDivX\"\r\n\"vMPEG-2\""));
        QVERIFY(file.endsWith("\"vAutres\"\r\n\"vAV1\"\r\n\"gAction\"\r\n\"gAnimation\"\r\n\"gAventure\"\r\n"
                              "\"gCom\xe9"
                              "die\"\r\n\"gCom\xe9"
                              "die dramatique\"\r\n\"gDocumentaire\"\r\n\"gDrame\"\r\n"
                              "\"gFantastique\"\r\n\"gGuerre\"\r\n\"gHorreur\"\r\n\"gPolicier\"\r\n"
                              "\"gScience-fiction\"\r\n\"gThriller\"\r\n\"gWestern\"\r\n"));
        // The editor offers the lists as saved.
        click(accueil().cmd_new);
        QCOMPARE(Frm_New::instance().controls().comb_audio->currentText(), QStringLiteral("FLAC"));
    }

    void unreadableFileIsLeftAlone_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("missing") << false << QByteArray();
        QTest::newRow("binary") << true << QByteArray("\"aMP3\"\r\n\x00\x01\x7F\xFE", 12);
    }

    void unreadableFileIsLeftAlone()
    {
        QFETCH(bool, exists);
        QFETCH(QByteArray, bytes);
        start();
        const QString path = program->path(kPath);
        QFile::remove(path);
        if (exists)
            QVERIFY(writeBytes(path, bytes));
        accueil().mnu_audio->trigger();
        QCOMPARE(messages(),
                 QStringList {"16|Cinabrel|Impossible de lire le fichier des listes :\r\n"
                              + QDir::toNativeSeparators(path)});
        QCOMPARE(rows(), QStringList());
        for (QWidget* control : std::initializer_list<QWidget*> {options().txt_codec, options().cmd_ajout,
                                                                 options().cmd_M, options().Cmd_D})
            QVERIFY(!control->isEnabled());
        QVERIFY(frm_option::instance().window()->close());
        QCOMPARE(QFile::exists(path), exists);
        QCOMPARE(fileBytes(path), bytes);
        QCOMPARE(messages().size(), 1);
    }

    void failedSaveAsksBeforeClosing()
    {
        start();
        const QString path = program->path(kPath);
        accueil().mnu_audio->trigger();
        add("FLAC");
        // The folder goes away while the window is open, so the lists cannot be written.
        QVERIFY(QDir(program->folder()).rename("BD", "BD.ailleurs"));
        program->platform().answers = {ui::Answer::No};
        QVERIFY(!frm_option::instance().window()->close());
        const QString failure =
                "Impossible d'enregistrer les listes dans :\r\n" + QDir::toNativeSeparators(path);
        QCOMPARE(messages(), QStringList {"52|Cinabrel|" + failure + "\r\nFermer sans enregistrer ?"});
        QVERIFY(frm_option::instance().isVisible());
        program->platform().answers = {ui::Answer::Yes};
        QVERIFY(frm_option::instance().window()->close());
        QVERIFY(!frm_option::instance().isLoaded() && !QFile::exists(path));
        // Closed by the program itself, there is nothing to ask: the failure is told.
        QVERIFY(QDir(program->folder()).rename("BD.ailleurs", "BD"));
        accueil().mnu_audio->trigger();
        QVERIFY(QDir(program->folder()).rename("BD", "BD.ailleurs"));
        frm_option::instance().unload();
        QCOMPARE(messages().last(), "16|Cinabrel|" + failure);
        QCOMPARE(messages().size(), 3);
    }
};

CINABREL_TEST_MAIN(TestOptionsWindow)
#include "test_options_window.moc"
