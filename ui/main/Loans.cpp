#include "app/Connection.h"
#include "store/DbError.h"
#include "store/Films.h"
#include "ui/Guard.h"
#include "ui/ListView.h"
#include "ui/Platform.h"
#include "ui/main/Chargeliste.h"
#include "ui/main/Frm_Accueil.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

using namespace ui;

namespace {

// The loan date as stored in the catalogue and shown in the loan box.
QString today() { return platform().now().toString(QStringLiteral("dd/MM/yyyy")); }

}  // namespace

void Frm_Accueil::connectLoans()
{
    const Frm_AccueilControls& c = controls_;
    onEvent(c.chk_pret, &QCheckBox::toggled, [this] { chk_pret_Click(); });
    onEvent(c.cmd_pret, &QPushButton::clicked, [this] { cmd_pret_Click(); });
    onEvent(c.mnuliste, &QAction::triggered, [this] { mnuliste_Click(); });
}

void Frm_Accueil::showLoanFields(bool shown)
{
    const Frm_AccueilControls& c = controls();
    for (QWidget* field : std::initializer_list<QWidget*> {c.lbl_nom, c.lbl_date1, c.lbl_date, c.txt_nom})
        field->setVisible(shown);
}

// The box's caption says what ticking it does: lend a film at home, take a lent film back.
void Frm_Accueil::showLoanBox(LoanBox state)
{
    loanBox_ = state;
    controls().chk_pret->setText(state == LoanBox::Lent ? QStringLiteral("Retour")
                                                        : QStringLiteral("Emprunt"));
}

void Frm_Accueil::chk_pret_Click()
{
    QCheckBox* chk_pret = controls().chk_pret;
    if (loanBox_ == LoanBox::NoSelection) {
        chk_pret->setChecked(false);
        return;
    }
    if (chk_pret->isChecked() && loanBox_ == LoanBox::AtHome) {
        startLoan();
    } else if (chk_pret->isChecked() && loanBox_ == LoanBox::Lent) {
        askReturn();
    } else {
        showLoanFields(false);
        controls().cmd_pret->setVisible(false);
    }
}

void Frm_Accueil::startLoan()
{
    const Frm_AccueilControls& c = controls();
    showLoanFields(true);
    c.txt_nom->setReadOnly(false);
    c.txt_nom->clear();
    c.lbl_date->setText(today());
    c.cmd_pret->setVisible(true);
    c.txt_nom->setFocus();
}

void Frm_Accueil::askReturn()
{
    if (askYesNo(QStringLiteral("Avez vous bien récupérez ce Divx?")) != Answer::Yes)
        return;
    const Frm_AccueilControls& c = controls();
    try {
        Connection::films().giveBack(Connection::code_selection);
    } catch (const store::DbError& error) {
        // Back to the lent film as it was shown before the box was ticked.
        const QSignalBlocker quiet(c.chk_pret);
        c.chk_pret->setChecked(false);
        msgBox(QStringLiteral("Le retour du film n'a pas pu être enregistré :\r\n") + error.message(),
               Icon::Exclamation);
        return;
    }
    showLoanFields(false);
    c.cmd_pret->setVisible(false);
    {
        const QSignalBlocker quiet(c.chk_pret);
        c.chk_pret->setChecked(false);
    }
    showLoanBox(LoanBox::AtHome);
    Connection::actualiser_compteurs();
}

void Frm_Accueil::cmd_pret_Click()
{
    const Frm_AccueilControls& c = controls();
    const QString name = c.txt_nom->text();
    if (name.trimmed().isEmpty()) {
        msgBox(QStringLiteral("Vous devez entrer le nom de l'emprunteur"), Icon::Information);
        c.txt_nom->setFocus();
        return;
    }
    const QString date = today();
    try {
        Connection::films().lend(Connection::code_selection, name, date);
    } catch (const store::DbError& error) {
        msgBox(QStringLiteral("Le prêt n'a pas pu être enregistré :\r\n") + error.message(),
               Icon::Exclamation);
        return;
    }

    // The film is now lent: the box shows it as any lent film, so it is taken back before it is lent again.
    c.txt_nom->setReadOnly(true);
    c.lbl_date->setText(date);
    c.cmd_pret->setVisible(false);
    {
        const QSignalBlocker quiet(c.chk_pret);
        c.chk_pret->setChecked(false);
    }
    showLoanBox(LoanBox::Lent);
    c.List->setFocus();
    Connection::actualiser_compteurs();
}

void Frm_Accueil::mnuliste_Click()
{
    QList<ListRow> rows;
    try {
        rows = Connection::films().lentFilms();
    } catch (const store::DbError& error) {
        msgBox(QStringLiteral("La liste des emprunts n'a pas pu être lue :\r\n") + error.message(),
               Icon::Exclamation);
        return;
    }
    // Emptying the search box runs the search; the loan layout and rows replace what it loaded.
    controls().txt_search->clear();
    iniliste(ListLayout::Loans);
    controls().List->setRows(std::move(rows));
}
