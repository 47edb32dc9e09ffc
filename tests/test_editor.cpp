#include "store/Dialect.h"
#include "store/Films.h"
#include "support/Testing.h"

using namespace testing;

namespace {

const Frm_NewControls& editor() { return Frm_New::instance().controls(); }

QStringList entries(QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    return items;
}

// The thirteen values the editor shows, in the order of the table's columns.
QStringList editorValues()
{
    const Frm_NewControls& c = editor();
    QString quality;
    for (int i = 0; i < 5; ++i)
        if (Frm_New::instance().options()[i]->isChecked())
            quality = Frm_New::qualites()[i];
    return shown({c.Txt_Titre, c.Combo1, c.Combo2}) + QStringList {quality}
    + shown({c.Combo3, c.txt_obs, c.Comb_lng, c.comb_video, c.comb_audio, c.txt_duree, c.txt_realisateur,
             c.txt_acteur, c.txt_annee});
}

// A film's row from the title to the year.
QStringList stored(TestProgram& program, int code)
{
    for (const QStringList& row : filmRows(program.db()))
        if (row[0] == QString::number(code))
            return row.mid(1, 13);
    return {};
}

const QStringList kBrazil = {"Brazil",  "Comédie", "2",   "DvD",   "Dvd",           "Notes\nsur deux lignes",
                             "Anglais", "XviD",    "AC3", "02h12", "Terry Gilliam", "Jonathan Pryce",
                             "1985"};

void type(const QStringList& values)
{
    const Frm_NewControls& c = editor();
    QLineEdit* boxes[] = {c.Txt_Titre, c.txt_duree, c.txt_realisateur, c.txt_acteur, c.txt_annee};
    const int columns[] = {0, 9, 10, 11, 12};
    for (int i = 0; i < 5; ++i) {
        boxes[i]->selectAll();
        QTest::keyClick(boxes[i], Qt::Key_Delete);
        boxes[i]->insert(values[columns[i]]);
    }
    c.txt_obs->setPlainText(values[5]);
    QComboBox* combos[] = {c.Combo1, c.Combo2, c.Combo3, c.Comb_lng, c.comb_video, c.comb_audio};
    const int choices[] = {1, 2, 4, 6, 7, 8};
    for (int i = 0; i < 6; ++i)
        combos[i]->setCurrentText(values[choices[i]]);
    Frm_New::instance().options()[Frm_New::qualites().indexOf(values[3])]->setChecked(true);
}

}  // namespace

class TestEditor : public ProgramTest {
    Q_OBJECT
private slots:
    void newFilmStartsFromTheLists()
    {
        start();
        QVERIFY(writeBytes(program->path("BD/codec.cnb"),
                           "\"gWestern\"\r\n\"aMP3\"\r\n\"aAC3\"\r\n\"vDivX\"\r\n"));
        for (int opening = 0; opening < 2; ++opening) {
            click(accueil().cmd_new);
            const Frm_NewControls& c = editor();
            QCOMPARE(entries(c.Combo1), (QStringList {"----", "Western"}));
            QCOMPARE(entries(c.comb_audio) + entries(c.comb_video), (QStringList {"MP3", "AC3", "DivX"}));
            QCOMPARE(entries(c.Combo2) + entries(c.Combo3),
                     (QStringList {"1", "2", "3", "Avi", "Mpg", "Divx", "Rmvb", "Svcd", "Wma", "Dvd"}));
            QCOMPARE(entries(c.Comb_lng),
                     (QStringList {"Français", "Anglais", "Espagnol", "Italien", "Allemenad", "Autres"}));
            QCOMPARE(editorValues(),
                     (QStringList {"", "----", "1", "Bonne", "Avi", "", "Français", "DivX", "MP3", "00h00",
                                   "", "", ""}));
            QCOMPARE(Frm_New::instance().window()->focusWidget(), c.Txt_Titre);
            QCOMPARE(c.Txt_Titre->text(), QString());
            // Enter and Escape neither save nor close.
            QTest::keyClick(c.Txt_Titre, Qt::Key_Return);
            QTest::keyClick(c.Txt_Titre, Qt::Key_Escape);
            QVERIFY(Frm_New::instance().isVisible());
            if (opening)
                QVERIFY(Frm_New::instance().window()->close());
            else
                click(c.Bt_Annuler);
            QVERIFY(writeBytes(program->path("BD/codec.cnb"),
                               "\"gWestern\"\r\n\"aMP3\"\r\n\"aAC3\"\r\n\"vDivX\"\r\n"));
        }
        QCOMPARE(program->count(), 0);
        QVERIFY(Frm_Accueil::instance().isVisible());
    }

