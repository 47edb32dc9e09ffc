#include "ui/main/Frm_Accueil.h"

#include "app/Connection.h"
#include "backups/frm_sauvegarde.h"
#include "reflists/frm_option.h"
#include "store/Films.h"
#include "ui/Controls.h"
#include "ui/Guard.h"
#include "ui/ListView.h"
#include "ui/Twips.h"
#include "ui/main/Chargeliste.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

using namespace ui;

Frm_Accueil& Frm_Accueil::instance()
{
    static Frm_Accueil form;
    return form;
}

Frm_Accueil::Frm_Accueil() : TypedForm(QStringLiteral("Frm_Accueil")) { }

void Frm_Accueil::build(QMainWindow* window, QWidget* client)
{
    Frm_AccueilControls& c = controls_;
    window->setWindowTitle(QStringLiteral("Cinabrel"));
    fillBackground(client, formBlue());

    c.fra_search =
            makeFrame(client, QStringLiteral("fra_search"), QStringLiteral("Recherche"), 120, 120, 3015, 615);
    c.txt_search = makeTextBox(c.fra_search, QStringLiteral("txt_search"), QString(), 120, 240, 2775, 285);

    buildSummary(client);
    buildCounters(client);
    buildLoanBox(client);

    c.cmd_new = makeButton(client, QStringLiteral("cmd_new"), QStringLiteral("Nouveau film"), 120, 8040, 3015,
                           375);

    c.List = new ListView(client);
    c.List->setObjectName(QStringLiteral("List"));
    place(c.List, 3360, 120, 7695, 8055);

    c.lbldouble = makeLabel(
            client, QStringLiteral("lbldouble"),
            QStringLiteral("Double cliquez sur un film pour voir les informations générales du film"), 3360,
            8160, 6045, 240);
    c.lbldouble->setFont(arial(9.75, false, true));

    c.fra_export = makeFrame(client, QStringLiteral("fra_export"),
                             QStringLiteral("Exportation en cours ... "), 5280, 3480, 4455, 615);
    fillBackground(c.fra_export, Qt::white);
    c.Progbar = new QProgressBar(c.fra_export);
    c.Progbar->setObjectName(QStringLiteral("Progbar"));
    c.Progbar->setValue(0);
    place(c.Progbar, 120, 240, 4215, 255);
    c.fra_export->setVisible(false);

    c.StatusBar1 = new QStatusBar(client);
    c.StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    c.StatusBar1->setSizeGripEnabled(false);
    place(c.StatusBar1, 0, 8445, 11175, 30);

    buildMenus(window);
    connectSelection();
    connectCommands();
    connectLoans();
    connectExports();

    onEvent(c.mnu_audio, &QAction::triggered, [] {
        Connection::onglet_option = files::ReferenceList::Audio;
        frm_option::instance().show();
    });
    onEvent(c.mnu_restaurer, &QAction::triggered, [] { frm_sauvegarde::instance().montrer(); });
}

void Frm_Accueil::buildSummary(QWidget* client)
{
    Frm_AccueilControls& c = controls_;
    c.fra_info =
            makeFrame(client, QStringLiteral("fra_info"), QStringLiteral("Info Film"), 120, 960, 3015, 3375);
    // A caption in bold beside the label that shows the film's value, on the same line.
    auto line = [&c](QLabel*& caption, const char* captionName, const char* text, int captionWidth,
                     QLabel*& value, const char* valueName, int top) {
        caption = makeLabel(c.fra_info, QString::fromLatin1(captionName), QString::fromUtf8(text), 120, top,
                            captionWidth, 195);
        caption->setFont(sansSerif(8.25, true));
        value = makeLabel(c.fra_info, QString::fromLatin1(valueName), QStringLiteral(" "), 1320, top, 1095,
                          255);
    };
    line(c.Label4, "Label4", "Langage:", 810, c.lbl_langue, "lbl_langue", 360);
    line(c.Label6, "Label6", "Qualité:", 675, c.lbl_qual, "lbl_qual", 720);
    line(c.Label5, "Label5", "Codec:", 615, c.lbl_codec, "lbl_codec", 1080);
    line(c.Label3, "Label3", "Son:", 405, c.lbl_son, "lbl_son", 1440);
    line(c.Label2, "Label2", "Nbr CD: ", 750, c.lbl_nbr, "lbl_nbr", 1800);
    line(c.Label1, "Label1", "Durée:", 585, c.lbl_duree, "lbl_duree", 2160);
    line(c.Label11, "Label11", "Année:", 615, c.lbl_annee, "lbl_annee", 2520);
    c.Bt_Modif = makeButton(c.fra_info, QStringLiteral("Bt_Modif"), QStringLiteral("Modifier"), 120, 2880,
                            1215, 375);
    c.Bt_Supp = makeButton(c.fra_info, QStringLiteral("Bt_Supp"), QStringLiteral("Supprimer"), 1560, 2880,
                           1215, 375);
}

