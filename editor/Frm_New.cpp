#include "editor/Frm_New.h"

#include "app/Connection.h"
#include "app/ProgramFolder.h"
#include "editor/FilmSave.h"
#include "reflists/ReferenceListFile.h"
#include "ui/Controls.h"
#include "ui/Guard.h"
#include "ui/Platform.h"
#include "ui/Twips.h"
#include "ui/main/Frm_Accueil.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRect>
#include <initializer_list>

using namespace ui;

namespace {

// Runs the opening's preparation when the window is shown: unlike activation, showing does
// not depend on the window manager handing the focus over.
class ShowWatcher : public QObject {
public:
    ShowWatcher(QObject* parent, std::function<void()> onShow) : QObject(parent), onShow_(std::move(onShow))
    { }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched == parent())
            guarded(onShow_);
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> onShow_;
};

QLabel* caption(QWidget* parent, const char* name, const char* text, int left, int top, int width, int height,
                double points = 8.25)
{
    QLabel* label =
            makeLabel(parent, QString::fromLatin1(name), QString::fromUtf8(text), left, top, width, height);
    label->setFont(sansSerif(points));
    label->adjustSize();
    return label;
}

// A one-line caption of a frame: its name, text and place in twips.
struct FrameCaption {
    const char* name;
    const char* text;
    int left, top, width;
};

// A frame in the window's blue with its captions.
QGroupBox* blueFrame(QWidget* client, const char* name, const char* title, QRect twips,
                     std::initializer_list<FrameCaption> captions)
{
    QGroupBox* frame = makeFrame(client, QString::fromLatin1(name), QString::fromUtf8(title), twips.x(),
                                 twips.y(), twips.width(), twips.height());
    fillBackground(frame, formBlue());
    for (const FrameCaption& line : captions)
        caption(frame, line.name, line.text, line.left, line.top, line.width, 195);
    return frame;
}

QComboBox* whiteList(QComboBox* combo)
{
    QPalette palette = combo->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Button, Qt::white);
    combo->setPalette(palette);
    return combo;
}

// Selects the entry equal to the text, letter case ignored. A text that the list lacks (a
// list edited since the film was saved, a value written by the quick add) is added for this
// opening, so that saving without touching the list keeps it.
void selectText(QComboBox* combo, const QString& text)
{
    int index = combo->findText(text, Qt::MatchFixedString);
    if (index < 0) {
        combo->addItem(text);
        index = combo->count() - 1;
    }
    combo->setCurrentIndex(index);
}

}  // namespace

Frm_New& Frm_New::instance()
{
    static Frm_New form;
    return form;
}

Frm_New::Frm_New() : Form(QStringLiteral("Frm_New")) { }

const QStringList& Frm_New::qualites()
{
    static const QStringList texts = {QStringLiteral("Mauvais"), QStringLiteral("Moyenne"),
                                      QStringLiteral("Bonne"), QStringLiteral("Exellente"),
                                      QStringLiteral("DvD")};
    return texts;
}

void Frm_New::build(QMainWindow* window, QWidget* client)
{
    window->setWindowTitle(QStringLiteral("Cinabrel - Ajout/Modification"));
    fillBackground(client, formBlue());
    buildInfoGeneral(client);
    buildInfoPlus(client);

    caption(client, "Label6", "Synopsis / Observation :", 120, 2760, 2175, 240, 9.75);
    auto* txt_obs = new QPlainTextEdit(client);
    txt_obs->setObjectName(QStringLiteral("txt_obs"));
    place(txt_obs, 120, 3000, 9615, 3495);
    txt_obs->setFont(arial(9.75));
    txt_obs->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txt_obs->setTabChangesFocus(true);
    QPalette palette = txt_obs->palette();
    palette.setColor(QPalette::Base, Qt::white);
    txt_obs->setPalette(palette);

    auto* bt_enreg = makeButton(client, QStringLiteral("Bt_Enreg"), QStringLiteral("Enregistrer"), 2640, 6720,
                                2295, 375);
    auto* bt_annuler = makeButton(client, QStringLiteral("Bt_Annuler"), QStringLiteral("Annuler"), 5400, 6720,
                                  2415, 375);
    onEvent(bt_enreg, &QPushButton::clicked, [this] { editor::enregistrer(*this); });
    onEvent(bt_annuler, &QPushButton::clicked, [this] { Bt_Annuler_Click(); });

    const char* tabOrder[] = {"Txt_Titre",  "txt_realisateur", "txt_acteur", "txt_duree", "txt_annee",
                              "Comb_lng",   "Combo1",          "Combo3",     "Option1",   "Option3",
                              "Option2",    "Option4",         "Option5",    "Combo2",    "comb_video",
                              "comb_audio", "txt_obs",         "Bt_Enreg",   "Bt_Annuler"};
    QWidget* previous = nullptr;
    for (const char* name : tabOrder) {
        auto* widget = window->findChild<QWidget*>(QString::fromLatin1(name));
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }

    window->installEventFilter(new ShowWatcher(window, [this] { activer(); }));
}

