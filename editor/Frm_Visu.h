#pragma once

#include "ui/Form.h"

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

struct Frm_VisuControls {
    QLabel* lbl_film = nullptr;

    QGroupBox* fra_info = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* lblrealisateur = nullptr;
    QLabel* Label18 = nullptr;
    QLabel* lblacteur = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* lblannee = nullptr;
    QLabel* Label16 = nullptr;
    QLabel* lblduree = nullptr;

    QGroupBox* fra_info1 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* lbl_langue = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* lbl_codec = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lbl_qual = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* lbl_son = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* lbl_genre = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* lbl_nbr = nullptr;

    QPlainTextEdit* txt_obs = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* cmd_historique = nullptr;
};

// The read-only sheet of one film.
class Frm_Visu : public ui::TypedForm<Frm_VisuControls> {
    Q_OBJECT
public:
    static Frm_Visu& instance();

    // Shows the sheet of the film of that key, filled afresh even when the sheet is already open. A
    // film that has left the catalogue is reported and not shown.
    void montrer(qint16 code);

signals:
    // The user asked for the loans' history of the film shown.
    void loanHistoryRequested(qint16 code);

protected:
    Frm_Visu();
    void build(QMainWindow* window, QWidget* client) override;
    QSize designSize() const override { return {9855, 7170}; }
    void onLoad() override;

private:
    void remplir();

    qint16 code_film_ = 0;
    // Whether the last filling found the film.
    bool trouve_ = false;
};
