#include "editor/Frm_New.h"
#include "quickadd/Frm_ajoutquick.h"
#include "support/CatalogueCheck.h"
#include "support/FaultyVfs.h"
#include "support/Files.h"
#include "support/MainWindow.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"
#include "ui/Form.h"
#include "ui/ListView.h"
#include "support/ScriptedPlatform.h"
#include "ui/main/Frm_Accueil.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

using testing::FaultyVfs;
namespace acc = testing::accueil;

namespace {

constexpr int kScanFiles = 60;

// What the user does, in two steps: the fault comes just before the last click.
struct Action {
    std::function<void(testing::TestProgram&, const QString& scanFolder)> prepare;
    std::function<void()> act;
    QString message;  // the start of the one message shown
};

void click(ui::Form& form, const char* name)
{
    QTest::mouseClick(testing::control<QPushButton>(form, QString::fromLatin1(name)), Qt::LeftButton);
}

void select(const char* title) { acc::clickRow(acc::rowOf(QString::fromUtf8(title))); }

QMap<QString, Action> actions()
{
    auto button = [](const char* name) {
        return [name] { QTest::mouseClick(acc::button(QString::fromLatin1(name)), Qt::LeftButton); };
    };
    return {
            {"save",
             {[](testing::TestProgram&, const QString&) {
                  select("Alien");
                  QTest::mouseClick(acc::button(QStringLiteral("Bt_Modif")), Qt::LeftButton);
                  testing::control<QLineEdit>(Frm_New::instance(), QStringLiteral("Txt_Titre"))
                          ->setText(QStringLiteral("Changé"));
              },
              [] { click(Frm_New::instance(), "Bt_Enreg"); },
              QStringLiteral("Certaines données ne sont pas valides")}},
            {"delete",
             {[](testing::TestProgram& program, const QString&) {
                  select("Alien");
                  program.platform().answers << ui::Answer::Yes;
              },
              button("Bt_Supp"), QStringLiteral("Le film n'a pas pu être supprimé")}},
            {"loan",
             {[](testing::TestProgram&, const QString&) {
                  select("Alien");
                  acc::tick(acc::checkBox(QStringLiteral("chk_pret")));
                  acc::textBox(QStringLiteral("txt_nom"))->setText(QStringLiteral("Marie"));
              },
              button("cmd_pret"), QStringLiteral("Le prêt n'a pas pu être enregistré")}},
            {"return",
             {[](testing::TestProgram& program, const QString&) {
                  select("Brazil");
                  program.platform().answers << ui::Answer::Yes;
              },
              [] { acc::tick(acc::checkBox(QStringLiteral("chk_pret"))); },
              QStringLiteral("Le retour du film n'a pas pu être enregistré")}},
            {"quick add",
             {[](testing::TestProgram& program, const QString& scanFolder) {
                  acc::menu(QStringLiteral("mnuajoutquick"));
                  program.platform().folders << scanFolder;
                  click(Frm_ajoutquick::instance(), "cmd_parcourir");
              },
              [] { click(Frm_ajoutquick::instance(), "cmd_lancer"); },
              QStringLiteral("Une erreur inattendue est survenue")}},
            {"list fill",
             {[](testing::TestProgram&, const QString&) {}, [] { acc::menu(QStringLiteral("mnulistF")); },
              QStringLiteral("Une erreur inattendue est survenue")}},
            {"search",
             {[](testing::TestProgram&, const QString&) {},
              [] { acc::textBox(QStringLiteral("txt_search"))->setText(QStringLiteral("B")); },
              QStringLiteral("La recherche n'a pas pu être faite")}},
    };
}

// The messages that tell something, the questions left out.
QStringList statements(testing::TestProgram& program)
{
    QStringList found;
    for (const auto& message : program.platform().messages) {
        if ((message.flags & 7) == 0)
            found << message.prompt;
    }
    return found;
}

enum Fault { WriteError, DiskFull, WriteErrorLater, Locked, ReadError };

}  // namespace

