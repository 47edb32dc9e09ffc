#include "support/Testing.h"
#include "ui/Guard.h"

using namespace testing;

class TestUserFaults : public ProgramTest {
    Q_OBJECT
private slots:
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
};

CINABREL_TEST_MAIN(TestUserFaults)
#include "test_user_faults.moc"