void Frm_New::buildInfoGeneral(QWidget* client)
{
    // Label5 stands a little left of its design place: the substitute face is wider than the
    // design's, and the caption would run under the list beside it.
    auto* fra1 = blueFrame(client, "fra1", "Info Général", {120, 360, 6975, 2295},
                           {{"Label1", "Titre :", 240, 360, 405},
                            {"Label10", "Réalisateur :", 120, 720, 885},
                            {"Label11", "Acteur(s) :", 120, 1080, 720},
                            {"lbl_duree", "Durée", 5280, 360, 435},
                            {"Label12", "Année", 5280, 720, 465},
                            {"Label8", "Langue", 480, 1440, 540},
                            {"Label4", "Genre :", 3120, 1440, 525},
                            {"Label5", "Format Vidéo", 90, 1800, 930},
                            {"Label3", "Qualité :", 3120, 1800, 585}});

    makeTextBox(fra1, QStringLiteral("Txt_Titre"), QString(), 1080, 360, 3735, 285);
    makeTextBox(fra1, QStringLiteral("txt_realisateur"), QString(), 1080, 720, 3735, 285);
    makeTextBox(fra1, QStringLiteral("txt_duree"), QStringLiteral("00h00"), 5880, 360, 615, 285);
    makeTextBox(fra1, QStringLiteral("txt_annee"), QString(), 5880, 720, 615, 285)->setMaxLength(4);
    makeDropDownList(fra1, QStringLiteral("Comb_lng"), 1080, 1440, 1575, 315);
    makeDropDownList(fra1, QStringLiteral("Combo1"), 3720, 1440, 1575, 315);
    whiteList(makeDropDownList(fra1, QStringLiteral("Combo3"), 1080, 1800, 1575, 315));

    const struct {
        const char* name;
        const char* caption;
        int left, top, width;
    } options[] = {
            {"Option1", "Mauvais", 3840, 1800, 975}, {"Option2", "Moyenne", 3840, 2040, 975},
            {"Option3", "Bonne", 5040, 1800, 855},   {"Option4", "Exellente", 5040, 2040, 975},
            {"Option5", "Dvd", 6240, 2040, 615},
    };
    for (const auto& option : options)
        makeOptionButton(fra1, QString::fromLatin1(option.name), QString::fromLatin1(option.caption),
                         option.left, option.top, option.width, 195);

    // The actors' box belongs to the window and lies over the frame, on the row of its label.
    auto* txt_acteur = makeTextBox(client, QStringLiteral("txt_acteur"), QString(), 1200, 1440, 5775, 285);
    txt_acteur->raise();
}

void Frm_New::buildInfoPlus(QWidget* client)
{
    auto* fra2 = blueFrame(client, "Fra2", "Info +", {7200, 360, 2535, 2295},
                           {{"Label2", "Nbr CD :", 120, 240, 615},
                            {"Label7", "Codec Video", 120, 840, 915},
                            {"Label9", "Codec Audio", 120, 1440, 915}});
    makeDropDownList(fra2, QStringLiteral("Combo2"), 120, 480, 855, 315);
    whiteList(makeDropDownList(fra2, QStringLiteral("comb_video"), 120, 1080, 2055, 315));
    whiteList(makeDropDownList(fra2, QStringLiteral("comb_audio"), 120, 1680, 2055, 315));
}