void Frm_Accueil::buildCounters(QWidget* client)
{
    Frm_AccueilControls& c = controls_;
    c.Fra_stat = makeFrame(client, QStringLiteral("Fra_stat"), QStringLiteral("Mini Stats"), 120, 4440, 3015,
                           1575);
    // A caption in bold and its number, centred, at its own height.
    auto counter = [&c](QLabel*& caption, const char* captionName, const char* text, int captionTop,
                        int captionWidth, QLabel*& value, const char* valueName, int valueTop) {
        caption = makeLabel(c.Fra_stat, QString::fromLatin1(captionName), QString::fromUtf8(text), 120,
                            captionTop, captionWidth, 195);
        caption->setFont(sansSerif(8.25, true));
        value = makeLabel(c.Fra_stat, QString::fromLatin1(valueName), QStringLiteral("0"), 1920, valueTop,
                          855, 255);
        value->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    };
    counter(c.Label7, "Label7", "Nombre de Divx", 240, 1365, c.lbl_stat_nbr, "lbl_stat_nbr", 240);
    counter(c.Label13, "Label13", "Nombre de Dvd", 555, 1335, c.lbl_stat_dvd, "lbl_stat_dvd", 560);
    counter(c.Label10, "Label10", "Film(s) Emprunté", 880, 1410, c.lbl_stat_pret, "lbl_stat_pret", 880);
    counter(c.Label9, "Label9", "Film(s) Dispo", 1200, 1095, c.lbl_dispo, "lbl_dispo", 1200);
}

void Frm_Accueil::buildLoanBox(QWidget* client)
{
    Frm_AccueilControls& c = controls_;
    c.fra_pret = makeFrame(client, QStringLiteral("fra_pret"), QStringLiteral("Pret"), 120, 6120, 3015, 1815);
    c.chk_pret =
            makeCheckBox(c.fra_pret, QStringLiteral("chk_pret"), QStringLiteral(" "), 240, 240, 1455, 255);
    c.lbl_nom = makeLabel(c.fra_pret, QStringLiteral("lbl_nom"), QStringLiteral("Nom"), 240, 600, 330, 195);
    c.txt_nom = makeTextBox(c.fra_pret, QStringLiteral("txt_nom"), QStringLiteral(" "), 960, 600, 1815, 285);
    c.txt_nom->setFont(sansSerif(8.25, true));
    nameAfter(c.txt_nom, c.lbl_nom);
    c.lbl_date1 = makeLabel(c.fra_pret, QStringLiteral("lbl_date1"), QStringLiteral("Date du prêt"), 240,
                            1080, 885, 195);
    c.lbl_date =
            makeLabel(c.fra_pret, QStringLiteral("lbl_date"), QStringLiteral(" "), 1680, 1080, 1095, 255);
    c.cmd_pret = makeButton(c.fra_pret, QStringLiteral("cmd_pret"), QStringLiteral("Enregistrer le prêt"),
                            720, 1440, 1575, 255);
    c.lbl_nom->adjustSize();
    c.lbl_date1->adjustSize();
    for (QWidget* hidden : std::initializer_list<QWidget*> {c.chk_pret, c.lbl_nom, c.txt_nom, c.lbl_date1,
                                                            c.lbl_date, c.cmd_pret})
        hidden->setVisible(false);
}

