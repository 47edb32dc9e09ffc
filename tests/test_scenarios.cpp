#include "support/Scenario.h"
#include "support/Testing.h"

// The scenarios of tests/data/scenarios, each on a program folder of its own.
class TestScenarios : public testing::ProgramTest {
    Q_OBJECT
private slots:
    void scenarios_data() { testing::addScenarios(); }
    void scenarios()
    {
        QFETCH(QStringList, script);
        testing::play(start({}, false), script);
    }
};

CINABREL_TEST_MAIN(TestScenarios)
#include "test_scenarios.moc"
