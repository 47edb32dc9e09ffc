#pragma once

#include "files/FilmFiles.h"
#include "quickadd/FoundFilmDetails.h"
#include "ui/Form.h"

#include <QElapsedTimer>
#include <QPointer>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

struct Frm_ajoutquickControls {
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* txt_parcourir = nullptr;
    QPushButton* cmd_parcourir = nullptr;
    QCheckBox* chk_lire_fichiers = nullptr;
    QCheckBox* chk_ignorer_connus = nullptr;
    QCheckBox* chk_tous_les_formats = nullptr;
    QPushButton* cmd_lancer = nullptr;
    QLabel* lbl_compte = nullptr;
};

// Adds one film for every .avi file of a folder and of all its subfolders, with default details
// that the user completes later in the film editor. Ticked boxes fill in the running time and the
// codecs that the file's headers tell, leave out the films the catalogue already holds, and take
// every video file and DVD folder for a film, with what its .nfo file tells.
class Frm_ajoutquick : public ui::TypedForm<Frm_ajoutquickControls> {
    Q_OBJECT
public:
    static Frm_ajoutquick& instance();

signals:
    // A scan ended, having added films or not, the window unloaded.
    void filmsAdded();

protected:
    Frm_ajoutquick();
    void build(QMainWindow* window, QWidget* client) override;
    QSize designSize() const override { return {4680, 4035}; }
    void onUnload() override;

private:
    void cmd_parcourir_Click();
    void cmd_lancer_Click();
    // Adds the films of the folder, then walks each of its subfolders in turn.
    void RecurseTree(const QString& CurrentPath);
    void ajouter_film(int code, const files::FilmOnDisk& trouve);
    // Adds the genres that the .nfo files brought to the genre list; a failure is told.
    void enregistrer_genres();
    // Shows the count of films added (and left out), at most every few hundredths of a second
    // unless asked now.
    void montrer_compte(bool tout_de_suite = false);

    bool en_cours_ = false;
    // Set when the scan must end after the current file.
    bool arret_ = false;
    // Set when the user closed the window during the scan, which unloaded it already.
    bool ferme_ = false;
    int films_ajoutes_ = 0;
    int films_connus_ = 0;
    bool ignorer_connus_ = false;
    bool tous_les_formats_ = false;
    // Set during a scan.
    std::unique_ptr<FoundFilmDetails> details_;
    QPointer<QLabel> compteur_;
    QElapsedTimer depuis_affichage_;
};
