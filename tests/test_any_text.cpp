#include "app/Connection.h"
#include "editor/Frm_New.h"
#include "editor/Frm_Visu.h"
#include "quickadd/Frm_ajoutquick.h"
#include "files/ReferenceListFile.h"
#include "reflists/frm_option.h"
#include "support/CatalogueCheck.h"
#include "support/MainWindow.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"
#include "ui/ListView.h"
#include "support/ScriptedPlatform.h"
#include "ui/main/Frm_Accueil.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

namespace acc = testing::accueil;

namespace {

// Texts typed into the boxes, and what the 8-bit reference list file holds of each.
struct Sample {
    const char* name;
    QString text;
    QString in1252;
};

const QList<Sample>& samples()
{
    static const QString longText = QStringLiteral("Ab%1 é'_;-").repeated(1000);
    static const QList<Sample> list = {
            {"empty", QString(), QString()},
            {"quotes of both kinds", QStringLiteral("L'\"été\" ''\"\""), QString()},
            {"statement signs", QStringLiteral("100% _x_; -- DROP TABLE film;"),
             QStringLiteral("100% _x_; -- DROP TABLE film;")},
            {"accents", QStringLiteral("Éléphant à l'œuvre\u00A0: çà, là"),
             QStringLiteral("Éléphant à l'œuvre\u00A0: çà, là")},
            {"outside Windows-1252", QStringLiteral("Кино Ελλάδα 中文 Łódź"),
             QStringLiteral("???? ?????? ?? ?ód?")},
            {"emoji", QStringLiteral("🎬 Film 😀"), QStringLiteral("? Film ?")},
            {"control characters",
             QStringLiteral("a\tb\x01"
                            "c\x1f\x7f"),
             QStringLiteral("a\tb?c?\x7f")},
            {"placeholders", QStringLiteral("%1 %10 %2%1"), QStringLiteral("%1 %10 %2%1")},
            {"markup", QStringLiteral("<b>gras</b> &amp;"), QStringLiteral("<b>gras</b> &amp;")},
            {"10,000 characters", longText, longText},
    };
    return list;
}

void addSampleRows(const char* place = nullptr)
{
    for (const Sample& sample : samples()) {
        if (place)
            QTest::addRow("%s, %s", place, sample.name) << sample.text << sample.in1252;
        else
            QTest::addRow("%s", sample.name) << sample.text << sample.in1252;
    }
}

// Pastes the text over what the box holds, as the user does.
void type(QWidget* box, const QString& text)
{
    if (auto* line = qobject_cast<QLineEdit*>(box)) {
        line->clear();
        line->insert(text);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(box)) {
        plain->clear();
        plain->insertPlainText(text);
    }
}

QString shown(QWidget* widget)
{
    if (auto* line = qobject_cast<QLineEdit*>(widget))
        return line->text();
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    // Every character as held, no-break spaces included.
    return qobject_cast<QPlainTextEdit*>(widget)->document()->toRawText().replace(QChar::ParagraphSeparator,
                                                                                  u'\n');
}

void click(ui::Form& form, const char* name)
{
    QTest::mouseClick(testing::control<QPushButton>(form, QString::fromLatin1(name)), Qt::LeftButton);
}

QStringList prompts(testing::TestProgram& program)
{
    QStringList found;
    for (const auto& message : program.platform().messages)
        found << message.prompt;
    return found;
}

// A catalogue of the film typed into and a witness, the program started on it.
void start(testing::TestProgram& program, const QString& title = QStringLiteral("Cible"))
{
    program.insert(testing::film(1, title));
    program.insert(
            testing::film(2, QStringLiteral("Témoin"), {{&testing::Film::obs, QStringLiteral("%1 \"x\"")}}));
    QVERIFY(testing::startProgram());
}

}  // namespace

