#include "reflists/frm_option.h"
#include "support/Testing.h"
#include "ui/Platform.h"

using testing::accueil::press;

namespace {

const QStringList kAudio {"MP3", "AC3", "DTS", "AAC", "Ogg Vorbis", "PCM", "Autre"};
const QStringList kVideo {"DivX", "XviD", "MPEG-2", "MPEG-4", "H.264", "Autres"};
const QString kReadFailure = QStringLiteral("Impossible de lire le fichier des listes :\r\n");

frm_option& form() { return frm_option::instance(); }
QTabBar* tabs() { return testing::control<QTabBar>(form(), "TabStrip1"); }
QListWidget* list() { return testing::control<QListWidget>(form(), "List"); }
QLineEdit* textBox() { return testing::control<QLineEdit>(form(), "txt_codec"); }

void open()
{
    Connection::onglet_option = files::ReferenceList::Audio;
    form().show();
}

void chooseTab(int index) { QTest::mouseClick(tabs(), Qt::LeftButton, {}, tabs()->tabRect(index).center()); }

void clickRow(int row)
{
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                      list()->visualItemRect(list()->item(row)).center());
}

void add(const QString& text)
{
    textBox()->setText(text);
    press(form(), "cmd_ajout");
}

QStringList rows() { return testing::entries(list()); }

QStringList moved(QStringList entries, int from, int to)
{
    entries.move(from, to);
    return entries;
}

}  // namespace

class TestOptionsWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { form().index_courant = 0; }

    void menuOpensTheAudioTabBesideTheMainWindowAndEachTabShowsItsList()
    {
        testing::TestProgram program;
        QVERIFY(testing::startProgram());
        Connection::onglet_option = files::ReferenceList::Genre;
        testing::accueil::menu("mnu_audio");
        QCOMPARE(Connection::onglet_option, files::ReferenceList::Audio);
        QVERIFY(form().isVisible() && Frm_Accueil::instance().isVisible());
        QCOMPARE(form().window()->windowTitle(), QStringLiteral("Option"));
        QCOMPARE(tabs()->currentIndex(), 0);
        QCOMPARE(rows(), kAudio);
        QVERIFY(!testing::control<QPushButton>(form(), "Command1")->isEnabled());
        for (const auto& [tab, caption, first] :
             {std::tuple(2, "Ajout Genre film", "Action"), std::tuple(1, "Ajout codec Video", "DivX"),
              std::tuple(0, "Ajout codec Audio", "MP3")}) {
            chooseTab(tab);
            QCOMPARE(testing::control<QLabel>(form(), "lbl_codec")->text() + '|' + rows().value(0),
                     QString::fromUtf8(caption) + '|' + QString::fromUtf8(first));
        }
        QCOMPARE(program.messages(), QStringList());
    }

    void addRefusals_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("already in the list") << "DTS"
                                             << "Ce codec est déjà entré";
        QTest::newRow("empty") << ""
                               << "Ce codec est déjà entré";
        QTest::newRow("double quote") << "AC3 \"5.1\""
                                      << "Le caractère \" n'est pas autorisé";
    }

    void addRefusals()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        testing::TestProgram program;
        open();
        add(text);
        QCOMPARE(program.messages(), QStringList {"0|Cinabrel|" + message});
        QCOMPARE(textBox()->text(), QString());
        QCOMPARE(rows(), kAudio);
        QCOMPARE(form().index_courant, 0);
    }

    // A genre added keeps its place across tabs and is written last, in the program's file
    // whatever the current folder.
    void addedEntriesAreWrittenOnClosing()
    {
        testing::TestProgram program;
        QTemporaryDir elsewhere;
        const QString previous = QDir::currentPath();
        QDir::setCurrent(elsewhere.path());
        open();
        add("mp3");
        QCOMPARE(program.messages(), QStringList());
        QCOMPARE(rows(), kAudio + QStringList {"mp3"});
        QCOMPARE(textBox()->text(), QString());
        QCOMPARE(form().index_courant, kAudio.size());
        QCOMPARE(list()->currentRow(), -1);
        chooseTab(2);
        add("Péplum");
        chooseTab(0);
        chooseTab(2);
        QCOMPARE(rows().last(), QStringLiteral("Péplum"));
        QVERIFY(form().window()->close());
        QDir::setCurrent(previous);
        QVERIFY(!form().isLoaded());
        const QByteArray file = testing::fileBytes(program.path("BD/codec.cnb"));
        QVERIFY(file.contains("\"aAutre\"\r\n\"amp3\"\r\n\"vDivX\""));
        QVERIFY(file.endsWith("\"gWestern\"\r\n\"gP\xE9plum\"\r\n"));
        QVERIFY(!QFile::exists(elsewhere.filePath("BD/codec.cnb")));
    }

    void moves()
    {
        testing::TestProgram program;
        open();
        // Before any click, down moves the first entry; the moves stop at the ends.
        press(form(), "cmd_M");
        QCOMPARE(rows(), kAudio);
        press(form(), "Cmd_D");
        press(form(), "Cmd_D");
        QCOMPARE(rows(), moved(kAudio, 0, 2));
        QCOMPARE(list()->currentRow(), 2);
        clickRow(kAudio.size() - 1);
        press(form(), "Cmd_D");
        QCOMPARE(rows(), moved(kAudio, 0, 2));
        // Up moves the added entry even unhighlighted.
        clickRow(2);
        add("FLAC");
        press(form(), "cmd_M");
        press(form(), "cmd_M");
        press(form(), "cmd_M");
        QCOMPARE(rows(), moved(moved(kAudio, 0, 2) + QStringList {"FLAC"}, 7, 4));
        QCOMPARE(list()->currentRow(), 4);
        QCOMPARE(form().index_courant, 4);
        QCOMPARE(program.messages(), QStringList());
    }

    void indexKeptAcrossTabsAndOpenings()
    {
        testing::TestProgram program;
        open();
        clickRow(2);
        chooseTab(1);
        QCOMPARE(list()->currentRow(), -1);
        press(form(), "cmd_M");
        QCOMPARE(rows(), moved(kVideo, 2, 1));
        QCOMPARE(form().index_courant, 1);
        form().window()->close();
        open();
        press(form(), "cmd_M");
        QCOMPARE(rows(), moved(kAudio, 1, 0));
        chooseTab(1);
        QCOMPARE(rows(), moved(kVideo, 2, 1));
    }

    void closingRewritesTheFileGrouped()
    {
        testing::TestProgram program;
        const QString path = program.path("BD/codec.cnb");
        QVERIFY(testing::writeBytes(
                path, "\"gDrame\"\r\n\"aMP3\"\r\nvDivX,aAC3\r\n\"AIgnor\xE9\"\r\n\r\n\"gAction\"\r\n"));
        open();
        QCOMPARE(rows(), (QStringList {"MP3", "AC3"}));
        form().window()->close();
        QCOMPARE(testing::fileBytes(path),
                 QByteArray("\"aMP3\"\r\n\"aAC3\"\r\n\"vDivX\"\r\n\"gDrame\"\r\n\"gAction\"\r\n"));
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
        testing::TestProgram program;
        const QString path = program.path("BD/codec.cnb");
        QFile::remove(path);
        if (exists)
            QVERIFY(testing::writeBytes(path, bytes));
        open();
        QCOMPARE(program.messages(),
                 QStringList {"16|Cinabrel|" + kReadFailure + QDir::toNativeSeparators(path)});
        QCOMPARE(list()->count(), 0);
        QVERIFY(!textBox()->isEnabled() && !testing::control<QPushButton>(form(), "cmd_ajout")->isEnabled());
        QVERIFY(form().window()->close());
        QCOMPARE(QFile::exists(path), exists);
        QCOMPARE(testing::fileBytes(path), bytes);
        QCOMPARE(program.messages().size(), 1);
    }

    void failedSaveAsksBeforeClosing()
    {
        testing::TestProgram program;
        const QString path = program.path("BD/codec.cnb");
        open();
        add("FLAC");
        // The folder goes away while the window is open, so the save cannot be written.
        QVERIFY(QDir(program.folder()).rename("BD", "BD.ailleurs"));
        program.platform().answers = {ui::Answer::No};
        QVERIFY(!form().window()->close());
        QCOMPARE(program.platform().lastPrompt(),
                 "Impossible d'enregistrer les listes dans :\r\n" + QDir::toNativeSeparators(path)
                         + "\r\nFermer sans enregistrer ?");
        QCOMPARE(program.platform().messages.last().flags & 0x0F, int(ui::Buttons::YesNo));
        QVERIFY(form().isVisible());
        QCOMPARE(rows().last(), QStringLiteral("FLAC"));

        QVERIFY(QDir(program.folder()).rename("BD.ailleurs", "BD"));
        QVERIFY(form().window()->close());
        QVERIFY(!form().isLoaded());
        QVERIFY(testing::fileBytes(path).contains("\"aAutre\"\r\n\"aFLAC\"\r\n\"vDivX\""));

        open();
        QVERIFY(QDir(program.folder()).rename("BD", "BD.ailleurs"));
        program.platform().answers = {ui::Answer::Yes};
        QVERIFY(form().window()->close());
        QVERIFY(!form().isLoaded() && !QFile::exists(path));
        QCOMPARE(program.messages().size(), 2);
    }
};

CINABREL_TEST_MAIN(TestOptionsWindow)

#include "test_options_window.moc"
