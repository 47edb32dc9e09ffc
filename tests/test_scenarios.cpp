#include "support/Scenario.h"
#include "support/Testing.h"

#include <cstdio>

// The scenarios of tests/data/scenarios, each on a program folder of its own.
class TestScenarios : public QObject {
    Q_OBJECT
private slots:
    void scenarios_data() { testing::addScenarios(); }
    void scenarios()
    {
        QFETCH(QStringList, script);
        testing::TestProgram program;
        testing::play(program, script);
    }

    // A misspelt name stops its scenario with a message naming it, the program left running.
    void misspeltNames_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("failure");
        QTest::newRow("control") << "do\tclick Bt_Modfi"
                                 << "no control Bt_Modfi (QWidget) in the loaded windows";
        QTest::newRow("control of a kind") << "do\ttick Bt_Modif"
                                           << "no control Bt_Modif (QCheckBox) in the loaded windows";
        QTest::newRow("window") << "do\tclose Frm_Acceuil"
                                << "no window Frm_Acceuil";
        QTest::newRow("menu") << "do\tmenu mnu_listF"
                              << "no menu mnu_listF";
        QTest::newRow("film") << "do\tselect Alein"
                              << "no film Alein in the main list";
        QTest::newRow("expected control") << "expect\ttext Txt_Titre: Alien"
                                          << "no control Txt_Titre (QWidget) in the loaded windows";
        QTest::newRow("step") << "do\tclik Bt_Modif"
                              << "no step \"clik\"; the words:";
        QTest::newRow("part") << "expect\tlsit: Alien"
                              << "no part \"lsit\"; the words:";
        QTest::newRow("line") << "expcet\tlist: Alien"
                              << "no line \"expcet\"; the words:";
    }
    void misspeltNames()
    {
        QFETCH(QString, line);
        QFETCH(QString, failure);
        testing::TestProgram program;
        const QString played =
                testing::played(program, {"films\t1 Alien", "start", line, "do\tclick Bt_Modif"});
        QCOMPARE(played.section(u'\n', 0, 1), line + "\n   " + failure);
        if (failure.endsWith(u':'))
            QVERIFY(played.endsWith(testing::scenarioWords()));
        QCOMPARE(testing::played(program, {"expect\tshown: Frm_Accueil"}), QString());
    }

    // A scenario over tables is played once for each combination of their rows.
    void rows()
    {
        QStringList names;
        for (const testing::Scenario& scenario :
             testing::scenariosOf("[a]\ndo\tx\n[{l}{n} for "
                                  "{l}]\nrows\tl\nrow\tx\nrow\ty\ndo\t{l}{n}\nrows\tn\nrow\t1\nrow\t2\n"))
            names << scenario.name + ": " + scenario.script.join(u'/');
        QCOMPARE(names,
                 QStringList({"a: do\tx", "x1 for x: do\tx1", "x2 for x: do\tx2", "y1 for y: do\ty1",
                              "y2 for y: do\ty2"}));
    }
};

int main(int argc, char* argv[])
{
    if (argc == 2 && argv[1] == std::string_view("--words")) {
        std::fputs(testing::scenarioWords().toUtf8().constData(), stdout);
        return 0;
    }
    QApplication application(argc, argv);
    ui::setUpToolkit(application);
    QApplication::setQuitOnLastWindowClosed(false);
    TestScenarios test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_scenarios.moc"
