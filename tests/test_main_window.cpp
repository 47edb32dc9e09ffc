#include "app/Connection.h"
#include "support/MainWindow.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"
#include "ui/ListView.h"
#include "ui/ScriptedPlatform.h"
#include "ui/Twips.h"
#include "ui/main/Frm_Accueil.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <memory>

using namespace testing::accueil;

namespace {

const QString kPlaceholder = QStringLiteral("Aucun film dans la base de donnée");

testing::Film film(int code, const QString& nom, const QString& type)
{
    testing::Film f;
    f.code = code;
    f.nom = nom;
    f.type = type;
    f.cd = QString::number(code % 3 + 1);
    f.annee = QString::number(1990 + code);
    return f;
}

QStringList cells(int cell)
{
    QStringList result;
    for (int row = 0; row < list()->rowCount(); ++row)
        result.append(list()->cellText(row, cell));
    return result;
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
    std::unique_ptr<testing::TestProgram> program;
    QStringList loadOrder;

    void start(bool withFilms = true)
    {
        program = std::make_unique<testing::TestProgram>();
        if (withFilms) {
            program->insert(film(1, QStringLiteral("Abyss"), QStringLiteral("Science-fiction")));
            program->insert(film(2, QStringLiteral("abc"), QStringLiteral("Comédie")));
            program->insert(film(3, QStringLiteral("Alien"), QStringLiteral("Horreur")));
            program->insert(film(4, QStringLiteral("Batman"), QStringLiteral("Action")));
            program->insert(film(5, QStringLiteral("L'Odyssée"), QStringLiteral("Drame")));
            program->insert(film(6, QStringLiteral("La Haine"), QStringLiteral("Drame")));
            testing::Film zorro = film(7, QStringLiteral("Zorro"), QStringLiteral("Aventure"));
            zorro.pret = QStringLiteral("Paul");
            zorro.datePret = QStringLiteral("01/02/2020");
            zorro.qualite = QStringLiteral("DvD");
            zorro.langue = QStringLiteral("Anglais");
            program->insert(zorro);
        }
        QVERIFY(testing::startProgram());
        loadOrder = titles();
    }

private slots:
    void cleanup() { program.reset(); }

    void searchFiltersByTheTypedBeginning_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("case ignored") << "AB" << QStringList{"abc", "Abyss"};
        QTest::newRow("quote") << "L'" << QStringList{"L'Odyssée"};
        QTest::newRow("percent wildcard") << "%ss" << QStringList{"Abyss", "L'Odyssée"};
        QTest::newRow("underscore wildcard") << "_a" << QStringList{"Batman", "La Haine"};
        QTest::newRow("nothing found") << "zz" << QStringList{kPlaceholder};
        QTest::newRow("statement text") << "'; DROP TABLE film; --" << QStringList{kPlaceholder};
        QTest::newRow("double quote") << "\"" << QStringList{kPlaceholder};
    }

