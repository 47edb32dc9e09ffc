#pragma once

#include "files/ReferenceListFile.h"
#include "import/ImportPlan.h"
#include "ui/Form.h"
#include "ui/Platform.h"

#include <QElapsedTimer>
#include <QList>
#include <QPointer>
#include <optional>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace ui {
class ListView;
}

struct frm_importerControls {
    QLabel* lbl_fichier = nullptr;
    ui::ListView* List = nullptr;
    QCheckBox* chk_ignorer_connus = nullptr;
    QLabel* lbl_compte = nullptr;
    QProgressBar* Progbar = nullptr;
    QPushButton* cmd_importer = nullptr;
    QPushButton* cmd_fermer = nullptr;
};

// Imports the films of a spreadsheet's table or of another catalogue program's file: shows each film
// of the file and what will happen to it before anything is written, then writes them under the
// next keys, a backup taken first.
class frm_importer : public ui::TypedForm<frm_importerControls> {
    Q_OBJECT
public:
    static frm_importer& instance();

    // Asks for a catalogue file, reads it whole and shows its films. False, the window closed, when
    // the user cancels or the file cannot be read (told in one message).
    bool ouvrir(QWidget* owner);

    // The folder the file chooser opens on: that of the last file chosen, "" for the home folder.
    QString dossier_de_depart;

signals:
    // An import ended, having written films or not; the window is unloaded.
    void filmsImported();

protected:
    frm_importer();
    void build(QMainWindow* window, QWidget* client) override;
    QSize designSize() const override { return {10800, 6360}; }
    void onResize() override;
    void onUnload() override;

private:
    // What an import did, for its report.
    struct Bilan {
        int importes = 0;
        // Films found in the catalogue as they were about to be written: another program added them.
        int connus_entre_temps = 0;
        // The first film not yet written when the import stopped; past the last film when it ended.
        int suivant = 0;
        // Set when the last key was taken before every film was written.
        bool plus_de_numero = false;
        // A film written whose loan could not be, "" when none.
        QString sans_son_pret;
        // The catalogue's failure that stopped the import.
        std::optional<QString> echec;
        // The entries the lists gained, or why they could not.
        QString listes;
        bool listes_echouees = false;
    };

    // Fills the list with the films and what will happen to each, as the box now says.
    void lister();
    void cmd_importer_Click();
    // Writes the films to import in file order, each committed with its loan, until the last key, a
    // failure of the catalogue or the closing of the window.
    void ecrire_les_films(Bilan& bilan);
    // Adds to the reference lists the entries that the written films take; the report names them,
    // or tells why the lists could not take them.
    void completer_les_listes(Bilan& bilan);
    // What the import did, in one message, and the message's icon.
    QString texte_rapport(const Bilan& bilan, ui::Icon& icone) const;
    // Shows how many films are written, at most every few hundredths of a second.
    void montrer_progres(int importes);

    ImportPlan plan_;
    bool listes_lues_ = false;
    bool ignorer_connus_ = true;
    bool en_cours_ = false;
    // Set when the user closed the window during the import, which unloaded it already.
    bool ferme_ = false;
    // The films written so far, by their place in the file.
    QList<int> ecrits_;
    QPointer<QLabel> compteur_;
    QPointer<QProgressBar> barre_;
    QElapsedTimer depuis_affichage_;
};
