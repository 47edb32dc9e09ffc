#pragma once

#include "ui/Form.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

struct Frm_NewControls {
    QGroupBox* fra1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* lbl_duree = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Txt_Titre = nullptr;
    QLineEdit* txt_realisateur = nullptr;
    QLineEdit* txt_acteur = nullptr;
    QLineEdit* txt_duree = nullptr;
    QLineEdit* txt_annee = nullptr;
    QComboBox* Comb_lng = nullptr;
    QComboBox* Combo1 = nullptr;
    QComboBox* Combo3 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QRadioButton* Option4 = nullptr;
    QRadioButton* Option5 = nullptr;

    QGroupBox* Fra2 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label9 = nullptr;
    QComboBox* Combo2 = nullptr;
    QComboBox* comb_video = nullptr;
    QComboBox* comb_audio = nullptr;

    QLabel* Label6 = nullptr;
    QPlainTextEdit* txt_obs = nullptr;
    QPushButton* Bt_Enreg = nullptr;
    QPushButton* Bt_Annuler = nullptr;
};

// The film editor: adds a film or modifies one.
class Frm_New : public ui::TypedForm<Frm_NewControls> {
    Q_OBJECT
public:
    static Frm_New& instance();

    // Shows the editor empty, to add a film.
    void ajouter();
    // Shows the editor on the film of that key, to modify it.
    void modifier(qint16 code);
    // True while the editor adds a film, false while it modifies the film code_film().
    bool nouveau_film() const { return nouveau_film_; }
    qint16 code_film() const { return code_film_; }

    // The quality texts of the option buttons Option1 to Option5.
    static const QStringList& qualites();
    // The option buttons Option1 to Option5, in the order of their quality texts.
    QList<QRadioButton*> options();

signals:
    // The film was written and the editor closed.
    void filmSaved();

protected:
    Frm_New();
    void build(QMainWindow* window, QWidget* client) override;
    QSize designSize() const override { return {9855, 7170}; }
    void onLoad() override;

private:
    void buildInfoGeneral(QWidget* client);
    void buildInfoPlus(QWidget* client);
    void remplir_listes();
    void activer();
    void charger_film();

    // Set at load, cleared once the opening has been prepared: the preparation runs once per
    // opening, so nothing the user typed is ever replaced.
    bool a_preparer_ = false;
    bool nouveau_film_ = false;
    qint16 code_film_ = 0;
};
