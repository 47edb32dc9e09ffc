#pragma once

#include "ui/Form.h"

#include <QElapsedTimer>
#include <QPointer>

class QLabel;
class QLineEdit;
class QPushButton;

struct Frm_ajoutquickControls {
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* txt_parcourir = nullptr;
    QPushButton* cmd_parcourir = nullptr;
    QPushButton* cmd_lancer = nullptr;
    QLabel* lbl_compte = nullptr;
};

// Adds one film for every .avi file of a folder and of all its subfolders, with default details
// that the user completes later in the film editor.
class Frm_ajoutquick : public ui::TypedForm<Frm_ajoutquickControls> {
public:
    static Frm_ajoutquick& instance();

protected:
    Frm_ajoutquick();
    void build(QMainWindow* window, QWidget* client) override;
    QSize designSize() const override { return {4680, 3195}; }
    void onUnload() override;

private:
    void cmd_parcourir_Click();
    void cmd_lancer_Click();
    // Adds the films of the folder, then walks each of its subfolders in turn.
    void RecurseTree(const QString& CurrentPath);
    void ajouter_film(int code, const QString& titre);
    // Shows the count of films added, at most every few hundredths of a second unless asked now.
    void montrer_compte(bool tout_de_suite = false);

    bool en_cours_ = false;
    // Set when the scan must end after the current file.
    bool arret_ = false;
    // Set when the user closed the window during the scan, which unloaded it already.
    bool ferme_ = false;
    int films_ajoutes_ = 0;
    QPointer<QLabel> compteur_;
    QElapsedTimer depuis_affichage_;
};
