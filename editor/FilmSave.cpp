#include "editor/FilmSave.h"

#include "app/Connection.h"
#include "editor/Frm_New.h"
#include "store/DbError.h"
#include "store/Films.h"
#include "ui/Controls.h"
#include "ui/Platform.h"
#include "ui/main/Chargeliste.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace editor {

namespace {

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

}  // namespace

void enregistrer(Frm_New& editor)
{
    try {
        const Frm_NewControls& c = editor.controls();
        if (c.Txt_Titre->text().isEmpty()) {
            ui::msgBox(QStringLiteral("Vous devez entrer le titre du film"), ui::Icon::Information,
                       QStringLiteral("Cinabrel"));
            c.Txt_Titre->setFocus();
            return;
        }
        Connection::tiret_si_vide(c.txt_obs);
        for (QLineEdit* box : {c.txt_duree, c.txt_realisateur, c.txt_acteur, c.txt_annee})
            Connection::tiret_si_vide(box);

        store::Films films = Connection::films();
        if (Connection::nouveau_film) {
            films.add(lire_valeurs(editor));
        } else if (!films.modify(Connection::code_selection, lire_valeurs(editor))) {
            // A film deleted meanwhile would otherwise pass for saved.
            throw store::DbError(QStringLiteral("Ce film n'existe plus dans la base de donnée"));
        }
        editor.unload();
        Connection::chargeliste(store::FilmList::all());
    } catch (const std::exception&) {
        ui::msgBox(QStringLiteral("Certaines données ne sont pas valides"), ui::Icon::Critical,
                   QStringLiteral("Cinabrel"));
    }
}

}  // namespace editor
