#include "editor/FilmSave.h"

#include "app/Connection.h"
#include "editor/Frm_New.h"
#include "store/DbError.h"
#include "store/Films.h"
#include "ui/Controls.h"
#include "ui/Platform.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace editor {

namespace {

// Puts "-" into a box whose text is empty; any other text, spaces included, stays.
void tiret_si_vide(QLineEdit* box)
{
    if (box->text().isEmpty())
        box->setText(QStringLiteral("-"));
}

void tiret_si_vide(QPlainTextEdit* box)
{
    if (box->toPlainText().isEmpty())
        box->setPlainText(QStringLiteral("-"));
}

// The thirteen values as the editor's controls show them.
store::FilmDetails lire_valeurs(Frm_New& editor)
{
    const Frm_NewControls& c = editor.controls();
    store::FilmDetails film;
    film.nom_film = c.Txt_Titre->text();
    film.type_film = c.Combo1->currentText();
    film.cd_film = c.Combo2->currentText();
    const QList<QRadioButton*> options = editor.options();
    for (qsizetype option = 0; option < options.size(); ++option) {
        if (options[option]->isChecked())
            film.qualite_film = Frm_New::qualites().at(option);
    }
    film.format_film = c.Combo3->currentText();
    film.obs_Film = ui::notesText(c.txt_obs);
    film.langue_Film = c.Comb_lng->currentText();
    film.codec_Film = c.comb_video->currentText();
    film.codec_Son = c.comb_audio->currentText();
    film.duree = c.txt_duree->text();
    film.realisateur = c.txt_realisateur->text();
    film.acteur = c.txt_acteur->text();
    film.annee = c.txt_annee->text();
    return film;
}

void tellNotSaved(const QString& cause = QString())
{
    ui::msgBox(QStringLiteral("Certaines données ne sont pas valides")
                       + (cause.isEmpty() ? QString() : QStringLiteral("\r\n") + cause),
               ui::Icon::Critical, QStringLiteral("Cinabrel"));
}

}  // namespace

void tellNotSaved(const store::DbError& error)
{
    // The disk or another program is at fault: the user is told which. A value the catalogue
    // refuses, or no key left, is the user's data.
    tellNotSaved(error.outsideTheProgram() ? error.message() : QString());
}

void enregistrer(Frm_New& editor)
{
    const Frm_NewControls& c = editor.controls();
    if (c.Txt_Titre->text().isEmpty()) {
        ui::msgBox(QStringLiteral("Vous devez entrer le titre du film"), ui::Icon::Information,
                   QStringLiteral("Cinabrel"));
        c.Txt_Titre->setFocus();
        return;
    }
    tiret_si_vide(c.txt_obs);
    for (QLineEdit* box : {c.txt_duree, c.txt_realisateur, c.txt_acteur, c.txt_annee})
        tiret_si_vide(box);

    try {
        store::Films films = Connection::instance().films();
        if (editor.nouveau_film()) {
            films.add(lire_valeurs(editor));
        } else if (!films.modify(editor.code_film(), lire_valeurs(editor))) {
            // Another program deleted the film meanwhile: it would otherwise pass for saved.
            tellNotSaved(QStringLiteral("Ce film n'existe plus dans la base de donnée"));
            return;
        }
    } catch (const store::DbError& error) {
        tellNotSaved(error);
        return;
    }
    editor.unload();
    emit editor.filmSaved();
}

}  // namespace editor
