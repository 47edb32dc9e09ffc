#include "reflists/frm_option.h"

#include "files/ProgramFolder.h"
#include "ui/Controls.h"
#include "ui/Guard.h"
#include "ui/Platform.h"
#include "ui/Twips.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>

using namespace ui;

namespace {

// Tabs standing down the left edge share the strip's height rather than overflow it.
class TabStrip : public QTabBar {
public:
    using QTabBar::QTabBar;

protected:
    QSize tabSizeHint(int index) const override
    {
        QSize size = QTabBar::tabSizeHint(index);
        size.setHeight(std::min(size.height(), height() / std::max(count(), 1)));
        return size;
    }
};

}  // namespace

frm_option& frm_option::instance()
{
    static frm_option form;
    return form;
}

frm_option::frm_option() : TypedForm(QStringLiteral("frm_option")) { }

void frm_option::build(QMainWindow* window, QWidget* client)
{
    frm_optionControls& c = controls_;
    window->setWindowTitle(QStringLiteral("Option"));

    // The tabs stand down the left edge, the only strip that the other controls leave free; the
    // page is a panel beside them, over which the other controls lie.
    auto* page = new QFrame(client);
    page->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    c.TabStrip1 = new TabStrip(client);
    c.TabStrip1->setObjectName(QStringLiteral("TabStrip1"));
    c.TabStrip1->setShape(QTabBar::RoundedWest);
    c.TabStrip1->setFont(sansSerif(7.5));
    c.TabStrip1->setDrawBase(false);
    c.TabStrip1->setExpanding(false);
    for (const char* caption : {"Codec Audio", "Codec Vidéo", "Genre Film"})
        c.TabStrip1->addTab(QString::fromUtf8(caption));
    place(c.TabStrip1, 240, 120, 5175, 3615);
    const int tabWidth = twips(c.TabStrip1->sizeHint().width());
    place(page, 240 + tabWidth - 15, 120, 5175 - tabWidth + 15, 3615);

    // Made before the frames, Label1 lies under fra_odre; the frames are opaque, so it is never seen.
    c.Label1 = makeLabel(client, QStringLiteral("Label1"), QStringLiteral("Label1"), 840, 1680, 1575, 255);

    c.Frame1 = makeFrame(client, QStringLiteral("Frame1"), QString(), 840, 120, 1935, 1335);
    c.lbl_codec =
            makeLabel(c.Frame1, QStringLiteral("lbl_codec"), QStringLiteral("Label2"), 120, 240, 1695, 255);
    c.txt_codec = makeTextBox(c.Frame1, QStringLiteral("txt_codec"), QString(), 120, 600, 1695, 285);
    nameAfter(c.txt_codec, c.lbl_codec);
    c.cmd_ajout =
            makeButton(c.Frame1, QStringLiteral("cmd_ajout"), QStringLiteral("Ajouter"), 360, 960, 1215, 255);

    c.fra_odre = makeFrame(client, QStringLiteral("fra_odre"), QString(), 840, 1440, 1935, 975);
    c.cmd_M = makeButton(c.fra_odre, QStringLiteral("cmd_M"), QStringLiteral("Monter"), 240, 240, 1455, 255);
    c.Cmd_D =
            makeButton(c.fra_odre, QStringLiteral("Cmd_D"), QStringLiteral("Descendre"), 240, 600, 1455, 255);

    c.Frame2 = makeFrame(client, QStringLiteral("Frame2"), QString(), 840, 2400, 1935, 615);
    c.Command1 = makeButton(c.Frame2, QStringLiteral("Command1"), QStringLiteral("Suppression"), 240, 240,
                            1455, 255);
    c.Command1->setEnabled(false);

    for (QWidget* frame : std::initializer_list<QWidget*> {c.Frame1, c.fra_odre, c.Frame2})
        makeOpaque(frame);

    c.List = new QListWidget(client);
    c.List->setObjectName(QStringLiteral("List"));
    place(c.List, 2880, 240, 2295, 3375);

    onEvent(c.TabStrip1, &QTabBar::currentChanged, [this] { changer_onglet(); });
    onEvent(c.cmd_ajout, &QPushButton::clicked, [this] { ajouter_entree(); });
    onEvent(c.cmd_M, &QPushButton::clicked, [this] { monter_entree(liste_courante()); });
    onEvent(c.Cmd_D, &QPushButton::clicked, [this] { descendre_entree(liste_courante()); });
    // A click on the highlighted row changes no current row, so both signals are followed;
    // emptying the list (row -1) leaves the index alone.
    onEvent(c.List, &QListWidget::clicked, [this](const QModelIndex& index) { index_courant = index.row(); });
    onEvent(c.List, &QListWidget::currentRowChanged, [this](int row) {
        if (row >= 0)
            index_courant = row;
    });
}