class TestWindowFaults : public QObject {
    Q_OBJECT
private slots:
    void oneMessageAndNothingLost_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("fault");
        const char* names[] = {"write error", "disk full", "write error after some writes",
                               "locked by another program", "read error"};
        auto row = [&](const char* action, Fault fault) {
            QTest::addRow("%s, %s", action, names[fault]) << QString::fromLatin1(action) << int(fault);
        };
        for (const char* action : {"save", "delete", "loan", "return", "quick add"}) {
            for (Fault fault : {WriteError, DiskFull, Locked})
                row(action, fault);
        }
        row("quick add", WriteErrorLater);
        row("list fill", ReadError);
        row("search", ReadError);
    }

    void oneMessageAndNothingLost()
    {
        QFETCH(QString, action);
        QFETCH(int, fault);
        FaultyVfs vfs;
        testing::TestProgram program;
        program.insert(testing::film(1, QStringLiteral("Alien")));
        testing::Film lent = testing::film(2, QStringLiteral("Brazil"));
        lent.pret = QStringLiteral("Paul");
        lent.datePret = QStringLiteral("01/12/2026");
        program.insert(lent);
        program.insert(testing::film(3, QStringLiteral("Casablanca")));
        QTemporaryDir scanFolder;
        const QStringList scanTitles =
                testing::makeVideoFiles(scanFolder.path(), QStringLiteral("Scan"), kScanFiles, 3);
        QVERIFY(!scanTitles.isEmpty());
        QVERIFY(testing::startProgram());
        const Action step = actions().value(action);
        step.prepare(program, scanFolder.path());
        const QList<QStringList> before = testing::filmRows(program.db());
        QCOMPARE(program.platform().messages.size(), 0);

        std::unique_ptr<testing::WriteLockHolder> other;
        switch (Fault(fault)) {
        case Locked:
            other = std::make_unique<testing::WriteLockHolder>(program.path(QStringLiteral("BD/Film.mdb")));
            break;
        case ReadError:
            // A change by another program: the program reads the file again, not its cache.
            program.db().execute(QStringLiteral("UPDATE film SET nom_film=nom_film WHERE code_film=1"));
            vfs.inject(FaultyVfs::Fault::ReadError);
            break;
        case WriteErrorLater:
            vfs.inject(FaultyVfs::Fault::WriteError, 20);
            break;
        default:
            vfs.inject(fault == DiskFull ? FaultyVfs::Fault::DiskFull : FaultyVfs::Fault::WriteError);
        }
        step.act();
        QVERIFY(other || vfs.refused() > 0);
        other.reset();
        vfs.clear();

        const QStringList told = statements(program);
        QCOMPARE(told.size(), 1);
        QVERIFY2(told[0].startsWith(step.message), qPrintable(told[0]));
        QVERIFY(!program.programEnded());
        auto db = store::Database::open(program.path(QStringLiteral("BD/Film.mdb")));
        QCOMPARE(testing::integrityCheck(*db), QStringLiteral("ok"));
        const QList<QStringList> after = testing::filmRows(*db);
        // A quick add keeps the films it committed before the fault: the first of the scan.
        QCOMPARE(after.mid(0, before.size()), before);
        const QList<QStringList> added = after.mid(before.size());
        QCOMPARE(added.isEmpty(), fault != WriteErrorLater);
        QVERIFY(added.size() < kScanFiles);
        for (int i = 0; i < added.size(); ++i)
            QCOMPARE(added[i].mid(0, 2), (QStringList {QString::number(4 + i), scanTitles[i]}));

        // The program goes on with the same catalogue.
        acc::menu(QStringLiteral("mnulistF"));
        QCOMPARE(acc::list()->rowCount(), after.size());
        QCOMPARE(statements(program), told);
    }
};

CINABREL_TEST_MAIN(TestWindowFaults)
#include "test_window_faults.moc"
