#include "app/Connection.h"
#include "editor/FilmSave.h"
#include "editor/Frm_New.h"
#include "store/Dialect.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"
#include "ui/ListView.h"
#include "ui/ScriptedPlatform.h"
#include "ui/main/Frm_Accueil.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringEncoder>
#include <QTest>

using testing::Film;

namespace {

Film lent(Film film, const QString& to, const QString& since)
{
    film.pret = to;
    film.datePret = since;
    return film;
}

template <typename T>
T* field(const char* name)
{
    return Frm_New::instance().control<T>(QString::fromLatin1(name));
}

QLineEdit* box(const char* name) { return field<QLineEdit>(name); }
QComboBox* combo(const char* name) { return field<QComboBox>(name); }
QPlainTextEdit* notes() { return field<QPlainTextEdit>("txt_obs"); }

QStringList entries(QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    return items;
}

void click(ui::Form& form, const char* name)
{
    QTest::mouseClick(form.control<QPushButton>(QString::fromLatin1(name)), Qt::LeftButton);
}

void openNew()
{
    click(Frm_Accueil::instance(), "cmd_new");
    QVERIFY(Frm_New::instance().isVisible());
}

void openModify(qint16 code)
{
    Connection::code_selection = code;
    click(Frm_Accueil::instance(), "Bt_Modif");
    QVERIFY(Frm_New::instance().isVisible());
}

void save() { click(Frm_New::instance(), "Bt_Enreg"); }

void writeLists(const QString& path, const QStringList& records)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QStringEncoder encoder("windows-1252");
    for (const QString& record : records)
        file.write(encoder(u'"' + record + QStringLiteral("\"\r\n")));
}

QStringList listTitles()
{
    ui::ListView* list = Frm_Accueil::instance().List();
    QStringList titles;
    for (int row = 0; row < list->rowCount(); ++row)
        titles.append(list->rowText(row));
    return titles;
}

QString column(testing::TestProgram& program, const QString& name, int code)
{
    return program.value(QStringLiteral("SELECT %1 FROM film WHERE code_film=%2").arg(name).arg(code));
}

}  // namespace

class TestEditor : public QObject {
    Q_OBJECT
private slots:
    void addModeStartsFromAnEmptyFilm()
    {
        testing::TestProgram program;
        QVERIFY(testing::startProgram());
        openNew();
        QVERIFY(Connection::nouveau_film);
        QVERIFY(!Frm_Accueil::instance().isLoaded());
        QCOMPARE(Frm_New::instance().window()->windowTitle(), QStringLiteral("Cinabrel - Ajout/Modification"));

        for (const char* name : {"Txt_Titre", "txt_realisateur", "txt_acteur", "txt_annee"})
            QCOMPARE(box(name)->text(), QString());
        QCOMPARE(box("txt_duree")->text(), QStringLiteral("00h00"));
        QCOMPARE(notes()->toPlainText(), QString());
        QCOMPARE(combo("Combo1")->currentText(), QStringLiteral("----"));
        QCOMPARE(entries(combo("Combo1")).first(), QStringLiteral("----"));
        QCOMPARE(entries(combo("Combo1")).mid(1, 4),
                 (QStringList{"Action", "Animation", "Aventure", QStringLiteral("Comédie")}));
        QCOMPARE(combo("Combo2")->currentText(), QStringLiteral("1"));
        QCOMPARE(entries(combo("Combo2")), (QStringList{"1", "2", "3"}));
        QCOMPARE(combo("Combo3")->currentText(), QStringLiteral("Avi"));
        QCOMPARE(entries(combo("Combo3")), (QStringList{"Avi", "Mpg", "Divx", "Rmvb", "Svcd", "Wma", "Dvd"}));
        QCOMPARE(entries(combo("Comb_lng")), (QStringList{QStringLiteral("Français"), "Anglais", "Espagnol", "Italien",
                                                          "Allemenad", "Autres"}));
        QCOMPARE(combo("Comb_lng")->currentText(), QStringLiteral("Français"));
        QCOMPARE(combo("comb_audio")->currentText(), QStringLiteral("MP3"));
        QCOMPARE(combo("comb_video")->currentText(), QStringLiteral("DivX"));
        QVERIFY(field<QRadioButton>("Option3")->isChecked());
        QCOMPARE(Frm_New::instance().window()->focusWidget(), box("Txt_Titre"));
        for (const char* name : {"Combo1", "Combo2", "Combo3", "Comb_lng", "comb_audio", "comb_video"})
            QVERIFY(!combo(name)->isEditable());
    }

