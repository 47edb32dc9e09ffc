#include "ui/main/MainMenus.h"

#include "ui/main/Frm_Accueil.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>

void buildMainMenus(QMainWindow* window, Frm_AccueilControls& c)
{
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
    entry(c.fichier, c.mnuimporter, "mnuimporter", "Importer…");
    entry(c.fichier, c.mnus1, "mnus1", "-");
    entry(c.fichier, c.mnuexporter, "mnuexporter", "&Export Txt");
    entry(c.fichier, c.mnu_excel, "mnu_excel", "E&xport Excel");
    entry(c.fichier, c.mnuapercu, "mnuapercu", "&Aperçu");
    entry(c.fichier, c.mnus, "mnus", "-");
    entry(c.fichier, c.mnuquit, "mnuquit", "&Quitter");
    menu(c.mnu_voir, "mnu_voir", "&Voir Liste");
    entry(c.mnu_voir, c.mnuliste, "mnuliste", "Liste des &Emprunts");
    entry(c.mnu_voir, c.mnusuivi, "mnusuivi", "Suivi des prêts");
    entry(c.mnu_voir, c.e, "e", "-");
    entry(c.mnu_voir, c.mnulistF, "mnulistF", "&Liste des Films");
    entry(c.mnu_voir, c.mnu_dvd, "mnu_dvd", "Liste des &Dvd");
    entry(c.mnu_voir, c.i, "i", "-");
    entry(c.mnu_voir, c.mnu_liste_fr, "mnu_liste_fr", "Liste Film Français");
    entry(c.mnu_voir, c.mnu_liste_E, "mnu_liste_E", "Liste Film Etranger");
    entry(c.mnu_voir, c.mnus2, "mnus2", "-");
    entry(c.mnu_voir, c.mnu_tous_champs, "mnu_tous_champs", "Rechercher dans tous les champs");
    c.mnu_tous_champs->setCheckable(true);
    entry(c.mnu_voir, c.mnus_stats, "mnus_stats", "-");
    entry(c.mnu_voir, c.mnu_stats, "mnu_stats", "Statistiques…");
    menu(c.mnu_option, "mnu_option", "&Option");
    entry(c.mnu_option, c.mnu_audio, "mnu_audio", "Gestion Codec");
    entry(c.mnu_option, c.mnu_restaurer, "mnu_restaurer", "Restaurer une sauvegarde…");
    menu(c.mnua, "mnua", "?");
    entry(c.mnua, c.mnupropos, "mnupropos", "A propos de");
}
