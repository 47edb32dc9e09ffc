#include "editor/Frm_New.h"

#include "app/Connection.h"
#include "files/ProgramFolder.h"
#include "files/ReferenceListFile.h"
#include "store/Films.h"
#include "editor/FilmSave.h"
#include "ui/Controls.h"
#include "ui/Guard.h"
#include "ui/Platform.h"
#include "ui/Twips.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
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
        if (event->type() == QEvent::Show)
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

// A one-line caption inside a frame: 195 twips high.
QLabel* frameCaption(QWidget* frame, const char* name, const char* text, int left, int top, int width)
{
    return caption(frame, name, text, left, top, width, 195);
}

// A frame in the window's blue.
QGroupBox* blueFrame(QWidget* client, const char* name, const char* title, int left, int top, int width,
                     int height)
{
    QGroupBox* frame =
            makeFrame(client, QString::fromLatin1(name), QString::fromUtf8(title), left, top, width, height);
    fillBackground(frame, formBlue());
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

Frm_New::Frm_New() : TypedForm(QStringLiteral("Frm_New")) { }

const QStringList& Frm_New::qualites()
{
    static const QStringList texts = {QStringLiteral("Mauvais"), QStringLiteral("Moyenne"),
                                      QStringLiteral("Bonne"), QStringLiteral("Exellente"),
                                      QStringLiteral("DvD")};
    return texts;
}

QList<QRadioButton*> Frm_New::options()
{
    const Frm_NewControls& c = controls();
    return {c.Option1, c.Option2, c.Option3, c.Option4, c.Option5};
}

void Frm_New::build(QMainWindow* window, QWidget* client)
{
    Frm_NewControls& c = controls_;
    window->setWindowTitle(QStringLiteral("Cinabrel - Ajout/Modification"));
    fillBackground(client, formBlue());
    buildInfoGeneral(client);
    buildInfoPlus(client);

    c.Label6 = caption(client, "Label6", "Synopsis / Observation :", 120, 2760, 2175, 240, 9.75);
    c.txt_obs = makeNotesBox(client, QStringLiteral("txt_obs"), 120, 3000, 9615, 3495);
    c.txt_obs->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    nameAfter(c.txt_obs, c.Label6);

    c.Bt_Enreg = makeButton(client, QStringLiteral("Bt_Enreg"), QStringLiteral("Enregistrer"), 2640, 6720,
                            2295, 375);
    c.Bt_Annuler = makeButton(client, QStringLiteral("Bt_Annuler"), QStringLiteral("Annuler"), 5400, 6720,
                              2415, 375);
    onEvent(c.Bt_Enreg, &QPushButton::clicked, [this] { editor::enregistrer(*this); });
    onEvent(c.Bt_Annuler, &QPushButton::clicked, [this] { unload(); });

    const QList<QWidget*> tabOrder = {
            c.Txt_Titre,  c.txt_realisateur, c.txt_acteur, c.txt_duree, c.txt_annee, c.Comb_lng, c.Combo1,
            c.Combo3,     c.Option1,         c.Option3,    c.Option2,   c.Option4,   c.Option5,  c.Combo2,
            c.comb_video, c.comb_audio,      c.txt_obs,    c.Bt_Enreg,  c.Bt_Annuler};
    QWidget* previous = nullptr;
    for (QWidget* next : tabOrder) {
        if (previous)
            QWidget::setTabOrder(previous, next);
        previous = next;
    }

    window->installEventFilter(new ShowWatcher(window, [this] { activer(); }));
}

void Frm_New::buildInfoGeneral(QWidget* client)
{
    Frm_NewControls& c = controls_;
    c.fra1 = blueFrame(client, "fra1", "Info Général", 120, 360, 6975, 2295);
    c.Label1 = frameCaption(c.fra1, "Label1", "Titre :", 240, 360, 405);
    c.Label10 = frameCaption(c.fra1, "Label10", "Réalisateur :", 120, 720, 885);
    c.Label11 = frameCaption(c.fra1, "Label11", "Acteur(s) :", 120, 1080, 720);
    c.lbl_duree = frameCaption(c.fra1, "lbl_duree", "Durée", 5280, 360, 435);
    c.Label12 = frameCaption(c.fra1, "Label12", "Année", 5280, 720, 465);
    c.Label8 = frameCaption(c.fra1, "Label8", "Langue", 480, 1440, 540);
    c.Label4 = frameCaption(c.fra1, "Label4", "Genre :", 3120, 1440, 525);
    // Label5 stands a little left of its design place: the substitute face is wider than the
    // design's, and the caption would run under the list beside it.
    c.Label5 = frameCaption(c.fra1, "Label5", "Format Vidéo", 90, 1800, 930);
    c.Label3 = frameCaption(c.fra1, "Label3", "Qualité :", 3120, 1800, 585);

    c.Txt_Titre = makeTextBox(c.fra1, QStringLiteral("Txt_Titre"), QString(), 1080, 360, 3735, 285);
    c.txt_realisateur =
            makeTextBox(c.fra1, QStringLiteral("txt_realisateur"), QString(), 1080, 720, 3735, 285);
    c.txt_duree =
            makeTextBox(c.fra1, QStringLiteral("txt_duree"), QStringLiteral("00h00"), 5880, 360, 615, 285);
    c.txt_annee = makeTextBox(c.fra1, QStringLiteral("txt_annee"), QString(), 5880, 720, 615, 285);
    limitTyping(c.txt_annee, 4);
    c.Comb_lng = makeDropDownList(c.fra1, QStringLiteral("Comb_lng"), 1080, 1440, 1575, 315);
    c.Combo1 = makeDropDownList(c.fra1, QStringLiteral("Combo1"), 3720, 1440, 1575, 315);
    c.Combo3 = whiteList(makeDropDownList(c.fra1, QStringLiteral("Combo3"), 1080, 1800, 1575, 315));

    auto option = [&c](const char* name, const char* text, int left, int top, int width) {
        return makeOptionButton(c.fra1, QString::fromLatin1(name), QString::fromLatin1(text), left, top,
                                width, 195);
    };
    c.Option1 = option("Option1", "Mauvais", 3840, 1800, 975);
    c.Option2 = option("Option2", "Moyenne", 3840, 2040, 975);
    c.Option3 = option("Option3", "Bonne", 5040, 1800, 855);
    c.Option4 = option("Option4", "Exellente", 5040, 2040, 975);
    c.Option5 = option("Option5", "Dvd", 6240, 2040, 615);

    // The actors' box belongs to the window and lies over the frame, on the row of its label.
    c.txt_acteur = makeTextBox(client, QStringLiteral("txt_acteur"), QString(), 1200, 1440, 5775, 285);
    c.txt_acteur->raise();

    nameAfter(c.Txt_Titre, c.Label1);
    nameAfter(c.txt_realisateur, c.Label10);
    nameAfter(c.txt_acteur, c.Label11);
    nameAfter(c.txt_duree, c.lbl_duree);
    nameAfter(c.txt_annee, c.Label12);
    nameAfter(c.Comb_lng, c.Label8);
    nameAfter(c.Combo1, c.Label4);
    nameAfter(c.Combo3, c.Label5);
}

void Frm_New::buildInfoPlus(QWidget* client)
{
    Frm_NewControls& c = controls_;
    c.Fra2 = blueFrame(client, "Fra2", "Info +", 7200, 360, 2535, 2295);
    c.Label2 = frameCaption(c.Fra2, "Label2", "Nbr CD :", 120, 240, 615);
    c.Label7 = frameCaption(c.Fra2, "Label7", "Codec Video", 120, 840, 915);
    c.Label9 = frameCaption(c.Fra2, "Label9", "Codec Audio", 120, 1440, 915);
    c.Combo2 = makeDropDownList(c.Fra2, QStringLiteral("Combo2"), 120, 480, 855, 315);
    c.comb_video = whiteList(makeDropDownList(c.Fra2, QStringLiteral("comb_video"), 120, 1080, 2055, 315));
    c.comb_audio = whiteList(makeDropDownList(c.Fra2, QStringLiteral("comb_audio"), 120, 1680, 2055, 315));
    nameAfter(c.Combo2, c.Label2);
    nameAfter(c.comb_video, c.Label7);
    nameAfter(c.comb_audio, c.Label9);
}

void Frm_New::onLoad()
{
    remplir_listes();
    controls().Option3->setChecked(true);
    a_preparer_ = true;
}

void Frm_New::remplir_listes()
{
    const Frm_NewControls& c = controls();
    files::ReferenceLists lists;
    try {
        lists = files::readReferenceLists(files::referenceListsPath());
    } catch (const files::ReferenceListError& error) {
        // The film can still be entered; only the choices of the file are missing.
        msgBox(error.message() + QStringLiteral("\r\nLes choix de codecs et de genres resteront vides."),
               Icon::Exclamation);
    }

    c.Combo1->addItem(QStringLiteral("----"));
    c.Combo1->addItems(lists.genre);
    c.Combo1->setCurrentIndex(-1);

    auto fill = [](QComboBox* combo, const QStringList& entries) {
        combo->addItems(entries);
        combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
    };
    fill(c.Combo2, {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    fill(c.Combo3,
         {QStringLiteral("Avi"), QStringLiteral("Mpg"), QStringLiteral("Divx"), QStringLiteral("Rmvb"),
          QStringLiteral("Svcd"), QStringLiteral("Wma"), QStringLiteral("Dvd")});
    fill(c.Comb_lng,
         {QStringLiteral("Français"), QStringLiteral("Anglais"), QStringLiteral("Espagnol"),
          QStringLiteral("Italien"), QStringLiteral("Allemenad"), QStringLiteral("Autres")});
    fill(c.comb_audio, lists.audio);
    fill(c.comb_video, lists.video);
}

void Frm_New::activer()
{
    if (!a_preparer_)
        return;
    a_preparer_ = false;
    if (nouveau_film_) {
        controls().Combo1->setCurrentIndex(0);
        controls().Txt_Titre->setFocus();
    } else {
        charger_film();
        controls().txt_obs->setFocus();
    }
}

void Frm_New::charger_film()
{
    const std::optional<store::Film> film = Connection::instance().films().find(code_film_);
    if (!film) {
        msgBox(QStringLiteral("Ce film n'existe plus dans la base de donnée"), Icon::Exclamation);
        return;
    }
    const Frm_NewControls& c = controls();
    c.Txt_Titre->setText(film->nom_film);
    c.txt_realisateur->setText(film->realisateur);
    c.txt_acteur->setText(film->acteur);
    c.txt_annee->setText(film->annee);
    c.txt_duree->setText(film->duree);
    showNotes(c.txt_obs, film->obs_Film);

    selectText(c.Combo1, film->type_film);
    selectText(c.Combo2, film->cd_film);
    selectText(c.Combo3, film->format_film);
    selectText(c.Comb_lng, film->langue_Film);
    selectText(c.comb_video, film->codec_Film);
    selectText(c.comb_audio, film->codec_Son);

    const qsizetype quality = qualites().indexOf(film->qualite_film);
    if (quality >= 0)
        options().at(quality)->setChecked(true);
}

void Frm_New::ajouter()
{
    nouveau_film_ = true;
    show();
}

void Frm_New::modifier(qint16 code)
{
    nouveau_film_ = false;
    code_film_ = code;
    show();
}
