#include "ui/main/Frm_Accueil.h"

#include "app/Connection.h"
#include "reflists/frm_option.h"
#include "ui/Controls.h"
#include "ui/Guard.h"
#include "ui/ListView.h"
#include "ui/Twips.h"

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

Frm_Accueil::Frm_Accueil() : Form(QStringLiteral("Frm_Accueil")) { }

ListView* Frm_Accueil::List() { return control<ListView>(QStringLiteral("List")); }

void Frm_Accueil::build(QMainWindow* window, QWidget* client)
{
    window->setWindowTitle(QStringLiteral("Cinabrel"));
    fillBackground(client, formBlue());
    const QFont bold = sansSerif(8.25, true);

    auto* fra_search =
            makeFrame(client, QStringLiteral("fra_search"), QStringLiteral("Recherche"), 120, 120, 3015, 615);
    makeTextBox(fra_search, QStringLiteral("txt_search"), QString(), 120, 240, 2775, 285);

    auto* fra_info =
            makeFrame(client, QStringLiteral("fra_info"), QStringLiteral("Info Film"), 120, 960, 3015, 3375);
    const struct {
        const char* caption;
        const char* captionName;
        int captionWidth;
        const char* valueName;
        int top;
    } summary[] = {
            {"Langage:", "Label4", 810, "lbl_langue", 360}, {"Qualité:", "Label6", 675, "lbl_qual", 720},
            {"Codec:", "Label5", 615, "lbl_codec", 1080},   {"Son:", "Label3", 405, "lbl_son", 1440},
            {"Nbr CD: ", "Label2", 750, "lbl_nbr", 1800},   {"Durée:", "Label1", 585, "lbl_duree", 2160},
            {"Année:", "Label11", 615, "lbl_annee", 2520},
    };
    for (const auto& line : summary) {
        makeLabel(fra_info, QString::fromLatin1(line.captionName), QString::fromUtf8(line.caption), 120,
                  line.top, line.captionWidth, 195)
                ->setFont(bold);
        makeLabel(fra_info, QString::fromLatin1(line.valueName), QStringLiteral(" "), 1320, line.top, 1095,
                  255);
    }
    makeButton(fra_info, QStringLiteral("Bt_Modif"), QStringLiteral("Modifier"), 120, 2880, 1215, 375);
    makeButton(fra_info, QStringLiteral("Bt_Supp"), QStringLiteral("Supprimer"), 1560, 2880, 1215, 375);

    auto* fra_stat = makeFrame(client, QStringLiteral("Fra_stat"), QStringLiteral("Mini Stats"), 120, 4440,
                               3015, 1575);
    const struct {
        const char* caption;
        const char* captionName;
        int captionTop;
        int captionWidth;
        const char* valueName;
        int valueTop;
    } counters[] = {
            {"Nombre de Divx", "Label7", 240, 1365, "lbl_stat_nbr", 240},
            {"Nombre de Dvd", "Label13", 555, 1335, "lbl_stat_dvd", 560},
            {"Film(s) Emprunté", "Label10", 880, 1410, "lbl_stat_pret", 880},
            {"Film(s) Dispo", "Label9", 1200, 1095, "lbl_dispo", 1200},
    };
    for (const auto& counter : counters) {
        makeLabel(fra_stat, QString::fromLatin1(counter.captionName), QString::fromUtf8(counter.caption), 120,
                  counter.captionTop, counter.captionWidth, 195)
                ->setFont(bold);
        makeLabel(fra_stat, QString::fromLatin1(counter.valueName), QStringLiteral("0"), 1920,
                  counter.valueTop, 855, 255)
                ->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    }

    auto* fra_pret =
            makeFrame(client, QStringLiteral("fra_pret"), QStringLiteral("Pret"), 120, 6120, 3015, 1815);
    auto* chk_pret =
            makeCheckBox(fra_pret, QStringLiteral("chk_pret"), QStringLiteral(" "), 240, 240, 1455, 255);
    auto* lbl_nom = makeLabel(fra_pret, QStringLiteral("lbl_nom"), QStringLiteral("Nom"), 240, 600, 330, 195);
    auto* txt_nom =
            makeTextBox(fra_pret, QStringLiteral("txt_nom"), QStringLiteral(" "), 960, 600, 1815, 285);
    txt_nom->setFont(bold);
    auto* lbl_date1 = makeLabel(fra_pret, QStringLiteral("lbl_date1"), QStringLiteral("Date du prêt"), 240,
                                1080, 885, 195);
    auto* lbl_date =
            makeLabel(fra_pret, QStringLiteral("lbl_date"), QStringLiteral(" "), 1680, 1080, 1095, 255);
    auto* cmd_pret = makeButton(fra_pret, QStringLiteral("cmd_pret"), QStringLiteral("Enregistrer le prêt"),
                                720, 1440, 1575, 255);
    lbl_nom->adjustSize();
    lbl_date1->adjustSize();
    for (QWidget* hidden :
         std::initializer_list<QWidget*> {chk_pret, lbl_nom, txt_nom, lbl_date1, lbl_date, cmd_pret})
        hidden->setVisible(false);

    makeButton(client, QStringLiteral("cmd_new"), QStringLiteral("Nouveau film"), 120, 8040, 3015, 375);

    auto* list = new ListView(client);
    list->setObjectName(QStringLiteral("List"));
    place(list, 3360, 120, 7695, 8055);

    auto* lbldouble = makeLabel(
            client, QStringLiteral("lbldouble"),
            QStringLiteral("Double cliquez sur un film pour voir les informations générales du film"), 3360,
            8160, 6045, 240);
    lbldouble->setFont(arial(9.75, false, true));

    auto* fra_export = makeFrame(client, QStringLiteral("fra_export"),
                                 QStringLiteral("Exportation en cours ... "), 5280, 3480, 4455, 615);
    fillBackground(fra_export, Qt::white);
    auto* progbar = new QProgressBar(fra_export);
    progbar->setObjectName(QStringLiteral("Progbar"));
    progbar->setRange(0, 100);
    progbar->setValue(0);
    place(progbar, 120, 240, 4215, 255);
    fra_export->setVisible(false);

    auto* status = new QStatusBar(client);
    status->setObjectName(QStringLiteral("StatusBar1"));
    status->setSizeGripEnabled(false);
    place(status, 0, 8445, 11175, 30);

    buildMenus(window);
    connectSelection();
    connectCommands();
    connectLoans();
    connectExports(window);

    onEvent(window->findChild<QAction*>(QStringLiteral("mnu_audio")), &QAction::triggered, [] {
        Connection::onglet_option = 1;
        frm_option::instance().show();
    });
}

