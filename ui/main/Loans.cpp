#include "app/Connection.h"
#include "store/DbError.h"
#include "store/Dialect.h"
#include "ui/Guard.h"
#include "ui/ListView.h"
#include "ui/Platform.h"
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

// Runs both return statements as one change: the catalogue never keeps a borrower without a date.
void recordReturn(const QString& code)
{
    store::Database& cnx = Connection::connection();
    store::Recordset& rs = Connection::rs;
    cnx.execute(QStringLiteral("BEGIN"));
    try {
        rs = store::Recordset();
        rs.open(QStringLiteral("UPDATE film SET pret_film=NULL WHERE code_film = ") + code, cnx, -1, -1, -1);
        rs = store::Recordset();
        rs.open(QStringLiteral("UPDATE film SET date_pret=NULL WHERE code_film = ") + code, cnx, -1, -1, -1);
        cnx.execute(QStringLiteral("COMMIT"));
    } catch (const store::DbError&) {
        try {
            cnx.execute(QStringLiteral("ROLLBACK"));
        } catch (const store::DbError&) {
            // The engine already rolled back on its own.
        }
        throw;
    }
}

}  // namespace

void Frm_Accueil::connectLoans()
{
    onEvent(control<QCheckBox>(QStringLiteral("chk_pret")), &QCheckBox::toggled,
            [this] { chk_pret_Click(); });
    onEvent(control<QPushButton>(QStringLiteral("cmd_pret")), &QPushButton::clicked,
            [this] { cmd_pret_Click(); });
    onEvent(window()->findChild<QAction*>(QStringLiteral("mnuliste")), &QAction::triggered,
            [this] { mnuliste_Click(); });
}

void Frm_Accueil::showLoanFields(bool shown)
{
    for (const char* name : {"lbl_nom", "lbl_date1", "lbl_date", "txt_nom"})
        control<QWidget>(QString::fromLatin1(name))->setVisible(shown);
}

// The check box's tag tells the state of the selected film: "" none selected, "0" at home, "1" lent.
void Frm_Accueil::chk_pret_Click()
{
    auto* chk_pret = control<QCheckBox>(QStringLiteral("chk_pret"));
    const QString tag = chk_pret->property("Tag").toString();
    if (tag.isEmpty()) {
        chk_pret->setChecked(false);
        return;
    }
    if (chk_pret->isChecked() && tag == QStringLiteral("0")) {
        startLoan();
    } else if (chk_pret->isChecked() && tag == QStringLiteral("1")) {
        askReturn();
    } else {
        showLoanFields(false);
        control<QPushButton>(QStringLiteral("cmd_pret"))->setVisible(false);
    }
}

void Frm_Accueil::startLoan()
{
    showLoanFields(true);
    auto* txt_nom = control<QLineEdit>(QStringLiteral("txt_nom"));
    txt_nom->setReadOnly(false);
    txt_nom->clear();
    control<QLabel>(QStringLiteral("lbl_date"))->setText(today());
    control<QPushButton>(QStringLiteral("cmd_pret"))->setVisible(true);
    txt_nom->setFocus();
}

void Frm_Accueil::askReturn()
{
    if (msgBox(QStringLiteral("Avez vous bien récupérez ce Divx?"), mb::YesNo) != mb::Yes)
        return;
    auto* chk_pret = control<QCheckBox>(QStringLiteral("chk_pret"));
    try {
        recordReturn(QString::number(Connection::code_selection));
    } catch (const store::DbError& error) {
        // Back to the lent film as it was shown before the box was ticked.
        const QSignalBlocker quiet(chk_pret);
        chk_pret->setChecked(false);
        msgBox(QStringLiteral("Le retour du film n'a pas pu être enregistré :\r\n") + error.message(),
               mb::Exclamation);
        return;
    }
    showLoanFields(false);
    control<QPushButton>(QStringLiteral("cmd_pret"))->setVisible(false);
    chk_pret->setChecked(false);
    chk_pret->setText(QStringLiteral("Emprunt"));
    chk_pret->setProperty("Tag", QStringLiteral("0"));
    Connection::actualiser_compteurs();
}

void Frm_Accueil::cmd_pret_Click()
{
    auto* txt_nom = control<QLineEdit>(QStringLiteral("txt_nom"));
    const QString name = txt_nom->text();
    if (name.trimmed().isEmpty()) {
        msgBox(QStringLiteral("Vous devez entrer le nom de l'emprunteur"), mb::Information);
        txt_nom->setFocus();
        return;
    }
    const QString date = today();
    Connection::requete = QStringLiteral("UPDATE film SET pret_film=") + store::quotedText(name)
            + QStringLiteral(", date_pret=") + store::quotedText(date)
            + QStringLiteral("  WHERE code_film = ") + QString::number(Connection::code_selection);
    try {
        Connection::rs = store::Recordset();
        Connection::rs.open(Connection::requete, Connection::connection(), -1, -1, -1);
    } catch (const store::DbError& error) {
        msgBox(QStringLiteral("Le prêt n'a pas pu être enregistré :\r\n") + error.message(), mb::Exclamation);
        return;
    }

    // The film is now lent: the box shows it as any lent film, so it is taken back before it is lent again.
    txt_nom->setReadOnly(true);
    control<QLabel>(QStringLiteral("lbl_date"))->setText(date);
    control<QPushButton>(QStringLiteral("cmd_pret"))->setVisible(false);
    auto* chk_pret = control<QCheckBox>(QStringLiteral("chk_pret"));
    {
        const QSignalBlocker quiet(chk_pret);
        chk_pret->setChecked(false);
    }
    chk_pret->setText(QStringLiteral("Retour"));
    chk_pret->setProperty("Tag", QStringLiteral("1"));
    List()->setFocus();
    Connection::actualiser_compteurs();
}

void Frm_Accueil::mnuliste_Click()
{
    const QString loans = QStringLiteral("SELECT code_film, nom_film, pret_film, date_pret FROM Film WHERE "
                                         "pret_film <>'' ORDER BY nom_film");
    QList<ListRow> rows;
    try {
        store::Recordset& rs = Connection::rs;
        rs = store::Recordset();
        rs.open(loans, Connection::connection(), -1, -1, -1);
        while (!rs.eof()) {
            rows.append(ListRow {rs.text(QStringLiteral("nom_film")), rs.text(QStringLiteral("pret_film")),
                                 rs.text(QStringLiteral("date_pret")), rs.text(QStringLiteral("code_film"))});
            rs.moveNext();
        }
    } catch (const store::DbError& error) {
        msgBox(QStringLiteral("La liste des emprunts n'a pas pu être lue :\r\n") + error.message(),
               mb::Exclamation);
        return;
    }
    // Emptying the search box runs the search; the loan layout and rows replace what it loaded.
    control<QLineEdit>(QStringLiteral("txt_search"))->clear();
    Connection::requete = loans;
    iniliste(0);
    List()->setRows(std::move(rows));
}
