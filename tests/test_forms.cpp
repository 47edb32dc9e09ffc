#include "support/Testing.h"
#include "ui/Form.h"
#include "ui/Guard.h"

namespace {

struct SampleControls {
    QLineEdit* txt_box = nullptr;
    QPushButton* cmd_fail = nullptr;
};

// A small window of the tests' own: counts its loads, unloads and the questions before unloading.
class SampleForm : public ui::TypedForm<SampleControls> {
public:
    SampleForm() : TypedForm(QStringLiteral("SampleForm")) { }
    int loads = 0, unloads = 0, queries = 0;
    bool mayUnload = true;
    QString remembered;
    QLineEdit* box() { return controls().txt_box; }

protected:
    void build(QMainWindow*, QWidget* client) override
    {
        controls_.txt_box = new QLineEdit(client);
        controls_.cmd_fail = new QPushButton("Casse", client);
        controls_.cmd_fail->setObjectName("cmd_fail");
        ui::onEvent(controls_.cmd_fail, &QPushButton::clicked,
                    [] { throw std::runtime_error("le disque est plein"); });
    }
    QSize designSize() const override { return {3000, 1500}; }
    void onLoad() override { ++loads; }
    void onUnload() override { ++unloads; }
    bool queryUnload() override { return ++queries, mayUnload; }
};

}  // namespace

class TestForms : public QObject {
    Q_OBJECT
private slots:
    void unloadKeepsVariablesAndNextReferenceLoadsAfresh()
    {
        testing::TestProgram program;
        SampleForm form;
        QVERIFY(!form.isLoaded());
        form.box()->setText("tapé");
        QVERIFY(form.isLoaded());
        form.remembered = "gardé";
        form.show();
        form.mayUnload = false;
        // The program unloads without asking.
        form.unload();
        QVERIFY(!form.isLoaded());
        QCOMPARE(form.remembered, QStringLiteral("gardé"));
        QCOMPARE(form.box()->text(), QString());
        QCOMPARE(QList<int>({form.loads, form.unloads, form.queries}), QList<int>({2, 1, 0}));
    }

    void refusedUnloadKeepsTheWindowOpenAndTheLastUnloadEndsTheProgram()
    {
        testing::TestProgram program;
        SampleForm form, other;
        form.show();
        other.show();
        form.mayUnload = false;
        QVERIFY(!form.window()->close());
        QVERIFY(!form.requestUnload());
        QVERIFY(form.isVisible());
        QCOMPARE(QList<int>({form.queries, form.unloads}), QList<int>({2, 0}));
        form.mayUnload = true;
        QVERIFY(form.window()->close());
        QVERIFY(!form.isLoaded());
        QCOMPARE(QList<int>({form.queries, form.unloads}), QList<int>({3, 1}));
        QVERIFY(!program.programEnded());
        other.hide();
        QVERIFY(!program.programEnded());
        other.window()->close();
        QVERIFY(!other.isLoaded() && program.programEnded());
    }

    void standardButtonsSpeakFrench()
    {
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Oui"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&No"), QStringLiteral("&Non"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annuler"));
    }

    void failingHandlerIsReportedAndTheProgramGoesOn()
    {
        testing::TestProgram program;
        SampleForm form;
        form.show();
        QTest::mouseClick(testing::control<QPushButton>(form, "cmd_fail"), Qt::LeftButton);
        QCOMPARE(program.messages(),
                 QStringList {"16|Cinabrel|Une erreur inattendue est survenue :\r\nle disque est plein"});
        QVERIFY(form.isLoaded() && !program.programEnded());
    }
};

CINABREL_TEST_MAIN(TestForms)

#include "test_forms.moc"
