#include "support/Golden.h"
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
    void misspeltNames_data() { testing::addTableRows("misspelt_names.txt"); }
    void misspeltNames()
    {
        QFETCH(QStringList, fields);
        testing::TestProgram program;
        const QString played =
                testing::played(program, {"films\t1 Alien", "start", fields[0], "do\tclick Bt_Modif"});
        QCOMPARE(played.section(u'\n', 0, 1), fields[0] + "\n   " + fields[1]);
        if (fields[1].endsWith(u':'))
            QVERIFY(played.endsWith(testing::scenarioWords()));
        QCOMPARE(testing::played(program, {"expect\tshown: Frm_Accueil"}), QString());
    }

    // A scenario over tables is played once for each combination of their rows.
    void rows()
    {
        QStringList names;
        for (const testing::Scenario& scenario :
             testing::scenariosOf("[a]\ndo\tx\n"
                                  "[{l}{n} for {l}]\nrows\tl\nrow\tx\nrow\ty\n"
                                  "do\t{l}{n}\nrows\tn\nrow\t1\nrow\t2\n"))
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