void Frm_Accueil::buildMenus(QMainWindow* window)
{
    Frm_AccueilControls& c = controls_;
    QMenuBar* bar = window->menuBar();
    auto menu = [bar](QMenu*& made, const char* name, const char* caption) {
        made = bar->addMenu(QString::fromUtf8(caption));
        made->setObjectName(QString::fromLatin1(name));
        made->menuAction()->setObjectName(QString::fromLatin1(name));
    };
    auto entry = [window](QMenu* menu, QAction*& made, const char* name, const char* caption) {
        const QString text = QString::fromUtf8(caption);
        made = text == QStringLiteral("-") ? menu->addSeparator() : menu->addAction(text);
        made->setObjectName(QString::fromLatin1(name));
        made->setParent(window);
    };
    menu(c.fichier, "fichier", "&Fichier");
    entry(c.fichier, c.mnufilm, "mnufilm", "&Nouveau film");
    entry(c.fichier, c.mnuajoutquick, "mnuajoutquick", "A&jout Rapide");
    entry(c.fichier, c.mnus1, "mnus1", "-");
    entry(c.fichier, c.mnuexporter, "mnuexporter", "&Export Txt");
    entry(c.fichier, c.mnu_excel, "mnu_excel", "E&xport Excel");
    entry(c.fichier, c.mnuapercu, "mnuapercu", "&Aperçu");
    entry(c.fichier, c.mnus, "mnus", "-");
    entry(c.fichier, c.mnuquit, "mnuquit", "&Quitter");
    menu(c.mnu_voir, "mnu_voir", "&Voir Liste");
    entry(c.mnu_voir, c.mnuliste, "mnuliste", "Liste des &Emprunts");
    entry(c.mnu_voir, c.e, "e", "-");
    entry(c.mnu_voir, c.mnulistF, "mnulistF", "&Liste des Films");
    entry(c.mnu_voir, c.mnu_dvd, "mnu_dvd", "Liste des &Dvd");
    entry(c.mnu_voir, c.i, "i", "-");
    entry(c.mnu_voir, c.mnu_liste_fr, "mnu_liste_fr", "Liste Film Français");
    entry(c.mnu_voir, c.mnu_liste_E, "mnu_liste_E", "Liste Film Etranger");
    menu(c.mnu_option, "mnu_option", "&Option");
    entry(c.mnu_option, c.mnu_audio, "mnu_audio", "Gestion Codec");
    entry(c.mnu_option, c.mnu_restaurer, "mnu_restaurer", "Restaurer une sauvegarde…");
    menu(c.mnua, "mnua", "?");
    entry(c.mnua, c.mnupropos, "mnupropos", "A propos de");
}

void Frm_Accueil::onLoad()
{
    loanBox_ = LoanBox::NoSelection;
    iniliste(ListLayout::Films);
    // The same statement as the other fills of the whole list, so a fill that follows at once
    // (after saving a film) finds the list already filled.
    Connection::chargeliste(store::FilmList::all());
}

void Frm_Accueil::onResize()
{
    // The list follows the inner size; sizes too small to show a list are skipped.
    const int width = innerWidth() - 3700;
    const int height = innerHeight() - 400;
    if (width < 600 || height < 600)
        return;
    controls().List->resize(px(width), px(height));
    controls().lbldouble->move(px(3360), px(innerHeight() - 300));
}

void Frm_Accueil::iniliste(ListLayout Index)
{
    ListView* list = controls().List;
    list->clearRows();
    list->clearColumns();
    if (Index == ListLayout::Loans) {
        list->addColumn(QStringLiteral("Titre"), 4000);
        list->addColumn(QStringLiteral("Emprunté par"), 1600);
        list->addColumn(QStringLiteral("Date emprunts"), 1300);
        list->addColumn(QString(), 0);
        list->setAccessibleName(QStringLiteral("Liste des emprunts"));
    } else {
        list->addColumn(QStringLiteral("Titre"), 3990);
        list->addColumn(QStringLiteral("Genre"), 820);
        list->addColumn(QStringLiteral("Durée"), 900);
        list->addColumn(QStringLiteral("Nb cd"), 660, Qt::AlignHCenter);
        list->addColumn(QStringLiteral("Format"), 800);
        list->addColumn(QString(), 0);
        list->setAccessibleName(QStringLiteral("Liste des films"));
    }
    type_liste = Index;
}
