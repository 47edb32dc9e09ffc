#include "ui/main/LoanBox.h"

#include "app/Connection.h"
#include "store/DbError.h"
#include "ui/Controls.h"
#include "ui/Guard.h"
#include "ui/Platform.h"
#include "ui/Twips.h"
#include "ui/main/NameCompleter.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

using namespace ui;

namespace {

// The loan date as stored in the catalogue and shown in the loan box.
QString today() { return platform().now().toString(QStringLiteral("dd/MM/yyyy")); }

}  // namespace

LoanBox::LoanBox(QWidget* client) : QObject(client)
{
    fra_pret = makeFrame(client, QStringLiteral("fra_pret"), QStringLiteral("Pret"), 120, 6120, 3015, 1815);
    chk_pret = makeCheckBox(fra_pret, QStringLiteral("chk_pret"), QStringLiteral(" "), 240, 240, 1455, 255);
    lbl_nom = makeLabel(fra_pret, QStringLiteral("lbl_nom"), QStringLiteral("Nom"), 240, 600, 330, 195);
    txt_nom = makeTextBox(fra_pret, QStringLiteral("txt_nom"), QStringLiteral(" "), 960, 600, 1815, 285);
    txt_nom->setFont(sansSerif(8.25, true));
    nameAfter(txt_nom, lbl_nom);
    noms_ = new NameCompleter(this);
    txt_nom->setCompleter(noms_);
    lbl_date1 = makeLabel(fra_pret, QStringLiteral("lbl_date1"), QStringLiteral("Date du prêt"), 240, 1080,
                          885, 195);
    lbl_date = makeLabel(fra_pret, QStringLiteral("lbl_date"), QStringLiteral(" "), 1680, 1080, 1095, 255);
    cmd_pret = makeButton(fra_pret, QStringLiteral("cmd_pret"), QStringLiteral("Enregistrer le prêt"), 720,
                          1440, 1575, 255);
    lbl_nom->adjustSize();
    lbl_date1->adjustSize();
    for (QWidget* hidden :
         std::initializer_list<QWidget*> {chk_pret, lbl_nom, txt_nom, lbl_date1, lbl_date, cmd_pret})
        hidden->setVisible(false);

    onEvent(chk_pret, &QCheckBox::toggled, [this] { chk_pret_Click(); });
    onEvent(cmd_pret, &QPushButton::clicked, [this] { cmd_pret_Click(); });
}

void LoanBox::untickForSelection() { chk_pret->setChecked(false); }

void LoanBox::showFilm(const store::Film& film)
{
    code_ = film.code_film;
    chk_pret->setVisible(true);
    if (!film.pret_film) {
        showState(State::AtHome);
        showFields(false);
    } else {
        showState(State::Lent);
        showFields(true);
        txt_nom->setReadOnly(true);
        lbl_date->setText(film.date_pret);
        txt_nom->setText(*film.pret_film);
    }
}

void LoanBox::forget()
{
    untickQuietly();
    state_ = State::NoSelection;
    code_ = 0;
    lbl_date->setText(QStringLiteral(" "));
    txt_nom->setText(QStringLiteral(" "));
    for (QWidget* widget :
         std::initializer_list<QWidget*> {chk_pret, lbl_nom, txt_nom, lbl_date1, lbl_date, cmd_pret})
        widget->setVisible(false);
}

void LoanBox::showFields(bool shown)
{
    for (QWidget* field : std::initializer_list<QWidget*> {lbl_nom, lbl_date1, lbl_date, txt_nom})
        field->setVisible(shown);
}

// The box's caption says what ticking it does: lend a film at home, take a lent film back.
void LoanBox::showState(State state)
{
    state_ = state;
    chk_pret->setText(state == State::Lent ? QStringLiteral("Retour") : QStringLiteral("Emprunt"));
}

void LoanBox::untickQuietly()
{
    const QSignalBlocker quiet(chk_pret);
    chk_pret->setChecked(false);
}

void LoanBox::chk_pret_Click()
{
    if (state_ == State::NoSelection) {
        chk_pret->setChecked(false);
        return;
    }
    if (chk_pret->isChecked() && state_ == State::AtHome) {
        startLoan();
    } else if (chk_pret->isChecked() && state_ == State::Lent) {
        askReturn();
    } else {
        showFields(false);
        cmd_pret->setVisible(false);
    }
}

void LoanBox::startLoan()
{
    showFields(true);
    txt_nom->setReadOnly(false);
    txt_nom->clear();
    try {
        noms_->setNames(Connection::instance().prets().names());
    } catch (const store::DbError&) {
        // Without the names read, the name is typed whole.
        noms_->setNames({});
    }
    lbl_date->setText(today());
    cmd_pret->setVisible(true);
    txt_nom->setFocus();
}

void LoanBox::askReturn()
{
    if (askYesNo(QStringLiteral("Avez vous bien récupérez ce Divx?")) != Answer::Yes)
        return;
    try {
        Connection::instance().films().giveBack(code_, platform().now().date());
    } catch (const store::DbError& error) {
        // Back to the lent film as it was shown before the box was ticked.
        untickQuietly();
        msgBox(QStringLiteral("Le retour du film n'a pas pu être enregistré :\r\n") + error.message(),
               Icon::Exclamation);
        return;
    }
    showFields(false);
    cmd_pret->setVisible(false);
    untickQuietly();
    showState(State::AtHome);
    emit returned();
}

void LoanBox::cmd_pret_Click()
{
    const QString name = txt_nom->text();
    if (name.trimmed().isEmpty()) {
        msgBox(QStringLiteral("Vous devez entrer le nom de l'emprunteur"), Icon::Information);
        txt_nom->setFocus();
        return;
    }
    const QString date = today();
    try {
        Connection::instance().films().lend(code_, name, date);
    } catch (const store::DbError& error) {
        msgBox(QStringLiteral("Le prêt n'a pas pu être enregistré :\r\n") + error.message(),
               Icon::Exclamation);
        return;
    }
    // The film is now lent: the box shows it as any lent film, so it is taken back before it is lent again.
    txt_nom->setReadOnly(true);
    lbl_date->setText(date);
    cmd_pret->setVisible(false);
    untickQuietly();
    showState(State::Lent);
    emit lent();
}
