#include "reflists/frm_option.h"

#include "app/Connection.h"
#include "app/ProgramFolder.h"
#include "reflists/ReferenceListFile.h"
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

frm_option::frm_option() : Form(QStringLiteral("frm_option")) { }

QTabBar* frm_option::TabStrip1() { return control<QTabBar>(QStringLiteral("TabStrip1")); }

QListWidget* frm_option::List() { return control<QListWidget>(QStringLiteral("List")); }

void frm_option::build(QMainWindow* window, QWidget* client)
{
    window->setWindowTitle(QStringLiteral("Option"));

    // The tabs stand down the left edge, the only strip that the other controls leave free; the
    // page is a panel beside them, over which the other controls lie.
    auto* page = new QFrame(client);
    page->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    auto* tabs = new TabStrip(client);
    tabs->setObjectName(QStringLiteral("TabStrip1"));
    tabs->setShape(QTabBar::RoundedWest);
    tabs->setFont(sansSerif(7.5));
    tabs->setDrawBase(false);
    tabs->setExpanding(false);
    for (const char* caption : {"Codec Audio", "Codec Vidéo", "Genre Film"})
        tabs->addTab(QString::fromUtf8(caption));
    place(tabs, 240, 120, 5175, 3615);
    const int tabWidth = twips(tabs->sizeHint().width());
    place(page, 240 + tabWidth - 15, 120, 5175 - tabWidth + 15, 3615);

    makeLabel(client, QStringLiteral("Label1"), QStringLiteral("Label1"), 840, 1680, 1575, 255);

    // The frames are opaque, as Label1 lies hidden under fra_odre.
    auto* Frame1 = makeFrame(client, QStringLiteral("Frame1"), QString(), 840, 120, 1935, 1335);
    makeLabel(Frame1, QStringLiteral("lbl_codec"), QStringLiteral("Label2"), 120, 240, 1695, 255);
    makeTextBox(Frame1, QStringLiteral("txt_codec"), QString(), 120, 600, 1695, 285);
    auto* cmd_ajout =
            makeButton(Frame1, QStringLiteral("cmd_ajout"), QStringLiteral("Ajouter"), 360, 960, 1215, 255);

    auto* fra_odre = makeFrame(client, QStringLiteral("fra_odre"), QString(), 840, 1440, 1935, 975);
    auto* cmd_M =
            makeButton(fra_odre, QStringLiteral("cmd_M"), QStringLiteral("Monter"), 240, 240, 1455, 255);
    auto* Cmd_D =
            makeButton(fra_odre, QStringLiteral("Cmd_D"), QStringLiteral("Descendre"), 240, 600, 1455, 255);

    auto* Frame2 = makeFrame(client, QStringLiteral("Frame2"), QString(), 840, 2400, 1935, 615);
    makeButton(Frame2, QStringLiteral("Command1"), QStringLiteral("Suppression"), 240, 240, 1455, 255)
            ->setEnabled(false);

    for (QWidget* frame : std::initializer_list<QWidget*> {Frame1, fra_odre, Frame2})
        frame->setAutoFillBackground(true);

    auto* list = new QListWidget(client);
    list->setObjectName(QStringLiteral("List"));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    place(list, 2880, 240, 2295, 3375);

    onEvent(tabs, &QTabBar::currentChanged, [this] { changer_onglet(); });
    onEvent(cmd_ajout, &QPushButton::clicked, [this] { ajouter_entree(); });
    onEvent(cmd_M, &QPushButton::clicked, [this] { monter_entree(liste_courante()); });
    onEvent(Cmd_D, &QPushButton::clicked, [this] { descendre_entree(liste_courante()); });
    // A click on the highlighted row changes no current row, so both signals are followed;
    // emptying the list (row -1) leaves the index alone.
    onEvent(list, &QListWidget::clicked, [this](const QModelIndex& index) { index_courant = index.row(); });
    onEvent(list, &QListWidget::currentRowChanged, [this](int row) {
        if (row >= 0)
            index_courant = row;
    });
}

void frm_option::onLoad()
{
    liste_audio.clear();
    liste_video.clear();
    liste_genre.clear();
    fichier_lu = false;
    enregistrement_fait = false;
    try {
        reflists::ReferenceLists lists = reflists::readReferenceLists(app::referenceListsPath());
        liste_audio = std::move(lists.audio);
        liste_video = std::move(lists.video);
        liste_genre = std::move(lists.genre);
        fichier_lu = true;
    } catch (const reflists::ReferenceListError& error) {
        msgBox(error.message(), mb::Critical);
    }
    // Nothing typed here could be saved over a file that was not read.
    for (const char* name : {"txt_codec", "cmd_ajout", "cmd_M", "Cmd_D"})
        control<QWidget>(QString::fromLatin1(name))->setEnabled(fichier_lu);

    // Any other value opens on the first tab, so that the list shown is always the tab's.
    const int onglet =
            Connection::onglet_option >= 1 && Connection::onglet_option <= 3 ? Connection::onglet_option : 1;
    QTabBar* tabs = TabStrip1();
    {
        const QSignalBlocker quiet(tabs);
        tabs->setCurrentIndex(onglet - 1);
    }
    afficher_onglet(onglet);
}

QStringList& frm_option::liste_courante()
{
    switch (TabStrip1()->property("Tag").toString().toInt()) {
    case 2:
        return liste_video;
    case 3:
        return liste_genre;
    default:
        return liste_audio;
    }
}

void frm_option::afficher_onglet(int onglet)
{
    static const char* const captions[] = {"Ajout codec Audio", "Ajout codec Video", "Ajout Genre film"};
    control<QLabel>(QStringLiteral("lbl_codec"))->setText(QString::fromLatin1(captions[onglet - 1]));
    TabStrip1()->setProperty("Tag", QString::number(onglet));
    List()->addItems(liste_courante());
}

void frm_option::changer_onglet()
{
    List()->clear();
    afficher_onglet(TabStrip1()->currentIndex() + 1);
}

void frm_option::ajouter_entree()
{
    auto* box = control<QLineEdit>(QStringLiteral("txt_codec"));
    const QString texte = box->text();
    if (texte.contains(u'"')) {
        msgBox(QStringLiteral("Le caractère \" n'est pas autorisé"));
        box->clear();
        return;
    }
    // The position past the last row reads as empty, so an empty text is refused too.
    QListWidget* list = List();
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
    QListWidget* list = List();
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
    List()->setCurrentRow(nouvelle);
    index_courant = nouvelle;
}

void frm_option::descendre_entree(QStringList& liste)
{
    if (index_courant < 0 || index_courant >= liste.size() - 1)
        return;
    const int nouvelle = index_courant + 1;
    echanger(liste, index_courant);
    List()->setCurrentRow(nouvelle);
    index_courant = nouvelle;
}

bool frm_option::enregistrer(bool refusable)
{
    if (!fichier_lu || enregistrement_fait)
        return true;
    try {
        reflists::writeReferenceLists(app::referenceListsPath(), {liste_audio, liste_video, liste_genre});
    } catch (const reflists::ReferenceListError& error) {
        if (!refusable)
            msgBox(error.message(), mb::Critical);
        else if (msgBox(error.message() + QStringLiteral("\r\nFermer sans enregistrer ?"),
                        mb::YesNo + mb::Exclamation)
                 != mb::Yes)
            return false;
    }
    enregistrement_fait = true;
    return true;
}

bool frm_option::queryUnload() { return enregistrer(true); }

void frm_option::onUnload()
{
    enregistrer(false);
    liste_audio.clear();
    liste_video.clear();
    liste_genre.clear();
}
