#include "app/Connection.h"
#include "reflists/frm_option.h"
#include "support/Files.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"
#include "ui/Platform.h"
#include "ui/ScriptedPlatform.h"
#include "ui/main/Frm_Accueil.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QStringList kAudio{"MP3", "AC3", "DTS", "AAC", "Ogg Vorbis", "PCM", "Autre"};
const QStringList kVideo{"DivX", "XviD", "MPEG-2", "MPEG-4", "H.264", "Autres"};

frm_option& form() { return frm_option::instance(); }

void open()
{
    Connection::onglet_option = 1;
    form().show();
}

QTabBar* tabs() { return form().control<QTabBar>(QStringLiteral("TabStrip1")); }
QListWidget* list() { return form().control<QListWidget>(QStringLiteral("List")); }
QLineEdit* textBox() { return form().control<QLineEdit>(QStringLiteral("txt_codec")); }

void click(const char* button)
{
    QTest::mouseClick(form().control<QPushButton>(QString::fromLatin1(button)), Qt::LeftButton);
}

void chooseTab(int index)
{
    QTest::mouseClick(tabs(), Qt::LeftButton, {}, tabs()->tabRect(index).center());
}

void clickRow(int row)
{
    QListWidget* rows = list();
    QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, rows->visualItemRect(rows->item(row)).center());
}

void add(const QString& text)
{
    textBox()->setText(text);
    click("cmd_ajout");
}

