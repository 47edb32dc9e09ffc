#include "support/Testing.h"
#include "ui/Guard.h"

#include <QAccessible>

using namespace testing;

namespace {

const Frm_NewControls& editor() { return Frm_New::instance().controls(); }

void openEditorOn(const QString& title)
{
    select(title);
    click(accueil().Bt_Modif);
}

enum Window { Main, Editor, Sheet, Options, QuickAdd };

// Opens the window as the user does, on the film "Alien"; gives it.
QMainWindow* open(Window window)
{
    switch (window) {
    case Main:
        break;
    case Editor:
        openEditorOn("Alien");
        return Frm_New::instance().window();
    case Sheet:
        select("Alien");
        Frm_Visu::instance().montrer();
        return Frm_Visu::instance().window();
    case Options:
        accueil().mnu_audio->trigger();
        return frm_option::instance().window();
    case QuickAdd:
        accueil().mnuajoutquick->trigger();
        return Frm_ajoutquick::instance().window();
    }
    return Frm_Accueil::instance().window();
}

// What a screen reader calls a control: its name, or for a choice list, which Linux names by its
// value, the name of the caption that labels it.
QString heardAs(QWidget* control)
{
    QAccessibleInterface* found = QAccessible::queryAccessibleInterface(control);
    if (found->role() != QAccessible::ComboBox)
        return found->text(QAccessible::Name);
    const auto labels = found->relations(QAccessible::Label);
    return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
}

QList<QRgb> pixelsDown(const QImage& image, int x)
{
    QList<QRgb> line;
    for (int y = 0; y < image.height(); ++y)
        line.append(image.pixel(x, y));
    return line;
}

}  // namespace

class TestUserFaults : public ProgramTest {
    Q_OBJECT
private slots:
    // The year box takes four typed characters, yet a stored film saved untouched keeps every value.
    void untouchedSaveKeepsEveryStoredValue()
    {
        const QString title(40000, u'T');
        start({film(1, title, {{&Film::annee, "1995-1996"}, {&Film::obs, "Une\r\nDeux"}})});
        const QList<QStringList> before = filmRows(program->db());
        openEditorOn(title);
        QTest::keyClicks(editor().txt_annee, "7");
        QCOMPARE(editor().txt_annee->text(), QStringLiteral("1995-1996"));
        click(editor().Bt_Enreg);
        QCOMPARE(filmRows(program->db()), before);
        click(accueil().cmd_new);
        QTest::keyClicks(editor().txt_annee, "19795");
        QCOMPARE(editor().txt_annee->text(), QStringLiteral("1979"));
    }

    void failuresAreToldInFrench()
    {
        start({film(1, "Alien")});
        program->db().execute("DROP TABLE film");
        accueil().txt_search->setText("A");
        ui::guarded([] { throw std::out_of_range("cell"); });
        QCOMPARE(messages().size(), 2);
        QVERIFY2(messages()[0].endsWith(" : la table « film » n'existe pas"), qPrintable(messages()[0]));
        QCOMPARE(messages()[1],
                 "16|Cinabrel|Une erreur inattendue est survenue :\r\nerreur interne du programme");
    }

    // Without a temporary folder the workbook is refused, not written where the program started.
    void workbookNeedsATemporaryFolder()
    {
        start({film(1, "Alien")});
        QTemporaryDir current;
        const QString startedIn = QDir::currentPath();
        const QByteArray temporary = qgetenv("TMPDIR");
        const auto restore = qScopeGuard([&] {
            QDir::setCurrent(startedIn);
            temporary.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", temporary);
        });
        QVERIFY(QDir::setCurrent(current.path()));
        qputenv("TMPDIR", QFile::encodeName(current.filePath("absent")));
        accueil().mnu_excel->trigger();
        QCOMPARE(messages(),
                 QStringList {"16|Cinabrel|Impossible d'écrire le fichier :\r\nListe Des films.xlsx"});
        QVERIFY(!accueil().fra_export->isVisible() && program->platform().openedDocuments.isEmpty());
        QCOMPARE(QDir(current.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }

    // The options window looks the same without Label1, whatever the style and the size.
    void optionsLabel1IsNeverSeen()
    {
        start();
        QMainWindow* window = open(Options);
        QLabel* label = frm_option::instance().controls().Label1;
        const QString style = QApplication::style()->name();
        const auto restore = qScopeGuard([&] { QApplication::setStyle(style); });
        for (const QString& name : QStyleFactory::keys()) {
            QApplication::setStyle(name);
            for (const QSize& size : {window->size(), window->size() * 2}) {
                window->resize(size);
                const QImage shown = label->parentWidget()->grab(label->geometry()).toImage();
                label->hide();
                const QImage hidden = label->parentWidget()->grab(label->geometry()).toImage();
                label->show();
                QVERIFY2(shown == hidden, qPrintable(name));
            }
        }
    }

    // Beyond the last column the header looks like a column without a caption, at any width.
    void headerGoesOnPastTheLastColumn()
    {
        start({film(1, "Alien")});
        ui::ListView* list = accueil().List;
        QHeaderView* header = list->header();
        for (int spare : {12, 200}) {
            list->resize(header->length() + spare + list->width() - header->width(), list->height());
            const QImage shown = header->grab().toImage();
            QCOMPARE(pixelsDown(shown, header->length() + spare / 2),
                     pixelsDown(shown, header->sectionSize(0) - 8));
        }
    }

    void controlsAreNamedByTheirCaptions_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        const QList<std::tuple<Window, const char*, const char*>> rows = {
                {Main, "txt_search", "Recherche"},
                {Main, "txt_nom", "Nom"},
                {Main, "List", "Liste des films"},
                {Main, "lbl_qual", ""},
                {Editor, "Txt_Titre", "Titre :"},
                {Editor, "txt_realisateur", "Réalisateur :"},
                {Editor, "txt_acteur", "Acteur(s) :"},
                {Editor, "txt_duree", "Durée"},
                {Editor, "txt_annee", "Année"},
                {Editor, "Comb_lng", "Langue"},
                {Editor, "Combo1", "Genre :"},
                {Editor, "Combo3", "Format Vidéo"},
                {Editor, "Combo2", "Nbr CD :"},
                {Editor, "comb_video", "Codec Video"},
                {Editor, "comb_audio", "Codec Audio"},
                {Editor, "txt_obs", "Synopsis / Observation :"},
                {Sheet, "txt_obs", "Synopsis / Observation"},
                {Sheet, "lbl_codec", ""},
                {Sheet, "lbl_langue", "Anglais"},
                {Options, "txt_codec", "Ajout codec Audio"},
                {Options, "List", "Codec Audio"},
                {QuickAdd, "txt_parcourir", "Répertoire des films"},
        };
        for (const auto& [window, control, name] : rows)
            QTest::addRow("%d %s", window, control) << int(window) << QString(control) << QString(name);
    }

    void controlsAreNamedByTheirCaptions()
    {
        QFETCH(int, window);
        QFETCH(QString, control);
        QFETCH(QString, name);
        start({film(1, "Alien", {{&Film::codecVideo, ""}, {&Film::langue, "Anglais"}})});
        QWidget* found = open(Window(window))->findChild<QWidget*>(control);
        QVERIFY(found);
        QCOMPARE(heardAs(found), name);
    }
};

CINABREL_TEST_MAIN(TestUserFaults)
#include "test_user_faults.moc"