void frm_option::onLoad()
{
    const frm_optionControls& c = controls();
    liste_audio.clear();
    liste_video.clear();
    liste_genre.clear();
    fichier_lu = false;
    enregistrement_fait = false;
    try {
        files::ReferenceLists lists = files::readReferenceLists(files::referenceListsPath());
        liste_audio = std::move(lists.audio);
        liste_video = std::move(lists.video);
        liste_genre = std::move(lists.genre);
        fichier_lu = true;
    } catch (const files::ReferenceListError& error) {
        msgBox(error.message(), Icon::Critical);
    }
    // Nothing typed here could be saved over a file that was not read.
    for (QWidget* control : std::initializer_list<QWidget*> {c.txt_codec, c.cmd_ajout, c.cmd_M, c.Cmd_D})
        control->setEnabled(fichier_lu);

    {
        const QSignalBlocker quiet(c.TabStrip1);
        c.TabStrip1->setCurrentIndex(int(onglet_option_) - 1);
    }
    afficher_onglet(onglet_option_);
}

void frm_option::montrer(files::ReferenceList onglet)
{
    onglet_option_ = onglet;
    show();
}

QStringList& frm_option::liste_courante()
{
    switch (onglet_) {
    case files::ReferenceList::Video:
        return liste_video;
    case files::ReferenceList::Genre:
        return liste_genre;
    case files::ReferenceList::Audio:
        break;
    }
    return liste_audio;
}

void frm_option::afficher_onglet(files::ReferenceList onglet)
{
    static const char* const captions[] = {"Ajout codec Audio", "Ajout codec Video", "Ajout Genre film"};
    onglet_ = onglet;
    const frm_optionControls& c = controls();
    c.lbl_codec->setText(QString::fromLatin1(captions[int(onglet) - 1]));
    // The list has no caption of its own: it is the list of the tab shown.
    c.List->setAccessibleName(c.TabStrip1->tabText(int(onglet) - 1));
    c.List->addItems(liste_courante());
}

void frm_option::changer_onglet()
{
    controls().List->clear();
    afficher_onglet(files::ReferenceList(controls().TabStrip1->currentIndex() + 1));
}

void frm_option::ajouter_entree()
{
    QLineEdit* box = controls().txt_codec;
    const QString texte = box->text();
    if (texte.contains(u'"')) {
        msgBox(QStringLiteral("Le caractère \" n'est pas autorisé"));
        box->clear();
        return;
    }
    // The position past the last row reads as empty, so an empty text is refused too.
    QListWidget* list = controls().List;
    bool present = texte.isEmpty();
    for (int row = 0; row < list->count() && !present; ++row)
        present = list->item(row)->text() == texte;
    if (present) {
        msgBox(QStringLiteral("Ce codec est déjà entré"));
        box->clear();
        return;
    }
    QStringList& liste = liste_courante();
    liste.append(texte);
    list->addItem(texte);
    index_courant = static_cast<int>(liste.size()) - 1;
    box->clear();
}

void frm_option::echanger(QStringList& liste, int haut)
{
    liste.swapItemsAt(haut, haut + 1);
    QListWidget* list = controls().List;
    list->item(haut + 1)->setText(liste.at(haut + 1));
    list->item(haut)->setText(liste.at(haut));
}

// Each move highlights the moved entry and follows it, so that repeated clicks keep moving it.
void frm_option::monter_entree(QStringList& liste)
{
    if (index_courant < 1 || index_courant >= liste.size())
        return;
    const int nouvelle = index_courant - 1;
    echanger(liste, nouvelle);
    controls().List->setCurrentRow(nouvelle);
    index_courant = nouvelle;
}

void frm_option::descendre_entree(QStringList& liste)
{
    if (index_courant < 0 || index_courant >= liste.size() - 1)
        return;
    const int nouvelle = index_courant + 1;
    echanger(liste, index_courant);
    controls().List->setCurrentRow(nouvelle);
    index_courant = nouvelle;
}

bool frm_option::enregistrer(bool refusable)
{
    if (!fichier_lu || enregistrement_fait)
        return true;
    try {
        files::writeReferenceLists(files::referenceListsPath(), {liste_audio, liste_video, liste_genre});
    } catch (const files::ReferenceListError& error) {
        if (!refusable)
            msgBox(error.message(), Icon::Critical);
        else if (askYesNo(error.message() + QStringLiteral("\r\nFermer sans enregistrer ?"),
                          Icon::Exclamation)
                 != Answer::Yes)
            return false;
    }
    enregistrement_fait = true;
    return true;
}

bool frm_option::queryUnload() { return enregistrer(true); }

void frm_option::onUnload() { enregistrer(false); }