QStringList rows()
{
    QStringList texts;
    for (int row = 0; row < list()->count(); ++row)
        texts.append(list()->item(row)->text());
    return texts;
}

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

    void menuOpensTheAudioTabBesideTheMainWindow()
    {
        testing::TestProgram program;
        QVERIFY(testing::startProgram());
        Connection::onglet_option = 0;
        Frm_Accueil::instance().window()->findChild<QAction*>(QStringLiteral("mnu_audio"))->trigger();
        QCOMPARE(Connection::onglet_option, 1);
        QVERIFY(form().isVisible());
        QVERIFY(Frm_Accueil::instance().isVisible());
        QCOMPARE(form().window()->windowTitle(), QStringLiteral("Option"));
        QCOMPARE(tabs()->currentIndex(), 0);
        QCOMPARE(tabs()->property("Tag").toString(), QStringLiteral("1"));
        QCOMPARE(form().control<QLabel>(QStringLiteral("lbl_codec"))->text(), QStringLiteral("Ajout codec Audio"));
        QCOMPARE(rows(), kAudio);
        QVERIFY(!form().control<QPushButton>(QStringLiteral("Command1"))->isEnabled());
        QVERIFY(program.platform().messages.isEmpty());
    }

    void tabsShowTheirLists_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("firstRow");
        QTest::newRow("video") << 1 << QStringLiteral("Ajout codec Video") << QStringLiteral("DivX");
        QTest::newRow("genre") << 2 << QStringLiteral("Ajout Genre film") << QStringLiteral("Action");
        QTest::newRow("audio") << 0 << QStringLiteral("Ajout codec Audio") << QStringLiteral("MP3");
    }

    void tabsShowTheirLists()
    {
        QFETCH(int, tab);
        QFETCH(QString, caption);
        QFETCH(QString, firstRow);
        testing::TestProgram program;
        open();
        chooseTab(2);
        chooseTab(tab);
        QCOMPARE(tabs()->property("Tag").toString(), QString::number(tab + 1));
        QCOMPARE(form().control<QLabel>(QStringLiteral("lbl_codec"))->text(), caption);
        QCOMPARE(rows().value(0), firstRow);
    }

    void addRefusals_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("already in the list") << QStringLiteral("DTS") << QStringLiteral("Ce codec est déjà entré");
        QTest::newRow("empty") << QString() << QStringLiteral("Ce codec est déjà entré");
        QTest::newRow("double quote") << QStringLiteral("AC3 \"5.1\"") << QStringLiteral("Le caractère \" n'est pas autorisé");
    }

    void addRefusals()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        testing::TestProgram program;
        open();
        add(text);
        QCOMPARE(program.platform().messages.size(), 1);
        QCOMPARE(program.platform().messages.first().prompt, message);
        QCOMPARE(program.platform().messages.first().flags, ui::mb::OkOnly);
        QCOMPARE(program.platform().messages.first().title, QStringLiteral("Cinabrel"));
        QCOMPARE(textBox()->text(), QString());
        QCOMPARE(rows(), kAudio);
        QCOMPARE(form().index_courant, 0);
    }

    void addDifferingByCaseIsANewEntry()
    {
        testing::TestProgram program;
        open();
        add(QStringLiteral("mp3"));
        QVERIFY(program.platform().messages.isEmpty());
        QCOMPARE(rows(), kAudio + QStringList{"mp3"});
        QCOMPARE(textBox()->text(), QString());
        QCOMPARE(form().index_courant, kAudio.size());
        QCOMPARE(list()->currentRow(), -1);
    }

    // The file is the program's, whatever the current folder.
    void genreAddedKeepsItsPlaceAcrossTabsAndIsWrittenLast()
    {
        testing::TestProgram program;
        QTemporaryDir elsewhere;
        const QString previous = QDir::currentPath();
        QDir::setCurrent(elsewhere.path());
        open();
        chooseTab(2);
        add(QStringLiteral("Péplum"));
        chooseTab(0);
        QCOMPARE(rows(), kAudio);
        chooseTab(2);
        QCOMPARE(rows().last(), QStringLiteral("Péplum"));
        QVERIFY(form().window()->close());
        QDir::setCurrent(previous);
        QVERIFY(!form().isLoaded());
        QVERIFY(testing::fileBytes(program.path(QStringLiteral("BD/codec.cnb"))).endsWith("\"gWestern\"\r\n\"gP\xE9plum\"\r\n"));
        QVERIFY(!QFile::exists(elsewhere.filePath(QStringLiteral("BD/codec.cnb"))));
    }

    void upMovesTheAddedEntryEvenUnhighlighted()
    {
        testing::TestProgram program;
        open();
        clickRow(2);
        add(QStringLiteral("FLAC"));
        click("cmd_M");
        QCOMPARE(rows(), moved(kAudio + QStringList{"FLAC"}, 7, 6));
        QCOMPARE(list()->currentRow(), 6);
        click("cmd_M");
        click("cmd_M");
        QCOMPARE(rows(), moved(kAudio + QStringList{"FLAC"}, 7, 4));
        QCOMPARE(list()->currentRow(), 4);
        QCOMPARE(form().index_courant, 4);
    }

    void downBeforeAnyClickMovesTheFirstEntry()
    {
        testing::TestProgram program;
        open();
        click("Cmd_D");
        QCOMPARE(rows(), moved(kAudio, 0, 1));
        QCOMPARE(list()->currentRow(), 1);
        click("Cmd_D");
        QCOMPARE(rows(), moved(kAudio, 0, 2));
    }

    void movesStopAtTheEnds()
    {
        testing::TestProgram program;
        open();
        click("cmd_M");
        clickRow(kAudio.size() - 1);
        click("Cmd_D");
        QCOMPARE(rows(), kAudio);
        QVERIFY(program.platform().messages.isEmpty());
    }

    void indexKeptAcrossTabsAndOpenings()
    {
        testing::TestProgram program;
        open();
        clickRow(2);
        chooseTab(1);
        QCOMPARE(list()->currentRow(), -1);
        click("cmd_M");
        QCOMPARE(rows(), moved(kVideo, 2, 1));
        QCOMPARE(form().index_courant, 1);

        form().window()->close();
        open();
        click("cmd_M");
        QCOMPARE(rows(), moved(kAudio, 1, 0));
        chooseTab(1);
        QCOMPARE(rows(), moved(kVideo, 2, 1));
    }

    void closingRewritesTheFileGrouped()
    {
        testing::TestProgram program;
        const QString path = program.path(QStringLiteral("BD/codec.cnb"));
        QVERIFY(testing::writeBytes(path, "\"gDrame\"\r\n\"aMP3\"\r\nvDivX,aAC3\r\n\"AIgnor\xE9\"\r\n\r\n\"gAction\"\r\n"));
        open();
        QCOMPARE(rows(), (QStringList{"MP3", "AC3"}));
        form().window()->close();
        QCOMPARE(testing::fileBytes(path), QByteArray("\"aMP3\"\r\n\"aAC3\"\r\n\"vDivX\"\r\n\"gDrame\"\r\n\"gAction\"\r\n"));
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
        const QString path = program.path(QStringLiteral("BD/codec.cnb"));
        QFile::remove(path);
        if (exists)
            QVERIFY(testing::writeBytes(path, bytes));
        open();
        QCOMPARE(program.platform().messages.size(), 1);
        QCOMPARE(program.platform().lastPrompt(),
                 QStringLiteral("Impossible de lire le fichier des listes :\r\n") + QDir::toNativeSeparators(path));
        QCOMPARE(list()->count(), 0);
        QVERIFY(!textBox()->isEnabled());
        QVERIFY(!form().control<QPushButton>(QStringLiteral("cmd_ajout"))->isEnabled());
        QVERIFY(form().window()->close());
        QCOMPARE(QFile::exists(path), exists);
        QCOMPARE(testing::fileBytes(path), bytes);
        QCOMPARE(program.platform().messages.size(), 1);
    }

    void failedSaveAsksBeforeClosing()
    {
        testing::TestProgram program;
        const QString path = program.path(QStringLiteral("BD/codec.cnb"));
        open();
        add(QStringLiteral("FLAC"));
        // The folder goes away while the window is open, so the save cannot be written.
        QVERIFY(QDir(program.folder()).rename(QStringLiteral("BD"), QStringLiteral("BD.ailleurs")));
        program.platform().answers = {ui::mb::No};
        QVERIFY(!form().window()->close());
        QCOMPARE(program.platform().lastPrompt(), QStringLiteral("Impossible d'enregistrer les listes dans :\r\n") +
                                                      QDir::toNativeSeparators(path) +
                                                      QStringLiteral("\r\nFermer sans enregistrer ?"));
        QCOMPARE(program.platform().messages.last().flags & 0x0F, ui::mb::YesNo);
        QVERIFY(form().isVisible());
        QCOMPARE(rows().last(), QStringLiteral("FLAC"));

        QVERIFY(QDir(program.folder()).rename(QStringLiteral("BD.ailleurs"), QStringLiteral("BD")));
        QVERIFY(form().window()->close());
        QVERIFY(!form().isLoaded());
        QVERIFY(testing::fileBytes(path).contains("\"aAutre\"\r\n\"aFLAC\"\r\n\"vDivX\""));

        open();
        QVERIFY(QDir(program.folder()).rename(QStringLiteral("BD"), QStringLiteral("BD.ailleurs")));
        program.platform().answers = {ui::mb::Yes};
        QVERIFY(form().window()->close());
        QVERIFY(!form().isLoaded());
        QVERIFY(!QFile::exists(path));
        QCOMPARE(program.platform().messages.size(), 2);
    }
};

CINABREL_TEST_MAIN(TestOptionsWindow)

#include "test_options_window.moc"
