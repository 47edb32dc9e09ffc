#include "support/Testing.h"
#include "ui/Twips.h"

using namespace testing::accueil;

namespace {

const QString kPlaceholder = QStringLiteral("Aucun film dans la base de donnée");

testing::Film film(int code, const QString& nom, const QString& type)
{
    return {.code = code,
            .nom = nom,
            .type = type,
            .cd = QString::number(code % 3 + 1),
            .annee = QString::number(1990 + code)};
}

const QList<testing::Film> kFilms = {film(1, "Abyss", "Science-fiction"),
                                     film(2, "abc", "Comédie"),
                                     film(3, "Alien", "Horreur"),
                                     film(4, "Batman", "Action"),
                                     film(5, "L'Odyssée", "Drame"),
                                     film(6, "La Haine", "Drame"),
                                     {.code = 7,
                                      .nom = "Zorro",
                                      .type = "Aventure",
                                      .cd = "2",
                                      .qualite = "DvD",
                                      .langue = "Anglais",
                                      .annee = "1997",
                                      .pret = "Paul",
                                      .datePret = "01/02/2020"}};

const QStringList kSummary = {"lbl_qual", "lbl_langue", "lbl_annee", "lbl_nbr"};

}  // namespace

class TestMainWindow : public testing::ProgramTest {
    Q_OBJECT
private slots:
    void searchFiltersByTheTypedBeginning_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("case ignored") << "AB" << QStringList {"abc", "Abyss"};
        QTest::newRow("quote") << "L'" << QStringList {"L'Odyssée"};
        QTest::newRow("percent wildcard") << "%ss" << QStringList {"Abyss", "L'Odyssée"};
        QTest::newRow("underscore wildcard") << "_a" << QStringList {"Batman", "La Haine"};
        QTest::newRow("nothing found") << "zz" << QStringList {kPlaceholder};
        QTest::newRow("statement text") << "'; DROP TABLE film; --" << QStringList {kPlaceholder};
        QTest::newRow("double quote") << "\"" << QStringList {kPlaceholder};
    }

    void searchFiltersByTheTypedBeginning()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, expected);
        start(kFilms);
        QTest::keyClicks(textBox("txt_search"), typed);
        QCOMPARE(titles(), expected);
        QCOMPARE(program->messages(), QStringList());
        QCOMPARE(program->count(), 7);
    }

    void eachKeystrokeReloadsAndClearingListsAll()
    {
        start(kFilms);
        const QStringList all = titles();
        QList<QStringList> reloads;
        connect(list()->model(), &QAbstractItemModel::modelReset, this, [&] { reloads.append(titles()); });
        QTest::keyClicks(textBox("txt_search"), "ab");
        QCOMPARE(reloads, (QList<QStringList> {{"abc", "Abyss", "Alien"}, {"abc", "Abyss"}}));
        QTest::keyClick(textBox("txt_search"), Qt::Key_Backspace);
        QTest::keyClick(textBox("txt_search"), Qt::Key_Backspace);
        QCOMPARE(titles(), all);
        QCOMPARE(all.size(), 7);
    }

    void failingSearchKeepsTheList()
    {
        start(kFilms);
        QTest::keyClicks(textBox("txt_search"), "a");
        const QStringList before = titles();
        const QString divx = label("lbl_stat_nbr")->text();
        program->db().execute("ALTER TABLE film RENAME TO film_ailleurs");
        QTest::keyClicks(textBox("txt_search"), "b");
        QCOMPARE(titles(), before);
        QCOMPARE(label("lbl_stat_nbr")->text(), divx);
        QCOMPARE(program->messages().size(), 1);
        QVERIFY(program->platform().lastPrompt().startsWith("La recherche n'a pas pu être faite :\r\n"));
        program->db().execute("ALTER TABLE film_ailleurs RENAME TO film");
        QTest::keyClick(textBox("txt_search"), Qt::Key_Backspace);
        QCOMPARE(titles(), (QStringList {"abc", "Abyss", "Alien"}));
    }

    void selectionShowsTheFilmAndItsLoan()
    {
        start(kFilms);
        QCheckBox* chk = checkBox("chk_pret");
        QVERIFY(!chk->isVisible());
        clickRow(rowOf("Zorro"));
        QCOMPARE(Connection::code_selection, qint16(7));
        QCOMPARE(labels(kSummary), (QStringList {"DvD", "Anglais", "1997", "2"}));
        QVERIFY(chk->isVisible() && textBox("txt_nom")->isVisible() && textBox("txt_nom")->isReadOnly());
        QCOMPARE(chk->text(), QStringLiteral("Retour"));
        QCOMPARE(textBox("txt_nom")->text() + '|' + label("lbl_date")->text(),
                 QStringLiteral("Paul|01/02/2020"));

        clickRow(rowOf("Batman"));
        QCOMPARE(Connection::code_selection, qint16(4));
        QCOMPARE(labels(kSummary), (QStringList {"Bonne", "Français", "1994", "2"}));
        QCOMPARE(chk->text(), QStringLiteral("Emprunt"));
        QVERIFY(!textBox("txt_nom")->isVisible() && !label("lbl_date")->isVisible());

        // A reload keeps the summary of the film last selected.
        QTest::keyClicks(textBox("txt_search"), "z");
        QCOMPARE(label("lbl_annee")->text(), QStringLiteral("1994"));
        QCOMPARE(program->messages(), QStringList());
    }

    void placeholderRowSelectsNothing()
    {
        start();
        QCOMPARE(titles(), QStringList {kPlaceholder});
        clickRow(0);
        doubleClickRow(0);
        QCOMPARE(Connection::code_selection, qint16(0));
        QVERIFY(!checkBox("chk_pret")->isVisible());
        QCOMPARE(label("lbl_qual")->text(), QStringLiteral(" "));
        QCOMPARE(program->messages(), QStringList());
    }

    void doubleClickAndLoanLayoutReadTheKey()
    {
        start(kFilms);
        list()->selectRow(rowOf("Alien"));
        emit list()->dblClick();
        QCOMPARE(Connection::code_selection, qint16(3));
        doubleClickRow(rowOf("La Haine"));
        QCOMPARE(Connection::code_selection, qint16(6));
        // The loan layout keeps the key in its last cell.
        menu("mnuliste");
        QCOMPARE(list()->columnCount(), 4);
        clickRow(rowOf("Zorro"));
        QCOMPARE(Connection::code_selection, qint16(7));
        QCOMPARE(label("lbl_annee")->text() + checkBox("chk_pret")->text(), QStringLiteral("1997Retour"));
        QCOMPARE(program->messages(), QStringList());
    }

    void columnClickSortsAscending()
    {
        start(kFilms);
        QCOMPARE(cells(1),
                 (QStringList {"Comédie", "Science-fiction", "Horreur", "Action", "Drame", "Drame",
                               "Aventure"}));
        clickHeader(1);
        QCOMPARE(cells(1),
                 (QStringList {"Action", "Aventure", "Comédie", "Drame", "Drame", "Horreur",
                               "Science-fiction"}));
        // The list stays sorted by genre when the search refills it.
        QTest::keyClicks(textBox("txt_search"), "a");
        QCOMPARE(titles(), (QStringList {"abc", "Alien", "Abyss"}));
        clickHeader(0);
        QCOMPARE(titles(), (QStringList {"abc", "Abyss", "Alien"}));
    }

    void exportFrameHidesTheListBehindIt()
    {
        start(kFilms);
        auto* frame = testing::control<QGroupBox>(Frm_Accueil::instance(), "fra_export");
        frame->show();
        auto covered = [frame] { return frame->parentWidget()->grab(frame->geometry()).toImage(); };
        const QImage before = covered();
        list()->setRows(QList<ui::ListRow>(60, ui::ListRow(6, QString(40, u'W'))));
        QCOMPARE(covered(), before);
    }

    void resizeFollowsTheInnerSize_data()
    {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QRect>("expectedList");
        QTest::addColumn<int>("expectedHintTop");
        using ui::px;
        const QRect design(px(3360), px(120), px(7475), px(8075));
        QTest::newRow("design size") << QSize(745, 565) << design << px(8175);
        QTest::newRow("larger") << QSize(1000, 800) << QRect(px(3360), px(120), px(11300), px(11600))
                                << px(11700);
        QTest::newRow("too small is skipped") << QSize(745, 40) << design << px(8175);
    }

    void resizeFollowsTheInnerSize()
    {
        QFETCH(QSize, client);
        QFETCH(QRect, expectedList);
        QFETCH(int, expectedHintTop);
        start();
        QMainWindow* window = Frm_Accueil::instance().window();
        const int menuHeight = window->size().height() - window->centralWidget()->height();
        window->resize(745, 565 + menuHeight);
        QTRY_COMPARE(window->centralWidget()->size(), QSize(745, 565));
        window->resize(client.width(), client.height() + menuHeight);
        QTRY_COMPARE(window->centralWidget()->height(), client.height());
        QCOMPARE(list()->geometry(), expectedList);
        QCOMPARE(label("lbldouble")->y(), expectedHintTop);
    }
};

CINABREL_TEST_MAIN(TestMainWindow)

#include "test_main_window.moc"
