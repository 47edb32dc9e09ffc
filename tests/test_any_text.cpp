#include "support/Testing.h"

using namespace testing;

namespace {

// Texts typed into the boxes, and what the 8-bit reference list file holds of each.
void addSamples()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("in1252");
    QTest::newRow("quotes and statement signs") << "L'\"été\" 100% _x_; -- %1"
                                                << "";
    QTest::newRow("accents, no-break space") << "Éléphant à l'œuvre\u00A0: çà"
                                             << "Éléphant à l'œuvre\u00A0: çà";
    QTest::newRow("outside Windows-1252") << "Кино 中文 Łódź 🎬"
                                          << "???? ?? ?ód? ?";
    QTest::newRow("control characters") << "a\tb\x01"
                                           "c\x7f"
                                        << "a\tb?c\x7f";
    QTest::newRow("lines") << "première\nseconde\u2029fin"
                           << "première seconde?fin";
    QTest::newRow("10,000 characters")
            << QString("Ab é'_;-").repeated(1250) << QString("Ab é'_;-").repeated(1250);
}

}  // namespace

// Any text typed into a box is stored and shown back exactly, or as the 8-bit file can hold it.
class TestAnyText : public ProgramTest {
    Q_OBJECT
private slots:
    void notesAndActorsKeepTheText_data() { addSamples(); }

    void notesAndActorsKeepTheText()
    {
        QFETCH(QString, text);
        start({film(1, "Cible"), film(2, "Témoin")});
        const QList<QStringList> before = filmRows(program->db());
        select("Cible");
        click(accueil().Bt_Modif);
        const Frm_NewControls& editor = Frm_New::instance().controls();
        editor.txt_obs->setFocus();
        QTest::keyClick(editor.txt_obs, Qt::Key_A, Qt::ControlModifier);
        editor.txt_obs->insertPlainText(text);
        editor.txt_acteur->setText(text);
        const QString actors = editor.txt_acteur->text();
        click(editor.Bt_Enreg);
        // A paragraph break typed into the notes is stored as a line end.
        const QString notes = QString(text).replace(QChar::ParagraphSeparator, u'\n');
        QList<QStringList> expected = before;
        expected[0][6] = notes;
        expected[0][12] = actors;
        QCOMPARE(filmRows(program->db()), expected);
        select("Cible");
        QTest::keyClick(accueil().List, Qt::Key_Return);
        const QString sheetNotes = Frm_Visu::instance().controls().txt_obs->document()->toRawText();
        QCOMPARE(sheetNotes, QString(notes).replace(u'\n', QChar::ParagraphSeparator));
        QCOMPARE(Frm_Visu::instance().controls().lblacteur->text(), actors);
        QCOMPARE(messages(), QStringList());
    }

    void optionsRowsAsTheFileHoldsThem_data() { addSamples(); }

    void optionsRowsAsTheFileHoldsThem()
    {
        QFETCH(QString, text);
        QFETCH(QString, in1252);
        start();
        accueil().mnu_audio->trigger();
        const frm_optionControls& options = frm_option::instance().controls();
        options.txt_codec->setText(text);
        click(options.cmd_ajout);
        if (in1252.isEmpty()) {
            QCOMPARE(messages(), QStringList {"0|Cinabrel|Le caractère \" n'est pas autorisé"});
            return;
        }
        QCOMPARE(options.List->item(options.List->count() - 1)->text(), text);
        frm_option::instance().unload();
        accueil().mnu_audio->trigger();
        QCOMPARE(options.List->count(), 8);
        QCOMPARE(frm_option::instance().controls().List->item(7)->text(), in1252);
        click(accueil().cmd_new);
        QCOMPARE(Frm_New::instance().controls().comb_audio->itemText(7), in1252);
        QCOMPARE(messages(), QStringList());
    }
};

CINABREL_TEST_MAIN(TestAnyText)
#include "test_any_text.moc"
