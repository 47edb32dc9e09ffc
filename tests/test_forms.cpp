#include "support/TestMain.h"
#include "support/TestProgram.h"
#include "ui/Form.h"
#include "ui/Guard.h"
#include "ui/ScriptedPlatform.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// A small window of the tests' own: counts its loads and keeps a variable across unloads.
class SampleForm : public ui::Form {
public:
    SampleForm() : Form(QStringLiteral("SampleForm")) {}
    int loads = 0;
    int unloads = 0;
    int queries = 0;
    bool mayUnload = true;
    QString remembered;

protected:
    void build(QMainWindow*, QWidget* client) override
    {
        auto* box = new QLineEdit(client);
        box->setObjectName(QStringLiteral("txt_box"));
        auto* button = new QPushButton(QStringLiteral("Casse"), client);
        button->setObjectName(QStringLiteral("cmd_fail"));
        ui::onEvent(button, &QPushButton::clicked, [] { throw std::runtime_error("le disque est plein"); });
    }
    QSize designSize() const override { return {3000, 1500}; }
    void onLoad() override { ++loads; }
    void onUnload() override { ++unloads; }
    bool queryUnload() override
    {
        ++queries;
        return mayUnload;
    }
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
        form.control<QLineEdit>(QStringLiteral("txt_box"))->setText(QStringLiteral("tapé"));
        QVERIFY(form.isLoaded());
        QCOMPARE(form.loads, 1);
        form.remembered = QStringLiteral("gardé");
        form.unload();
        QVERIFY(!form.isLoaded());
        QCOMPARE(form.unloads, 1);
        QCOMPARE(form.remembered, QStringLiteral("gardé"));
        QCOMPARE(form.control<QLineEdit>(QStringLiteral("txt_box"))->text(), QString());
        QCOMPARE(form.loads, 2);
    }

    void lastUnloadEndsTheProgram()
    {
        testing::TestProgram program;
        SampleForm first;
        SampleForm second;
        first.show();
        second.show();
        QVERIFY(first.isVisible());
        first.unload();
        QVERIFY(!program.programEnded());
        second.hide();
        QVERIFY(!program.programEnded());
        second.window()->close();
        QVERIFY(!second.isLoaded());
        QVERIFY(program.programEnded());
    }

    void standardButtonsSpeakFrench()
    {
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Oui"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&No"), QStringLiteral("&Non"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annuler"));
    }

    void refusedUnloadKeepsTheWindowOpen()
    {
        testing::TestProgram program;
        SampleForm form;
        form.show();
        form.mayUnload = false;
        QVERIFY(!form.window()->close());
        QVERIFY(!form.requestUnload());
        QCOMPARE(form.queries, 2);
        QVERIFY(form.isVisible());
        QCOMPARE(form.unloads, 0);

        form.mayUnload = true;
        QVERIFY(form.window()->close());
        QCOMPARE(form.queries, 3);
        QVERIFY(!form.isLoaded());
        QCOMPARE(form.unloads, 1);
        QVERIFY(program.programEnded());
    }

    void unloadByTheProgramDoesNotAsk()
    {
        testing::TestProgram program;
        SampleForm form;
        form.show();
        form.mayUnload = false;
        form.unload();
        QVERIFY(!form.isLoaded());
        QCOMPARE(form.queries, 0);
        QCOMPARE(form.unloads, 1);
    }

    void failingHandlerIsReportedAndTheProgramGoesOn()
    {
        testing::TestProgram program;
        SampleForm form;
        form.show();
        QTest::mouseClick(form.control<QPushButton>(QStringLiteral("cmd_fail")), Qt::LeftButton);
        QCOMPARE(program.platform().messages.size(), 1);
        const auto message = program.platform().messages.first();
        QCOMPARE(message.prompt, QStringLiteral("Une erreur inattendue est survenue :\r\nle disque est plein"));
        QCOMPARE(message.flags, 16);
        QCOMPARE(message.title, QStringLiteral("Cinabrel"));
        QVERIFY(form.isLoaded());
        QVERIFY(!program.programEnded());
    }
};

CINABREL_TEST_MAIN(TestForms)

#include "test_forms.moc"