class TestAnyText : public QObject {
    Q_OBJECT
private slots:
    void editorBoxes_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<int>("listCell");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("in1252");
        const struct {
            const char* box;
            int column;
            const char* sheet;
            int listCell;  // -1 not in the list, 0 the title
        } boxes[] = {{"Txt_Titre", 1, "lbl_film", 0},     {"txt_realisateur", 11, "lblrealisateur", -1},
                     {"txt_acteur", 12, "lblacteur", -1}, {"txt_duree", 10, "lblduree", 2},
                     {"txt_annee", 13, "lblannee", -1},   {"txt_obs", 6, "txt_obs", -1}};
        for (const auto& b : boxes) {
            for (const Sample& sample : samples()) {
                QTest::addRow("%s, %s", b.box, sample.name)
                        << QString::fromLatin1(b.box) << b.column << QString::fromLatin1(b.sheet)
                        << b.listCell << sample.text << sample.in1252;
            }
        }
    }

    // Stored as the box holds it, or refused with its message; nothing else changes.
    void editorBoxes()
    {
        QFETCH(QString, box);
        QFETCH(int, column);
        QFETCH(QString, sheet);
        QFETCH(int, listCell);
        QFETCH(QString, text);
        testing::TestProgram program;
        start(program);
        QList<QStringList> expected = testing::filmRows(program.db());

        acc::clickRow(acc::rowOf(QStringLiteral("Cible")));
        QTest::mouseClick(acc::button(QStringLiteral("Bt_Modif")), Qt::LeftButton);
        Frm_New& editor = Frm_New::instance();
        auto* widget = testing::control<QWidget>(editor, box);
        type(widget, text);
        const int maxLength =
                qobject_cast<QLineEdit*>(widget) ? qobject_cast<QLineEdit*>(widget)->maxLength() : -1;
        const QString held = shown(widget);
        QCOMPARE(held, maxLength < 0 ? text : text.left(maxLength));
        click(editor, "Bt_Enreg");

        if (box == QStringLiteral("Txt_Titre") && held.isEmpty()) {
            QCOMPARE(prompts(program), QStringList {QStringLiteral("Vous devez entrer le titre du film")});
            QVERIFY(editor.isVisible());
            QCOMPARE(testing::filmRows(program.db()), expected);
            return;
        }
        QVERIFY2(program.platform().messages.isEmpty(), qPrintable(prompts(program).join(u'\n')));
        const QString stored = held.isEmpty() ? QStringLiteral("-") : held;
        expected[0][column] = stored;
        QCOMPARE(testing::filmRows(program.db()), expected);
        QCOMPARE(testing::integrityCheck(program.db()), QStringLiteral("ok"));

        const QString title = expected[0][1];
        const int row = acc::rowOf(title);
        if (listCell > 0)
            QCOMPARE(acc::list()->cellText(row, listCell), stored);
        acc::doubleClickRow(row);
        QCOMPARE(shown(testing::control<QWidget>(Frm_Visu::instance(), sheet)), stored);
        click(Frm_Visu::instance(), "Command1");

        acc::clickRow(acc::rowOf(title));
        QTest::mouseClick(acc::button(QStringLiteral("Bt_Modif")), Qt::LeftButton);
        QCOMPARE(shown(testing::control<QWidget>(Frm_New::instance(), box)), stored);
        QVERIFY(program.platform().messages.isEmpty());
    }

    void search_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("in1252");
        addSampleRows();
    }

    // The search never fails, and a film is always found by its own title.
    void search()
    {
        QFETCH(QString, text);
        testing::TestProgram program;
        const QString title = text.isEmpty() ? QStringLiteral("Cible") : text;
        start(program, title);
        const QList<QStringList> before = testing::filmRows(program.db());

        type(acc::textBox(QStringLiteral("txt_search")), text);

        QVERIFY2(program.platform().messages.isEmpty(), qPrintable(prompts(program).join(u'\n')));
        QVERIFY(acc::titles().contains(title));
        QCOMPARE(testing::filmRows(program.db()), before);
    }

    void borrowerName_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("in1252");
        addSampleRows();
    }

    void borrowerName()
    {
        QFETCH(QString, text);
        testing::TestProgram program;
        start(program);
        QList<QStringList> expected = testing::filmRows(program.db());

        acc::clickRow(acc::rowOf(QStringLiteral("Cible")));
        acc::tick(acc::checkBox(QStringLiteral("chk_pret")));
        type(acc::textBox(QStringLiteral("txt_nom")), text);
        QTest::mouseClick(acc::button(QStringLiteral("cmd_pret")), Qt::LeftButton);

        if (text.trimmed().isEmpty()) {
            QCOMPARE(prompts(program),
                     QStringList {QStringLiteral("Vous devez entrer le nom de l'emprunteur")});
            QCOMPARE(testing::filmRows(program.db()), expected);
            return;
        }
        QVERIFY2(program.platform().messages.isEmpty(), qPrintable(prompts(program).join(u'\n')));
        expected[0][14] = text;
        expected[0][15] = QStringLiteral("06/12/2026");
        QCOMPARE(testing::filmRows(program.db()), expected);

        acc::clickRow(acc::rowOf(QStringLiteral("Témoin")));
        acc::clickRow(acc::rowOf(QStringLiteral("Cible")));
        QCOMPARE(acc::textBox(QStringLiteral("txt_nom"))->text(), text);
        acc::menu(QStringLiteral("mnuliste"));
        QCOMPARE(acc::titles(), QStringList {QStringLiteral("Cible")});
        QCOMPARE(acc::list()->cellText(0, 1), text);
    }

    void optionsEntry_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("in1252");
        addSampleRows();
    }

    // The 8-bit file holds "?" for what it cannot hold; the entry is shown back as the file holds it.
    void optionsEntry()
    {
        QFETCH(QString, text);
        QFETCH(QString, in1252);
        testing::TestProgram program;
        start(program);
        const QString file = program.path(QStringLiteral("BD/codec.cnb"));
        const files::ReferenceLists before = files::readReferenceLists(file);

        acc::menu(QStringLiteral("mnu_audio"));
        frm_option& options = frm_option::instance();
        type(testing::control<QLineEdit>(options, QStringLiteral("txt_codec")), text);
        click(options, "cmd_ajout");
        if (text.isEmpty() || text.contains(u'"')) {
            QCOMPARE(prompts(program),
                     QStringList {text.isEmpty() ? QStringLiteral("Ce codec est déjà entré")
                                                 : QStringLiteral("Le caractère \" n'est pas autorisé")});
            options.unload();
            QCOMPARE(files::readReferenceLists(file).audio, before.audio);
            return;
        }
        auto* list = testing::control<QListWidget>(options, QStringLiteral("List"));
        QCOMPARE(list->item(list->count() - 1)->text(), text);
        options.unload();

        const files::ReferenceLists after = files::readReferenceLists(file);
        QCOMPARE(after.audio, before.audio + QStringList {in1252});
        QCOMPARE(after.video, before.video);
        QCOMPARE(after.genre, before.genre);
        acc::menu(QStringLiteral("mnu_audio"));
        QCOMPARE(testing::control<QListWidget>(options, QStringLiteral("List"))->count(),
                 before.audio.size() + 1);
        QCOMPARE(testing::control<QListWidget>(options, QStringLiteral("List"))
                         ->item(int(before.audio.size()))
                         ->text(),
                 in1252);
        options.unload();
        QTest::mouseClick(acc::button(QStringLiteral("cmd_new")), Qt::LeftButton);
        QVERIFY(testing::control<QComboBox>(Frm_New::instance(), QStringLiteral("comb_audio"))
                        ->findText(in1252)
                >= 0);
        QVERIFY2(program.platform().messages.isEmpty(), qPrintable(prompts(program).join(u'\n')));
    }

    // Every sample that the file system allows as a name (no "/", 255 bytes), each made a film of its own.
    void quickAddFileNames()
    {
        testing::TestProgram program;
        start(program);
        const QStringList before = acc::titles();
        QTemporaryDir folder;
        QStringList titles;
        for (const Sample& sample : samples()) {
            if (sample.text.contains(u'/'))
                continue;
            QString name = sample.text;
            while (name.toUtf8().size() > 255 - 4)
                name.chop(1);
            QFile file(folder.filePath(name + QStringLiteral(".avi")));
            QVERIFY2(file.open(QIODevice::WriteOnly), sample.name);
            // ".avi" alone is a hidden file, no film.
            if (!name.isEmpty())
                titles << name;
        }

        acc::menu(QStringLiteral("mnuajoutquick"));
        program.platform().folders << folder.path();
        click(Frm_ajoutquick::instance(), "cmd_parcourir");
        click(Frm_ajoutquick::instance(), "cmd_lancer");

        QVERIFY2(program.platform().messages.isEmpty(), qPrintable(prompts(program).join(u'\n')));
        QStringList stored;
        for (const QStringList& row : testing::filmRows(program.db()).mid(2))
            stored << row[1];
        std::sort(stored.begin(), stored.end());
        std::sort(titles.begin(), titles.end());
        QCOMPARE(stored, titles);
        QStringList listed = acc::titles();
        std::sort(listed.begin(), listed.end());
        QStringList expected = before + titles;
        std::sort(expected.begin(), expected.end());
        QCOMPARE(listed, expected);
        QCOMPARE(testing::integrityCheck(program.db()), QStringLiteral("ok"));
    }
};

CINABREL_TEST_MAIN(TestAnyText)
#include "test_any_text.moc"
