#include "support/Scenario.h"
#include "support/Testing.h"

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
};

CINABREL_TEST_MAIN(TestScenarios)
#include "test_scenarios.moc"
