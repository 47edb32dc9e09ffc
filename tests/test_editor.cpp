#include "editor/Frm_New.h"
#include "store/Dialect.h"
#include "support/Testing.h"

using namespace testing::accueil;
using testing::Film;

namespace {

Frm_New& form() { return Frm_New::instance(); }
QLineEdit* box(const QString& name) { return testing::control<QLineEdit>(form(), name); }
QComboBox* combo(const QString& name) { return testing::control<QComboBox>(form(), name); }
QPlainTextEdit* notes() { return testing::control<QPlainTextEdit>(form(), QStringLiteral("txt_obs")); }
void save() { press(form(), QStringLiteral("Bt_Enreg")); }

QStringList entries(const QString& name) { return testing::entries(combo(name)); }
QString shown(const QString& name) { return testing::shown(form(), name); }
QStringList shownAll(const QStringList& names) { return testing::shown(form(), names); }

}  // namespace

class TestEditor : public testing::ProgramTest {
    Q_OBJECT
private slots:
    void addModeStartsFromAnEmptyFilm()
    {
        start();
        openEditor();
        QVERIFY(form().isVisible() && Connection::nouveau_film && !Frm_Accueil::instance().isLoaded());
        QCOMPARE(form().window()->windowTitle(), QStringLiteral("Cinabrel - Ajout/Modification"));
        QCOMPARE(shownAll({"Txt_Titre", "txt_realisateur", "txt_acteur", "txt_annee", "txt_duree", "txt_obs",
                           "Combo1", "Combo2", "Combo3", "Comb_lng", "comb_audio", "comb_video", "Option3"}),
                 (QStringList {"", "", "", "", "00h00", "", "----", "1", "Avi", "Français", "MP3", "DivX",
                               "checked"}));
        QCOMPARE(entries("Combo1").mid(0, 5),
                 (QStringList {"----", "Action", "Animation", "Aventure", "Comédie"}));
        QCOMPARE(entries("Combo2"), (QStringList {"1", "2", "3"}));
        QCOMPARE(entries("Combo3"), (QStringList {"Avi", "Mpg", "Divx", "Rmvb", "Svcd", "Wma", "Dvd"}));
        QCOMPARE(entries("Comb_lng"),
                 (QStringList {"Français", "Anglais", "Espagnol", "Italien", "Allemenad", "Autres"}));
        for (QComboBox* list : form().window()->findChildren<QComboBox*>())
            QVERIFY(!list->isEditable());
        QCOMPARE(form().window()->focusWidget(), box("Txt_Titre"));

        const QStringList tabOrder = {
                "Txt_Titre",  "txt_realisateur", "txt_acteur", "txt_duree", "txt_annee", "Comb_lng", "Combo1",
                "Combo3",     "Option1",         "Option3",    "Option2",   "Option4",   "Option5",  "Combo2",
                "comb_video", "comb_audio",      "txt_obs",    "Bt_Enreg",  "Bt_Annuler"};
        QStringList order;
        for (QWidget* widget = box("Txt_Titre"); order.size() < tabOrder.size();
             widget = widget->nextInFocusChain())
            if (!widget->objectName().isEmpty() && widget->focusPolicy() != Qt::NoFocus)
                order.append(widget->objectName());
        QCOMPARE(order, tabOrder);
    }

    void listsAreReadAfreshAtEachOpening()
    {
        start();
        openEditor();
        press(form(), QStringLiteral("Bt_Annuler"));
        QVERIFY(!form().isLoaded() && Frm_Accueil::instance().isVisible());
        QVERIFY(testing::writeBytes(program->path("BD/codec.cnb"),
                                    "\"gWestern\"\r\n\"aFLAC\"\r\n\"vAV1\"\r\n\"gCom\xE9"
                                    "die\"\r\n\"aOpus\"\r\n"));
        openEditor();
        QCOMPARE(entries("comb_audio"), (QStringList {"FLAC", "Opus"}));
        QCOMPARE(entries("comb_video"), QStringList {"AV1"});
        QCOMPARE(entries("Combo1"), (QStringList {"----", "Western", "Comédie"}));
        QCOMPARE(shown("comb_audio"), QStringLiteral("FLAC"));

        // Unreadable lists leave their choices empty; the film can still be saved.
        press(form(), QStringLiteral("Bt_Annuler"));
        QVERIFY(QFile::remove(program->path("BD/codec.cnb")));
        openEditor();
        QCOMPARE(program->messages().size(), 1);
        QVERIFY(program->platform().lastPrompt().contains("codec.cnb"));
        QVERIFY(program->platform().lastPrompt().endsWith(
                "Les choix de codecs et de genres resteront vides."));
        QCOMPARE(entries("comb_audio"), QStringList());
        QCOMPARE(entries("Combo1"), QStringList {"----"});
        QTest::keyClicks(box("Txt_Titre"), QStringLiteral("Sans listes"));
        save();
        QCOMPARE(program->count("nom_film='Sans listes' AND codec_Son=''"), 1);
    }