    // An unreadable reference list file is told and left alone; the film can still be saved.
    void unreadableListsLeaveTheEditorUsable_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("binary") << QByteArray("\"aMP3\"\r\n\x00\x01\xFF", 11);
    }

    void unreadableListsLeaveTheEditorUsable()
    {
        QFETCH(QByteArray, bytes);
        start();
        const QString path = program->path("BD/codec.cnb");
        QFile::remove(path);
        if (!bytes.isEmpty())
            QVERIFY(writeBytes(path, bytes));
        click(accueil().cmd_new);
        QCOMPARE(messages(),
                 QStringList {"48|Cinabrel|Impossible de lire le fichier des listes :\r\n"
                              + QDir::toNativeSeparators(path)
                              + "\r\nLes choix de codecs et de genres resteront vides."});
        QCOMPARE(entries(editor().Combo1) + entries(editor().comb_audio), QStringList {"----"});
        editor().Txt_Titre->setText("Alien");
        click(editor().Bt_Enreg);
        QCOMPARE(program->films(), QStringList {"1 Alien"});
        QCOMPARE(fileBytes(path), bytes);
    }

    void savedAsTyped_data()
    {
        QTest::addColumn<QList<Film>>("films");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<int>("code");
        QTest::addColumn<QStringList>("saved");
        QStringList blanks = kBrazil;
        for (int column : {5, 9, 10, 11, 12})
            blanks[column] = "";
        QStringList dashes = blanks;
        for (int column : {5, 9, 10, 11, 12})
            dashes[column] = "-";
        QStringList spaces = kBrazil;
        spaces[0] = "  ";
        spaces[10] = " ";
        QTest::newRow("first film") << QList<Film> {} << kBrazil << 1 << kBrazil;
        QTest::newRow("after the highest key") << QList<Film> {film(41), film(7)} << kBrazil << 42 << kBrazil;
        QTest::newRow("empty boxes get a dash") << QList<Film> {} << blanks << 1 << dashes;
        QTest::newRow("spaces kept") << QList<Film> {} << spaces << 1 << spaces;
        for (const QString& quality : Frm_New::qualites()) {
            QStringList q = kBrazil;
            q[3] = quality;
            QTest::addRow("%s", qPrintable(quality)) << QList<Film> {} << q << 1 << q;
        }
    }

    void savedAsTyped()
    {
        QFETCH(QList<Film>, films);
        QFETCH(QStringList, typed);
        QFETCH(int, code);
        QFETCH(QStringList, saved);
        start(films);
        accueil().mnu_dvd->trigger();
        click(accueil().cmd_new);
        type(typed);
        click(editor().Bt_Enreg);
        QCOMPARE(messages(), QStringList());
        QCOMPARE(stored(*program, code), saved);
        QCOMPARE(program->count(), films.size() + 1);
        QVERIFY(!Frm_New::instance().isLoaded() && Frm_Accueil::instance().isVisible());
        QCOMPARE(titles().size(), films.size() + 1);
        QVERIFY(titles().contains(saved[0]));
    }

    void emptyTitleOrNoKeyLeftKeepsTheEditor()
    {
        start({film(32767, "Dernier")});
        click(accueil().cmd_new);
        QStringList typed = kBrazil;
        typed[0] = "";
        typed[10] = "";
        type(typed);
        click(editor().Bt_Enreg);
        QCOMPARE(messages(), QStringList {"64|Cinabrel|Vous devez entrer le titre du film"});
        QCOMPARE(Frm_New::instance().window()->focusWidget(), editor().Txt_Titre);
        QCOMPARE(editor().txt_realisateur->text(), QString());
        editor().Txt_Titre->setText("Brazil");
        click(editor().Bt_Enreg);
        QCOMPARE(messages().last(), QStringLiteral("16|Cinabrel|Certaines données ne sont pas valides"));
        QCOMPARE(editor().txt_realisateur->text(), QStringLiteral("-"));
        QVERIFY(Frm_New::instance().isVisible());
        QCOMPARE(program->films(), QStringList {"32767 Dernier"});
    }

    void modifyShowsAndSavesTheFilm_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("shown");  // in the editor, then saved unchanged
        QTest::newRow("as typed") << ""
                                  << ""
                                  << "";
        QTest::newRow("format in capitals") << "format_film"
                                            << "AVI"
                                            << "Avi";
        QTest::newRow("genre outside the list") << "type_film"
                                                << "Péplum"
                                                << "Péplum";
        QTest::newRow("audio codec outside the list") << "codec_Son"
                                                      << "FLAC"
                                                      << "FLAC";
        QTest::newRow("video codec outside the list") << "codec_Film"
                                                      << "VP9"
                                                      << "VP9";
        QTest::newRow("language in other case") << "langue_Film"
                                                << "ANGLAIS"
                                                << "Anglais";
        QTest::newRow("four discs") << "cd_film"
                                    << "4"
                                    << "4";
        QTest::newRow("quick add quality") << "qualite_film"
                                           << "--"
                                           << "Bonne";
        QTest::newRow("quality in other case") << "qualite_film"
                                               << "dvd"
                                               << "Bonne";
        QTest::newRow("Mauvais") << "qualite_film"
                                 << "Mauvais"
                                 << "Mauvais";
        QTest::newRow("Exellente") << "qualite_film"
                                   << "Exellente"
                                   << "Exellente";
        QTest::newRow("null notes") << "obs_Film"
                                    << "NULL"
                                    << "";
    }

    void modifyShowsAndSavesTheFilm()
    {
        QFETCH(QString, column);
        QFETCH(QString, value);
        QFETCH(QString, shown);
        Film brazil = film(5, "Brazil");
        brazil.pret = "Paul";
        brazil.datePret = "01/12/2026";
        start({film(9, "Zorro"), brazil});
        QStringList expected = kBrazil;
        program->db().execute(store::Films::updateStatement(5, [&] {
            store::FilmDetails details;
            for (int i = 0; i < 13; ++i)
                details.*store::kDetailColumns[i].member = kBrazil[i];
            return details;
        }()));
        if (!column.isEmpty()) {
            const int index =
                    QStringList {"nom_film", "type_film",   "cd_film",    "qualite_film", "format_film",
                                 "obs_Film", "langue_Film", "codec_Film", "codec_Son"}
                            .indexOf(column);
            program->db().execute(QStringLiteral("UPDATE film SET %1 = %2 WHERE code_film = 5")
                                          .arg(column, value == "NULL" ? value : store::quotedText(value)));
            expected[index] = shown;
        }
        accueil().mnu_dvd->trigger();
        Connection::code_selection = 5;
        click(accueil().Bt_Modif);
        QCOMPARE(editorValues(), expected);
        QCOMPARE(Frm_New::instance().window()->focusWidget(), editor().txt_obs);
        click(editor().Bt_Enreg);
        for (int column : {5, 9, 10, 11, 12})
            if (expected[column].isEmpty())
                expected[column] = "-";
        QCOMPARE(stored(*program, 5), expected);
        QCOMPARE(program->column("pret_film", 5) + program->column("date_pret", 5),
                 QStringLiteral("Paul01/12/2026"));
        QCOMPARE(titles(), (QStringList {"Brazil", "Zorro"}));
        QCOMPARE(program->count(), 2);
    }

    void filmGoneWhileEditedIsTold()
    {
        start({film(5, "Brazil")});
        select("Brazil");
        click(accueil().Bt_Modif);
        program->db().execute("DELETE FROM film WHERE code_film=5");
        click(editor().Bt_Enreg);
        QCOMPARE(messages(), QStringList {"16|Cinabrel|Certaines données ne sont pas valides"});
        QVERIFY(Frm_New::instance().isVisible());
        QCOMPARE(program->count(), 0);
        // Opened on a film that is gone: told, and the editor shows nothing of it.
        Frm_New::instance().unload();
        Connection::code_selection = 5;
        Connection::nouveau_film = false;
        Frm_New::instance().show();
        QCOMPARE(messages().last(),
                 QStringLiteral("48|Cinabrel|Ce film n'existe plus dans la base de donnée"));
        QCOMPARE(editor().Txt_Titre->text(), QString());
    }

    void sheetShowsTheFilmReadOnly()
    {
        Film brazil = film(5, "Brazil",
                           {{&Film::duree, "02h12"},
                            {&Film::qualite, "DvD"},
                            {&Film::type, "Comédie"},
                            {&Film::cd, "2"},
                            {&Film::codecVideo, "XviD"},
                            {&Film::codecSon, "AC3"},
                            {&Film::langue, "Anglais"},
                            {&Film::obs, "Des notes"},
                            {&Film::realisateur, "Gilliam"},
                            {&Film::acteur, "Pryce"}});
        start({brazil, film(9, "Zorro")});
        doubleClickRow(0);
        const Frm_VisuControls& c = Frm_Visu::instance().controls();
        const QList<QWidget*> values = {c.lbl_film, c.lblrealisateur, c.lblacteur, c.lblannee,
                                        c.lblduree, c.lbl_langue,     c.lbl_codec, c.lbl_qual,
                                        c.lbl_son,  c.lbl_genre,      c.lbl_nbr,   c.txt_obs};
        QCOMPARE(shown(values),
                 (QStringList {"Brazil", "Gilliam", "Pryce", "2000", "02h12", "Anglais", "XviD", "DvD", "AC3",
                               "Comédie", "2", "Des notes"}));
        c.txt_obs->setFocus();
        QTest::keyClicks(c.txt_obs, "abc");
        QTest::keyClick(c.txt_obs, Qt::Key_Backspace);
        QTest::keyClick(c.txt_obs, Qt::Key_Return);
        QCOMPARE(c.txt_obs->toPlainText(), QStringLiteral("Des notes"));
        // Another double click shows the other film in the same sheet.
        doubleClickRow(1);
        QCOMPARE(shown(values).mid(0, 2), (QStringList {"Zorro", "-"}));
        for (bool closeBox : {false, true}) {
            if (closeBox)
                QVERIFY(Frm_Visu::instance().window()->close());
            else
                click(c.Command1);
            QVERIFY(!Frm_Visu::instance().isLoaded() && Frm_Accueil::instance().isVisible());
            doubleClickRow(0);
        }
        // A film gone meanwhile is told, and no sheet stays open.
        program->db().execute("DELETE FROM film WHERE code_film=9");
        doubleClickRow(1);
        QCOMPARE(messages(), QStringList {"48|Cinabrel|Ce film n'existe plus dans la base de donnée"});
        QVERIFY(!Frm_Visu::instance().isLoaded());
        QCOMPARE(program->count(), 1);
    }
};

CINABREL_TEST_MAIN(TestEditor)
#include "test_editor.moc"