void Frm_New::onLoad()
{
    remplir_listes();
    control<QRadioButton>(QStringLiteral("Option3"))->setChecked(true);
    a_preparer_ = true;
}

void Frm_New::remplir_listes()
{
    reflists::ReferenceLists lists;
    try {
        lists = reflists::readReferenceLists(app::referenceListsPath());
    } catch (const reflists::ReferenceListError& error) {
        // The film can still be entered; only the choices of the file are missing.
        msgBox(error.message() + QStringLiteral("\r\nLes choix de codecs et de genres resteront vides."),
               mb::Exclamation);
    }

    auto* combo1 = control<QComboBox>(QStringLiteral("Combo1"));
    combo1->addItem(QStringLiteral("----"));
    combo1->addItems(lists.genre);
    combo1->setCurrentIndex(-1);

    const struct {
        const char* name;
        QStringList entries;
    } fixed[] = {
            {"Combo2", {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}},
            {"Combo3",
             {QStringLiteral("Avi"), QStringLiteral("Mpg"), QStringLiteral("Divx"), QStringLiteral("Rmvb"),
              QStringLiteral("Svcd"), QStringLiteral("Wma"), QStringLiteral("Dvd")}},
            {"Comb_lng",
             {QStringLiteral("Français"), QStringLiteral("Anglais"), QStringLiteral("Espagnol"),
              QStringLiteral("Italien"), QStringLiteral("Allemenad"), QStringLiteral("Autres")}},
            {"comb_audio", lists.audio},
            {"comb_video", lists.video},
    };
    for (const auto& list : fixed) {
        auto* combo = control<QComboBox>(QString::fromLatin1(list.name));
        combo->addItems(list.entries);
        combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
    }
}

void Frm_New::activer()
{
    if (!a_preparer_)
        return;
    a_preparer_ = false;
    if (Connection::nouveau_film) {
        control<QComboBox>(QStringLiteral("Combo1"))->setCurrentIndex(0);
        control<QLineEdit>(QStringLiteral("Txt_Titre"))->setFocus();
    } else {
        charger_film();
        control<QPlainTextEdit>(QStringLiteral("txt_obs"))->setFocus();
    }
}

void Frm_New::charger_film()
{
    store::Recordset& rs = Connection::rs;
    rs = store::Recordset();
    rs.open(QStringLiteral("SELECT * FROM Film WHERE code_film=")
                    + QString::number(Connection::code_selection),
            Connection::connection(), store::Recordset::Dynamic, store::Recordset::Optimistic);
    if (rs.eof()) {
        rs.close();
        msgBox(QStringLiteral("Ce film n'existe plus dans la base de donnée"), mb::Exclamation);
        return;
    }

    const struct {
        const char* column;
        const char* box;
    } texts[] = {{"nom_film", "Txt_Titre"},
                 {"realisateur", "txt_realisateur"},
                 {"acteur", "txt_acteur"},
                 {"annee", "txt_annee"},
                 {"duree", "txt_duree"}};
    for (const auto& text : texts)
        control<QLineEdit>(QString::fromLatin1(text.box))->setText(rs.text(QString::fromLatin1(text.column)));
    control<QPlainTextEdit>(QStringLiteral("txt_obs"))->setPlainText(rs.text(QStringLiteral("obs_Film")));

    const struct {
        const char* column;
        const char* combo;
    } choices[] = {{"type_film", "Combo1"},     {"cd_film", "Combo2"},        {"format_film", "Combo3"},
                   {"langue_Film", "Comb_lng"}, {"codec_Film", "comb_video"}, {"codec_Son", "comb_audio"}};
    for (const auto& choice : choices)
        selectText(control<QComboBox>(QString::fromLatin1(choice.combo)),
                   rs.text(QString::fromLatin1(choice.column)));

    const int quality = qualites().indexOf(rs.text(QStringLiteral("qualite_film")));
    if (quality >= 0)
        control<QRadioButton>(QStringLiteral("Option%1").arg(quality + 1))->setChecked(true);
    rs.close();
}

void Frm_New::Bt_Annuler_Click()
{
    Frm_Accueil::instance().show();
    unload();
}

void Frm_New::onUnload() { Frm_Accueil::instance().show(); }
