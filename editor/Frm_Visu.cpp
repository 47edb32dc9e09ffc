#include "editor/Frm_Visu.h"

#include "app/Connection.h"
#include "store/Films.h"
#include "ui/Controls.h"
#include "ui/Guard.h"
#include "ui/Platform.h"
#include "ui/Twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace ui;

Frm_Visu& Frm_Visu::instance()
{
    static Frm_Visu form;
    return form;
}

Frm_Visu::Frm_Visu() : TypedForm(QStringLiteral("Frm_Visu")) { }

void Frm_Visu::build(QMainWindow* window, QWidget* client)
{
    Frm_VisuControls& c = controls_;
    window->setWindowTitle(QStringLiteral("Cinabrel - Info Film"));
    fillBackground(client, formBlue());

    QFont titleFont = sansSerif(12, true);
    titleFont.setUnderline(true);
    c.lbl_film = makeLabel(client, QStringLiteral("lbl_film"), QString(), 3960, 180, 0, 300);
    c.lbl_film->setFont(titleFont);

    c.fra_info = makeFrame(client, QStringLiteral("fra_info"), QStringLiteral("Info"), 120, 720, 4815, 1455);
    c.fra_info1 =
            makeFrame(client, QStringLiteral("fra_info1"), QStringLiteral("Info +"), 5040, 720, 4695, 1455);
    fillBackground(c.fra_info, formBlue());
    fillBackground(c.fra_info1, formBlue());

    // A caption in bold, sized to its text, and the label that shows the film's value beside it.
    auto line = [](QGroupBox* frame, QLabel*& caption, const char* captionName, const char* text,
                   int captionLeft, QLabel*& value, const char* valueName, int valueLeft, int top,
                   int valueWidth) {
        caption = makeLabel(frame, QString::fromLatin1(captionName), QString::fromUtf8(text), captionLeft,
                            top, 0, 195);
        caption->setFont(sansSerif(8.25, true));
        caption->adjustSize();
        value = makeLabel(frame, QString::fromLatin1(valueName), QString(), valueLeft, top, valueWidth, 255);
    };
    line(c.fra_info, c.Label14, "Label14", "Réalisateur", 120, c.lblrealisateur, "lblrealisateur", 1200, 240,
         3495);
    line(c.fra_info, c.Label18, "Label18", "Acteur(s)", 120, c.lblacteur, "lblacteur", 1200, 600, 3495);
    line(c.fra_info, c.Label8, "Label8", "Année", 120, c.lblannee, "lblannee", 1200, 960, 975);
    line(c.fra_info, c.Label16, "Label16", "Durée", 2520, c.lblduree, "lblduree", 3480, 960, 1095);
    line(c.fra_info1, c.Label4, "Label4", "Langage:", 120, c.lbl_langue, "lbl_langue", 1320, 240, 1095);
    line(c.fra_info1, c.Label5, "Label5", "Codec:", 2520, c.lbl_codec, "lbl_codec", 3480, 240, 1095);
    line(c.fra_info1, c.Label1, "Label1", "Qualité:", 120, c.lbl_qual, "lbl_qual", 1320, 600, 1095);
    line(c.fra_info1, c.Label3, "Label3", "Son:", 2520, c.lbl_son, "lbl_son", 3480, 600, 1095);
    line(c.fra_info1, c.Label6, "Label6", "Genre:", 120, c.lbl_genre, "lbl_genre", 1320, 960, 1095);
    line(c.fra_info1, c.Label2, "Label2", "Nbr CD: ", 2520, c.lbl_nbr, "lbl_nbr", 3480, 960, 1095);

    // The notes can be read, scrolled and selected, never typed over.
    c.txt_obs = makeNotesBox(client, QStringLiteral("txt_obs"), 120, 2280, 9615, 3495);
    c.txt_obs->setReadOnly(true);
    c.txt_obs->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    c.txt_obs->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // No caption stands beside the notes: they take the one the editor gives them.
    c.txt_obs->setAccessibleName(QStringLiteral("Synopsis / Observation"));

    c.Command1 =
            makeButton(client, QStringLiteral("Command1"), QStringLiteral("Retour"), 3960, 5880, 1695, 375);
    onEvent(c.Command1, &QPushButton::clicked, [this] { unload(); });
    // Beside "Retour", on the right edge of the notes.
    c.cmd_historique = makeButton(client, QStringLiteral("cmd_historique"),
                                  QStringLiteral("Historique des prêts"), 8040, 5880, 1695, 375);
    onEvent(c.cmd_historique, &QPushButton::clicked, [this] { emit loanHistoryRequested(code_film_); });
}

void Frm_Visu::onLoad() { remplir(); }

void Frm_Visu::remplir()
{
    const std::optional<store::Film> found = Connection::instance().films().find(code_film_);
    trouve_ = found.has_value();
    const store::Film film = found.value_or(store::Film {});
    const Frm_VisuControls& c = controls();
    c.lblrealisateur->setText(film.realisateur);
    c.lblacteur->setText(film.acteur);
    c.lblannee->setText(film.annee);
    c.lblduree->setText(film.duree);
    c.lbl_film->setText(film.nom_film);
    c.lbl_film->adjustSize();
    c.lbl_qual->setText(film.qualite_film);
    c.lbl_genre->setText(film.type_film);
    c.lbl_langue->setText(film.langue_Film);
    c.lbl_nbr->setText(film.cd_film);
    c.lbl_codec->setText(film.codec_Film);
    c.lbl_son->setText(film.codec_Son);
    c.txt_obs->setPlainText(film.obs_Film);
}

void Frm_Visu::montrer(qint16 code)
{
    code_film_ = code;
    if (isLoaded())
        remplir();
    else
        load();
    if (!trouve_) {
        msgBox(QStringLiteral("Ce film n'existe plus dans la base de donnée"), Icon::Exclamation);
        unload();
        return;
    }
    show();
}
