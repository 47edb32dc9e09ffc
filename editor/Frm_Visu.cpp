#include "editor/Frm_Visu.h"

#include "app/Connection.h"
#include "ui/Controls.h"
#include "ui/Guard.h"
#include "ui/Platform.h"
#include "ui/Twips.h"
#include "ui/main/Frm_Accueil.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace ui;

namespace {

struct Line {
    int frame;  // 0 "Info", 1 "Info +"
    const char* captionName;
    const char* caption;
    int captionLeft;
    const char* valueName;
    int valueLeft;
    int top;
    int valueWidth;
    const char* column;
};

const Line kLines[] = {
        {0, "Label14", "Réalisateur", 120, "lblrealisateur", 1200, 240, 3495, "realisateur"},
        {0, "Label18", "Acteur(s)", 120, "lblacteur", 1200, 600, 3495, "acteur"},
        {0, "Label8", "Année", 120, "lblannee", 1200, 960, 975, "annee"},
        {0, "Label16", "Durée", 2520, "lblduree", 3480, 960, 1095, "duree"},
        {1, "Label4", "Langage:", 120, "lbl_langue", 1320, 240, 1095, "langue_Film"},
        {1, "Label5", "Codec:", 2520, "lbl_codec", 3480, 240, 1095, "codec_Film"},
        {1, "Label1", "Qualité:", 120, "lbl_qual", 1320, 600, 1095, "qualite_film"},
        {1, "Label3", "Son:", 2520, "lbl_son", 3480, 600, 1095, "codec_Son"},
        {1, "Label6", "Genre:", 120, "lbl_genre", 1320, 960, 1095, "type_film"},
        {1, "Label2", "Nbr CD: ", 2520, "lbl_nbr", 3480, 960, 1095, "cd_film"},
};

}  // namespace

Frm_Visu& Frm_Visu::instance()
{
    static Frm_Visu form;
    return form;
}

Frm_Visu::Frm_Visu() : Form(QStringLiteral("Frm_Visu")) { }

void Frm_Visu::build(QMainWindow* window, QWidget* client)
{
    window->setWindowTitle(QStringLiteral("Cinabrel - Info Film"));
    fillBackground(client, formBlue());

    QFont titleFont = sansSerif(12, true);
    titleFont.setUnderline(true);
    makeLabel(client, QStringLiteral("lbl_film"), QString(), 3960, 180, 0, 300)->setFont(titleFont);

    QGroupBox* frames[] = {
            makeFrame(client, QStringLiteral("fra_info"), QStringLiteral("Info"), 120, 720, 4815, 1455),
            makeFrame(client, QStringLiteral("fra_info1"), QStringLiteral("Info +"), 5040, 720, 4695, 1455),
    };
    const QFont bold = sansSerif(8.25, true);
    for (QGroupBox* frame : frames)
        fillBackground(frame, formBlue());
    for (const Line& line : kLines) {
        QLabel* caption = makeLabel(frames[line.frame], QString::fromLatin1(line.captionName),
                                    QString::fromUtf8(line.caption), line.captionLeft, line.top, 0, 195);
        caption->setFont(bold);
        caption->adjustSize();
        makeLabel(frames[line.frame], QString::fromLatin1(line.valueName), QString(), line.valueLeft,
                  line.top, line.valueWidth, 255)
                ->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

    // The notes can be read, scrolled and selected, never typed over.
    auto* txt_obs = new QPlainTextEdit(client);
    txt_obs->setObjectName(QStringLiteral("txt_obs"));
    place(txt_obs, 120, 2280, 9615, 3495);
    txt_obs->setFont(arial(9.75));
    txt_obs->setReadOnly(true);
    txt_obs->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    txt_obs->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txt_obs->setTabChangesFocus(true);
    QPalette palette = txt_obs->palette();
    palette.setColor(QPalette::Base, Qt::white);
    txt_obs->setPalette(palette);

    auto* command1 =
            makeButton(client, QStringLiteral("Command1"), QStringLiteral("Retour"), 3960, 5880, 1695, 375);
    onEvent(command1, &QPushButton::clicked, [this] { unload(); });
}

void Frm_Visu::onLoad() { remplir(); }

void Frm_Visu::remplir()
{
    store::Recordset& rs = Connection::rs;
    rs = store::Recordset();
    rs.open(QStringLiteral("select * from film where code_film=")
                    + QString::number(Connection::code_selection),
            Connection::connection());
    trouve_ = !rs.eof();
    auto text = [&](const char* column) {
        return trouve_ ? rs.text(QString::fromLatin1(column)) : QString();
    };
    for (const Line& line : kLines)
        control<QLabel>(QString::fromLatin1(line.valueName))->setText(text(line.column));
    auto* lbl_film = control<QLabel>(QStringLiteral("lbl_film"));
    lbl_film->setText(text("nom_film"));
    lbl_film->adjustSize();
    control<QPlainTextEdit>(QStringLiteral("txt_obs"))->setPlainText(text("obs_Film"));
    rs.close();
}

void Frm_Visu::montrer()
{
    if (isLoaded())
        remplir();
    else
        load();
    if (!trouve_) {
        msgBox(QStringLiteral("Ce film n'existe plus dans la base de donnée"), mb::Exclamation);
        unload();
        return;
    }
    show();
}

void Frm_Visu::onUnload() { Frm_Accueil::instance().show(); }