    void tabOrderFollowsTheForm()
    {
        testing::TestProgram program;
        QVERIFY(testing::startProgram());
        openNew();
        const QStringList expected = {"Txt_Titre", "txt_realisateur", "txt_acteur", "txt_duree", "txt_annee",
                                      "Comb_lng",  "Combo1",          "Combo3",     "Option1",   "Option3",
                                      "Option2",   "Option4",         "Option5",    "Combo2",    "comb_video",
                                      "comb_audio", "txt_obs",        "Bt_Enreg",   "Bt_Annuler"};
        QStringList order;
        QWidget* widget = box("Txt_Titre");
        for (int i = 0; i < expected.size(); ++i) {
            order.append(widget->objectName());
            do
                widget = widget->nextInFocusChain();
            while (widget->objectName().isEmpty() || widget->focusPolicy() == Qt::NoFocus);
        }
        QCOMPARE(order, expected);
    }

    void listsAreReadAfreshAtEachOpening()
    {
        testing::TestProgram program;
        QVERIFY(testing::startProgram());
        openNew();
        click(Frm_New::instance(), "Bt_Annuler");
        QVERIFY(!Frm_New::instance().isLoaded());
        QVERIFY(Frm_Accueil::instance().isVisible());

        writeLists(program.path(QStringLiteral("BD/codec.cnb")),
                   {"gWestern", "aFLAC", "vAV1", QStringLiteral("gComédie"), "aOpus"});
        openNew();
        QCOMPARE(entries(combo("comb_audio")), (QStringList{"FLAC", "Opus"}));
        QCOMPARE(entries(combo("comb_video")), QStringList{"AV1"});
        QCOMPARE(entries(combo("Combo1")), (QStringList{"----", "Western", QStringLiteral("Comédie")}));
        QCOMPARE(combo("comb_audio")->currentText(), QStringLiteral("FLAC"));
    }

    void unreadableListsLeaveTheirChoicesEmpty()
    {
        testing::TestProgram program;
        QVERIFY(testing::startProgram());
        QVERIFY(QFile::remove(program.path(QStringLiteral("BD/codec.cnb"))));
        openNew();
        QCOMPARE(program.platform().messages.size(), 1);
        QVERIFY(program.platform().lastPrompt().contains(QStringLiteral("codec.cnb")));
        QVERIFY(program.platform().lastPrompt().endsWith(QStringLiteral("Les choix de codecs et de genres resteront vides.")));
        QCOMPARE(combo("comb_audio")->count(), 0);
        QCOMPARE(entries(combo("Combo1")), QStringList{"----"});
        QTest::keyClicks(box("Txt_Titre"), QStringLiteral("Sans listes"));
        save();
        QCOMPARE(program.count(QStringLiteral("nom_film='Sans listes' AND codec_Son=''")), 1);
    }

    void modifyModeShowsTheStoredFilm_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("savedBack");

