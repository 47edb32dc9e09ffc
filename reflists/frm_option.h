#pragma once

#include "files/ReferenceListFile.h"
#include "ui/Form.h"

#include <QStringList>

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabBar;

struct frm_optionControls {
    QTabBar* TabStrip1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* lbl_codec = nullptr;
    QLineEdit* txt_codec = nullptr;
    QPushButton* cmd_ajout = nullptr;
    QGroupBox* fra_odre = nullptr;
    QPushButton* cmd_M = nullptr;
    QPushButton* Cmd_D = nullptr;
    QGroupBox* Frame2 = nullptr;
    QPushButton* Command1 = nullptr;
    QListWidget* List = nullptr;
    QLabel* Label1 = nullptr;
};

// The options window: edits the audio codec, video codec and genre lists of codec.cnb, one tab
// each, and writes all three back when it closes.
class frm_option : public ui::TypedForm<frm_optionControls> {
public:
    static frm_option& instance();

    // Shows the window; when it opens, it shows the list of that tab.
    void montrer(files::ReferenceList onglet);

    // The entry that "Monter" and "Descendre" move, as an index of the shown list.
    int index_courant = 0;

protected:
    frm_option();
    void build(QMainWindow* window, QWidget* client) override;
    QSize designSize() const override { return {5580, 3810}; }
    void onLoad() override;
    bool queryUnload() override;
    void onUnload() override;

private:
    // The list of the current tab.
    QStringList& liste_courante();
    void afficher_onglet(files::ReferenceList onglet);
    void changer_onglet();
    void ajouter_entree();
    void monter_entree(QStringList& liste);
    void descendre_entree(QStringList& liste);
    void echanger(QStringList& liste, int haut);
    // Writes the three lists; on failure, asks whether to close anyway when the user may refuse.
    bool enregistrer(bool refusable);

    QStringList liste_audio;
    QStringList liste_video;
    QStringList liste_genre;
    files::ReferenceList onglet_ = files::ReferenceList::Audio;
    // The tab the window opens on.
    files::ReferenceList onglet_option_ = files::ReferenceList::Audio;
    // False when the file could not be read: the window then leaves it alone.
    bool fichier_lu = false;
    // Set once the closing has settled the file, so the unload does not write it twice.
    bool enregistrement_fait = false;
};