    void modifyModeShowsTheStoredFilm_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("shownText");
        QTest::addColumn<QString>("savedBack");
        QTest::newRow("format in capitals") << "format_film"
                                            << "AVI"
                                            << "Combo3"
                                            << "Avi"
                                            << "Avi";
        QTest::newRow("language in other case") << "langue_Film"
                                                << "anglais"
                                                << "Comb_lng"
                                                << "Anglais"
                                                << "Anglais";
        QTest::newRow("genre outside the list") << "type_film"
                                                << "Policier"
                                                << "Combo1"
                                                << "Policier"
                                                << "Policier";
        QTest::newRow("quick add language") << "langue_Film"
                                            << "Inconnue"
                                            << "Comb_lng"
                                            << "Inconnue"
                                            << "Inconnue";
        QTest::newRow("audio codec outside the list") << "codec_Son"
                                                      << "Opus"
                                                      << "comb_audio"
                                                      << "Opus"
                                                      << "Opus";
        QTest::newRow("video codec outside the list") << "codec_Film"
                                                      << "AV1"
                                                      << "comb_video"
                                                      << "AV1"
                                                      << "AV1";
        QTest::newRow("four discs") << "cd_film"
                                    << "4"
                                    << "Combo2"
                                    << "4"
                                    << "4";
        QTest::newRow("null genre") << "type_film" << QString() << "Combo1"
                                    << ""
                                    << "";
        QTest::newRow("null director") << "realisateur" << QString() << "txt_realisateur"
                                       << ""
                                       << "-";
        QTest::newRow("title with quotes") << "nom_film"
                                           << "L'\"ami\""
                                           << "Txt_Titre"
                                           << "L'\"ami\""
                                           << "L'\"ami\"";
        QTest::newRow("null notes") << "obs_Film" << QString() << "txt_obs"
                                    << ""
                                    << "-";
        QTest::newRow("Mauvais") << "qualite_film"
                                 << "Mauvais"
                                 << "Option1"
                                 << "checked"
                                 << "Mauvais";
        QTest::newRow("Moyenne") << "qualite_film"
                                 << "Moyenne"
                                 << "Option2"
                                 << "checked"
                                 << "Moyenne";
        QTest::newRow("Exellente") << "qualite_film"
                                   << "Exellente"
                                   << "Option4"
                                   << "checked"
                                   << "Exellente";
        QTest::newRow("DvD") << "qualite_film"
                             << "DvD"
                             << "Option5"
                             << "checked"
                             << "DvD";
        QTest::newRow("quick add quality") << "qualite_film"
                                           << "--"
                                           << "Option3"
                                           << "checked"
                                           << "Bonne";
        QTest::newRow("quality in other case") << "qualite_film"
                                               << "dvd"
                                               << "Option3"
                                               << "checked"
                                               << "Bonne";
        QTest::newRow("null quality") << "qualite_film" << QString() << "Option3"
                                      << "checked"
                                      << "Bonne";
    }

    void modifyModeShowsTheStoredFilm()
    {
        QFETCH(QString, column);
        QFETCH(QString, stored);
        QFETCH(QString, control);
        QFETCH(QString, shownText);
        QFETCH(QString, savedBack);
        start({testing::film(7, "Sept")}, false);
        program->db().execute(
                QStringLiteral("UPDATE film SET %1=%2 WHERE code_film=7")
                        .arg(column, stored.isNull() ? QStringLiteral("NULL") : store::quotedText(stored)));
        QVERIFY(testing::startProgram());
        openEditor(7);
        QVERIFY(!Connection::nouveau_film && Frm_Accueil::instance().isLoaded()
                && !Frm_Accueil::instance().isVisible());
        QCOMPARE(shown(control), shownText);
        QCOMPARE(form().window()->focusWidget(), notes());
        save();
        QCOMPARE(program->messages(), QStringList());
        QVERIFY(!form().isLoaded());
        QCOMPARE(program->column(column, 7), savedBack);
    }

    void closingWithoutSavingWritesNothing_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("byCloseBox");
        QTest::newRow("add, Annuler") << 0 << false;
        QTest::newRow("add, close box") << 0 << true;
        QTest::newRow("modify, Annuler") << 1 << false;
        QTest::newRow("modify, close box") << 1 << true;
    }

    // What was typed survives going to another window and back; closing without saving writes nothing.
    void closingWithoutSavingWritesNothing()
    {
        QFETCH(int, code);
        QFETCH(bool, byCloseBox);
        start({testing::film(1, "Original")});
        openEditor(code);
        QVERIFY(QTest::qWaitForWindowActive(form().window()));
        box("Txt_Titre")->setText(QStringLiteral("Changé"));
        combo("Combo1")->setCurrentIndex(2);
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        form().window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form().window()));
        QCOMPARE(shown("Txt_Titre"), QStringLiteral("Changé"));
        QCOMPARE(combo("Combo1")->currentIndex(), 2);
        byCloseBox ? void(form().window()->close()) : press(form(), QStringLiteral("Bt_Annuler"));
        QVERIFY(!form().isLoaded() && Frm_Accueil::instance().isVisible() && !program->programEnded());
        QCOMPARE(program->films(), QStringList {"1 Original"});
    }

    void typingRulesAndTheEmptyTitle()
    {
        start();
        openEditor();
        QTest::keyClicks(box("txt_annee"), QStringLiteral("19995"));
        box("txt_duree")->clear();
        QTest::keyClicks(box("txt_duree"), QStringLiteral("2 heures et quart"));
        QCOMPARE(shownAll({"txt_annee", "txt_duree"}), (QStringList {"1999", "2 heures et quart"}));
        for (QWidget* widget :
             {static_cast<QWidget*>(box("txt_annee")), static_cast<QWidget*>(combo("Combo3"))})
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
                QTest::keyClick(widget, key);
        QVERIFY(form().isVisible());
        QCOMPARE(program->count(), 0);

        box("txt_duree")->clear();
        save();
        QCOMPARE(program->messages(), QStringList {"64|Cinabrel|Vous devez entrer le titre du film"});
        QCOMPARE(program->count(), 0);
        QVERIFY(form().isVisible());
        QCOMPARE(shownAll({"txt_duree", "txt_realisateur"}), (QStringList {"", ""}));
        QCOMPARE(form().window()->focusWidget(), box("Txt_Titre"));
    }

    void addingWritesTheDefaultsAndDashes()
    {
        start({testing::film(1, "Zorro")});
        openEditor();
        QTest::keyClicks(box("Txt_Titre"), QStringLiteral("   "));
        save();
        QCOMPARE(program->messages(), QStringList());
        QVERIFY(!form().isLoaded() && Frm_Accueil::instance().isVisible());
        QStringList stored;
        for (const char* name : {"code_film", "nom_film", "type_film", "cd_film", "qualite_film",
                                 "format_film", "obs_Film", "langue_Film", "codec_Film", "codec_Son", "duree",
                                 "realisateur", "acteur", "annee", "pret_film", "date_pret"})
            stored.append(program->column(name, 2));
        QCOMPARE(stored,
                 (QStringList {"2", "   ", "----", "1", "Bonne", "Avi", "-", "Français", "DivX", "MP3",
                               "00h00", "-", "-", "-", "NULL", "NULL"}));
        QCOMPARE(titles(), (QStringList {"   ", "Zorro"}));
    }

    void newKeyFollowsTheHighest_data()
    {
        QTest::addColumn<QList<int>>("existing");
        QTest::addColumn<int>("expected");
        QTest::newRow("empty catalogue") << QList<int> {} << 1;
        QTest::newRow("highest 41") << QList<int> {3, 41, 12} << 42;
        QTest::newRow("negative keys only") << QList<int> {-5} << -4;
        QTest::newRow("highest 32766") << QList<int> {32766} << 32767;
    }

    void newKeyFollowsTheHighest()
    {
        QFETCH(QList<int>, existing);
        QFETCH(int, expected);
        QList<Film> films;
        for (int code : existing)
            films.append(testing::film(code, QStringLiteral("Film %1").arg(code)));
        start(films);
        openEditor();
        box("Txt_Titre")->setText(QStringLiteral("Nouveau"));
        save();
        QCOMPARE(program->messages(), QStringList());
        QCOMPARE(program->value("SELECT code_film FROM film WHERE nom_film='Nouveau'").toInt(), expected);
        QCOMPARE(program->count(), existing.size() + 1);
    }

    // No key is left above 32767; the dashes put in for the save stay in the editor.
    void noKeyLeftKeepsTheEditorOpen()
    {
        start({testing::film(32767)});
        openEditor();
        box("Txt_Titre")->setText(QStringLiteral("De trop"));
        save();
        QCOMPARE(program->messages(), QStringList {"16|Cinabrel|Certaines données ne sont pas valides"});
        QCOMPARE(program->count(), 1);
        QVERIFY(form().isVisible());
        QCOMPARE(shownAll({"Txt_Titre", "txt_realisateur", "txt_obs", "txt_duree"}),
                 (QStringList {"De trop", "-", "-", "00h00"}));
    }

    void savingAFilmThatIsGoneIsReported()
    {
        start({testing::film(5, "Disparu")});
        openEditor(5);
        program->db().execute(QStringLiteral("DELETE FROM film WHERE code_film=5"));
        save();
        QCOMPARE(program->platform().lastPrompt(), QStringLiteral("Certaines données ne sont pas valides"));
        QVERIFY(form().isVisible());
        QCOMPARE(program->count(), 0);
    }

    void savedAsTypedChangingOnlyItsColumns_data()
    {
        QTest::addColumn<int>("code");
        QTest::newRow("add") << 0;
        QTest::newRow("modify") << 2;
    }

    // Saving writes the thirteen columns as typed, quotes included, and leaves the loan and the
    // other films alone.
    void savedAsTypedChangingOnlyItsColumns()
    {
        QFETCH(int, code);
        start({testing::film(1, "Voisin"),
               {.code = 2, .nom = "Ancien", .pret = "Paul", .datePret = "01/02/2026"}});
        openEditor(code);
        const QStringList names = {"Txt_Titre", "txt_realisateur", "txt_acteur", "txt_duree", "txt_annee"};
        const QStringList typed = {"Le \"Grand\" Bleu", "L'Herbier", "\", acteur=\"piégé", "1h\"30'",
                                   "'\"'\""};
        for (int i = 0; i < names.size(); ++i)
            box(names[i])->setText(typed[i]);
        notes()->setPlainText(QStringLiteral("Il dit : \"C'est fini\"\nWHERE code_film=1 --"));
        combo("Combo3")->setCurrentText(QStringLiteral("Mpg"));
        testing::control<QRadioButton>(form(), QStringLiteral("Option1"))->setChecked(true);
        save();
        QCOMPARE(program->messages(), QStringList());
        QStringList stored;
        for (const char* name : {"nom_film", "realisateur", "acteur", "duree", "annee", "obs_Film",
                                 "format_film", "qualite_film", "pret_film", "date_pret"})
            stored.append(program->column(name, code ? code : 3));
        const QStringList loan = code ? QStringList {"Paul", "01/02/2026"} : QStringList {"NULL", "NULL"};
        QCOMPARE(stored,
                 (typed + QStringList {"Il dit : \"C'est fini\"\nWHERE code_film=1 --", "Mpg", "Mauvais"}
                  + loan));
        QCOMPARE(program->column("nom_film", 1) + program->column("acteur", 1), QStringLiteral("Voisin-"));
        QCOMPARE(program->count(), code ? 2 : 3);
    }

    void savingShowsAllFilmsWhateverTheFilter()
    {
        start({testing::film(1, "Brazil", {{&Film::format, "Dvd"}}), testing::film(2, "Alien")});
        menu(QStringLiteral("mnu_dvd"));
        QCOMPARE(titles(), QStringList {"Brazil"});
        openEditor(1);
        box("Txt_Titre")->setText(QStringLiteral("Casablanca"));
        save();
        QVERIFY(Frm_Accueil::instance().isVisible());
        QCOMPARE(titles(), (QStringList {"Alien", "Casablanca"}));
    }
};

CINABREL_TEST_MAIN(TestEditor)

#include "test_editor.moc"
