#include "support/FaultyVfs.h"
#include "support/Testing.h"

using testing::FaultyVfs;
using namespace testing;

namespace {

constexpr int kScanFiles = 60;

// What the user does, in two steps: the fault comes just before the last one.
struct Action {
    std::function<void(TestProgram&, const QString& scanFolder)> prepare;
    std::function<void()> act;
    QString message;  // the start of the one message shown
};

QMap<QString, Action> actions()
{
    const QString unexpected = QStringLiteral("Une erreur inattendue est survenue");
    return {
            {"save",
             {[](TestProgram&, const QString&) {
                  select("Alien");
                  click(accueil().Bt_Modif);
                  Frm_New::instance().controls().Txt_Titre->setText(QStringLiteral("Changé"));
              },
              [] { click(Frm_New::instance().controls().Bt_Enreg); },
              QStringLiteral("Certaines données ne sont pas valides")}},
            {"delete",
             {[](TestProgram& program, const QString&) {
                  select("Alien");
                  program.platform().answers << ui::Answer::Yes;
              },
              [] { click(accueil().Bt_Supp); }, QStringLiteral("Le film n'a pas pu être supprimé")}},
            {"loan",
             {[](TestProgram&, const QString&) {
                  select("Alien");
                  tick(accueil().chk_pret);
                  accueil().txt_nom->setText(QStringLiteral("Marie"));
              },
              [] { click(accueil().cmd_pret); }, QStringLiteral("Le prêt n'a pas pu être enregistré")}},
            {"return",
             {[](TestProgram& program, const QString&) {
                  select("Brazil");
                  program.platform().answers << ui::Answer::Yes;
              },
              [] { tick(accueil().chk_pret); },
              QStringLiteral("Le retour du film n'a pas pu être enregistré")}},
            {"quick add",
             {[](TestProgram& program, const QString& scanFolder) {
                  accueil().mnuajoutquick->trigger();
                  program.platform().folders << scanFolder;
                  click(Frm_ajoutquick::instance().controls().cmd_parcourir);
              },
              [] { click(Frm_ajoutquick::instance().controls().cmd_lancer); }, unexpected}},
            {"list fill",
             {[](TestProgram&, const QString&) {}, [] { accueil().mnulistF->trigger(); }, unexpected}},
            {"loan list",
             {[](TestProgram&, const QString&) {}, [] { accueil().mnuliste->trigger(); },
              QStringLiteral("La liste des emprunts n'a pas pu être lue")}},
            {"search",
             {[](TestProgram&, const QString&) {}, [] { accueil().txt_search->setText(QStringLiteral("B")); },
              QStringLiteral("La recherche n'a pas pu être faite")}},
    };
}

// The messages that tell something, the questions left out.
QStringList statements(TestProgram& program)
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
        row("loan list", ReadError);
        row("search", ReadError);
    }

    void oneMessageAndNothingLost()
    {
        QFETCH(QString, action);
        QFETCH(int, fault);
        FaultyVfs vfs;
        TestProgram program;
        program.insert(film(1, QStringLiteral("Alien")));
        Film lent = film(2, QStringLiteral("Brazil"));
        lent.pret = QStringLiteral("Paul");
        lent.datePret = QStringLiteral("01/12/2026");
        program.insert(lent);
        program.insert(film(3, QStringLiteral("Casablanca")));
        QTemporaryDir scanFolder;
        const QStringList scanTitles =
                makeVideoFiles(scanFolder.path(), QStringLiteral("Scan"), kScanFiles, 3);
        QVERIFY(!scanTitles.isEmpty());
        QVERIFY(startProgram());
        const Action step = actions().value(action);
        step.prepare(program, scanFolder.path());
        const QList<QStringList> before = filmRows(program.db());
        QCOMPARE(program.platform().messages.size(), 0);

        std::unique_ptr<WriteLockHolder> other;
        switch (Fault(fault)) {
        case Locked:
            other = std::make_unique<WriteLockHolder>(program.cataloguePath());
            break;
        case ReadError:
            // A change by another program: the program reads the file again, not its cache.
            program.db().execute(QStringLiteral("UPDATE film SET nom_film=nom_film WHERE code_film=1"));
            vfs.inject(FaultyVfs::Fault::ReadError);
            break;
        case WriteErrorLater:
            // Once the scan runs, past the backup that precedes it.
            program.platform().onProcessEvents = [&vfs, armed = false]() mutable {
                if (!std::exchange(armed, true))
                    vfs.inject(FaultyVfs::Fault::WriteError, 20);
            };
            break;
        default:
            vfs.inject(fault == DiskFull ? FaultyVfs::Fault::DiskFull : FaultyVfs::Fault::WriteError);
        }
        step.act();
        QVERIFY(other || vfs.refused() > 0);
        other.reset();
        vfs.clear();

        const QStringList told = statements(program);
        // A quick add first backs up the catalogue, on the same failing disk: that failure is told first.
        QStringList toldByStep = told;
        if (action == "quick add" && (fault == WriteError || fault == DiskFull))
            QVERIFY(toldByStep.takeFirst().startsWith(
                    "La sauvegarde automatique du catalogue n'a pas pu être faite"));
        QCOMPARE(toldByStep.size(), 1);
        QVERIFY2(toldByStep[0].startsWith(step.message), qPrintable(toldByStep[0]));
        QVERIFY(!program.programEnded());
        auto db = store::Database::open(program.cataloguePath());
        QCOMPARE(integrityCheck(*db), QStringLiteral("ok"));
        const QList<QStringList> after = filmRows(*db);
        // A quick add keeps the films it committed before the fault: the first of the scan.
        QCOMPARE(after.mid(0, before.size()), before);
        const QList<QStringList> added = after.mid(before.size());
        QCOMPARE(added.isEmpty(), fault != WriteErrorLater);
        QVERIFY(added.size() < kScanFiles);
        for (int i = 0; i < added.size(); ++i)
            QCOMPARE(added[i].mid(0, 2), (QStringList {QString::number(4 + i), scanTitles[i]}));

        // The program goes on with the same catalogue.
        accueil().mnulistF->trigger();
        QCOMPARE(titles().size(), after.size());
        QCOMPARE(statements(program), told);
    }
};

CINABREL_TEST_MAIN(TestWindowFaults)
#include "test_window_faults.moc"
