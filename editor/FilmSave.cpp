#include "editor/FilmSave.h"

#include "app/Connection.h"
#include "editor/Frm_New.h"
#include "store/DbError.h"
#include "store/Dialect.h"
#include "ui/Platform.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTextDocument>
#include <limits>

namespace editor {

namespace {

QString q(const QString& value) { return store::quotedText(value); }

FilmValues lire_valeurs(Frm_New& editor)
{
    auto box = [&](const char* name) { return editor.control<QLineEdit>(QString::fromLatin1(name))->text(); };
    auto choice = [&](const char* name) {
        return editor.control<QComboBox>(QString::fromLatin1(name))->currentText();
    };
    FilmValues film;
    film.titre = box("Txt_Titre");
    film.genre = choice("Combo1");
    film.cd = choice("Combo2");
    for (int option = 1; option <= Frm_New::qualites().size(); ++option) {
        if (editor.control<QRadioButton>(QStringLiteral("Option%1").arg(option))->isChecked())
            film.qualite = Frm_New::qualites().at(option - 1);
    }
    film.format = choice("Combo3");
    // The raw text, as toPlainText() would turn a no-break space into a plain one.
    film.obs = editor.control<QPlainTextEdit>(QStringLiteral("txt_obs"))
                       ->document()
                       ->toRawText()
                       .replace(QChar::ParagraphSeparator, u'\n');
    film.langue = choice("Comb_lng");
    film.codec_video = choice("comb_video");
    film.codec_son = choice("comb_audio");
    film.duree = box("txt_duree");
    film.realisateur = box("txt_realisateur");
    film.acteur = box("txt_acteur");
    film.annee = box("txt_annee");
    return film;
}

qint16 nouvelle_cle()
{
    store::Recordset& rs = Connection::rs;
    rs = store::Recordset();
    rs.open(QStringLiteral("select max(code_film) as nouv from film"), Connection::connection());
    const bool empty = rs.isNull(QStringLiteral("nouv"));
    const qint64 next = empty ? 1 : rs.value(QStringLiteral("nouv")).toLongLong() + 1;
    rs.close();
    if (next > std::numeric_limits<qint16>::max())
        throw store::DbError(QStringLiteral("Le catalogue n'a plus de numéro libre pour un nouveau film."));
    return qint16(next);
}

}  // namespace

QString requeteModification(const FilmValues& film, qint16 code)
{
    return QStringLiteral("UPDATE film SET nom_film=") + q(film.titre) + QStringLiteral(", type_film = ")
            + q(film.genre) + QStringLiteral(",cd_film=") + q(film.cd) + QStringLiteral(", qualite_film=")
            + q(film.qualite) + QStringLiteral(",format_film=") + q(film.format)
            + QStringLiteral(", obs_Film=") + q(film.obs) + QStringLiteral(",langue_Film=") + q(film.langue)
            + QStringLiteral(", codec_Film=") + q(film.codec_video) + QStringLiteral(",codec_Son=")
            + q(film.codec_son) + QStringLiteral(", duree=") + q(film.duree) + QStringLiteral(",realisateur=")
            + q(film.realisateur) + QStringLiteral(", acteur=") + q(film.acteur) + QStringLiteral(",annee=")
            + q(film.annee) + QStringLiteral(" WHERE code_film=") + QString::number(code);
}

QString requeteAjout(const FilmValues& film, qint16 code)
{
    const QStringList values = {film.titre,       film.genre,  film.cd,          film.qualite,   film.format,
                                film.obs,         film.langue, film.codec_video, film.codec_son, film.duree,
                                film.realisateur, film.acteur, film.annee};
    QString statement =
            QStringLiteral("INSERT INTO film (code_film,nom_film,type_film,cd_film,qualite_film, "
                           "format_film,obs_Film,"
                           "langue_Film,codec_Film,codec_Son,duree,realisateur, acteur,annee) VALUES (")
            + QString::number(code);
    for (const QString& value : values)
        statement += u',' + q(value);
    return statement + u')';
}

void enregistrer(Frm_New& editor)
{
    try {
        auto* titre = editor.control<QLineEdit>(QStringLiteral("Txt_Titre"));
        if (titre->text().isEmpty()) {
            ui::msgBox(QStringLiteral("Vous devez entrer le titre du film"), ui::mb::Information,
                       QStringLiteral("Cinabrel"));
            titre->setFocus();
            return;
        }
        Connection::tiret_si_vide(editor.control<QPlainTextEdit>(QStringLiteral("txt_obs")));
        for (const char* name : {"txt_duree", "txt_realisateur", "txt_acteur", "txt_annee"})
            Connection::tiret_si_vide(editor.control<QLineEdit>(QString::fromLatin1(name)));

        if (!Connection::nouveau_film) {
            Connection::requete = requeteModification(lire_valeurs(editor), Connection::code_selection);
            // A film deleted meanwhile would otherwise pass for saved.
            if (Connection::connection().execute(Connection::requete) == 0)
                throw store::DbError(QStringLiteral("Ce film n'existe plus dans la base de donnée"));
        } else {
            const qint16 code = nouvelle_cle();
            Connection::requete = requeteAjout(lire_valeurs(editor), code);
            Connection::connection().execute(Connection::requete);
        }
        Connection::requete.clear();
        editor.unload();
        Connection::chargeliste(QStringLiteral("select * from film order by nom_film"));
    } catch (const std::exception&) {
        ui::msgBox(QStringLiteral("Certaines données ne sont pas valides"), ui::mb::Critical,
                   QStringLiteral("Cinabrel"));
    }
}

}  // namespace editor