        QTest::newRow("format in capitals") << "format_film" << "AVI" << "Combo3" << "Avi" << "Avi";
        QTest::newRow("language in other case") << "langue_Film" << "anglais" << "Comb_lng" << "Anglais" << "Anglais";
        QTest::newRow("genre outside the list") << "type_film" << "Policier noir" << "Combo1" << "Policier noir"
                                                << "Policier noir";
        QTest::newRow("quick add language") << "langue_Film" << "Inconnue" << "Comb_lng" << "Inconnue" << "Inconnue";
        QTest::newRow("audio codec outside the list") << "codec_Son" << "Opus" << "comb_audio" << "Opus" << "Opus";
        QTest::newRow("video codec outside the list") << "codec_Film" << "AV1" << "comb_video" << "AV1" << "AV1";
        QTest::newRow("four discs") << "cd_film" << "4" << "Combo2" << "4" << "4";
        QTest::newRow("null genre") << "type_film" << QString() << "Combo1" << "" << "";
        QTest::newRow("null director") << "realisateur" << QString() << "txt_realisateur" << "" << "-";
        QTest::newRow("title with quotes") << "nom_film" << "L'\"ami\"" << "Txt_Titre" << "L'\"ami\"" << "L'\"ami\"";
        QTest::newRow("null notes") << "obs_Film" << QString() << "txt_obs" << "" << "-";
    }

    void modifyModeShowsTheStoredFilm()
    {
        QFETCH(QString, column);
        QFETCH(QString, stored);
        QFETCH(QString, control);
        QFETCH(QString, shown);
        QFETCH(QString, savedBack);

        testing::TestProgram program;
        program.insert(testing::film(7, "Sept"));
        program.db().execute(QStringLiteral("UPDATE film SET %1=%2 WHERE code_film=7")
                                 .arg(column, stored.isNull() ? QStringLiteral("NULL") : store::quotedText(stored)));
        QVERIFY(testing::startProgram());
        openModify(7);
        QVERIFY(!Connection::nouveau_film);
        QVERIFY(Frm_Accueil::instance().isLoaded());
        QVERIFY(!Frm_Accueil::instance().isVisible());

        QWidget* widget = Frm_New::instance().control<QWidget>(control);
        QString text;
        if (auto* comboBox = qobject_cast<QComboBox*>(widget))
            text = comboBox->currentText();
        else if (auto* line = qobject_cast<QLineEdit*>(widget))
            text = line->text();
        else
            text = qobject_cast<QPlainTextEdit*>(widget)->toPlainText();
        QCOMPARE(text, shown);
        QCOMPARE(Frm_New::instance().window()->focusWidget(), notes());

        save();
        QVERIFY(program.platform().messages.isEmpty());
        QVERIFY(!Frm_New::instance().isLoaded());
        QCOMPARE(program.value(QStringLiteral("SELECT %1 FROM film WHERE code_film=7").arg(column)), savedBack);
    }

    void modifyModeSelectsTheStoredQuality_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("option");
        QTest::newRow("Mauvais") << "Mauvais" << "Option1";
        QTest::newRow("Moyenne") << "Moyenne" << "Option2";
        QTest::newRow("Exellente") << "Exellente" << "Option4";
        QTest::newRow("DvD") << "DvD" << "Option5";
        QTest::newRow("quick add --") << "--" << "Option3";
        QTest::newRow("other letter case") << "dvd" << "Option3";
        QTest::newRow("null") << QString() << "Option3";
    }

    void modifyModeSelectsTheStoredQuality()
    {
        QFETCH(QString, stored);
        QFETCH(QString, option);
        testing::TestProgram program;
        program.insert(testing::film(3, QStringLiteral("Film"), {{&Film::qualite, stored}}));
        if (stored.isNull())
            program.db().execute(QStringLiteral("UPDATE film SET qualite_film=NULL"));
        QVERIFY(testing::startProgram());
        openModify(3);
        QVERIFY(field<QRadioButton>(option.toLatin1().constData())->isChecked());
    }

    void typedInputSurvivesGoingToAnotherWindow_data()
    {
        QTest::addColumn<bool>("adding");
        QTest::newRow("add") << true;
        QTest::newRow("modify") << false;
    }

    void typedInputSurvivesGoingToAnotherWindow()
    {
        QFETCH(bool, adding);
        testing::TestProgram program;
        program.insert(testing::film(1, "Original"));
        QVERIFY(testing::startProgram());
        if (adding)
            openNew();
        else
            openModify(1);
        QVERIFY(QTest::qWaitForWindowActive(Frm_New::instance().window()));
        box("Txt_Titre")->setText(QStringLiteral("Tapé"));
        combo("Combo1")->setCurrentIndex(2);

        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        Frm_New::instance().window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Frm_New::instance().window()));

        QCOMPARE(box("Txt_Titre")->text(), QStringLiteral("Tapé"));
        QCOMPARE(combo("Combo1")->currentIndex(), 2);
    }

    void closingWithoutSavingWritesNothing_data()
    {
        QTest::addColumn<bool>("adding");
        QTest::addColumn<bool>("byCloseBox");
        QTest::newRow("add, Annuler") << true << false;
        QTest::newRow("add, close box") << true << true;
        QTest::newRow("modify, Annuler") << false << false;
        QTest::newRow("modify, close box") << false << true;
    }

    void closingWithoutSavingWritesNothing()
    {
        QFETCH(bool, adding);
        QFETCH(bool, byCloseBox);
        testing::TestProgram program;
        program.insert(testing::film(1, "Original"));
        QVERIFY(testing::startProgram());
        if (adding)
            openNew();
        else
            openModify(1);
        box("Txt_Titre")->setText(QStringLiteral("Changé"));
        if (byCloseBox)
            Frm_New::instance().window()->close();
        else
            click(Frm_New::instance(), "Bt_Annuler");
        QVERIFY(!Frm_New::instance().isLoaded());
        QVERIFY(Frm_Accueil::instance().isVisible());
        QVERIFY(!program.programEnded());
        QCOMPARE(program.count(), 1);
        QCOMPARE(column(program, "nom_film", 1), QStringLiteral("Original"));
    }

    void enterAndEscapePressNothing()
    {
        testing::TestProgram program;
        QVERIFY(testing::startProgram());
        openNew();
        QTest::keyClicks(box("Txt_Titre"), QStringLiteral("Titre"));
        for (QWidget* widget : {static_cast<QWidget*>(box("Txt_Titre")), static_cast<QWidget*>(combo("Combo3"))}) {
            QTest::keyClick(widget, Qt::Key_Return);
            QTest::keyClick(widget, Qt::Key_Enter);
            QTest::keyClick(widget, Qt::Key_Escape);
        }
        QVERIFY(Frm_New::instance().isVisible());
        QCOMPARE(program.count(), 0);
    }

    void yearTakesFourCharactersAndDurationAnyText()
    {
        testing::TestProgram program;
        QVERIFY(testing::startProgram());
        openNew();
        QTest::keyClicks(box("txt_annee"), QStringLiteral("19995"));
        QCOMPARE(box("txt_annee")->text(), QStringLiteral("1999"));
        box("txt_duree")->clear();
        QTest::keyClicks(box("txt_duree"), QStringLiteral("2 heures et quart"));
        QCOMPARE(box("txt_duree")->text(), QStringLiteral("2 heures et quart"));
    }

    void emptyTitleIsRefused()
    {
        testing::TestProgram program;
        QVERIFY(testing::startProgram());
        openNew();
        box("txt_duree")->clear();
        save();
        QCOMPARE(program.platform().messages.size(), 1);
        const auto message = program.platform().messages.first();
        QCOMPARE(message.prompt, QStringLiteral("Vous devez entrer le titre du film"));
        QCOMPARE(message.flags, ui::mb::Information);
        QCOMPARE(message.title, QStringLiteral("Cinabrel"));
        QCOMPARE(program.count(), 0);
        QVERIFY(Frm_New::instance().isVisible());
        QCOMPARE(box("txt_duree")->text(), QString());
        QCOMPARE(box("txt_realisateur")->text(), QString());
        QCOMPARE(Frm_New::instance().window()->focusWidget(), box("Txt_Titre"));
    }

    void addingWritesTheDefaultsAndDashes()
    {
        testing::TestProgram program;
        program.insert(testing::film(1, "Zorro", {{&Film::format, "Dvd"}}));
        QVERIFY(testing::startProgram());
        click(Frm_Accueil::instance(), "cmd_new");
        QTest::keyClicks(box("Txt_Titre"), QStringLiteral("   "));
        save();
        QVERIFY(program.platform().messages.isEmpty());
        QVERIFY(!Frm_New::instance().isLoaded());
        QVERIFY(Frm_Accueil::instance().isVisible());
        QCOMPARE(Connection::requete, QString());

        const QStringList expected = {"2",   "   ",      "----", "1",     "Bonne", "Avi", "-",
                                      QStringLiteral("Français"), "DivX", "MP3", "00h00", "-", "-", "-"};
        const QString columns = QStringLiteral("code_film,nom_film,type_film,cd_film,qualite_film,format_film,obs_Film,"
                                               "langue_Film,codec_Film,codec_Son,duree,realisateur,acteur,annee");
        QStringList stored;
        for (const QString& name : columns.split(u','))
            stored.append(column(program, name, 2));
        QCOMPARE(stored, expected);
        QVERIFY(program.isNull(QStringLiteral("SELECT pret_film FROM film WHERE code_film=2")));
        QCOMPARE(listTitles(), (QStringList{"   ", "Zorro"}));
    }

    void dashesShowInTheEditorWhenTheSaveFails()
    {
        testing::TestProgram program;
        program.insert(testing::film(32767));
        QVERIFY(testing::startProgram());
        openNew();
        box("Txt_Titre")->setText(QStringLiteral("De trop"));
        save();
        QCOMPARE(box("txt_realisateur")->text(), QStringLiteral("-"));
        QCOMPARE(notes()->toPlainText(), QStringLiteral("-"));
        QCOMPARE(box("txt_duree")->text(), QStringLiteral("00h00"));
    }

    void newKeyFollowsTheHighest_data()
    {
        QTest::addColumn<QList<int>>("existing");
        QTest::addColumn<int>("expected");
        QTest::newRow("empty catalogue") << QList<int>{} << 1;
        QTest::newRow("highest 41") << QList<int>{3, 41, 12} << 42;
        QTest::newRow("negative keys only") << QList<int>{-5} << -4;
        QTest::newRow("highest 32766") << QList<int>{32766} << 32767;
    }

    void newKeyFollowsTheHighest()
    {
        QFETCH(QList<int>, existing);
        QFETCH(int, expected);
        testing::TestProgram program;
        for (int code : existing)
            program.insert(testing::film(code, QStringLiteral("Film %1").arg(code)));
        QVERIFY(testing::startProgram());
        openNew();
        box("Txt_Titre")->setText(QStringLiteral("Nouveau"));
        save();
        QVERIFY(program.platform().messages.isEmpty());
        QCOMPARE(program.value(QStringLiteral("SELECT code_film FROM film WHERE nom_film='Nouveau'")).toInt(), expected);
        QCOMPARE(program.count(), existing.size() + 1);
    }

    void noKeyLeftAbove32767()
    {
        testing::TestProgram program;
        program.insert(testing::film(32767));
        QVERIFY(testing::startProgram());
        openNew();
        box("Txt_Titre")->setText(QStringLiteral("De trop"));
        save();
        QCOMPARE(program.platform().messages.size(), 1);
        QCOMPARE(program.platform().lastPrompt(), QStringLiteral("Certaines données ne sont pas valides"));
        QCOMPARE(program.platform().messages.first().flags, ui::mb::Critical);
        QCOMPARE(program.platform().messages.first().title, QStringLiteral("Cinabrel"));
        QCOMPARE(program.count(), 1);
        QVERIFY(Frm_New::instance().isVisible());
        QCOMPARE(box("Txt_Titre")->text(), QStringLiteral("De trop"));
    }

    void theCatalogueRefusesKey32768()
    {
        testing::TestProgram program;
        QVERIFY_THROWS_EXCEPTION(std::exception, program.insert(testing::film(32768)));
        QCOMPARE(program.count(), 0);
    }

    void qualityTextOfEachOption_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("quality");
        QTest::newRow("Option1") << "Option1" << "Mauvais";
        QTest::newRow("Option2") << "Option2" << "Moyenne";
        QTest::newRow("Option3") << "Option3" << "Bonne";
        QTest::newRow("Option4") << "Option4" << "Exellente";
        QTest::newRow("Option5") << "Option5" << "DvD";
    }

    void qualityTextOfEachOption()
    {
        QFETCH(QString, option);
        QFETCH(QString, quality);
        testing::TestProgram program;
        QVERIFY(testing::startProgram());
        openNew();
        box("Txt_Titre")->setText(QStringLiteral("Qualité"));
        QTest::mouseClick(field<QRadioButton>(option.toLatin1().constData()), Qt::LeftButton);
        save();
        QCOMPARE(column(program, "qualite_film", 1), quality);
    }

    void modifyingChangesOnlyItsThirteenColumns()
    {
        testing::TestProgram program;
        program.insert(lent(testing::film(5, "Avant"), "Paul", "01/02/2026"));
        program.insert(testing::film(6, "Voisin"));
        QVERIFY(testing::startProgram());
        openModify(5);
        box("Txt_Titre")->setText(QStringLiteral("Après"));
        box("txt_acteur")->setText(QStringLiteral("Arletty"));
        combo("Combo3")->setCurrentText(QStringLiteral("Mpg"));
        field<QRadioButton>("Option1")->setChecked(true);
        notes()->setPlainText(QStringLiteral("Ligne 1\nLigne 2"));
        save();
        QVERIFY(program.platform().messages.isEmpty());

        QCOMPARE(program.count(), 2);
        QCOMPARE(column(program, "nom_film", 5), QStringLiteral("Après"));
        QCOMPARE(column(program, "acteur", 5), QStringLiteral("Arletty"));
        QCOMPARE(column(program, "format_film", 5), QStringLiteral("Mpg"));
        QCOMPARE(column(program, "qualite_film", 5), QStringLiteral("Mauvais"));
        QCOMPARE(column(program, "obs_Film", 5), QStringLiteral("Ligne 1\nLigne 2"));
        QCOMPARE(column(program, "pret_film", 5), QStringLiteral("Paul"));
        QCOMPARE(column(program, "date_pret", 5), QStringLiteral("01/02/2026"));
        QCOMPARE(column(program, "nom_film", 6), QStringLiteral("Voisin"));
        QCOMPARE(column(program, "acteur", 6), QStringLiteral("-"));
    }

    void savingAFilmThatIsGoneIsReported()
    {
        testing::TestProgram program;
        program.insert(testing::film(5, "Disparu"));
        QVERIFY(testing::startProgram());
        openModify(5);
        program.db().execute(QStringLiteral("DELETE FROM film WHERE code_film=5"));
        save();
        QCOMPARE(program.platform().lastPrompt(), QStringLiteral("Certaines données ne sont pas valides"));
        QVERIFY(Frm_New::instance().isVisible());
        QCOMPARE(program.count(), 0);
    }

    void statementsFollowTheirTemplates()
    {
        const editor::FilmValues film{"T", "G", "1", "Bonne", "Avi", "N", "Anglais", "XviD", "MP3",
                                      "01h40", "R", "A", "1999"};
        QCOMPARE(editor::requeteModification(film, 12),
                 QStringLiteral("UPDATE film SET nom_film=\"T\", type_film = \"G\",cd_film=\"1\", qualite_film=\"Bonne\","
                                "format_film=\"Avi\", obs_Film=\"N\",langue_Film=\"Anglais\", codec_Film=\"XviD\","
                                "codec_Son=\"MP3\", duree=\"01h40\",realisateur=\"R\", acteur=\"A\",annee=\"1999\" "
                                "WHERE code_film=12"));
        QCOMPARE(editor::requeteAjout(film, 42),
                 QStringLiteral("INSERT INTO film (code_film,nom_film,type_film,cd_film,qualite_film, format_film,"
                                "obs_Film,langue_Film,codec_Film,codec_Son,duree,realisateur, acteur,annee) VALUES "
                                "(42,\"T\",\"G\",\"1\",\"Bonne\",\"Avi\",\"N\",\"Anglais\",\"XviD\",\"MP3\",\"01h40\","
                                "\"R\",\"A\",\"1999\")"));
    }

    void quotesAreStoredAsTyped_data()
    {
        QTest::addColumn<bool>("adding");
        QTest::newRow("add") << true;
        QTest::newRow("modify") << false;
    }

    void quotesAreStoredAsTyped()
    {
        QFETCH(bool, adding);
        testing::TestProgram program;
        program.insert(testing::film(1, "Voisin"));
        program.insert(testing::film(2, "Ancien"));
        QVERIFY(testing::startProgram());
        if (adding)
            openNew();
        else
            openModify(2);
        const struct {
            const char* box;
            const char* column;
            QString text;
        } typed[] = {
            {"Txt_Titre", "nom_film", QStringLiteral("Le \"Grand\" Bleu")},
            {"txt_realisateur", "realisateur", QStringLiteral("L'Herbier")},
            {"txt_acteur", "acteur", QStringLiteral("\", acteur=\"piégé")},
            {"txt_duree", "duree", QStringLiteral("1h\"30'")},
            {"txt_annee", "annee", QStringLiteral("'\"'\"")},
        };
        for (const auto& entry : typed)
            box(entry.box)->setText(entry.text);
        const QString note = QStringLiteral("Il dit : \"C'est fini\" WHERE code_film=1 --");
        notes()->setPlainText(note);
        save();
        QVERIFY(program.platform().messages.isEmpty());
        const int code = adding ? 3 : 2;
        for (const auto& entry : typed)
            QCOMPARE(column(program, QString::fromLatin1(entry.column), code), entry.text);
        QCOMPARE(column(program, "obs_Film", code), note);
        QCOMPARE(column(program, "nom_film", 1), QStringLiteral("Voisin"));
        QCOMPARE(column(program, "acteur", 1), QStringLiteral("-"));
        QCOMPARE(program.count(), adding ? 3 : 2);
    }

    void savingShowsAllFilmsWhateverTheFilter()
    {
        testing::TestProgram program;
        program.insert(testing::film(1, "Brazil", {{&Film::format, "Dvd"}}));
        program.insert(testing::film(2, "Alien", {{&Film::format, "Avi"}}));
        QVERIFY(testing::startProgram());
        Frm_Accueil::instance().window()->findChild<QAction*>(QStringLiteral("mnu_dvd"))->trigger();
        QCOMPARE(listTitles(), QStringList{"Brazil"});
        openModify(1);
        box("Txt_Titre")->setText(QStringLiteral("Casablanca"));
        save();
        QVERIFY(Frm_Accueil::instance().isVisible());
        QCOMPARE(listTitles(), (QStringList{"Alien", "Casablanca"}));
    }
};

CINABREL_TEST_MAIN(TestEditor)

#include "test_editor.moc"