    void searchFiltersByTheTypedBeginning()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, expected);
        start();
        QTest::keyClicks(textBox(QStringLiteral("txt_search")), typed);
        QCOMPARE(titles(), expected);
        QCOMPARE(program->platform().messages.size(), 0);
        QCOMPARE(program->count(), 7);
    }

    void eachKeystrokeReloadsAndClearingListsAll()
    {
        start();
        QList<QStringList> reloads;
        connect(list()->model(), &QAbstractItemModel::modelReset, this, [&] { reloads.append(titles()); });
        QLineEdit* search = textBox(QStringLiteral("txt_search"));
        QTest::keyClicks(search, QStringLiteral("ab"));
        QCOMPARE(reloads, (QList<QStringList>{{"abc", "Abyss", "Alien"}, {"abc", "Abyss"}}));
        QCOMPARE(Connection::requete, QStringLiteral("select * from film WHERE nom_film LIKE 'ab%' order by nom_film"));

        QTest::keyClick(search, Qt::Key_Backspace);
        QTest::keyClick(search, Qt::Key_Backspace);
        QCOMPARE(titles(), loadOrder);
        QCOMPARE(loadOrder.size(), 7);
    }

    void failingSearchKeepsTheList()
    {
        start();
        QLineEdit* search = textBox(QStringLiteral("txt_search"));
        QTest::keyClicks(search, QStringLiteral("a"));
        const QStringList before = titles();
        const QString divx = label(QStringLiteral("lbl_stat_nbr"))->text();
        program->db().execute(QStringLiteral("ALTER TABLE film RENAME TO film_ailleurs"));
        QTest::keyClicks(search, QStringLiteral("b"));
        QCOMPARE(titles(), before);
        QCOMPARE(label(QStringLiteral("lbl_stat_nbr"))->text(), divx);
        QCOMPARE(program->platform().messages.size(), 1);
        QVERIFY(program->platform().lastPrompt().startsWith(QStringLiteral("La recherche n'a pas pu être faite :\r\n")));

        program->db().execute(QStringLiteral("ALTER TABLE film_ailleurs RENAME TO film"));
        QTest::keyClick(search, Qt::Key_Backspace);
        QCOMPARE(titles(), (QStringList{"abc", "Abyss", "Alien"}));
    }

    void selectionShowsTheFilmAndItsLoan()
    {
        start();
        QCheckBox* chk = checkBox(QStringLiteral("chk_pret"));
        QVERIFY(!chk->isVisible());

        clickRow(rowOf(QStringLiteral("Zorro")));
        QCOMPARE(Connection::code_selection, qint16(7));
        QCOMPARE(label(QStringLiteral("lbl_qual"))->text(), QStringLiteral("DvD"));
        QCOMPARE(label(QStringLiteral("lbl_langue"))->text(), QStringLiteral("Anglais"));
        QCOMPARE(label(QStringLiteral("lbl_annee"))->text(), QStringLiteral("1997"));
        QCOMPARE(label(QStringLiteral("lbl_nbr"))->text(), QStringLiteral("2"));
        QVERIFY(chk->isVisible());
        QCOMPARE(chk->text(), QStringLiteral("Retour"));
        QCOMPARE(chk->property("Tag").toString(), QStringLiteral("1"));
        QLineEdit* name = textBox(QStringLiteral("txt_nom"));
        QVERIFY(name->isVisible());
        QVERIFY(name->isReadOnly());
        QCOMPARE(name->text(), QStringLiteral("Paul"));
        QCOMPARE(label(QStringLiteral("lbl_date"))->text(), QStringLiteral("01/02/2020"));

        clickRow(rowOf(QStringLiteral("Batman")));
        QCOMPARE(Connection::code_selection, qint16(4));
        QCOMPARE(label(QStringLiteral("lbl_qual"))->text(), QStringLiteral("Bonne"));
        QCOMPARE(label(QStringLiteral("lbl_annee"))->text(), QStringLiteral("1994"));
        QCOMPARE(chk->text(), QStringLiteral("Emprunt"));
        QCOMPARE(chk->property("Tag").toString(), QStringLiteral("0"));
        QVERIFY(!name->isVisible());
        QVERIFY(!label(QStringLiteral("lbl_date"))->isVisible());

        // A reload keeps the summary of the film last selected.
        QTest::keyClicks(textBox(QStringLiteral("txt_search")), QStringLiteral("z"));
        QCOMPARE(label(QStringLiteral("lbl_annee"))->text(), QStringLiteral("1994"));
        QCOMPARE(program->platform().messages.size(), 0);
    }

    void placeholderRowSelectsNothing()
    {
        start(false);
        QCOMPARE(titles(), QStringList{kPlaceholder});
        clickRow(0);
        list()->selectRow(0);
        emit list()->dblClick();
        QCOMPARE(Connection::code_selection, qint16(0));
        QVERIFY(!checkBox(QStringLiteral("chk_pret"))->isVisible());
        QCOMPARE(label(QStringLiteral("lbl_qual"))->text(), QStringLiteral(" "));
        QCOMPARE(program->platform().messages.size(), 0);
    }

    void doubleClickReadsTheSelection()
    {
        start();
        list()->selectRow(rowOf(QStringLiteral("Alien")));
        emit list()->dblClick();
        QCOMPARE(Connection::code_selection, qint16(3));
        doubleClickRow(rowOf(QStringLiteral("La Haine")));
        QCOMPARE(Connection::code_selection, qint16(6));
        QCOMPARE(program->platform().messages.size(), 0);
    }

    void loanLayoutTakesTheKeyFromItsLastCell()
    {
        start();
        clickRow(rowOf(QStringLiteral("Batman")));
        menu(QStringLiteral("mnuliste"));
        QCOMPARE(list()->columnCount(), 4);
        clickRow(rowOf(QStringLiteral("Zorro")));
        QCOMPARE(Connection::code_selection, qint16(7));
        QCOMPARE(label(QStringLiteral("lbl_annee"))->text(), QStringLiteral("1997"));
        QCOMPARE(checkBox(QStringLiteral("chk_pret"))->text(), QStringLiteral("Retour"));
    }

    void columnClickSortsAscending()
    {
        start();
        QCOMPARE(cells(1), (QStringList{"Comédie", "Science-fiction", "Horreur", "Action", "Drame", "Drame", "Aventure"}));
        clickHeader(1);
        QCOMPARE(cells(1), (QStringList{"Action", "Aventure", "Comédie", "Drame", "Drame", "Horreur", "Science-fiction"}));
        // The list stays sorted by genre when the search refills it.
        QTest::keyClicks(textBox(QStringLiteral("txt_search")), QStringLiteral("a"));
        QCOMPARE(titles(), (QStringList{"abc", "Alien", "Abyss"}));
        clickHeader(0);
        QCOMPARE(titles(), (QStringList{"abc", "Abyss", "Alien"}));
    }

    void exportFrameHidesTheListBehindIt()
    {
        start();
        auto* frame = Frm_Accueil::instance().control<QGroupBox>(QStringLiteral("fra_export"));
        frame->show();
        auto covered = [frame] { return frame->parentWidget()->grab(frame->geometry()).toImage(); };
        const QImage before = covered();
        list()->setRows(QList<QStringList>(60, QStringList(6, QString(40, u'W'))));
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
        QTest::newRow("larger") << QSize(1000, 800) << QRect(px(3360), px(120), px(11300), px(11600)) << px(11700);
        QTest::newRow("too small is skipped") << QSize(745, 40) << design << px(8175);
    }

    void resizeFollowsTheInnerSize()
    {
        QFETCH(QSize, client);
        QFETCH(QRect, expectedList);
        QFETCH(int, expectedHintTop);
        start(false);
        QMainWindow* window = Frm_Accueil::instance().window();
        const int menuHeight = window->size().height() - window->centralWidget()->height();
        window->resize(745, 565 + menuHeight);
        QTRY_COMPARE(window->centralWidget()->size(), QSize(745, 565));
        window->resize(client.width(), client.height() + menuHeight);
        QTRY_COMPARE(window->centralWidget()->height(), client.height());
        QCOMPARE(list()->geometry(), expectedList);
        QCOMPARE(label(QStringLiteral("lbldouble"))->y(), expectedHintTop);
    }
};

CINABREL_TEST_MAIN(TestMainWindow)

#include "test_main_window.moc"