void Frm_Accueil::buildMenus(QMainWindow* window)
{
    struct Entry {
        const char* name;
        const char* caption;
    };
    const struct {
        const char* name;
        const char* caption;
        std::initializer_list<Entry> entries;
    } menus[] = {
            {"fichier",
             "&Fichier",
             {{"mnufilm", "&Nouveau film"},
              {"mnuajoutquick", "A&jout Rapide"},
              {"mnus1", "-"},
              {"mnuexporter", "&Export Txt"},
              {"mnu_excel", "E&xport Excel"},
              {"mnuapercu", "&Aperçu"},
              {"mnus", "-"},
              {"mnuquit", "&Quitter"}}},
            {"mnu_voir",
             "&Voir Liste",
             {{"mnuliste", "Liste des &Emprunts"},
              {"e", "-"},
              {"mnulistF", "&Liste des Films"},
              {"mnu_dvd", "Liste des &Dvd"},
              {"i", "-"},
              {"mnu_liste_fr", "Liste Film Français"},
              {"mnu_liste_E", "Liste Film Etranger"}}},
            {"mnu_option", "&Option", {{"mnu_audio", "Gestion Codec"}}},
            {"mnua", "?", {{"mnupropos", "A propos de"}}},
    };
    QMenuBar* bar = window->menuBar();
    for (const auto& menu : menus) {
        QMenu* m = bar->addMenu(QString::fromUtf8(menu.caption));
        m->setObjectName(QString::fromLatin1(menu.name));
        m->menuAction()->setObjectName(QString::fromLatin1(menu.name));
        for (const Entry& entry : menu.entries) {
            const QString caption = QString::fromUtf8(entry.caption);
            QAction* action = caption == QStringLiteral("-") ? m->addSeparator() : m->addAction(caption);
            action->setObjectName(QString::fromLatin1(entry.name));
            action->setParent(window);
        }
    }
}

void Frm_Accueil::onLoad()
{
    iniliste(1);
    // The same statement as the other fills of the whole list, so a fill that follows at once
    // (after saving a film) finds the list already filled.
    Connection::chargeliste(QStringLiteral("select * from film order by nom_film"));
}

void Frm_Accueil::onResize()
{
    // The list follows the inner size; sizes too small to show a list are skipped.
    const int width = innerWidth() - 3700;
    const int height = innerHeight() - 400;
    if (width < 600 || height < 600)
        return;
    ListView* list = List();
    list->resize(px(width), px(height));
    control<QLabel>(QStringLiteral("lbldouble"))->move(px(3360), px(innerHeight() - 300));
}

void Frm_Accueil::iniliste(int Index)
{
    ListView* list = List();
    list->clearRows();
    list->clearColumns();
    if (Index == 0) {
        list->addColumn(QStringLiteral("Titre"), 4000);
        list->addColumn(QStringLiteral("Emprunté par"), 1600);
        list->addColumn(QStringLiteral("Date emprunts"), 1300);
        list->addColumn(QString(), 0);
        type_liste = 0;
    } else if (Index == 1) {
        list->addColumn(QStringLiteral("Titre"), 3990);
        list->addColumn(QStringLiteral("Genre"), 820);
        list->addColumn(QStringLiteral("Durée"), 900);
        list->addColumn(QStringLiteral("Nb cd"), 660, Qt::AlignHCenter);
        list->addColumn(QStringLiteral("Format"), 800);
        list->addColumn(QString(), 0);
        type_liste = 1;
    }
}
